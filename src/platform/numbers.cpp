#include "platform/numbers.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace qv {

double decimalField(const std::string& text) {
    std::string s;
    s.reserve(text.size());
    for (char ch : text)
        if (ch != ' ' && ch != '\t' && ch != '\n') s.push_back(ch);

    // Longest prefix of the form [sign] digits [. digits] [(E|D) [sign] digits].
    size_t i = 0;
    std::string num;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) num.push_back(s[i++]);
    bool digits = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        num.push_back(s[i++]);
        digits = true;
    }
    if (i < s.size() && s[i] == '.') {
        num.push_back(s[i++]);
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            num.push_back(s[i++]);
            digits = true;
        }
    }
    if (!digits) return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        size_t j = i + 1;
        std::string exp = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exp.push_back(s[j++]);
        bool expDigits = false;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
            exp.push_back(s[j++]);
            expDigits = true;
        }
        if (expDigits) num += exp;
    }
    const double v = std::strtod(num.c_str(), nullptr);
    return std::isfinite(v) ? v : (v > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max());
}

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

std::string decimal(long long v) { return std::to_string(v); }

}  // namespace qv
