#include "app/about_dialog.h"

#include "app/app_version.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rqm27 {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("aboutDialog"));
  setWindowTitle(QStringLiteral("Version"));

  auto* name = new QLabel(QStringLiteral("RQ-M27 Clone Utility"), this);
  QFont nameFont = name->font();
  nameFont.setBold(true);
  name->setFont(nameFont);
  auto* version = new QLabel(QStringLiteral("Version ") + VersionText(), this);
  version->setObjectName(QStringLiteral("versionLabel"));
  auto* date = new QLabel(ReleaseDate(), this);
  date->setObjectName(QStringLiteral("releaseDateLabel"));
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 20, 24, 16);
  layout->setSpacing(10);
  layout->addWidget(name);
  layout->addWidget(version);
  layout->addWidget(date);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace rqm27
