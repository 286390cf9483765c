#pragma once
// The print dialog (印刷): printer page size, 開始No, printer set-up and printing with a
// cancellable progress while numbered copies go out.

#include <QDialog>
#include <memory>

#include "worksheet/PrintJob.h"

class Desk;
class QLabel;
class QPrinter;
class QPushButton;
class QSpinBox;

class TfrmPrintOk : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmPrintOk(Desk& desk, QWidget* parent = nullptr);
    ~TfrmPrintOk() override;

    // Opens the dialog printing a page image: the active worksheet's (main window's 印刷 or
    // the worksheet's 印刷(&P)) or the practice window's own page; nothing happens without
    // an active worksheet.
    void openWithPage(PageImageSource page);

    // The printer the dialog prints on, kept between uses.
    QPrinter& printer();

  public slots:
    void btnSetteiClick(); // プリンタ設定
    void btnPrintClick();  // 印刷開始

  private:
    void showPrinterSize();
    void setButtonsEnabled(bool enabled);
    // Runs the print job; returns how many copies went out and whether it was cancelled.
    struct Outcome {
        bool ok = false;
        bool cancelled = false;
        int printed = 0;
    };
    Outcome printCopies();

    Desk& desk_;
    std::unique_ptr<QPrinter> printer_;
    PageImageSource page_;
    bool printerChosen_ = false;
    QLabel* lblPWidth = nullptr;
    QLabel* lblPHeight = nullptr;
    QLabel* lblSize = nullptr;
    QSpinBox* spnStartNum = nullptr;
    QPushButton* btnSettei = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* btnClose = nullptr;
};
