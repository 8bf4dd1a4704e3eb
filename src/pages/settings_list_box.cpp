#include "pages/settings_list_box.h"

#include "pages/page_host.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>
#include <array>

namespace rqm27 {
namespace {

// Swallows the key presses that carry a printable character (a space only opens the pop-up,
// so it passes).
class TypingFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const QString text = static_cast<QKeyEvent*>(event)->text();
      if (!text.isEmpty() && text.front().isPrint() && text != QStringLiteral(" ")) return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

// The arrays as the names of their labels and lists begin, in the order of SettingsList.
constexpr std::array<const char*, SettingsListCount> ArrayNames = {
    "recv", "display", "power", "key", "scan", "mem", "sound", "remocon", "misc"};

QStringList Entries(const QComboBox& box) {
  QStringList entries;
  entries.reserve(box.count());
  for (int i = 0; i < box.count(); ++i) entries << box.itemText(i);
  return entries;
}

}  // namespace

Language PageLanguage(const SettingsSelections& settings) {
  return settings.at(SettingsList::Display, 0) == 1 ? Language::Japanese : Language::English;
}

void ShowChoices(QComboBox* box, const QStringList& entries, int selected) {
  const QSignalBlocker blocker(box);
  if (Entries(*box) != entries) {
    box->clear();
    box->addItems(entries);
  }
  box->setCurrentIndex(selected >= 0 && selected < box->count() ? selected : -1);
}

void IgnoreTyping(QComboBox* box) {
  auto* filter = new TypingFilter(box);
  box->installEventFilter(filter);
  box->view()->installEventFilter(filter);
}

SettingsListBox::SettingsListBox(PageHost& host, SettingsList list, int index, QWidget* parent)
    : list_(list), index_(index), caption_(new QLabel(parent)), box_(new QComboBox(parent)) {
  const QString array = QString::fromLatin1(ArrayNames[static_cast<std::size_t>(list)]);
  caption_->setObjectName(QStringLiteral("%1SettingsLabel_%2").arg(array).arg(index));
  box_->setObjectName(QStringLiteral("%1SettingsList_%2").arg(array).arg(index));
  box_->setMaxVisibleItems(16);
  caption_->setBuddy(box_);
  IgnoreTyping(box_);
  QObject::connect(box_, &QComboBox::currentIndexChanged, box_, [&host, list, index](int chosen) {
    if (chosen < 0) return;
    host.editImage(QStringLiteral("Change a setting"),
                   [=](CloneImage& image) { image.settings.at(list, index) = chosen; });
  });
}

void SettingsListBox::show(const SettingsSelections& settings, Language language) {
  caption_->setText(SettingsCaption(list_, index_, language));
  ShowChoices(box_, SettingsChoices(list_, index_, language), settings.at(list_, index_));
}

void SettingsListBox::setEnabled(bool enabled) {
  caption_->setEnabled(enabled);
  box_->setEnabled(enabled);
}

int SettingsListBox::widestCaption() const {
  const QFontMetrics metrics = caption_->fontMetrics();
  return std::max(metrics.horizontalAdvance(SettingsCaption(list_, index_, Language::English)),
                  metrics.horizontalAdvance(SettingsCaption(list_, index_, Language::Japanese)));
}

int SettingsListBox::widestBox() const {
  const QFontMetrics metrics = box_->fontMetrics();
  int text = 0;
  for (const Language language : {Language::English, Language::Japanese}) {
    for (const QString& entry : SettingsChoices(list_, index_, language)) {
      text = std::max(text, metrics.horizontalAdvance(entry));
    }
  }
  QStyleOptionComboBox option;
  option.initFrom(box_);
  return box_->style()
      ->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(text, metrics.height()), box_)
      .width();
}

void AlignColumn(std::span<SettingsListBox> lists, int minimumCaptionWidth) {
  int caption = minimumCaptionWidth;
  int box = 0;
  for (const SettingsListBox& list : lists) {
    caption = std::max(caption, list.widestCaption());
    box = std::max(box, list.widestBox());
  }
  for (SettingsListBox& list : lists) {
    list.caption()->setMinimumWidth(caption);
    list.box()->setMinimumWidth(box);
  }
}

}  // namespace rqm27
