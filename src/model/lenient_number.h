// The one reader of numbers typed or stored as text. Blanks are ignored, the leading decimal
// number (sign, digits, one decimal point) is taken and the rest ignored; a text that does not
// start with a number counts as 0. "145.00000MHz" reads as 145, " 1 2x5" as 12.
#pragma once

#include <QStringView>

namespace rqm27 {

double LeadingNumber(QStringView text);

// LeadingNumber truncated toward zero, for counts and indexes.
long long LeadingInteger(QStringView text);

}  // namespace rqm27
