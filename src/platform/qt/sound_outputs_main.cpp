// quorvane-sound-outputs: prints the number of the sound server's outputs and exits. The
// panel starts it at start-up and reads the number when it needs it.
#include <cstdio>

#include "platform/qt/sound_outputs.h"

int main() {
    std::printf("%d\n", qv::countSoundOutputs());
    // Out before anything at exit (a leak check in a checked build) can end the process.
    return std::fflush(stdout) == 0 ? 0 : 1;
}
