// The program-wide settings record and the values kept beside it.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

// Standard colours: set by a missing or unreadable settings file and by the dialog's
// "Set Standard".
inline constexpr int32_t kStandardLedColor = 0xFF;
inline constexpr int32_t kStandardInputBinaryColor = 0x80FF80;
inline constexpr int32_t kStandardInputAnalogColor = 0x80FFFF;
inline constexpr int32_t kStandardInputDisabledColor = 0x8080FF;

// The ranges of the two toggle settings, from 0; the dialog's scroll bars take no more.
inline constexpr int16_t kMaxBinaryToggleValue = 1024;
inline constexpr int16_t kMaxToggleDifference = 512;

struct SettingsRecord {
    // Stored in Settings.txt, in file order. Colours are colour numbers held as
    // floating-point numbers with whole values.
    double LedColor = 0;
    double InputBinaryColor = 0;
    int16_t BinaryToggleValue = 0;  // 0..kMaxBinaryToggleValue
    float ToggleDifference = 0;     // 0..kMaxToggleDifference
    double InputAnalogColor = 0;
    double InputDisabledColor = 0;
    int16_t SoundOnOff = 0;
    int16_t SoundStartOnOff = 0;
    int16_t SwapOutputs = 0;
    std::string ConnectedText;

    // Not stored: the LED colour's bytes as the board is sent them, and the login name.
    int16_t LedRed = 0, LedGreen = 0, LedBlue = 0;
    std::string UserName;
};

// Sets the LED colour's bytes from bytes 0, 1 and 2 (red, green, blue) of a colour number.
inline void setLedBytes(SettingsRecord& rec, int32_t color) {
    rec.LedRed = static_cast<int16_t>(color & 0xFF);
    rec.LedGreen = static_cast<int16_t>((color >> 8) & 0xFF);
    rec.LedBlue = static_cast<int16_t>((color >> 16) & 0xFF);
}

}  // namespace qv
