#include "gui/TfrmSetPaper.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Program.h"
#include "gui/Desk.h"
#include "worksheet/Paper.h"

TfrmSetPaper::TfrmSetPaper(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmSetPaper"));
    setWindowTitle(QStringLiteral("用紙設定"));
    auto* layout = new QVBoxLayout(this);

    auto* paper = new QGroupBox(QStringLiteral("用紙サイズ"));
    auto* paperRow = new QHBoxLayout(paper);
    const char* names[] = {"rdbB5", "rdbA4", "rdbB4", "rdbA3"};
    const char* captions[] = {"B５", "A４", "B4", "A3"};
    for (std::size_t i = 0; i < papers_.size(); ++i) {
        papers_[i] = new QRadioButton(QString::fromUtf8(captions[i]));
        papers_[i]->setObjectName(QString::fromLatin1(names[i]));
        // Only A4 is offered: the course's pages are made for it.
        papers_[i]->setEnabled(Papers[i].width == 630);
        paperRow->addWidget(papers_[i]);
    }
    papers_[1]->setChecked(true);
    layout->addWidget(paper);

    auto* options = new QGroupBox(QStringLiteral("オプション"));
    auto* optionRow = new QHBoxLayout(options);
    auto box = [&](const char* name, const QString& caption) {
        auto* b = new QCheckBox(caption);
        b->setObjectName(QString::fromLatin1(name));
        b->setChecked(true);
        optionRow->addWidget(b);
        return b;
    };
    chkClassFlag = box("chkClassFlag", QStringLiteral("学級旗"));
    chkJisshibi = box("chkJisshibi", QStringLiteral("実施日"));
    chkPrinted = box("chkPrinted", QStringLiteral("No.印刷日時"));
    layout->addWidget(options);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOk"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(ok, &QPushButton::clicked, this, &TfrmSetPaper::btnOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TfrmSetPaper::openForActive() {
    const std::optional<PaperSettings> settings = ActivePaperSettings(desk_.program());
    if (!settings) return;
    chkClassFlag->setChecked(settings->classFlag);
    chkJisshibi->setChecked(settings->dateLine);
    chkPrinted->setChecked(settings->printedLine);
    for (std::size_t i = 0; i < papers_.size(); ++i)
        if (Papers[i].width == settings->width) papers_[i]->setChecked(true);
    desk_.runModal(*this);
}

void TfrmSetPaper::btnOkClick() {
    if (desk_.program().sheets.current) {
        PaperSettings settings;
        for (std::size_t i = 0; i < papers_.size(); ++i)
            if (papers_[i]->isChecked()) settings.width = Papers[i].width;
        settings.classFlag = chkClassFlag->isChecked();
        settings.dateLine = chkJisshibi->isChecked();
        settings.printedLine = chkPrinted->isChecked();
        ApplyPaperSettings(desk_.program(), settings);
        desk_.showWorksheetValues();
    }
    accept();
}
