#include "widgets/twips.h"

#include <QImage>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

TEST(TwipsToPixels, ScalesByTheDevicesLogicalDpi) {
  QImage device(1, 1, QImage::Format_RGB32);
  device.setDotsPerMeterX(5669);  // 144 DPI
  device.setDotsPerMeterY(5669);
  EXPECT_EQ(TwipsToPixels(1440, device), 144);
}

}  // namespace
}  // namespace rqm27
