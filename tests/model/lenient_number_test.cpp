#include "model/lenient_number.h"

#include <QString>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

TEST(LeadingNumber, TakesTheLeadingDecimalNumberAndIgnoresTheRest) {
  const std::pair<const char16_t*, double> cases[] = {
      {u"145.00000MHz", 145.0}, {u" 1 2x5", 12.0}, {u"", 0.0},      {u"MHz", 0.0},
      {u"-3.5", -3.5},          {u"+7", 7.0},      {u"1.2.3", 1.2}, {u".5", 0.5},
      {u"  \t42abc", 42.0},     {u"-", 0.0},       {u"4-2", 4.0},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_DOUBLE_EQ(LeadingNumber(text), value) << QString::fromUtf16(text).toStdString();
  }
  EXPECT_EQ(LeadingInteger(u"99.9"), 99);
  EXPECT_EQ(LeadingInteger(u"abc"), 0);
  EXPECT_EQ(LeadingInteger(u"1e999999"), 1);
}

}  // namespace
}  // namespace rqm27
