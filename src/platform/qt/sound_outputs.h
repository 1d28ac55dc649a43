// The sound server's outputs, counted with libpulse. The program counts them in a helper
// process of its own (sound_outputs_main.cpp), so that the client library and the codecs it
// brings along, which never unload, stay out of the panel's memory; it counts here, in its
// own process, only when the helper cannot be started.
#pragma once

#include <chrono>

namespace qv {

// A server that has not listed its outputs by then is taken as none: one that accepts the
// connection and then hangs holds start-up up no longer. A live one answers in milliseconds.
inline constexpr auto kSoundOutputsTimeout = std::chrono::milliseconds(500);

// The outputs of the server that the environment names; 0 when libpulse is not installed or
// no server answers within kSoundOutputsTimeout. Never starts a server.
int countSoundOutputs();

}  // namespace qv
