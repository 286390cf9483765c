#pragma once
// The overview window (全単元): every section and unit of the current lesson as a tree,
// with the record marks, a date line and a print counter; prints its own picture.

#include <QDialog>

class Desk;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class TfrmZenTangen : public QDialog {
    Q_OBJECT
  public:
    TfrmZenTangen(Desk& desk, QWidget* parent);

    // Fills the tree with the lesson chosen in the unit menu (the first when none is) and
    // shows the window modally.
    void showOverview();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void fillTree();
    void btnPrintClick();

    Desk& desk_;
    QTreeWidget* trvMain = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* btnClose = nullptr;
    int printed_ = 0;
};
