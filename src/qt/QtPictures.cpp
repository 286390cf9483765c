#include "qt/QtPictures.h"

#include <QImageReader>
#include <QSaveFile>

#include "qt/CanvasImages.h"
#include "qt/QtFiles.h"

bool QtPictures::load(const std::string& path, Bitmap& out) {
    QImageReader reader(QtFiles::toNative(path));
    // Course pictures may carry any extension: the format is told from the content.
    reader.setDecideFormatFromContent(true);
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
