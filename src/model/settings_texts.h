// The words of the settings page in its two languages: the caption and the choices of every
// settings list, the captions of the eight sections and the "Key" label. The choices of a list
// are in list order, so a selection (an index) means the same entry in either language.
#pragma once

#include "model/settings_selections.h"

#include <QString>
#include <QStringList>

namespace rqm27 {

enum class Language { English = 0, Japanese = 1 };

// Sections of the page, in this order: RECEIVER, DISPLAY, POWER && BATTERY, KEY ASSIGNMENT,
// SCANNING, MEMORY, SOUNDS, RMT-40 KEYS. The operating-state lists sit in a section without
// caption.
inline constexpr int SectionCount = 8;

// The caption of list `index` of an array; empty when there is no such list.
QString SettingsCaption(SettingsList list, int index, Language language);

// The entries of a list in order; empty when there is no such list. Four lists show the
// English entries in both languages: Bar Antenna and Earphone Antenna (Recv 0 and 1), LCD
// Contrast (Display 3) and Dial Ring (Key 5).
QStringList SettingsChoices(SettingsList list, int index, Language language);

// How many entries a list has (the same in both languages); 0 when there is no such list.
int SettingsChoiceCount(SettingsList list, int index);

// The caption of a section frame (0-7) as the frame takes it: "&&" stands for one "&" on
// screen. Empty for any other number.
QString SectionCaption(int section, Language language);

// The text of the "Key" label.
QString KeyLabelCaption(Language language);

}  // namespace rqm27
