// Conversion of numbers to whole numbers with halves going to the even neighbour.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// Nearest whole number, exactly-half going to the even neighbour.
double roundHalfEven(double x);

// The nearest 16-bit / 32-bit signed integer, or nullopt when it does not fit.
std::optional<int16_t> toInt16(double x);
std::optional<int32_t> toInt32(double x);

// Up to `count` characters of a UTF-8 text from character `first` on (counting from 0):
// a cut by bytes would count a letter such as "ö" twice and could split it.
std::string midCharacters(const std::string& text, size_t first, size_t count);

}  // namespace qv
