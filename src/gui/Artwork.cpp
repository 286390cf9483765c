#include "gui/Artwork.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

namespace {

QPixmap render(const QString& resource, QSize size, qreal dpr) {
    QPixmap pixmap(size * dpr);
    pixmap.fill(Qt::transparent);
    QSvgRenderer svg(resource);
    QPainter painter(&pixmap);
    svg.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(dpr);
    return pixmap;
}

struct CursorArt {
    const char* file;
    int hotX, hotY; // in the 32 × 32 picture
};

constexpr CursorArt kCursors[] = {
    {"arrow1", 1, 1},  {"finger", 10, 1}, {"point", 15, 15},
    {"cross", 15, 15}, {"pencil", 1, 30}, {"scissors", 3, 3},
};

} // namespace

QIcon programIcon() {
    // Drawn once; the desktop takes the large sizes from the installed SVG file.
    static const QIcon icon = [] {
        QIcon sizes;
        for (int size : {16, 24, 32, 48, 64})
            sizes.addPixmap(render(QStringLiteral(":/icons/velmix.svg"), QSize(size, size), 1.0));
        return sizes;
    }();
    return icon;
}

QPixmap glyph(const char* name, int size, qreal dpr) {
    return render(QStringLiteral(":/glyphs/%1.svg").arg(QLatin1String(name)), QSize(size, size),
                  dpr);
}

QPixmap reactionPicture(Reaction reaction, qreal dpr) {
    struct Art {
        const char* file;
        int w, h;
    };
    static constexpr Art arts[] = {
        {"gaoh", 97, 113},  {"namida", 97, 113},      {"nanda", 97, 113}, {"sleep", 97, 113},
        {"happy", 97, 113}, {"greenheart", 114, 105}, {"kutta", 97, 113}, {"redheart", 67, 62},
    };
    const Art& art = arts[static_cast<std::size_t>(reaction)];
    return render(QStringLiteral(":/reactions/%1.svg").arg(QLatin1String(art.file)),
                  QSize(art.w, art.h), dpr);
}

CursorTable::CursorTable() = default;

QCursor CursorTable::cursor(int n) const {
    if (n < 1 || n > static_cast<int>(cursors_.size())) return QCursor(Qt::ArrowCursor);
    std::optional<QCursor>& slot = cursors_[static_cast<std::size_t>(n - 1)];
    if (!slot) {
        // Drawn on first use, at the screen's pixel ratio.
        const CursorArt& art = kCursors[n - 1];
        const qreal dpr = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
        const QPixmap picture = render(
            QStringLiteral(":/cursors/%1.svg").arg(QLatin1String(art.file)), QSize(32, 32), dpr);
        slot = QCursor(picture, art.hotX, art.hotY);
    }
    return *slot;
}
