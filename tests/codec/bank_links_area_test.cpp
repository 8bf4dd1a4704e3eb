#include "codec/bank_links_area.h"

#include <gtest/gtest.h>

#include <vector>

namespace rqm27 {
namespace {

BankLinkGroup Record(const char* hex) {
  return *GroupRecordFromHex(QString(hex), "test");
}

std::vector<int> Members(const BankLinkGroup& record) {
  std::vector<int> banks;
  for (int b = -1; b < 64; ++b) {
    if (IsGroupMember(record, b)) banks.push_back(b);
  }
  return banks;
}

TEST(GroupRecords, BankBitsReadMostSignificantFirst) {
  const std::pair<const char*, std::vector<int>> cases[] = {
      {"8000000000000000", {0}},           {"0100000000000000", {7}}, {"0080000000000000", {8}},
      {"0000000000004000", {49}},          {"0000000000003FFF", {}},  // tail bits only
      {"a00000000000c0ff", {0, 2, 48, 49}}};
  for (const auto& [hex, banks] : cases) EXPECT_EQ(Members(Record(hex)), banks) << hex;
  // Only bank bits change; the tail bits are out of reach.
  BankLinkGroup record = Record("0000000000003FFF");
  for (int b : {0, 9, 49, 50, -1}) SetGroupMember(record, b, true);
  SetGroupMember(record, 9, false);
  SetGroupMember(record, 63, false);
  EXPECT_EQ(GroupRecordHex(record), "8000000000007FFF");
  const Result<BankLinkGroup> bad = GroupRecordFromHex(QString("80000000000000G0"), "group 3");
  EXPECT_TRUE(!bad.ok() && bad.error().contains("group 3"));
}

TEST(GroupRecords, CollectingReplacesTailsAndDropsEmptyBanks) {
  BankLinks full;
  full.fill(Record("FFFFFFFFFFFFFFFF"));
  BankTable banks = BankTable::Defaults();  // banks 0-11 hold channels
  banks.counts[5] = 0;
  banks.counts[49] = 1;
  const BankLinks kept = CollectGroups(full, banks);
  for (int k = 0; k < GroupCount; ++k) {
    EXPECT_EQ(GroupRecordHex(kept[k]), k < 10 ? "FBF0000000004000" : "FBF0000000004080");
  }
  BankLinks cut = full;
  cut[10] = {};  // a short area: the missing bytes read as 00
  EXPECT_EQ(DecodeBankLinks(EncodeBankLinks(full).left(80)), cut);
}

}  // namespace
}  // namespace rqm27
