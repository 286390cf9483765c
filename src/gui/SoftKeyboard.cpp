#include "gui/SoftKeyboard.h"

#include <QGridLayout>
#include <QPushButton>

#include "gui/UiParts.h"
#include "gui/UiText.h"

SoftKeyboard::SoftKeyboard(QWidget* parent)
    : QGroupBox(QStringLiteral("ソフトキーボード"), parent) {
    setObjectName(QStringLiteral("grbMoji"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setSpacing(2);
    const QFont font = uiFont("ＭＳ ゴシック", 15);
    for (int i = 0; i < SoftKeyCount; ++i) {
        auto* b = new QPushButton(this);
        b->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setFont(font);
        b->setFixedSize(24, 26);
        b->setStyleSheet(QStringLiteral("QPushButton { color: #007000; }"));
        grid->addWidget(b, i / Columns, i % Columns);
        connect(b, &QPushButton::clicked, this, [this, b] {
            if (!b->text().isEmpty()) emit keyPressed(b->text());
        });
        keys_[static_cast<std::size_t>(i)] = b;
    }
    auto* bs = new QPushButton(QStringLiteral("ＢＳ"), this);
    bs->setObjectName(QStringLiteral("BitBtn11"));
    bs->setAccessibleName(QStringLiteral("一文字消す"));
    auto* clearKey = new QPushButton(QStringLiteral("クリア"), this);
    clearKey->setObjectName(QStringLiteral("btnClearS"));
    auto* nextKey = new QPushButton(QStringLiteral("次へ"), this);
    nextKey->setObjectName(QStringLiteral("btnNext"));
    for (QPushButton* b : {bs, clearKey, nextKey}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setFixedHeight(26);
    }
    const int row = SoftKeyCount / Columns;
    grid->addWidget(bs, row, 0, 1, 3);
    grid->addWidget(clearKey, row, 3, 1, 2);
    grid->addWidget(nextKey, row, 5, 1, Columns - 5);
    connect(bs, &QPushButton::clicked, this, &SoftKeyboard::backSpace);
    connect(clearKey, &QPushButton::clicked, this, &SoftKeyboard::clear);
    connect(nextKey, &QPushButton::clicked, this, &SoftKeyboard::next);
}

void SoftKeyboard::setCaptions(const Lines& captions) {
    int used = 0;
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        const QString caption = i < captions.size() ? qs(captions[i]) : QString();
        keys_[i]->setText(caption);
        keys_[i]->setAccessibleName(caption.isEmpty() ? QStringLiteral("空きキー") : caption);
        if (!caption.isEmpty()) used = static_cast<int>(i) + 1;
    }
    // Whole rows: the last one in use shows its blank keys too.
    const int shown = (used + Columns - 1) / Columns * Columns;
    for (int i = 0; i < SoftKeyCount; ++i)
        keys_[static_cast<std::size_t>(i)]->setVisible(i < shown);
}
