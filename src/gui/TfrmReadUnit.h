#pragma once
// The copy-edit dialog (コピーファイルの編集): the title, school and name lines and the
// question lines of the open worksheet, edited as text.

#include <QDialog>

class Desk;
class QLineEdit;
class QPlainTextEdit;
class Worksheet;

class TfrmReadUnit : public QDialog {
    Q_OBJECT
  public:
    TfrmReadUnit(Desk& desk, QWidget* parent);

    // Shows the worksheet's copy for editing; true when it was changed with OK.
    bool editCopy(Worksheet& sheet);

  private:
    void btnOkClick();

    Desk& desk_;
    Worksheet* sheet_ = nullptr;
    QLineEdit* edtTangen = nullptr;
    QLineEdit* edtSchool = nullptr;
    QLineEdit* edtShimei = nullptr;
    QLineEdit* edtNQues = nullptr;
    QPlainTextEdit* redQues = nullptr;
    QPlainTextEdit* memQGraph = nullptr;
    QPlainTextEdit* memAGraph = nullptr;
    QPlainTextEdit* memData = nullptr;
};
