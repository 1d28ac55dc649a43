#include "platform/qt/picture_cache.h"

#include <QFileInfo>
#include <QImageReader>

#include "platform/qt/values.h"

namespace qv {

QImage readPicture(const QString& file) {
    QImageReader reader(file, QFileInfo(file).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage img = reader.read();
    if (img.isNull() && QFileInfo::exists(file)) img.load(file);
    return img;
}

std::optional<QImage> PictureCache::load(const std::string& path) {
    if (path.empty()) return QImage();
    if (auto it = loaded_.find(path); it != loaded_.end()) return it->second;
    const bool design = path.rfind("design:", 0) == 0;
    QImage img;
    if (design) {
        // Small design pictures are bitmaps, the large photograph a PNG.
        img = readPicture(QStringLiteral(":/design/%1.bmp").arg(view::qs(path.substr(7))));
        if (img.isNull()) img = readPicture(QStringLiteral(":/design/%1.png").arg(view::qs(path.substr(7))));
    } else {
        img = readPicture(view::qs(path));
    }
    if (img.isNull()) {
        if (design) return QImage();
        return std::nullopt;
    }
    loaded_.emplace(path, img);
    return img;
}

QImage PictureCache::withMask(const std::string& path, const QImage& img, Color mask) {
    const std::string key = path + '\n' + std::to_string(mask);
    if (auto it = masked_.find(key); it != masked_.end()) return it->second;
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    const QRgb maskRgb = view::toQColor(mask).rgb() & 0xFFFFFFu;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFFu) == maskRgb) line[x] = 0;
    }
    masked_.emplace(key, out);
    return out;
}

bool ShownPicture::read(const std::string& now, PictureCache& cache) {
    path = now;
    std::optional<QImage> img = cache.load(now);
    if (!img) return false;
    image = *img;
    return true;
}

}  // namespace qv
