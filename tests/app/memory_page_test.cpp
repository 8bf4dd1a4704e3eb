#include "app/memory_page.h"

#include "grid/channel_grid_view.h"
#include "grid/channel_table_model.h"
#include "model/clone_image.h"
#include "support/sample_image.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

QList<int> Range(int first, int last) {
  QList<int> rows;
  for (int slot = first; slot <= last; ++slot) rows << slot;
  return rows;
}

// The filter bar hides rows; what the grid reports is always the real rows.
TEST(MemoryPageFilter, ShowsTheMatchingRowsAndReportsTheirSlots) {
  CloneImage image = StartupImage();
  image.slot(3) = testing::SampleChannel(11810000, QStringLiteral("Tokyo TWR"));
  image.slot(150) = testing::SampleChannel(14500000, QStringLiteral("OSAKA"));
  image.slot(1301) = testing::SampleChannel(43300000, QStringLiteral("MAIN"));
  ChannelTableModel model(image);
  MemoryPage page(&model);
  auto* text = page.findChild<QLineEdit*>(QStringLiteral("filterEdit"));
  auto* usedOnly = page.findChild<QCheckBox*>(QStringLiteral("usedOnlyCheckBox"));
  auto* group = page.findChild<QComboBox*>(QStringLiteral("rowGroupList"));
  ASSERT_TRUE(text && usedOnly && group);
  ChannelGridView* grid = page.grid();

  const QList<int> presets = Range(FirstPresetSlot, SlotCount);
  struct Case {
    const char* text;
    bool usedOnly;
    const char* group;
    QList<int> shown;
  };
  const Case cases[] = {
      {"TOKYO", false, "All rows", {3}},
      {"145", false, "All rows", {150}},
      {"", true, "All rows", QList<int>{3, 150, 1301} + presets},
      {"", true, "Bank01", {150}},
      {"", false, "Dual-watch pairs", Range(1301, 1500)},
      {"nothing like it", false, "All rows", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    text->setText(QString::fromUtf8(c.text));
    usedOnly->setChecked(c.usedOnly);
    group->setCurrentText(QString::fromLatin1(c.group));
    ASSERT_EQ(grid->model()->rowCount(), c.shown.size());
    if (c.shown.isEmpty()) continue;
    grid->selectAll();
    EXPECT_EQ(grid->selectedSlotList(), c.shown);
  }

  // Going to a row the filter hides shows every row again, the bar included.
  text->setText(QStringLiteral("OSAKA"));
  grid->selectSlot(5);
  EXPECT_TRUE(text->text().isEmpty());
  EXPECT_FALSE(usedOnly->isChecked());
  EXPECT_EQ(grid->model()->rowCount(), SlotCount);
  EXPECT_EQ(grid->selectedSlotList(), QList<int>{5});
}

}  // namespace
}  // namespace rqm27
