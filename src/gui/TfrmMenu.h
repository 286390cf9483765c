#pragma once
// The unit menu: lessons, sections and units of the course in three linked lists, the
// unit's similar questions, and the record marks before each unit line. Shown modally by
// 開く, 学習 and 追加; the choice is left in Program::menu.

#include <QDialog>

class Desk;
class QLabel;
class QListWidget;
class QPushButton;

class TfrmMenu : public QDialog {
    Q_OBJECT
  public:
    TfrmMenu(Desk& desk, QWidget* parent);

    // Shows the menu in the mode set in Program::menu; true when it closed with OK.
    bool execMenu();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void lstLessonClick(int row);
    void lstSectionClick(int row);
    void lstUnitClick(int row);
    void lstRuidaiClick();
    void btnRuidaiClearClick();
    void btnOkClick();
    // 次の練習: chooses the first unit the learner should practise next and opens it.
    void btnNextPracticeClick();
    void btnShowRecordClick();
    // Shows Program::menu in the lists.
    void refreshLists();
    void refreshUnits();
    void refreshSections();
    void refreshUnitList();
    void refreshRuidai();
    void paintUnitHeader();

    Desk& desk_;
    QLabel* pnlTitle = nullptr;
    QLabel* pnlUnit = nullptr;
    QListWidget* lstLesson = nullptr;
    QListWidget* lstSection = nullptr;
    QListWidget* lstUnit = nullptr;
    QLabel* lblRuidai = nullptr;
    QListWidget* lstRuidai = nullptr;
    QPushButton* btnRuidaiClear = nullptr;
};
