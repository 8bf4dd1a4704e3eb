// The "Set mode" page: the receiver's settings as captioned choice lists in eight framed
// sections, in English or Japanese as the image's own "Language" setting says, with the
// buttons that read, write and reset the settings. The selections live in the host's image;
// choosing "日本語" or "English" edits the image like any other list, and the page (with the
// Setting page) is shown again in that language.
#pragma once

#include "pages/page_host.h"
#include "pages/settings_list_box.h"

#include <QWidget>

#include <array>
#include <vector>

class QGroupBox;
class QLabel;

class QPushButton;

namespace rqm27 {

class SetModePage : public QWidget, public ImageView {
  Q_OBJECT

 public:
  explicit SetModePage(PageHost& host, QWidget* parent = nullptr);

  void showImage() override;

 private:
  QGroupBox* buildSection(int section);
  QWidget* buildButtons();

  PageHost& host_;
  std::vector<SettingsListBox> lists_;
  std::array<QGroupBox*, SectionCount> sections_{};
  QLabel* keyLabel_ = nullptr;
};

// The settings commands, shared by the Set mode and Setting pages.

// Reads the settings area, the memory-protect setting and the opening title.
TransferJob SettingsReadTransfer();
// Writes the settings area (read afresh and patched) and the opening title.
TransferJob SettingsWriteTransfer();
// The selections after start-up and an empty opening title.
void ResetSettings(CloneImage& image);

// The Read, Write and Reset buttons of the settings, connected to the commands above; each
// page names them and lays them out itself.
struct SettingsButtons {
  QPushButton* read;
  QPushButton* write;
  QPushButton* reset;
};
SettingsButtons MakeSettingsButtons(PageHost& host, const char* readName, const char* writeName,
                                    const char* resetName, QWidget* parent);

}  // namespace rqm27
