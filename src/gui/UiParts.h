#pragma once
// Small pieces the windows share: their fonts (the Japanese faces the course names, mapped
// to the installed ones) and coloured panels and header labels.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QListWidget;
class QWidget;

// The face (UTF-8, e.g. "ＭＳ Ｐゴシック") at a pixel size.
QFont uiFont(const char* faceUtf8, int pixels, bool bold = false);
// Fills the widget's background with a colour.
void paintBackground(QWidget* widget, const QColor& color);
// A centred label on a coloured ground, as the lists' headers are.
QLabel* headerLabel(QWidget* parent, const char* name, const QString& text, QRect geometry,
                    const QColor& back, const QColor& fore);
// A caption as a screen reader should say it: without the blanks that space it out on
// screen ("開  く " is "開く", "　Ｏ　Ｋ　" is "ＯＫ"); single blanks between words stay.
QString spokenText(const QString& caption);

// A list with its object name, place and accessible name (its header's text).
QListWidget* namedList(QWidget* parent, const char* name, QRect geometry,
                       const QString& accessible);
