// Fixed colours of the windows.
#pragma once

#include <cstdint>

namespace qv {

inline constexpr int32_t kWindowBack = 0xE1C6B3;  // window background, "off" label colour
inline constexpr int32_t kGood = 0x80FF80;
inline constexpr int32_t kBad = 0x8080FF;
inline constexpr int32_t kHeaderBack = 0x400000;

}  // namespace qv
