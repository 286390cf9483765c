#pragma once
// The print-mode dialog: screen-faithful or printer resolution, 開始番号 and №を付ける.

#include <QDialog>

class Desk;

class TfrmPrintMode : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmPrintMode(Desk& desk, QWidget* parent = nullptr);
    void openForActive();
    // Start-up: select 画面に忠実に印刷する.
    void selectScreenMode();

  private:
    Desk& desk_;
};
