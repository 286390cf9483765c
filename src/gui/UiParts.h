#pragma once
// Small pieces the windows share: their fonts (the Japanese faces the course names, mapped
// to the installed ones), coloured panels and header labels, and the one way every window
// makes its controls (named, spoken, placed by a layout or at a fixed place).

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
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

// A control with its object name (none when name is null), under parent (none when a layout
// takes it later), at geometry when the window fixes its place (empty: the layout places it).
template <class W> W* makeControl(QWidget* parent, const char* name, QRect geometry = {}) {
    auto* w = new W(parent);
    if (name) w->setObjectName(QLatin1String(name));
    if (!geometry.isNull()) w->setGeometry(geometry);
    return w;
}
// A push button that never becomes a dialog's default by having the focus, said by a
// screen reader without the blanks that space its caption out; tip is its tool tip.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        QRect geometry = {}, const QString& tip = {});
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry = {});
QSpinBox* makeSpin(QWidget* parent, const char* name, int low, int high, int value,
                   QRect geometry = {});
QCheckBox* makeCheck(QWidget* parent, const char* name, const QString& caption,
                     QRect geometry = {});
