#include "qt/QtPictures.h"

#include <QBuffer>
#include <QImageReader>
#include <QSvgRenderer>

#include "qt/AtomicSave.h"
#include "qt/CanvasImages.h"
#include "qt/QtFiles.h"
#include "text/Sjis.h"

namespace {

// The folder part of a core path (ending in "\", or empty) and the name's base without its
// extension, Shift-JIS aware.
std::pair<std::string, std::string> folderAndBase(const std::string& path) {
    std::size_t cut = 0;
    for (std::size_t i = 0; i < path.size(); i += sjis::charLen(path, i))
        if (path[i] == '\\' || path[i] == '/') cut = i + 1;
    std::string base = path.substr(cut);
    std::size_t dot = std::string::npos;
    for (std::size_t i = 0; i < base.size(); i += sjis::charLen(base, i))
        if (base[i] == '.') dot = i;
    if (dot != std::string::npos) base.resize(dot);
    return {path.substr(0, cut), base};
}

} // namespace

// The drawing beside a picture file: the same base name with ".svg", in any case, holding a
// drawing Qt can render, read through the file service like the picture. Null when there is
// none.
std::shared_ptr<const std::string> QtPictures::drawingBeside(const std::string& path) {
    auto [folder, base] = folderAndBase(path);
    for (const std::string& name : files_.list(folder, base + ".svg")) {
        std::string bytes;
        if (files_.read(folder + name, bytes) != ReadStatus::Ok || bytes.size() > (8u << 20))
            continue;
        if (!QSvgRenderer(QByteArray::fromStdString(bytes)).isValid()) continue;
        return std::make_shared<const std::string>(std::move(bytes));
    }
    return nullptr;
}

ReadStatus QtPictures::load(const std::string& path, Bitmap& out) {
    std::string bytes;
    if (const ReadStatus read = files_.read(path, bytes); read != ReadStatus::Ok) return read;
    QByteArray data = QByteArray::fromStdString(bytes);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    // Course pictures may carry any extension: the format is told from the content. A
    // bitmap file ("BM") is read as one at once, without asking every image plugin.
    const bool bitmap = data.startsWith("BM");
    QImageReader reader(&buffer, bitmap ? QByteArray("bmp") : QByteArray());
    reader.setDecideFormatFromContent(!bitmap);
    const QImage image = reader.read();
    if (image.isNull()) return ReadStatus::Error;
    out = fromQImage(image);
    if (out.empty()) return ReadStatus::Error;
    out.drawing = drawingBeside(path);
    return ReadStatus::Ok;
}

bool QtPictures::saveBmp(const std::string& path, const Bitmap& picture) {
    const QImage image = toQImage(picture);
    if (image.isNull()) return false;
    QByteArray data;
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "BMP")) return false;
    return AtomicSave(QtFiles::toNative(path), data).ok;
}
