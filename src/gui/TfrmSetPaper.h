#pragma once
// The paper dialog (用紙設定): paper size and the class flag, date line and number options.

#include <QDialog>

class Desk;

class TfrmSetPaper : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmSetPaper(Desk& desk, QWidget* parent = nullptr);
    void openForActive();

  private:
    Desk& desk_;
};
