// Window and control sizes are given in twips, 1/1440 of an inch; the widgets take pixels.
#pragma once

#include <QPaintDevice>
#include <QtGlobal>

namespace rqm27 {

// Pixels that cover `twips` on the device (a widget: its screen) at its logical DPI.
inline int TwipsToPixels(int twips, const QPaintDevice& device) {
  return qRound(twips * device.logicalDpiX() / 1440.0);
}

}  // namespace rqm27
