#include "grid/channel_table_model.h"

#include "model/clone_image.h"
#include "support/qstring_print.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

QString Cell(const ChannelTableModel& model, int slot, int column) {
  return model.data(model.index(ChannelTableModel::RowOfSlot(slot), column)).toString();
}

TEST(ChannelTableModel, ShowsNamesWithoutZeroCodesAndSaysWhichSlotsChanged) {
  CloneImage image = StartupImage();
  image.slot(5).used = true;
  image.slot(5).name.codes = {'A', 0, 'B', 0, 0, 'C'};
  ChannelTableModel model(image);
  EXPECT_EQ(Cell(model, 5, NameColumn), "ABC");

  // The rows are fixed: a change is dataChanged over its slots, never a reset.
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  image.slot(1721).clear();
  model.slotsChanged(1721, 1700);
  ASSERT_EQ(changed.size(), 1);
  EXPECT_EQ(changed[0][0].toModelIndex().row(), ChannelTableModel::RowOfSlot(1700));
  EXPECT_EQ(changed[0][1].toModelIndex().row(), ChannelTableModel::RowOfSlot(1721));
  EXPECT_EQ(Cell(model, 1721, FrequencyColumn), "");
}

TEST(ChannelTableModel, RowLabelsFollowAConsistentBankTableOnlyWhenRefreshed) {
  CloneImage image = StartupImage();
  ChannelTableModel model(image);
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  image.banks.counts = {};
  image.banks.counts[3] = 1000;
  image.banks.counts[49] = 200;
  EXPECT_EQ(Cell(model, 1, LabelColumn), "Bank00-000") << "labels change only on refresh";

  ASSERT_TRUE(model.refreshRowLabels());
  ASSERT_EQ(changed.size(), 1);
  EXPECT_EQ(changed[0][1].toModelIndex(), model.index(SlotCount - 1, LabelColumn));
  EXPECT_EQ(Cell(model, 1000, LabelColumn), "Bank03-999");
  EXPECT_EQ(Cell(model, 1001, LabelColumn), "Bank49-000");
  EXPECT_EQ(Cell(model, 1201, LabelColumn), "PRG - 0A");

  image.banks.counts[49] = 199;  // no longer adds up to 1200
  EXPECT_FALSE(model.refreshRowLabels());
  EXPECT_EQ(Cell(model, 1200, LabelColumn), "Bank49-199");
}

TEST(ChannelTableModel, SlotsChangedCoversTheRangeInEitherOrder) {
  const std::tuple<int, int, int, int> cases[] = {{20, 10, 9, 19}, {1700, 1800, 1699, 1720}};
  const CloneImage image = StartupImage();
  ChannelTableModel model(image);
  for (const auto& [first, last, topRow, bottomRow] : cases) {
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.slotsChanged(first, last);
    ASSERT_EQ(changed.size(), 1) << first;
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(topRow, 1)) << first;
    EXPECT_EQ(changed[0][1].toModelIndex(), model.index(bottomRow, 12)) << first;
  }
}

}  // namespace
}  // namespace rqm27
