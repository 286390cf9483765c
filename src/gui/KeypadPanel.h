#pragma once
// The keypad of the practice window's answer panel: fractions entered denominator first
// (7分の5 is 5/7) and whole numbers. The keys take no focus, so that the answer field keeps
// it; the window does what a key means and shows the keypad's state here.

#include <QWidget>

struct FractionPad;
class QFrame;
class QLineEdit;
class QPushButton;

class KeypadPanel : public QWidget {
    Q_OBJECT
  public:
    explicit KeypadPanel(QWidget* parent = nullptr);
    // The sign, numerator and denominator as pad holds them; the bar red after 分の.
    void showPad(const FractionPad& pad);

  signals:
    void padDigit(char digit);
    void padBunno();
    void padSign(char sign);
    void padInsert(); // <==
    void padNext();   // 次へ
    void padClear();  // 消去
    // A key of the whole numbers ("0".."9", ".", "-", "x=", "y=", "a=").
    void integerKey(const QString& caption);
    void clearField(); // クリア
    void enterField(); // 入力

  private:
    QPushButton* key(QWidget* parent, const char* name, const QString& caption);

    QLineEdit* edtSign = nullptr;
    QLineEdit* edtBunshi = nullptr;
    QLineEdit* edtBunbo = nullptr;
    QFrame* shpBunno = nullptr;
};
