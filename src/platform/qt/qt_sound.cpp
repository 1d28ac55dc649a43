#include "platform/qt/qt_sound.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <filesystem>

namespace qv {

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

int QtSound::outputCount() const { return static_cast<int>(QMediaDevices::audioOutputs().size()); }

void QtSound::play(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return;
    auto& effect = effects_[path];
    // A file that failed to load once may have been replaced since.
    if (effect && effect->status() == QSoundEffect::Error) effect.reset();
    if (!effect) {
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    }
    effect->play();
}

void QtSound::stop() {
    for (auto& [path, effect] : effects_) effect->stop();
}

}  // namespace qv
