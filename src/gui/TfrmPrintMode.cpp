#include "gui/TfrmPrintMode.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "Program.h"
#include "gui/Desk.h"
#include "worksheet/Paper.h"

TfrmPrintMode::TfrmPrintMode(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmPrintMode"));
    setWindowTitle(QStringLiteral("印字モードの設定"));
    auto* layout = new QVBoxLayout(this);

    radDisplay_ = new QRadioButton(QStringLiteral("画面に忠実に印刷する"));
    radDisplay_->setObjectName(QStringLiteral("radDisplay"));
    radPrinter_ = new QRadioButton(QStringLiteral("プリンタの解像度で印刷する"));
    radPrinter_->setObjectName(QStringLiteral("radPrinter"));
    // The dialog's own choice until start-up selects the stored one.
    radPrinter_->setChecked(true);
    layout->addWidget(radDisplay_);
    layout->addWidget(radPrinter_);

    auto* numbers = new QGroupBox(QStringLiteral("番号"));
    numbers->setObjectName(QStringLiteral("grbNumber"));
    auto* form = new QHBoxLayout(numbers);
    spnStart_ = new QSpinBox;
    spnStart_->setObjectName(QStringLiteral("spnStart"));
    spnStart_->setAccessibleName(QStringLiteral("開始番号"));
    spnStart_->setRange(1, 99999);
    spnStart_->setValue(1);
    auto* startLabel = new QLabel(QStringLiteral("開始番号"));
    startLabel->setBuddy(spnStart_);
    chkNumber_ = new QCheckBox(QStringLiteral("№を付ける"));
    chkNumber_->setObjectName(QStringLiteral("chkNumber"));
    chkNumber_->setChecked(true);
    form->addWidget(startLabel);
    form->addWidget(spnStart_);
    form->addSpacing(12);
    form->addWidget(chkNumber_);
    form->addStretch(1);
    layout->addWidget(numbers);

    auto* row = new QHBoxLayout;
    auto* close = new QPushButton(QStringLiteral("閉じる"));
    close->setObjectName(QStringLiteral("btnClose"));
    connect(close, &QPushButton::clicked, this, &TfrmPrintMode::btnCloseClick);
    row->addStretch(1);
    row->addWidget(close);
    layout->addLayout(row);
}

void TfrmPrintMode::selectMode(bool printerResolution) {
    (printerResolution ? radPrinter_ : radDisplay_)->setChecked(true);
    desk_.program().sheets.printerResolution = printerResolution;
}

void TfrmPrintMode::openForActive() {
    const PrintModeSettings mode = CurrentPrintMode(desk_.program());
    (mode.printerResolution ? radPrinter_ : radDisplay_)->setChecked(true);
    spnStart_->setValue(mode.nextNumber);
    chkNumber_->setChecked(mode.numbered);
    desk_.runModal(*this);
}

void TfrmPrintMode::btnCloseClick() {
    ApplyPrintMode(desk_.program(), PrintModeSettings{radPrinter_->isChecked(), spnStart_->value(),
                                                      chkNumber_->isChecked()});
    accept();
}
