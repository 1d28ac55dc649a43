#include "platform/numbers.h"

#include <cmath>

namespace qv {

double roundHalfEven(double x) {
    if (!std::isfinite(x)) return x;
    const double f = std::floor(x);
    const double d = x - f;
    if (d < 0.5) return f;
    if (d > 0.5) return f + 1.0;
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

std::optional<int16_t> toInt16(double x) {
    const double r = roundHalfEven(x);
    if (!std::isfinite(r) || r < -32768.0 || r > 32767.0) return std::nullopt;
    return static_cast<int16_t>(r);
}

std::optional<int32_t> toInt32(double x) {
    const double r = roundHalfEven(x);
    if (!std::isfinite(r) || r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<int32_t>(r);
}

namespace {

// Byte offset of the character `n` characters on from byte `from`, or the text's length.
size_t skipCharacters(const std::string& text, size_t from, size_t n) {
    size_t i = from;
    for (size_t seen = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && seen++ == n) break;
    }
    return i;
}

}  // namespace

std::string midCharacters(const std::string& text, size_t first, size_t count) {
    const size_t from = skipCharacters(text, 0, first);
    return text.substr(from, skipCharacters(text, from, count) - from);
}

}  // namespace qv
