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

    radDisplay = new QRadioButton(QStringLiteral("画面に忠実に印刷する"));
    radDisplay->setObjectName(QStringLiteral("radDisplay"));
    radPrinter = new QRadioButton(QStringLiteral("プリンタの解像度で印刷する"));
    radPrinter->setObjectName(QStringLiteral("radPrinter"));
    // The dialog's own choice until start-up selects the stored one.
    radPrinter->setChecked(true);
    layout->addWidget(radDisplay);
    layout->addWidget(radPrinter);

    auto* numbers = new QGroupBox(QStringLiteral("番号"));
    numbers->setObjectName(QStringLiteral("grbNumber"));
    auto* form = new QHBoxLayout(numbers);
    spnStart = new QSpinBox;
    spnStart->setObjectName(QStringLiteral("spnStart"));
    spnStart->setAccessibleName(QStringLiteral("開始番号"));
    spnStart->setRange(1, 99999);
    spnStart->setValue(1);
    auto* startLabel = new QLabel(QStringLiteral("開始番号"));
    startLabel->setBuddy(spnStart);
    chkNumber = new QCheckBox(QStringLiteral("№を付ける"));
    chkNumber->setObjectName(QStringLiteral("chkNumber"));
    chkNumber->setChecked(true);
    form->addWidget(startLabel);
    form->addWidget(spnStart);
    form->addSpacing(12);
    form->addWidget(chkNumber);
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
    (printerResolution ? radPrinter : radDisplay)->setChecked(true);
    desk_.program().sheets.printerResolution = printerResolution;
}

void TfrmPrintMode::openForActive() {
    const PrintModeSettings mode = CurrentPrintMode(desk_.program());
    (mode.printerResolution ? radPrinter : radDisplay)->setChecked(true);
    spnStart->setValue(mode.nextNumber);
    chkNumber->setChecked(mode.numbered);
    desk_.runModal(*this);
}

void TfrmPrintMode::btnCloseClick() {
    ApplyPrintMode(desk_.program(), PrintModeSettings{radPrinter->isChecked(), spnStart->value(),
                                                      chkNumber->isChecked()});
    accept();
}
