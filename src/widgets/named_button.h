// The push buttons of the pages: known by their objectName, with a tooltip, and never pressed
// by Enter typed into a field of the same page.
//
// Every window and control that a user (or a test acting as one) looks for has an object name
// in lowerCamelCase that says what it is, in the words the code uses for it: a window or page
// by its class (mainWindow, bankPage, detailDialog), a control by what it shows or does
// followed by its kind (readTableButton, modeOption_2, txToneList, nameEdit, skipCheckBox,
// bankCountSlider_3, versionLabel, channelGrid, openItem, fileMenu). A read-only display is
// named for what it shows (bankTotal, transferProgress). One of a row of like controls ends in
// "_<index>", the index the code gives it.
#pragma once

#include <QPushButton>
#include <QString>

class QBoxLayout;
class QDialog;

namespace rqm27 {

QPushButton* MakeNamedButton(const char* name, const QString& caption, const QString& tip,
                             QWidget* parent);

// A dialog's row of Cancel and the button named `name` with `caption`, which accepts the dialog
// and is its default; added at the end of `layout`. Returns the accepting button.
QPushButton* AddAcceptButtons(QDialog& dialog, QBoxLayout& layout, const QString& caption,
                              const char* name);

}  // namespace rqm27
