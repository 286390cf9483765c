#pragma once
// The print-mode dialog: screen-faithful or printer resolution, 開始番号 and №を付ける.

#include <QDialog>

class Desk;
class QCheckBox;
class QRadioButton;
class QSpinBox;

class TfrmPrintMode : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmPrintMode(Desk& desk, QWidget* parent = nullptr);
    // Shows the dialog (設定 menu 印字モードの設定).
    void openForActive();
    // Start-up: the stored print mode (true: プリンタの解像度で印刷する).
    void selectMode(bool printerResolution);

  public slots:
    void btnCloseClick();

  private:
    Desk& desk_;
    QRadioButton* radDisplay = nullptr;
    QRadioButton* radPrinter = nullptr;
    QSpinBox* spnStart = nullptr;
    QCheckBox* chkNumber = nullptr;
};
