// The decimal text field, as the board's replies, typed port texts and the settings file's
// numbers are read.
#pragma once

#include <string>

namespace qv {

// The number written at the start of `text`. Blanks, tabs and line feeds are dropped
// wherever they stand; the number may carry a sign, a decimal point and an exponent; it
// ends at the first character that cannot continue it. No number reads as 0.
double decimalField(const std::string& text);

}  // namespace qv
