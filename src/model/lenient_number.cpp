#include "model/lenient_number.h"

#include <QString>

#include <cmath>

namespace rqm27 {

double LeadingNumber(QStringView text) {
  QString number;
  bool seenDigit = false;
  bool seenPoint = false;
  for (QChar c : text) {
    if (c == u' ' || c == u'\t') continue;
    if (number.isEmpty() && (c == u'-' || c == u'+')) {
      number += c;
    } else if (c >= u'0' && c <= u'9') {
      number += c;
      seenDigit = true;
    } else if (c == u'.' && !seenPoint) {
      number += c;
      seenPoint = true;
    } else {
      break;
    }
  }
  if (!seenDigit) return 0.0;
  return number.toDouble();
}

long long LeadingInteger(QStringView text) {
  const double value = LeadingNumber(text);
  if (!std::isfinite(value) || std::fabs(value) > 9.0e18) return 0;
  return static_cast<long long>(value);
}

}  // namespace rqm27
