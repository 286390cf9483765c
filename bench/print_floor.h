#pragma once
// The floor a numbered print job is measured against: bare Qt writing the text of the
// 20-question bench sheet (print_sheet20.prp) into a 600-dpi A4 PDF file, one page per
// copy, each page numbered. Whole lines go through QPainter::drawText in the faces the
// sheet uses, at the sizes the sheet prints them; nothing is laid out or typeset.

#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <QStringList>

inline bool writeFloorPdf(const QString& path, int copies) {
    QPdfWriter writer(path);
    writer.setResolution(600);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter p;
    if (!p.begin(&writer)) return false;
    // One layout unit (1/3 mm) in dots, and a point size as pixels on the 96-dpi page.
    const double unit = 600 / 76.2;
    auto font = [unit](const char* family, int points, bool italic = false) {
        QFont f(QString::fromLatin1(family));
        f.setPixelSize(static_cast<int>(points * 96 / 72 * unit));
        f.setItalic(italic);
        return f;
    };
    const QFont small = font("IPAMincho", 10), title = font("IPAMincho", 12);
    const QFont name = font("IPAMincho", 16), text = font("IPAMincho", 12);
    const QFont letter = font("URW Bookman", 12, true);
    const QStringList questions = {"x+5=12",    "x-8=3",     "x+9=4",     "4x=28",     "-6x=42",
                                   "1/3x=5",    "7x=-3",     "0.4x=2",    "12=3x",     "2/5x=-4",
                                   "x+7=3",     "3x-5=16",   "5x+8=-12",  "6x=4x+10",  "7x-3=2x+12",
                                   "2x+9=5x-6", "8-3x=x-12", "4x-7=9x+3", "11-x=2x+5", "9x+2=3x-1"};
    const QStringList answers = {"7",  "11", "-5", "7", "-7", "15", "-3/7", "5",  "4", "-10",
                                 "-4", "7",  "-4", "5", "3",  "5",  "5",    "-2", "2", "-1/2"};
    for (int copy = 1; copy <= copies; ++copy) {
        if (copy > 1 && !writer.newPage()) return false;
        p.setPen(QPen(Qt::black, 2 * unit));
        p.drawLine(QPointF(50 * unit, 30 * unit), QPointF(580 * unit, 30 * unit));
        p.drawLine(QPointF(50 * unit, 90 * unit), QPointF(580 * unit, 90 * unit));
        p.setFont(small);
        p.drawText(QPointF(50 * unit, 27 * unit),
                   QString::fromUtf8("№ %1  2025.12.07-09:37　print_sheet20.prp").arg(copy));
        p.drawText(QPointF(460 * unit, 27 * unit), QString::fromUtf8("実施日　　月　　日"));
        p.setFont(title);
        p.drawText(QPointF(120 * unit, 50 * unit),
                   QString::fromUtf8("１次方程式//方程式の解き方§1-1 練習２０問"));
        p.setFont(name);
        p.drawText(QPointF(200 * unit, 85 * unit), QString::fromUtf8("　　　　　　　　氏名"));
        p.setFont(text);
        p.drawText(QPointF(50 * unit, 120 * unit), QString::fromUtf8("次の方程式を解きなさい。"));
        for (int i = 0; i < questions.size(); ++i) {
            const double y = (140 + i * 31.5) * unit;
            p.setPen(Qt::black);
            p.setFont(text);
            p.drawText(QPointF(50 * unit, y), QStringLiteral("(%1)").arg(i + 1));
            p.drawText(QPointF(100 * unit, y), questions[i]);
            p.setFont(letter);
            p.drawText(QPointF(300 * unit, y), QStringLiteral("x="));
            p.setPen(Qt::blue);
            p.setFont(text);
            p.drawText(QPointF(330 * unit, y), answers[i]);
        }
    }
    return p.end();
}
