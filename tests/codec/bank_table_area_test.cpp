#include "codec/bank_table_area.h"

#include "model/hex_text.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

QByteArray Hex(const QString& text) {
  return QByteArray::fromHex(text.toLatin1());
}

TEST(BankTableCodec, CountsAreLittleEndianWordsFollowedByTheFixedTail) {
  const QString hex =
      "2C01" + QString("0000").repeated(18) + "B004" + QString("0000").repeated(29) + "FFFF";
  BankTable banks;
  banks.counts[0] = 300;
  banks.counts[19] = 1200;
  banks.counts[49] = 65535;  // the counts need not add up
  // Whatever the receiver held after the counts is neither decoded nor written back.
  EXPECT_EQ(DecodeBankTable(Hex(hex + QString("AB").repeated(28))), banks);
  EXPECT_EQ(BytesToHex(EncodeBankTableArea(banks)),
            hex + "6400C800640000006400000015000000000000000000000000000000");
  EXPECT_EQ(BankTableHex(banks), hex);
  EXPECT_EQ(DecodeBankTable(Hex("6400")).total(), 100);  // short area: the rest are empty
}

}  // namespace
}  // namespace rqm27
