// The pictures the controls show, read once per file and kept while they are shown, with
// their masked copies.
#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/controls.h"

namespace qv {

// Reads a picture in the format its name gives, without asking the image plugins: looking
// a file's format up among them loads every one of them (JPEG, GIF, ICO, ...) into the
// process, for pictures that are bitmaps. A file whose contents are in another format is
// still read, the long way.
QImage readPicture(const QString& file);

class PictureCache {
public:
    // nullopt: a file that cannot be read (the control keeps what it shows); a null image:
    // no picture. "design:<name>" names a picture built into the program.
    std::optional<QImage> load(const std::string& path);
    // The picture with every pixel of the mask colour see-through.
    QImage withMask(const std::string& path, const QImage& img, Color mask);
    // Lets go of the pictures no control shows any more (the board picture of before the
    // connection), keeping the most recently shown of them up to a small total: the LED
    // pictures an effect switches between stay. Looks only after a control was given
    // another picture since the last call; a closed window's pictures wait for that.
    void releaseUnused();

private:
    struct Kept {
        QImage image;
        std::uint64_t used = 0;
    };
    const QImage& keep(std::unordered_map<std::string, Kept>& in, const std::string& key, const QImage& img);

    std::unordered_map<std::string, Kept> loaded_;
    std::unordered_map<std::string, Kept> masked_;
    std::uint64_t clock_ = 0;
    bool changed_ = false;
};

// The picture a control shows: the name it was last given and what was read for it.
struct ShownPicture {
    std::string path;
    QImage image;

    // Reads the picture when its name changed and says whether it did; a file that cannot
    // be read keeps the picture shown before.
    bool take(bool first, const std::string& now, PictureCache& cache) {
        if (!first && path == now) return false;
        return read(now, cache);
    }

private:
    bool read(const std::string& now, PictureCache& cache);
};

}  // namespace qv
