#include "app/twips.h"

#include <QImage>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

TEST(TwipsToPixels, ScalesByTheDevicesLogicalDpi) {
  const struct {
    int dotsPerMeter;  // 3780 is 96 DPI, 5669 is 144 DPI
    int twips;
    int pixels;
  } cases[] = {
      {3780, 1440, 96}, {3780, 300, 20},   {3780, 1450, 97},
      {3780, 0, 0},     {5669, 1440, 144}, {5669, 300, 30},
  };
  for (const auto& c : cases) {
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(c.dotsPerMeter);
    device.setDotsPerMeterY(c.dotsPerMeter);
    EXPECT_EQ(TwipsToPixels(c.twips, device), c.pixels) << c.twips << " at " << c.dotsPerMeter;
  }
}

}  // namespace
}  // namespace rqm27
