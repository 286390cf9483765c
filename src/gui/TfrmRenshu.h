#pragma once
// The practice window (学習): the worksheet's page with an answer field over every answer
// box, and the runs over them — practice (each answer marked at Enter), test (everything
// marked at 採点), review of the wrong boxes and memorising (the answers shown box by box).
// Between runs it shows the records of the unit, the learner's sheet or the correct
// answers, and prints the learner's sheet.
// What a run does is core's (practice/PracticeWindow); this window shows it.

#include <QDialog>
#include <QImage>
#include <array>
#include <memory>
#include <optional>

#include "practice/PracticeWindow.h"
#include "worksheet/WorksheetState.h"

class Desk;
class KeypadPanel;
class MessagePicture;
class PageView;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class ScratchPad;
class SoftKeyboard;
class Timer;
class Worksheet;

class TfrmRenshu : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmRenshu(Desk& desk, QWidget* parent = nullptr);
    ~TfrmRenshu() override;

    // Studies sheet (the current worksheet) until the window is closed.
    void study(Worksheet& sheet);

    // The page as it is shown (at the screen's pixel ratio).
    const QImage& pageImage() const { return page_; }
    // The state of the runs (for the window's own tests and the benchmarks).
    const PracticeWindow& state() const { return w_; }

  public slots:
    void btnRenshuClick();  // 練習
    void btnTestClick();    // テスト
    void btnFukushuClick(); // 復習
    void btnSeikaiClick();  // 正解表示
    void btnTouanClick();   // 答案表示
    void btnStartPrintClick();
    void btnShowRecordClick();
    void btnEndClick();
    void btnMyCopyClick(); // 自分のプリント: a varied copy by its version code
    void btnAnswerClick(); // 答えを見る
    void btnHintClick();   // ヒントを見る
    void btnSaitenClick(); // 採点
    void btnAbortClick();  // 中止
    void lstKgroupClick();
    void btnNext2Click();  // 入力: the answer in the field, as Enter
    void btnClear2Click(); // クリア
    void imgMessClick();
    void btnAnkiClick();      // 暗記
    void btnNextAClick();     // 消して次へ
    void btnNextBClick();     // 消さずに次へ
    void btnShowClick();      // すべて表示
    void btnAllClearClick();  // すべて消去
    void btnCloseClick();     // 暗記終了
    void chkInputModeClick(); // 解答選択, ランダム

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

  private:
    // Building (TfrmRenshu.cpp).
    QWidget* buildRunButtons();
    QWidget* buildAnswerPanel();
    QWidget* buildInputMode();
    QWidget* buildMemoriseButtons();
    QWidget* buildResultsPanel();
    void buildFields();
    QPushButton* button(QWidget* parent, const char* name, const QString& caption);

    // Showing the state (TfrmRenshu.cpp).
    void relayoutPage();
    void placeFields();
    void placeField(int box);
    void showBetweenRuns();
    void showRecords();
    void showGuidance();
    void showInputWay();
    void showAnswerPanel();
    void setFieldColor(int index);
    QLineEdit* field(int box) const;
    QLineEdit* currentField() const;
    void focusField(int box);

    // The runs (TfrmRenshuRuns.cpp).
    void startRun(RunKind kind);
    void answerEnter(int box);
    void wrongAnswer(int box, const EnterOutcome& out);
    void acceptedAnswer(const EnterOutcome& out);
    void runMarked(const RunResult& result);
    void reviewEnded();
    void revealAnswer(int box, const std::vector<std::string>& answers);
    void setFieldText(const QString& text, bool atEnd = true);
    void padChanged();
    bool drawHint(); // false: the unit has no hint
    // 自分のプリント (TfrmRenshuMyCopy.cpp): asks for the version code; empty when cancelled.
    std::optional<QString> askVersionCode();
    // Memorising (TfrmRenshuAnki.cpp).
    void showMemorised(int box);
    void listOtherAnswers(int box);
    void stopClock();
    void finish();

    static constexpr int FeedbackHeight = 110; // the feedback area under the run buttons

    Desk& desk_;
    PracticeWindow w_;
    std::unique_ptr<Timer> clock_;
    int curKran_ = 0;
    int colorIndex_ = 0;
    bool open_ = false;
    QImage page_;

    QWidget* side_ = nullptr; // the run buttons, or the answer panel during a run
    // Between runs.
    QWidget* pnlRenshu = nullptr;
    QPushButton *btnRenshu = nullptr, *btnFukushu = nullptr, *btnTest = nullptr;
    QPushButton *btnSeikai = nullptr, *btnTouan = nullptr, *btnStartPrint = nullptr;
    QPushButton *btnShowRecord = nullptr, *btnEnd = nullptr, *btnMyCopy = nullptr;
    QGroupBox* grbColor = nullptr;
    std::array<QRadioButton*, 4> rad_{};
    // During a run.
    QWidget* pnlSS = nullptr;
    QGroupBox* grbSelect = nullptr;
    QListWidget* lstKgroup = nullptr;
    SoftKeyboard* grbMoji = nullptr;
    KeypadPanel* pnlBunsu = nullptr;
    QGroupBox* grbTest = nullptr;
    QPushButton *btnAnswer = nullptr, *btnHint = nullptr, *btnSaiten = nullptr;
    QPushButton* btnAbort = nullptr;
    QPushButton *btnNext2 = nullptr, *btnClear2 = nullptr;
    QGroupBox* grbInput = nullptr;
    QCheckBox *chkKaitou = nullptr, *chkRandom = nullptr;
    QWidget* pnlAnki = nullptr;
    QPushButton *btnAnki = nullptr, *btnNextA = nullptr, *btnNextB = nullptr;
    QPushButton *btnShow = nullptr, *btnAllClear = nullptr, *btnClose = nullptr;
    MessagePicture* imgMessXX = nullptr;
    ScratchPad* imgMemo = nullptr;
    // The page.
    QScrollArea* scroll_ = nullptr;
    PageView* imgPaper2 = nullptr;
    std::array<QLineEdit*, MaxKran + 1> fields_{};
    // Results.
    QWidget* pnlKiroku = nullptr;
    QLabel* lblKiroku = nullptr;
    QPlainTextEdit* memKiroku = nullptr;
    MessagePicture* imgMess = nullptr;
};
