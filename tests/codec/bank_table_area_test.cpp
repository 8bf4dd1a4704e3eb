#include "codec/bank_table_area.h"

#include "model/hex_text.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

QByteArray Hex(const QString& text) {
  return QByteArray::fromHex(text.toLatin1());
}

TEST(BankTableCodec, CountsAreLittleEndianWordsThatNeedNotAddUp) {
  const QString hex =
      "2C01" + QString("0000").repeated(18) + "B004" + QString("0000").repeated(29) + "FFFF";
  BankTable banks;
  banks.counts[0] = 300;
  banks.counts[19] = 1200;
  banks.counts[49] = 65535;
  EXPECT_EQ(BankTableHex(banks), hex);
  EXPECT_EQ(DecodeBankTable(Hex(hex)), banks);
  EXPECT_EQ(DecodeBankTable(Hex(hex)).total(), 67035);
  EXPECT_EQ(DecodeBankTable(Hex("6400")).total(), 100);  // short area: the rest are empty
}

TEST(BankTableCodec, AreaAlwaysEndsInTheFixedTail) {
  const QString tail = "6400C800640000006400000015000000000000000000000000000000";
  const QString defaults = QString("6400").repeated(12) + QString("0000").repeated(38);
  // Whatever the receiver held after the counts is neither decoded nor written back.
  const BankTable banks = DecodeBankTable(Hex(defaults + QString("AB").repeated(28)));
  EXPECT_EQ(banks, BankTable::Defaults());
  EXPECT_EQ(BytesToHex(EncodeBankTableArea(banks)), defaults + tail);
}

}  // namespace
}  // namespace rqm27
