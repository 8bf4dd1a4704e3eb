// The push buttons of the pages: known by their objectName, with a tooltip, and never pressed
// by Enter typed into a field of the same page.
#pragma once

#include <QPushButton>
#include <QString>

namespace rqm27 {

QPushButton* MakeNamedButton(const char* name, const QString& caption, const QString& tip,
                             QWidget* parent);

}  // namespace rqm27
