#pragma once
// The soft keyboard of the practice window: the characters of the unit's "<<softkey" block
// on keys in a shuffled order, with ＢＳ, クリア and 次へ. Only the rows in use are shown. The
// keys take no focus, so that the answer field keeps it.

#include <QGroupBox>
#include <array>

#include "practice/AnswerKeys.h"

class QPushButton;

class SoftKeyboard : public QGroupBox {
    Q_OBJECT
  public:
    explicit SoftKeyboard(QWidget* parent = nullptr);
    // The captions of keys 1..120 (Shift-JIS); empty ones are blank keys.
    void setCaptions(const Lines& captions);

  signals:
    void keyPressed(const QString& caption);
    void backSpace();
    void clear(); // クリア: the field emptied
    void next();

  private:
    static constexpr int Columns = 8;
    std::array<QPushButton*, SoftKeyCount> keys_{};
};
