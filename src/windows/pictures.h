// Picture files of the Pictures folder that more than one piece of the program shows.
#pragma once

namespace qv::pictures {

inline constexpr const char* kNanoSmall = "Img Arduino Nano Small.bmp";
inline constexpr const char* kAdaFruitBoard = "Img Arduino Adafruit.bmp";
inline constexpr const char* kTM1638V11Board = "Img tm1638-1.bmp";
inline constexpr const char* kTM1638V13Board = "Img tm1638-3.bmp";
inline constexpr const char* kTactSwitch = "Img TactSchakelaar.bmp";
inline constexpr const char* kTrimmer = "Img Trimmer.bmp";
inline constexpr const char* kAdaFruitLed = "Img AdaFruitled.bmp";
inline constexpr const char* kLumiLed = "Img Lumiled.bmp";
inline constexpr const char* kLed = "Img Led.bmp";

}  // namespace qv::pictures
