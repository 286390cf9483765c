#include "gui/TfrmPrintOk.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "Program.h"
#include "gui/Desk.h"
#include "qt/QtPdfPrinter.h"
#include "qt/QtPrinterTarget.h"
#include "text/Sjis.h"
#include "worksheet/Paper.h"
#include "worksheet/WorksheetSetters.h"

namespace {

// A button as wide as its caption needs, with room on either side.
QPushButton* captionWideButton(const char* name, const QString& caption) {
    QPushButton* b = makeButton(nullptr, name, caption);
    b->setMinimumWidth(b->fontMetrics().horizontalAdvance(caption) + 36);
    return b;
}

} // namespace

TfrmPrintOk::TfrmPrintOk(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmPrintOk"));
    setWindowTitle(QStringLiteral("印刷"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);

    lblPWidth = new QLabel(QStringLiteral("横："));
    lblPWidth->setObjectName(QStringLiteral("lblPWidth"));
    lblPHeight = new QLabel(QStringLiteral("縦："));
    lblPHeight->setObjectName(QStringLiteral("lblPHeight"));
    auto* size = new QHBoxLayout;
    size->addWidget(lblPWidth);
    size->addSpacing(24);
    size->addWidget(lblPHeight);
    size->addStretch(1);
    layout->addLayout(size);

    lblSize = new QLabel;
    lblSize->setObjectName(QStringLiteral("lblSize"));
    layout->addWidget(lblSize);

    spnStartNum = new QSpinBox;
    spnStartNum->setObjectName(QStringLiteral("spnStartNum"));
    spnStartNum->setAccessibleName(QStringLiteral("開始No"));
    spnStartNum->setRange(1, 99999); // as 開始番号 of the print-mode dialog
    spnStartNum->setMinimumWidth(72);
    auto* startLabel = new QLabel(QStringLiteral("開始No"));
    startLabel->setBuddy(spnStartNum);
    auto* start = new QHBoxLayout;
    start->addWidget(startLabel);
    start->addWidget(spnStartNum);
    start->addStretch(1);
    layout->addLayout(start);

    btnSettei = captionWideButton("btnSettei", QStringLiteral("プリンタ設定"));
    btnPrint = captionWideButton("btnPrint", QStringLiteral("印刷開始"));
    btnClose = captionWideButton("btnClose", QStringLiteral("閉じる"));
    btnPrint->setDefault(true);
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(btnSettei);
    row->addStretch(1);
    row->addWidget(btnPrint);
    row->addWidget(btnClose);
    layout->addSpacing(4);
    layout->addLayout(row);
    setMinimumWidth(400);

    connect(btnSettei, &QPushButton::clicked, this, &TfrmPrintOk::btnSetteiClick);
    connect(btnPrint, &QPushButton::clicked, this, &TfrmPrintOk::btnPrintClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(spnStartNum, &QSpinBox::valueChanged, this, [this](int value) {
        if (desk_.program().sheets.current) SetStartNo(desk_.program(), value);
    });
}

TfrmPrintOk::~TfrmPrintOk() = default;

QPrinter& TfrmPrintOk::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setPageSize(QPageSize(QPageSize::A4));
        printer_->setFullPage(true);
    }
    return *printer_;
}

void TfrmPrintOk::openWithPage(PageImageSource page) {
    Program& program = desk_.program();
    if (!program.sheets.current) return;
    page_ = std::move(page);
    showPrinterSize();
    lblSize->setText(qs(PaperSizeHint(program)));
    {
        // The copies start from the number the page shows.
        const QSignalBlocker quiet(spnStartNum);
        spnStartNum->setValue(program.sheets.current->startNumber);
    }
    printerChosen_ = false;
    setButtonsEnabled(true);
    desk_.runModal(*this);
    page_ = nullptr;
}

void TfrmPrintOk::showPrinterSize() {
    QtPrinterTarget target(printer());
    lblPWidth->setText(QStringLiteral("横：%1").arg(target.pageWidth()));
    lblPHeight->setText(QStringLiteral("縦：%1").arg(target.pageHeight()));
}

void TfrmPrintOk::setButtonsEnabled(bool enabled) {
    btnSettei->setEnabled(enabled);
    btnPrint->setEnabled(enabled);
    btnClose->setEnabled(enabled);
}

void TfrmPrintOk::btnSetteiClick() {
    if (!desk_.printDialogs().choosePrinter(this, printer())) return;
    showPrinterSize();
    printerChosen_ = true;
}

void TfrmPrintOk::btnPrintClick() {
    if (!printerChosen_) {
        if (!desk_.printDialogs().choosePrinter(this, printer())) return;
        showPrinterSize();
        printerChosen_ = true;
    }
    lblSize->setText(QStringLiteral("印刷中"));
    setButtonsEnabled(false);
    const Outcome outcome = printCopies();
    setButtonsEnabled(true);
    lblSize->setText(QStringLiteral("印刷完了"));
    if (outcome.cancelled)
        desk_.prompter().message(J("印刷を中止しました（") + std::to_string(outcome.printed) +
                                 J(" 部印刷しました）"));
    accept();
}

TfrmPrintOk::Outcome TfrmPrintOk::printCopies() {
    Program& program = desk_.program();
    Outcome outcome;
    std::unique_ptr<QProgressDialog> progress;
    int copies = 1;
    auto between = [&](int printed, int total) {
        outcome.printed = printed;
        copies = total;
        if (total <= 1) return true;
        if (!progress) {
            progress = std::make_unique<QProgressDialog>(QString(), QStringLiteral("中止"), 0,
                                                         total, this);
            progress->setObjectName(QStringLiteral("prgPrint"));
            progress->setWindowTitle(QStringLiteral("印刷"));
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(0);
            progress->setAutoReset(false);
        }
        progress->setLabelText(
            QStringLiteral("%1 部のうち %2 部目を印刷しています").arg(total).arg(printed + 1));
        progress->setValue(printed);
        QCoreApplication::processEvents();
        outcome.cancelled = progress->wasCanceled();
        return !outcome.cancelled;
    };
    // "Print to File (PDF)" makes one file with a page per document; a printer gets a job
    // per document.
    QPrinter& chosen = printer();
    if (chosen.outputFormat() == QPrinter::PdfFormat && !chosen.outputFileName().isEmpty()) {
        QtPdfPrinter file(chosen.outputFileName(), chosen.pageLayout().pageSize(),
                          chosen.resolution());
        file.setCopyCount(chosen.copyCount());
        // A file makes no copies by itself: unnumbered copies are the page again.
        if (program.sheets.pageOptions.numbered || file.copyCount() <= 1) {
            outcome.ok = PrintWorksheet(program, file, page_, between);
        } else {
            const int jobs = file.copyCount();
            outcome.ok = true;
            for (int job = 0; job < jobs && outcome.ok && between(job, jobs); ++job)
                outcome.ok = PrintWorksheet(program, file, page_);
            copies = jobs;
        }
        outcome.ok = file.finish() && outcome.ok;
        if (program.sheets.pageOptions.numbered) chosen.setCopyCount(file.copyCount()); // back to 1
    } else {
        QtPrinterTarget target(chosen);
        outcome.ok = PrintWorksheet(program, target, page_, between);
    }
    if (outcome.ok && !outcome.cancelled) outcome.printed = copies;
    return outcome;
}
