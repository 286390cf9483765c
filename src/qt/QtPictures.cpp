#include "qt/QtPictures.h"

#include <QBuffer>
#include <QImageReader>

#include "qt/AtomicSave.h"
#include "qt/CanvasImages.h"
#include "qt/QtFiles.h"

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
    return out.empty() ? ReadStatus::Error : ReadStatus::Ok;
}

bool QtPictures::saveBmp(const std::string& path, const Bitmap& picture) {
    const QImage image = toQImage(picture);
    if (image.isNull()) return false;
    QByteArray data;
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "BMP")) return false;
    return AtomicSave(QtFiles::toNative(path), data).ok;
}
