// The board link's timings, in one place: the pace of its timers, which the wiring gives
// the windows' timers, and the waits of its sequences. Tests and benchmarks measure
// against them too.
#pragma once

namespace qv {

// The polling tick: one request to the board.
inline constexpr int kPollIntervalMs = 100;
// From the identification request to the decision on the last reply.
inline constexpr int kIdentificationMs = 3000;
// One step of the search window's picture.
inline constexpr int kSearchStepMs = 10;

// From opening the port to the identification request, while the board starts up.
inline constexpr double kSettleSeconds = 2.0;
// After the first command of the push that follows a successful identification.
inline constexpr double kWelcomeSeconds = 2.0;
// From the disconnect text to closing the port.
inline constexpr double kClosingSeconds = 2.0;

}  // namespace qv
