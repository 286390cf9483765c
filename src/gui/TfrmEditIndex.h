#pragma once
// The index editor (教材の作成): the lessons of the course, the sections and units of the
// chosen lesson in two lists and as a tree; sections and units added and renamed through
// the text input, the whole file through the source editor.

#include <QDialog>

#include "authoring/IndexEditor.h"

class Desk;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class TfrmEditIndex : public QDialog {
    Q_OBJECT
  public:
    TfrmEditIndex(Desk& desk, QWidget* parent);

    // Edits the lesson index files of the course; the unit menu reads the course again
    // when one was written.
    void editIndex();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void build();
    QPushButton* button(const char* name, const QString& caption, const QString& hint);
    void hint(QWidget* control, const QString& text);
    void showLesson();
    void showSection();
    void showUnitChoice();
    void buildTree();
    void refuse(const Report& r);

    void lstELessonClick(int row);
    void lstESectionClick(int row);
    void lstEUnitClick(int row);
    void btnAddClick();
    void btnChangeClick();
    void btnAdd2Click();
    void btnChange2Click();
    void btnExpandClick();
    void btnOkClick();
    void btnEditDirectClick();

    Desk& desk_;
    IndexEditorState s_;
    bool showing_ = false; // lists filled by the program, not clicked
    std::vector<std::pair<QObject*, QString>> hints_;

    QListWidget* lstELesson = nullptr;
    QLineEdit* edtIndex = nullptr;
    QLineEdit* edtDataFile = nullptr;
    QLineEdit* edtMainTitle = nullptr;
    QListWidget* lstESection = nullptr;
    QListWidget* lstEUnit = nullptr;
    QTreeWidget* trvSect = nullptr;
    QPushButton* btnExpand = nullptr;
    QLabel* pnlHint = nullptr;
};
