#pragma once
// The layout settings strip (設定): box shape, width and height, answer position and
// margins of the active worksheet; every change is applied at once.

#include <QDialog>

class Desk;

class TfrmSettei : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmSettei(Desk& desk, QWidget* parent = nullptr);

    // Opens the dialog for the active worksheet (from 解答欄 or 解答欄の設定(&K)).
    void openForActive();
    // Activation of a worksheet: fill the spins from it without marking it modified.
    void refreshFromWorksheet();

  private:
    Desk& desk_;
};
