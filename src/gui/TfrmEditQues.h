#pragma once
// The question editor (マスターファイルの編集): one unit of a question unit file in memos —
// questions with their answer blanks, dummy answers, answer-choice lines, hints, question
// and answer graphs and the page blocks — checked and written back into the file.

#include <QDialog>
#include <optional>

#include "authoring/QuestionEditor.h"

class Desk;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class Worksheet;

class TfrmEditQues : public QDialog {
    Q_OBJECT
  public:
    TfrmEditQues(Desk& desk, QWidget* parent);

    // Edits the unit the worksheet shows; on OK the unit saved (with the number of a
    // similar question made in this showing), nothing on Cancel.
    std::optional<UnitRef> editWorksheet(const Worksheet& sheet);
    // Edits the unit chosen last in the unit menu, which does not exist yet; true on OK.
    bool editNewUnit();

    // The memo of a problem, for the caret (and the tests).
    QPlainTextEdit* memo(Memo which) const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void build();
    void buildGraphs(QWidget* column);
    bool run(const UnitRef& ref, const std::string& unitName, bool newUnitMode);
    void showState();
    void showCounters();
    // Reads the memos back into the state; false (the problem said, the caret on it)
    // when a memo holds a character Shift-JIS cannot hold.
    bool takeMemos();
    void showProblem(const MemoProblem& problem);
    void wrapSelection(bool answerBlank);
    void addGraphs(bool answerGraphs);
    void previewGraph(const QString& name);
    bool save();

    void btnTestClick();
    void btnKaiClick();
    void btnKakkoClick();
    void btnNumberClick();
    void btnRuidaiClick();
    void btnMakeRuidaiClick();
    void btnKgAddClick();
    void btnDummyClick();
    void btnGraphFileClick();
    void btnOkClick();
    void btnCancelClick();
    void btnEditDirectClick();

    Desk& desk_;
    QuestionEditorState s_;
    UnitRef openedOn_;     // the unit the showing started with
    bool loading_ = false; // memos filled by the program, not typed
    QImage preview_;
    QString previewName_;

    QLineEdit* edtLesson = nullptr;
    QLineEdit* edtTangen = nullptr;
    QLineEdit* edtFileName = nullptr;
    QPlainTextEdit* MemQues = nullptr;
    QPlainTextEdit* memDummy = nullptr;
    QPlainTextEdit* memKgroup = nullptr;
    QPlainTextEdit* memHint = nullptr;
    QPlainTextEdit* memPasteLo = nullptr;
    QPlainTextEdit* memQGraph = nullptr;
    QPlainTextEdit* memAGraph = nullptr;
    QListWidget* lstKai = nullptr;
    QListWidget* flbGraph = nullptr;
    QLabel* imgGraph = nullptr;
    QLabel* lblKosuh = nullptr;
    QLabel* lblKosuh2 = nullptr;
    QLabel* lblKosuh3 = nullptr;
    QCheckBox* chkSuuji = nullptr;
    QCheckBox* chkKigou = nullptr;
    QPushButton* btnRuidai = nullptr;
    QPushButton* btnMakeRuidai = nullptr;
    QPushButton* btnEditDirect = nullptr;
};
