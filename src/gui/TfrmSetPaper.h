#pragma once
// The paper dialog (用紙設定): paper size and the class flag, date line and number options.

#include <QDialog>
#include <array>

class Desk;
class QCheckBox;
class QRadioButton;

class TfrmSetPaper : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmSetPaper(Desk& desk, QWidget* parent = nullptr);
    // Shows the dialog for the active worksheet (nothing without one).
    void openForActive();

  public slots:
    void btnOkClick();

  private:
    Desk& desk_;
    // rdbB5, rdbA4, rdbB4, rdbA3 in the order of the paper table.
    std::array<QRadioButton*, 4> papers_{};
    QCheckBox* chkClassFlag = nullptr;
    QCheckBox* chkJisshibi = nullptr;
    QCheckBox* chkPrinted = nullptr;
};
