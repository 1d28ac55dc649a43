// Sound through the desktop's sound server: the outputs are counted once with libpulse, and
// files are played whole with libcanberra from a thread of their own, so that neither a
// sound nor a server that does not answer holds up the windows.
#pragma once

#include <memory>
#include <string>

namespace qv {

class QtSound {
public:
    QtSound();
    ~QtSound();
    QtSound(const QtSound&) = delete;
    QtSound& operator=(const QtSound&) = delete;

    // The sound server's outputs; 0 when no server answers within half a second.
    int outputCount() const;
    // Starts the WAV file at exactly `path` (no extension is added) and returns at once;
    // a sound still playing goes on under the new one. A missing or unplayable file plays
    // nothing.
    void play(const std::string& path);
    // Stops whatever this program plays.
    void stop();

    struct Player;

private:
    // Shared with the player thread, which outlives this object when the server keeps it
    // waiting.
    std::shared_ptr<Player> player_;
};

}  // namespace qv
