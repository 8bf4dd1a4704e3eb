#include "widgets/named_button.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>

namespace rqm27 {

QPushButton* MakeNamedButton(const char* name, const QString& caption, const QString& tip,
                             QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(tip);
  button->setAutoDefault(false);
  return button;
}

QPushButton* AddAcceptButtons(QDialog& dialog, QBoxLayout& layout, const QString& caption,
                              const char* name) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, &dialog);
  QPushButton* accept = buttons->addButton(caption, QDialogButtonBox::AcceptRole);
  accept->setObjectName(QString::fromLatin1(name));
  accept->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout.addWidget(buttons);
  return accept;
}

}  // namespace rqm27
