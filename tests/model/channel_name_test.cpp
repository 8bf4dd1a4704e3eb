#include "model/channel_name.h"
#include "model/code_page.h"

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

TEST(CodePage, ConvertsJapaneseBothWaysAndReplacesWhatItCannot) {
  const QString text = QString::fromUtf8("ﾃｽﾄ日本語ABC");
  const QByteArray bytes = UnicodeToCp932(text);
  EXPECT_EQ(bytes, QByteArray("\xC3\xBD\xC4\x93\xFA\x96\x7B\x8C\xEA"
                              "ABC"));
  EXPECT_EQ(Cp932ToUnicode(bytes), text);
  EXPECT_EQ(Cp932ByteLength(text), 12);
  EXPECT_EQ(UnicodeToCp932(QString::fromUtf8("a€b")), QByteArray("a?b"));
  EXPECT_EQ(CharToCp932(U'€'), std::nullopt);
  EXPECT_EQ(Cp932ToUnicode(QByteArray("\x82")), QString(QChar(0xFFFD)));
}

TEST(ChannelName, CodesAreLeadTimes256PlusTrailAndInvalidOnesAreKept) {
  const ChannelName name = NameFromText(QString::fromUtf8("あA"));
  EXPECT_EQ(name.codes[0], 0x82A0);
  EXPECT_EQ(name.codes[1], 0x41);
  EXPECT_EQ(NameToText(name), QString::fromUtf8("あA"));
  EXPECT_TRUE(NameSurvivesText(name));
  EXPECT_TRUE(ChannelName{}.isEmpty());

  ChannelName odd;
  odd.codes[0] = 0x4100;  // two single bytes, not one character
  odd.codes[1] = 0;       // a zero inside the name is kept, trailing ones are trimmed
  odd.codes[2] = 0x0082;  // a lead byte alone
  EXPECT_EQ(NameToText(odd), QString(QChar(0xFFFD)) + QChar(u'\0') + QChar(0xFFFD));
  EXPECT_FALSE(NameSurvivesText(odd));
}

}  // namespace
}  // namespace rqm27
