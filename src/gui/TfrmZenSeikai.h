#pragma once
// The all-correct window (全問正解): shown when a practice run or a test is marked without
// a wrong box.

#include <QDialog>

class Desk;

class TfrmZenSeikai : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmZenSeikai(Desk& desk, QWidget* parent = nullptr);
    // Shows the window centred on the screen until OK.
    void congratulate();

  private:
    Desk& desk_;
};
