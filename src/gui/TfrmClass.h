#pragma once
// The class overview (クラスの記録), for the teacher: every learner of the lesson against its
// units and saved worksheets, each cell the runs and the last score coloured by its band,
// the learners' and the units' summaries, sorting by a header, one section at a time, a
// cell's record lines and score chart on a double-click, and the grid as CSV.

#include <QDialog>

#include <vector>

#include "gui/ClassSectionBand.h"
#include "learners/ClassView.h"

class Desk;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class ClassTable;
class ScoreChart;

class TfrmClass : public QDialog {
    Q_OBJECT
  public:
    TfrmClass(Desk& desk, QWidget* parent);

    // Reads the current lesson's class and shows it until closed.
    void showClass();

    // The table's first columns before the units'.
    static constexpr int LearnerColumn = 0;
    static constexpr int PractisedColumn = 1;
    static constexpr int MeanColumn = 2;
    static constexpr int FirstUnitColumn = 3;

  public slots:
    void tblClassHeaderClick(int column);
    void tblClassDblClick(int row, int column);
    void cmbSectionChange(int index);
    void btnExportClick();
    void btnPrintClick();
    void btnReturnClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // lblDetail, memDetail and the chart for one cell of the grid; (-1, -1) clears them.
    void showDetail(int row, int column);
    // The current cell as a learner (grid row, ClassRowSpot for the class's row) and a column
    // (the table's for the summaries, FirstUnitColumn + grid column for a unit), and back.
    void rememberSpot(int row, int column);
    void restoreSpot();
    static constexpr int ClassRowSpot = -2;
    // tblClass from the view: the learners in order, the shown columns, the class's row.
    void fillTable();
    // What the rows are ordered by, in words, as lblSort says it.
    QString sortWords() const;
    // The shown unit columns, one group per run of a section's columns.
    std::vector<ColumnGroup> columnGroups() const;

    Desk& desk_;
    ClassViewState view_;
    QComboBox* cmbSection = nullptr;
    ClassTable* tblClass = nullptr;
    ClassSectionBand* sectionBand_ = nullptr;
    QLabel* lblProblems = nullptr;
    QLabel* lblSort = nullptr;
    QLabel* lblDetail = nullptr;
    QPlainTextEdit* memDetail = nullptr;
    ScoreChart* chart_ = nullptr;
    bool filling_ = false;
    int spotRow_ = -1, spotColumn_ = -1;
};
