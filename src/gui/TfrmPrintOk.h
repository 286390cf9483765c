#pragma once
// The print dialog (印刷): printer page size, 開始No, printer set-up and printing with a
// cancellable progress while numbered copies go out.

#include <QDialog>

class Desk;

class TfrmPrintOk : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmPrintOk(Desk& desk, QWidget* parent = nullptr);

    // Opens the dialog for the active worksheet (main window's 印刷 or the worksheet's
    // 印刷(&P)).
    void openForActive();

  private:
    Desk& desk_;
};
