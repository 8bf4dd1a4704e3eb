// What differs between two images, in the order a reader goes through an image: the channels by
// slot, then the banks, the one-touch memories, the title, the bank-link groups, the settings and
// the icons. Each difference names its area, the place to go to in that area and says itself in
// one line ("Bank01-003 (slot 104): Frequency 145.00000MHz -> 145.02000MHz").
//
// Images are compared as the grid and the pages show them: what an unused slot holds, the
// settings area's raw bytes and the serial port are not compared.
#pragma once

#include "model/clone_image.h"

#include <QJsonArray>
#include <QString>

#include <vector>

namespace rqm27 {

enum class DiffArea { Channel, Bank, OneTouch, Title, BankLink, Setting, Icon };

// A slot used only in the second image is added, one used only in the first removed; every other
// difference is a change.
enum class DiffKind { Added, Removed, Changed };

struct DiffEntry {
  DiffArea area = DiffArea::Channel;
  DiffKind kind = DiffKind::Changed;
  // Where it is: the slot (1-1721) of a channel, the bank (0-49), the one-touch memory (0-8),
  // 0 for the title, the group (0-10), array * MaxListsInArray + list for a setting, the icon
  // (0-7).
  int place = 0;
  // The column header of a changed channel field or the caption of a setting; empty elsewhere.
  QString field;
  // The old and new value as the grid or the page shows it; empty when there is none (the old
  // value of an added channel, both values of an icon).
  QString before;
  QString after;
  QString text;

  bool operator==(const DiffEntry&) const = default;
};

using ImageDifferences = std::vector<DiffEntry>;

// What turns image a into image b; empty when they show the same.
ImageDifferences ImageDiff(const CloneImage& a, const CloneImage& b);

// The differences for scripts: one object each with "area" ("channel", "bank", "oneTouch",
// "title", "bankLink", "setting", "icon"), "kind" ("added", "removed", "changed"), "place" and
// "text"; "field" when it has one, and "old" and "new" (either may be "") except for an icon, an
// added channel (no "old") and a removed one (no "new").
QJsonArray ImageDiffJson(const ImageDifferences& differences);

}  // namespace rqm27
