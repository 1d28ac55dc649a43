// The loaded LED effect.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qv {

inline constexpr int kMaxEffectSteps = 100;

struct EffectData {
    int32_t EffectTiming = 0;
    // Slots 1..100 (slot 0 unused). A read never clears slots above its own count.
    std::array<std::string, kMaxEffectSteps + 1> EffectSteps;
    int16_t EffectStepCount = 0;
};

}  // namespace qv
