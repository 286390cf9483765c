#pragma once
// The print dialog (印刷): printer page size, 開始No, printer set-up and printing with a
// cancellable progress while numbered copies go out. Numbered copies may vary their
// numbers (問題の数を変える) from a seed, and print as the copies, their answer sheets or
// the key booklet of the set.

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "worksheet/PrintJob.h"

class Desk;
class Printer;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
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
    QWidget* buildVaryBox();
    // The vary controls as the page options allow; the count line for the seed.
    void showVaryChoice();
    void showVaryCount();
    std::optional<std::uint64_t> seed() const;
    // Runs the print job; returns how many copies went out and whether it was cancelled.
    struct Outcome {
        bool ok = false;
        bool cancelled = false;
        int printed = 0;
    };
    Outcome printCopies();
    // Prints the varied set into chosen: copies asked for (the print dialog's count), and
    // then the copies printed.
    bool printVaried(Printer& chosen, int& copies, const std::function<bool(int, int)>& between);

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
    QCheckBox* chkVary = nullptr;
    QLineEdit* edtSeed = nullptr;
    QLabel* lblVary = nullptr;
    QRadioButton* radCopies = nullptr;
    QRadioButton* radAnswers = nullptr;
    QRadioButton* radBooklet = nullptr;
};
