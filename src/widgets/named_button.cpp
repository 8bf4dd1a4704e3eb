#include "widgets/named_button.h"

namespace rqm27 {

QPushButton* MakeNamedButton(const char* name, const QString& caption, const QString& tip,
                             QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(tip);
  button->setAutoDefault(false);
  return button;
}

}  // namespace rqm27
