#include "platform/qt/picture_cache.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <vector>

#include "platform/qt/values.h"

namespace qv {

namespace {

// Pictures no control shows are kept up to this much, the most recently shown first: as
// much as the LED pictures an effect switches between, not a board photograph.
constexpr qsizetype kSpareBytes = 128 * 1024;

}  // namespace

QImage readPicture(const QString& file) {
    QImageReader reader(file, QFileInfo(file).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage img = reader.read();
    if (img.isNull() && QFileInfo::exists(file)) img.load(file);
    return img;
}

const QImage& PictureCache::keep(std::unordered_map<std::string, Kept>& in, const std::string& key,
                                 const QImage& img) {
    Kept& k = in[key];
    k.image = img;
    k.used = ++clock_;
    return k.image;
}

std::optional<QImage> PictureCache::load(const std::string& path) {
    // Called when a control is given another picture: the one it showed may be unused now.
    changed_ = true;
    if (path.empty()) return QImage();
    if (auto it = loaded_.find(path); it != loaded_.end()) {
        it->second.used = ++clock_;
        return it->second.image;
    }
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
    return keep(loaded_, path, img);
}

QImage PictureCache::withMask(const std::string& path, const QImage& img, Color mask) {
    const std::string key = path + '\n' + std::to_string(mask);
    if (auto it = masked_.find(key); it != masked_.end()) {
        it->second.used = ++clock_;
        return it->second.image;
    }
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    const QRgb maskRgb = view::toQColor(mask).rgb() & 0xFFFFFFu;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFFu) == maskRgb) line[x] = 0;
    }
    return keep(masked_, key, out);
}

void PictureCache::releaseUnused() {
    if (!changed_) return;
    changed_ = false;
    using Map = std::unordered_map<std::string, Kept>;
    std::vector<std::pair<Map*, Map::iterator>> unused;
    for (Map* m : {&loaded_, &masked_})
        for (auto it = m->begin(); it != m->end(); ++it)
            if (it->second.image.isDetached()) unused.emplace_back(m, it);
    std::sort(unused.begin(), unused.end(),
              [](const auto& a, const auto& b) { return a.second->second.used > b.second->second.used; });
    qsizetype kept = 0;
    for (auto& [m, it] : unused) {
        kept += it->second.image.sizeInBytes();
        if (kept > kSpareBytes) m->erase(it);
    }
}

bool ShownPicture::read(const std::string& now, PictureCache& cache) {
    path = now;
    std::optional<QImage> img = cache.load(now);
    if (!img) return false;
    image = *img;
    return true;
}

}  // namespace qv
