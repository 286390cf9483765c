#pragma once
// The school-name dialog (校名／塾名入力): the school line printed on every worksheet.

#include <QDialog>

class Desk;
class QLineEdit;

class TfrmJuku : public QDialog {
    Q_OBJECT
  public:
    TfrmJuku(Desk& desk, QWidget* parent);
    void showDialog();

  private:
    void btnOkClick();

    Desk& desk_;
    QLineEdit* edtSchool = nullptr;
};
