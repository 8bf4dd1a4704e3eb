#include "widgets/user_dialogs.h"

#include "widgets/bulk_edit_dialog.h"
#include "widgets/fill_dialog.h"
#include "widgets/full_write_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardPaths>

#include <utility>

namespace rqm27 {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None:
      break;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Critical:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

// The extension of a filter's first pattern ("json" of "JSON image (*.json)"), or `otherwise`
// for a filter of every file.
QString SuffixOfFilter(const QString& filter, const QString& otherwise) {
  const QRegularExpressionMatch match =
      QRegularExpression(QStringLiteral(R"(\(\*\.(\w+))")).match(filter);
  return match.hasMatch() ? match.captured(1) : otherwise;
}

class WidgetDialogs : public UserDialogs {
 public:
  WidgetDialogs(QWidget* parent, DetailDialogRunner runDetailDialog)
      : parent_(parent), runDetailDialog_(std::move(runDetailDialog)) {}

  void showMessage(const Message& message) override {
    QMessageBox box(BoxIcon(message.icon), message.title, message.text, QMessageBox::Ok, parent_);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setInformativeText(message.detail);
    box.setDetailedText(message.details);
    // A file path or a transfer step reads better on few lines.
    if (!message.detail.isEmpty()) {
      box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_informativelabel { min-width: 28em; }"));
    }
    box.exec();
  }

  QString openFileName(const FileDialogRequest& request) override {
    return runFileDialog(request, QFileDialog::AcceptOpen).path;
  }

  QString saveFileName(const FileDialogRequest& request) override {
    return runFileDialog(request, QFileDialog::AcceptSave).path;
  }

  FileChoice saveFileChoice(const FileDialogRequest& request) override {
    return runFileDialog(request, QFileDialog::AcceptSave);
  }

  SaveChoice askToSaveChanges() override {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("RQ-M27 Clone Utility"),
                    QStringLiteral("The memory data has not been saved to a file."),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_);
    box.setInformativeText(QStringLiteral("Do you want to save it first?"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
      case QMessageBox::Save:
        return SaveChoice::Save;
      case QMessageBox::Discard:
        return SaveChoice::Discard;
      default:
        return SaveChoice::Cancel;
    }
  }

  bool confirm(const Message& question) override {
    QMessageBox box(BoxIcon(question.icon), question.title, question.text,
                    QMessageBox::Ok | QMessageBox::Cancel, parent_);
    box.setInformativeText(question.detail);
    return box.exec() == QMessageBox::Ok;
  }

  std::optional<FullWriteChoice> confirmFullWrite(const FullWriteQuestion& question) override {
    return AskFullWrite(question, parent_);
  }

  QString chooseBackup(const QStringList& backups) override {
    QStringList names;
    for (const QString& path : backups) names << QFileInfo(path).fileName();
    bool ok = false;
    const QString name = QInputDialog::getItem(
        parent_, QStringLiteral("Restore from backup"),
        QStringLiteral("Backups of the receiver's memory, newest first:"), names, 0, false, &ok);
    const qsizetype index = names.indexOf(name);
    return ok && index >= 0 ? backups[index] : QString();
  }

  ChannelEditBuffer editChannel(const DetailFormState& form, bool railwaysVisible) override {
    return runDetailDialog_(form, railwaysVisible, parent_);
  }

  std::optional<ChannelPatch> askChannelPatch(int channels) override {
    return AskChannelPatch(channels, parent_);
  }

  std::optional<FillChoice> askFill(int rows, std::int32_t start) override {
    return AskFill(rows, start, parent_);
  }

  QString askGoTo() override {
    return QInputDialog::getText(parent_, QStringLiteral("Go to"), GoToSyntax()).trimmed();
  }

 private:
  FileChoice runFileDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent_, request.caption, folder_, request.filters);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // A name typed without an extension takes that of the file type chosen.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, &request](const QString& filter) {
                       dialog.setDefaultSuffix(SuffixOfFilter(filter, request.defaultSuffix));
                     });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    QString path = dialog.selectedFiles().constFirst();
    folder_ = QFileInfo(path).absolutePath();
    const int filter = static_cast<int>(
        request.filters.split(QStringLiteral(";;")).indexOf(dialog.selectedNameFilter()));
    return {std::move(path), std::max(filter, 0)};
  }

  static QString StartFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
  }

  QWidget* parent_;
  DetailDialogRunner runDetailDialog_;
  // The next dialog opens where the last one left off.
  QString folder_ = StartFolder();
};

}  // namespace

std::unique_ptr<UserDialogs> MakeWidgetDialogs(QWidget* parent,
                                               DetailDialogRunner runDetailDialog) {
  return std::make_unique<WidgetDialogs>(parent, std::move(runDetailDialog));
}

}  // namespace rqm27
