// Sound on Qt Multimedia: WAV files played asynchronously, never awaited.
#pragma once

#include <map>
#include <memory>
#include <string>

class QSoundEffect;

namespace qv {

class QtSound {
public:
    QtSound();
    ~QtSound();
    QtSound(const QtSound&) = delete;
    QtSound& operator=(const QtSound&) = delete;

    int outputCount() const;
    // Starts the WAV file at exactly `path` (no extension is added) and returns at once.
    // A missing file is skipped; an unplayable one plays nothing.
    void play(const std::string& path);
    // Stops whatever this program plays.
    void stop();

private:
    // One effect per file: starting a sound while another plays leaves that one running.
    std::map<std::string, std::unique_ptr<QSoundEffect>> effects_;
};

}  // namespace qv
