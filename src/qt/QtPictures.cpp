#include "qt/QtPictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>
#include <QSvgRenderer>

#include "qt/CanvasImages.h"
#include "qt/QtFiles.h"

namespace {

// The drawing beside a picture file: the same base name with ".svg", in any case, holding
// a drawing Qt can render. Null when there is none.
std::shared_ptr<const std::string> drawingBeside(const QString& native) {
    const QFileInfo info(native);
    QDir dir = info.dir();
    dir.setNameFilters({info.completeBaseName() + QStringLiteral(".svg")});
    dir.setFilter(QDir::Files | QDir::Readable);
    for (const QString& name : dir.entryList()) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly) || file.size() > (8 << 20)) continue;
        const QByteArray bytes = file.readAll();
        if (!QSvgRenderer(bytes).isValid()) continue;
        return std::make_shared<const std::string>(bytes.toStdString());
    }
    return nullptr;
}

} // namespace

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
    if (out.empty()) return false;
    out.drawing = drawingBeside(native);
    return true;
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
