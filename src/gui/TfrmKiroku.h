#pragma once
// The records window (実行記録): every unit of the lesson and every saved worksheet with
// the learner's number of runs, the chosen one's record lines and the chart of its scores;
// erasing the selected items' records, saving them all as CSV, and its help page (F1).

#include <QDialog>

#include "learners/RecordsList.h"

class Desk;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class ScoreChart;

class TfrmKiroku : public QDialog {
    Q_OBJECT
  public:
    TfrmKiroku(Desk& desk, QWidget* parent);

    // Shows the records of the logged-on learner in the current lesson; true when
    // records were erased while the window was open.
    bool showRecords();

    // The records window's page of the help.
    static constexpr int HelpTopic = 222;

  public slots:
    void lstTitleClick();
    void btnEraseClick();
    void btnExportClick();
    void btnClassClick();
    void btnHelpClick();
    void btnReturnClick();

  private:
    // lstTitle from the state; the records view and the chart emptied.
    void fillList();

    Desk& desk_;
    RecordsWindowState state_;
    QListWidget* lstTitle = nullptr;
    QPlainTextEdit* memDetail = nullptr;
    ScoreChart* chart_ = nullptr;
    QLineEdit* edtName = nullptr;
    QPushButton* btnClass = nullptr;
};
