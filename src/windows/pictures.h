// Picture files of the Pictures folder that more than one piece of the program shows; the
// pictures of one board kind are in its row of board/board_kinds.h.
#pragma once

namespace qv::pictures {

inline constexpr const char* kNanoSmall = "Img Arduino Nano Small.bmp";
inline constexpr const char* kTactSwitch = "Img TactSchakelaar.bmp";
inline constexpr const char* kTrimmer = "Img Trimmer.bmp";

}  // namespace qv::pictures
