// One settings list as the Setting and Set mode pages show it: a caption label and a drop-down
// list, both in the language the image's "Language" selection names. The list is chosen from,
// never typed into; choosing an entry stores the selection in the host's image.
#pragma once

#include "model/settings_selections.h"
#include "model/settings_texts.h"

#include <QString>
#include <QStringList>

#include <span>

class QComboBox;
class QLabel;
class QWidget;

namespace rqm27 {

class PageHost;
class SettingsListBox;

// The language the pages are shown in: the one the "Language" setting (Display 0) selects.
Language PageLanguage(const SettingsSelections& settings);

// Shows `entries` in `box` with `selected` chosen, without emitting signals. The entries are
// replaced only when they differ from those the box holds, so that showing the same ones
// again leaves the list as it is.
void ShowChoices(QComboBox* box, const QStringList& entries, int selected);

// Drops the key presses that type characters into `box` and into its pop-up list, so that
// typing never chooses an entry; the arrow keys still move through the list.
void IgnoreTyping(QComboBox* box);

// Gives the captions of `lists` one width and their lists another, wide enough for every text
// in either language, so that lists stacked in a column line up and never change size.
void AlignColumn(std::span<SettingsListBox> lists, int minimumCaptionWidth = 0);

class SettingsListBox {
 public:
  // Creates the label `<array>SettingsLabel_<index>` and the list `<array>SettingsList_<index>`
  // ("recvSettingsList_3" for list 3 of SettingsList::Recv) as children of `parent`. Choosing
  // an entry edits the image through `host`.
  SettingsListBox(PageHost& host, SettingsList list, int index, QWidget* parent);

  SettingsList list() const { return list_; }
  int index() const { return index_; }
  QLabel* caption() const { return caption_; }
  QComboBox* box() const { return box_; }

  // Shows the list's caption and entries in `language` with the selection of `settings`.
  void show(const SettingsSelections& settings, Language language);
  void setEnabled(bool enabled);

  // The widths the caption and the list need to show any of their texts in either language.
  int widestCaption() const;
  int widestBox() const;

 private:
  SettingsList list_;
  int index_;
  QLabel* caption_;
  QComboBox* box_;
};

}  // namespace rqm27
