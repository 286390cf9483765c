#include "gui/UiParts.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

QFont uiFont(const char* faceUtf8, int pixels, bool bold) {
    QFont f(QString::fromUtf8(faceUtf8));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void paintBackground(QWidget* widget, const QColor& color) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, color);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

QLabel* headerLabel(QWidget* parent, const char* name, const QString& text, QRect geometry,
                    const QColor& back, const QColor& fore) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignCenter);
    paintBackground(l, back);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, fore);
    l->setPalette(pal);
    return l;
}

QString spokenText(const QString& caption) {
    QString out = caption;
    out.remove(QChar(0x3000));
    static const QRegularExpression runs(QStringLiteral(" {2,}"));
    out.remove(runs);
    return out.trimmed();
}

QListWidget* namedList(QWidget* parent, const char* name, QRect geometry,
                       const QString& accessible) {
    auto* l = new QListWidget(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setAccessibleName(accessible);
    return l;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                        const QString& tip) {
    auto* b = makeControl<QPushButton>(parent, name, geometry);
    b->setText(caption);
    b->setAutoDefault(false);
    if (!tip.isEmpty()) b->setToolTip(tip);
    const QString spoken = spokenText(caption);
    if (spoken != caption) b->setAccessibleName(spoken);
    return b;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* l = makeControl<QLabel>(parent, name, geometry);
    l->setText(text);
    return l;
}

QSpinBox* makeSpin(QWidget* parent, const char* name, int low, int high, int value,
                   QRect geometry) {
    auto* s = makeControl<QSpinBox>(parent, name, geometry);
    s->setRange(low, high);
    s->setValue(value);
    return s;
}

QCheckBox* makeCheck(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* c = makeControl<QCheckBox>(parent, name, geometry);
    c->setText(caption);
    const QString spoken = spokenText(caption);
    if (spoken != caption) c->setAccessibleName(spoken);
    return c;
}
