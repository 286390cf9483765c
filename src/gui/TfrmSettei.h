#pragma once
// The layout settings strip (設定): box shape, width and height, answer position and
// margins of the active worksheet; every change is applied at once.

#include <QDialog>
#include <array>

class Desk;
struct Workspace;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

class TfrmSettei : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmSettei(Desk& desk, QWidget* parent = nullptr);

    // Opens the dialog for the active worksheet (from 解答欄 or 解答欄の設定(&K)).
    void openForActive();
    // Activation of a worksheet: fill the spins from it without marking it modified.
    void refreshFromWorksheet();
    // Problems of the page's layout, one per line, shown above 閉じる; hidden when empty.
    void setWarnings(const QString& text);
    // The active worksheet's layout problems (boxes that overlap, answers wider than their
    // box), as its page was last laid out.
    void refreshWarnings();

  public slots:
    void btnKakudaiClick(); // 縮小 / 拡大 of the worksheet view
    void btnOkClick();      // 閉じる

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QGroupBox* buildPosition();
    QGroupBox* buildKind();
    QSpinBox* makeSpin(const char* name, int min, int max, void (*store)(Workspace&, int));
    QToolButton* makeArrow(const char* name, Qt::ArrowType arrow, QSpinBox* spin, int step,
                           const QString& accessible);
    // Checks the shape button of kind without running its handler; sets the size spins.
    void showKind(int kind);
    void kindChosen(int kind);
    bool handleKey(QKeyEvent* event, QObject* target);
    void placeOverPanel();
    // An arrow key on a shape button chooses the next (or previous) shape offered.
    bool stepShape(QObject* from, bool forward);

    Desk& desk_;
    QSpinBox* spnLeftM = nullptr;
    QSpinBox* spnRightM = nullptr;
    QSpinBox* spnAnsX = nullptr;
    QSpinBox* spnAnsY = nullptr;
    QSpinBox* spnKranWX = nullptr;
    QSpinBox* spnKranH = nullptr;
    QSpinBox* spnKranX = nullptr;
    QSpinBox* spnKranY = nullptr;
    // Shape buttons by kind: radNon, radShikaku, radKakko, radLine, radKasen, radRound.
    std::array<QRadioButton*, 6> shapes_{};
    QPushButton* btnKakudai = nullptr;
    QLabel* lblWarning = nullptr;
    QPushButton* btnOk = nullptr;
};
