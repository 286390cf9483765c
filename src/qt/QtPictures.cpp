#include "qt/QtPictures.h"

#include <QFile>
#include <QImageReader>
#include <QSaveFile>

#include "qt/CanvasImages.h"
#include "qt/QtFiles.h"

bool QtPictures::load(const std::string& path, Bitmap& out) {
    const QString native = QtFiles::toNative(path);
    // Course pictures may carry any extension: the format is told from the content. A
    // bitmap file ("BM") is read as one at once, without asking every image plugin.
    QFile file(native);
    const bool bitmap = file.open(QIODevice::ReadOnly) && file.peek(2) == "BM";
    file.close();
    QImageReader reader(native, bitmap ? QByteArray("bmp") : QByteArray());
    reader.setDecideFormatFromContent(!bitmap);
    const QImage image = reader.read();
    if (image.isNull()) return false;
    out = fromQImage(image);
    return !out.empty();
}

bool QtPictures::saveBmp(const std::string& path, const Bitmap& picture) {
    const QImage image = toQImage(picture);
    if (image.isNull()) return false;
    QSaveFile file(QtFiles::toNative(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!image.save(&file, "BMP")) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}
