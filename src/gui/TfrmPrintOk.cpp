#include "gui/TfrmPrintOk.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "Program.h"
#include "gui/Desk.h"
#include "qt/QtPdfPrinter.h"
#include "qt/QtPrinterTarget.h"
#include "text/Sjis.h"
#include "worksheet/Paper.h"
#include "worksheet/VariedCopies.h"
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

    layout->addWidget(buildVaryBox());

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

QWidget* TfrmPrintOk::buildVaryBox() {
    auto* box = new QGroupBox;
    box->setObjectName(QStringLiteral("grbVary"));
    auto* v = new QVBoxLayout(box);
    chkVary = new QCheckBox(QStringLiteral("問題の数を変える"));
    chkVary->setObjectName(QStringLiteral("chkVary"));
    v->addWidget(chkVary);

    edtSeed = new QLineEdit;
    edtSeed->setObjectName(QStringLiteral("edtSeed"));
    edtSeed->setAccessibleName(QStringLiteral("種"));
    // The seed is a version code's number: up to 18 digits.
    edtSeed->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{1,18}")), edtSeed));
    edtSeed->setMinimumWidth(edtSeed->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 19);
    auto* seedLabel = new QLabel(QStringLiteral("種（同じ種で同じプリント）"));
    seedLabel->setBuddy(edtSeed);
    auto* seedRow = new QHBoxLayout;
    seedRow->addWidget(seedLabel);
    seedRow->addWidget(edtSeed);
    seedRow->addStretch(1);
    v->addLayout(seedRow);

    lblVary = new QLabel;
    lblVary->setObjectName(QStringLiteral("lblVary"));
    lblVary->setWordWrap(true);
    v->addWidget(lblVary);

    radCopies = new QRadioButton(QStringLiteral("問題"));
    radCopies->setObjectName(QStringLiteral("radCopies"));
    radAnswers = new QRadioButton(QStringLiteral("解答（1部ずつ）"));
    radAnswers->setObjectName(QStringLiteral("radAnswers"));
    radBooklet = new QRadioButton(QStringLiteral("解答の一覧表"));
    radBooklet->setObjectName(QStringLiteral("radBooklet"));
    radCopies->setChecked(true);
    auto* pages = new QButtonGroup(box);
    auto* pageRow = new QHBoxLayout;
    for (QRadioButton* r : {radCopies, radAnswers, radBooklet}) {
        pages->addButton(r);
        pageRow->addWidget(r);
    }
    pageRow->addStretch(1);
    v->addLayout(pageRow);

    connect(chkVary, &QCheckBox::toggled, this, [this] { showVaryChoice(); });
    connect(edtSeed, &QLineEdit::textChanged, this, [this] { showVaryCount(); });
    return box;
}

std::optional<std::uint64_t> TfrmPrintOk::seed() const {
    bool ok = false;
    const qulonglong n = edtSeed->text().trimmed().toULongLong(&ok);
    if (!ok || edtSeed->text().trimmed().size() > 18) return std::nullopt;
    return n;
}

void TfrmPrintOk::showVaryChoice() {
    const bool numbered = desk_.program().sheets.pageOptions.numbered;
    chkVary->setEnabled(numbered);
    if (!numbered) chkVary->setChecked(false);
    const bool on = numbered && chkVary->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{edtSeed, radCopies, radAnswers, radBooklet})
        w->setEnabled(on);
    showVaryCount();
}

void TfrmPrintOk::showVaryCount() {
    Program& program = desk_.program();
    if (!program.sheets.pageOptions.numbered) {
        lblVary->setText(QStringLiteral("番号付きで印刷するときに選べます"));
        return;
    }
    const std::optional<std::uint64_t> s = seed();
    if (!chkVary->isChecked() || !program.sheets.current || !s) {
        lblVary->setText(chkVary->isChecked() ? QStringLiteral("種は18桁までの数字です")
                                              : QString());
        return;
    }
    const VaryCount count = CountVaryingQuestions(*program.sheets.current, *s);
    lblVary->setText(count.varied > 0
                         ? QStringLiteral("%1問中 %2問の数を変えます")
                               .arg(count.questions)
                               .arg(count.varied)
                         : QStringLiteral("数を変えられる問題がありません"));
}

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
    if (edtSeed->text().isEmpty()) {
        // Today's seed, shown so that the same set can be printed again; a seed typed
        // since stays for the set's answer pages.
        const QSignalBlocker quiet(edtSeed);
        edtSeed->setText(QString::number(DefaultVarySeed(program.platform.clock.now())));
    }
    showVaryChoice();
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
    if (chkVary->isChecked() && !seed()) {
        desk_.prompter().message(J("種は18桁までの数字で入力してください"));
        edtSeed->setFocus();
        return;
    }
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
    const bool vary = chkVary->isEnabled() && chkVary->isChecked();
    if (chosen.outputFormat() == QPrinter::PdfFormat && !chosen.outputFileName().isEmpty()) {
        QtPdfPrinter file(chosen.outputFileName(), chosen.pageLayout().pageSize(),
                          chosen.resolution());
        file.setCopyCount(chosen.copyCount());
        // A file makes no copies by itself: unnumbered copies are the page again.
        if (vary) {
            copies = file.copyCount();
            outcome.ok = printVaried(file, copies, between);
        } else if (program.sheets.pageOptions.numbered || file.copyCount() <= 1) {
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
        if (vary) {
            const int asked = target.copyCount();
            copies = asked;
            outcome.ok = printVaried(target, copies, between);
            chosen.setCopyCount(asked); // the job asked the printer for one of each copy
        } else {
            outcome.ok = PrintWorksheet(program, target, page_, between);
        }
    }
    if (outcome.ok && !outcome.cancelled) outcome.printed = copies;
    return outcome;
}

bool TfrmPrintOk::printVaried(Printer& chosen, int& copies,
                              const std::function<bool(int, int)>& between) {
    VariedPrintRequest request;
    request.seed = seed().value_or(0);
    request.copies = std::max(1, copies);
    request.firstCopy = spnStartNum->value();
    request.pages = radBooklet->isChecked()   ? VariedPages::KeyBooklet
                    : radAnswers->isChecked() ? VariedPages::Answers
                                              : VariedPages::Questions;
    // Copies left out are named to the user by the job itself.
    VariedPrintReport report;
    const bool ok = PrintVariedCopies(desk_.program(), chosen, request, report, between);
    copies = report.printed;
    return ok;
}
