// Number rules shared by the board link, the settings and the effects: the decimal
// text field (as the board's replies and typed port texts are read) and conversion to
// whole numbers with halves going to the even neighbour.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// The number written at the start of `text`. Blanks, tabs and line feeds are dropped
// wherever they stand; the number may carry a sign, a decimal point and an exponent; it
// ends at the first character that cannot continue it. No number reads as 0.
double decimalField(const std::string& text);

// Nearest whole number, exactly-half going to the even neighbour.
double roundHalfEven(double x);

// The nearest 16-bit / 32-bit signed integer, or nullopt when it does not fit.
std::optional<int16_t> toInt16(double x);
std::optional<int32_t> toInt32(double x);

// Up to `count` characters of a UTF-8 text from character `first` on (counting from 0):
// a cut by bytes would count a letter such as "ö" twice and could split it.
std::string midCharacters(const std::string& text, size_t first, size_t count);

// Decimal text of a whole number, shortest form.
std::string decimal(long long v);

}  // namespace qv
