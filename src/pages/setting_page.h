// The "Setting" page: the receiver's operating state ("General Operating Functions") as
// captioned choice lists with the buttons that reset, read and write the settings, the
// one-touch memories, the opening message and the button that opens the icon editor. Like the
// Set mode page it shows the host's image in the language of the image's "Language" setting
// and edits it through the host.
#pragma once

#include "pages/page_host.h"
#include "pages/settings_list_box.h"

#include <QWidget>

#include <vector>

class QGroupBox;
class QLineEdit;

namespace rqm27 {

class OneTouchFrame;
class OpeningMessageValidator;

class SettingPage : public QWidget, public ImageView {
  Q_OBJECT

 public:
  explicit SettingPage(PageHost& host, QWidget* parent = nullptr);

  void showImage() override;

  OneTouchFrame* oneTouchFrame() const { return oneTouch_; }

 signals:
  // "ICON  EDITOR" was clicked.
  void iconEditorRequested();

 private:
  QGroupBox* buildGeneralFrame();
  QWidget* buildBottomRow();
  void showTitle();
  void editTitle(const QString& text);

  PageHost& host_;
  std::vector<SettingsListBox> lists_;
  OneTouchFrame* oneTouch_ = nullptr;
  QLineEdit* title_ = nullptr;
  OpeningMessageValidator* titleValidator_ = nullptr;
};

}  // namespace rqm27
