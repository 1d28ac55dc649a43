// Sound through the desktop's sound server: the outputs are counted once with libpulse, in a
// helper process started with this object (sound_outputs.h), and files are played whole
// with libcanberra from a thread of their own, so that neither a sound nor a server that
// does not answer holds up the windows.
#pragma once

#include <memory>
#include <string>

namespace qv {

class QtSound {
public:
    // Takes the count started early, if any.
    QtSound();
    // Counts the outputs with the helper program at `countHelper`; in this process when it
    // cannot be started.
    explicit QtSound(const std::string& countHelper);
    ~QtSound();
    QtSound(const QtSound&) = delete;
    QtSound& operator=(const QtSound&) = delete;

    // The sound server's outputs; 0 when no server answers within half a second. The first
    // call takes the helper's answer, waiting for it if need be; a helper that does not
    // answer in time is killed and counts none.
    int outputCount();
    // Starts the WAV file at exactly `path` (no extension is added) in place of the sound
    // playing, and returns at once; of requests that come faster than the server takes them,
    // only the last is played. A missing or unplayable file plays nothing.
    void play(const std::string& path);
    // Stops whatever this program plays.
    void stop();

    // Starts the helper's count now, for the program's first QtSound to take: started before
    // the application object, the helper has its answer ready by the time the main window
    // asks for it.
    static void startCountEarly();

    struct Player;
    class Counting;

private:
    // The helper's count until it is taken; null after, or when the helper did not start.
    std::unique_ptr<Counting> counting_;
    // Shared with the player thread, which outlives this object when the server keeps it
    // waiting.
    std::shared_ptr<Player> player_;
};

}  // namespace qv
