#include "widgets/full_write_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rqm27 {

namespace {

QString QuestionText(const FullWriteQuestion& question) {
  return QStringLiteral("Write the whole image to the receiver on %1 (variant %2)?")
      .arg(question.port, question.variant);
}

QString ReplacedText(const FullWriteQuestion& question) {
  return QStringLiteral(
             "This replaces everything the receiver holds: it clears all its channels, then "
             "writes %1 channels, the bank table, the one-touch memories, the settings, the "
             "opening message, the icons and the groups.")
      .arg(question.channels);
}

QCheckBox* Choice(const char* name, const QString& text, bool checked, QWidget* parent) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(QLatin1StringView(name));
  box->setChecked(checked);
  return box;
}

}  // namespace

std::optional<FullWriteChoice> AskFullWrite(const FullWriteQuestion& question, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("fullWriteDialog"));
  dialog.setWindowTitle(QStringLiteral("Write all"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* text = new QLabel(QuestionText(question), &dialog);
  text->setStyleSheet(QStringLiteral("font-weight: bold"));
  auto* replaced = new QLabel(ReplacedText(question), &dialog);
  replaced->setWordWrap(true);
  QCheckBox* backup = Choice("backupCheckBox",
                             QStringLiteral("&Back up the receiver's memory first (a full read "
                                            "saved as a file you can restore)"),
                             question.choice.backup, &dialog);
  QCheckBox* verify =
      Choice("verifyCheckBox", QStringLiteral("&Read back and compare after writing"),
             question.choice.verify, &dialog);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, &dialog);
  QPushButton* write = buttons->addButton(QStringLiteral("&Write"), QDialogButtonBox::AcceptRole);
  write->setObjectName(QStringLiteral("confirmWriteButton"));
  buttons->button(QDialogButtonBox::Cancel)->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  for (QWidget* widget : {static_cast<QWidget*>(text), static_cast<QWidget*>(replaced),
                          static_cast<QWidget*>(backup), static_cast<QWidget*>(verify)}) {
    layout->addWidget(widget);
  }
  layout->addWidget(buttons);
  dialog.setMinimumWidth(dialog.fontMetrics().averageCharWidth() * 60);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return FullWriteChoice{backup->isChecked(), verify->isChecked()};
}

}  // namespace rqm27
