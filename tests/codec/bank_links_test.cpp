#include "codec/bank_links.h"

#include <gtest/gtest.h>

#include <vector>

namespace rqm27 {
namespace {

GroupRecord Record(const char* hex) {
  return *GroupRecordFromHex(QString(hex), "test");
}

std::vector<int> Members(const GroupRecord& record) {
  std::vector<int> banks;
  for (int b = -1; b < 64; ++b) {
    if (IsGroupMember(record, b)) banks.push_back(b);
  }
  return banks;
}

TEST(GroupRecords, BankBitsReadMostSignificantFirst) {
  struct Case {
    const char* hex;
    std::vector<int> banks;
  };
  const Case cases[] = {
      {"8000000000000000", {0}},
      {"0100000000000000", {7}},
      {"0080000000000000", {8}},
      {"0000000000004000", {49}},
      {"0000000000003FFF", {}},  // tail bits only
      {"a00000000000c0ff", {0, 2, 48, 49}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Members(Record(c.hex)), c.banks) << c.hex;
    GroupRecord rebuilt{};
    for (int b : c.banks) SetGroupMember(rebuilt, b, true);
    EXPECT_EQ(Members(rebuilt), c.banks) << c.hex;
  }
  // Only bank bits change; the tail bits are out of reach.
  GroupRecord record = Record("0000000000003FFF");
  for (int b : {49, 50, -1}) SetGroupMember(record, b, true);
  SetGroupMember(record, 63, false);
  EXPECT_EQ(GroupRecordHex(record), "0000000000007FFF");
}

TEST(GroupRecords, StrictHexReader) {
  EXPECT_EQ(GroupRecordHex(Record("a00000000000c0ff")), "A00000000000C0FF");
  for (const char* bad : {"800000000000000", "80000000000000000", "80000000000000G0"}) {
    const Result<GroupRecord> record = GroupRecordFromHex(QString(bad), "group record 3");
    ASSERT_FALSE(record.ok()) << bad;
    EXPECT_TRUE(record.error().contains("group record 3")) << bad;
  }
}

TEST(GroupRecords, CollectingReplacesTailsAndDropsEmptyBanks) {
  const BankLinkData collected = CollectGroups(DefaultBankLinks(), BankTable::Defaults());
  BankLinkData full;
  full.fill(Record("FFFFFFFFFFFFFFFF"));
  BankTable banks = BankTable::Defaults();  // banks 0-11 hold channels
  banks.counts[5] = 0;
  banks.counts[49] = 1;
  const BankLinkData kept = CollectGroups(full, banks);
  for (int k = 0; k < GroupCount; ++k) {
    EXPECT_EQ(GroupRecordHex(collected[k]), k < 10 ? "0000000000000000" : "0000000000000080");
    EXPECT_EQ(GroupRecordHex(kept[k]), k < 10 ? "FBF0000000004000" : "FBF0000000004080");
  }
  EXPECT_EQ(DecodeBankLinks(EncodeBankLinks(full)), full);
}

}  // namespace
}  // namespace rqm27
