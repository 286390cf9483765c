// 自分のプリント in the practice window: the pupil types the version code from the header of
// a varied copy done on paper, and the page shows that copy with its own keys.
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "Program.h"
#include "gui/Desk.h"
#include "gui/MessagePicture.h"
#include "gui/TfrmRenshu.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"
#include "practice/MyCopy.h"
#include "qt/CanvasImages.h"
#include "qt/QtCanvas.h"
#include "worksheet/Worksheet.h"

std::optional<QString> TfrmRenshu::askVersionCode() {
    QDialog ask(this);
    ask.setObjectName(QStringLiteral("dlgMyCopy"));
    ask.setWindowTitle(QStringLiteral("自分のプリント"));
    auto* l = new QVBoxLayout(&ask);
    auto* edit = new QLineEdit;
    edit->setObjectName(QStringLiteral("edtVersion"));
    edit->setMaxLength(40);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("V20261208-07")) * 2);
    auto* label = new QLabel(QStringLiteral("プリントの番号（例 V20261208-07）"));
    label->setBuddy(edit);
    l->addWidget(label);
    l->addWidget(edit);
    QPushButton* ok = makeButton(nullptr, "btnOk", QStringLiteral("OK"));
    QPushButton* cancel = makeButton(nullptr, "btnCancel", QStringLiteral("キャンセル"));
    ok->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    l->addLayout(row);
    connect(ok, &QPushButton::clicked, &ask, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, &ask, &QDialog::reject);
    edit->setFocus();
    if (desk_.runModal(ask) != QDialog::Accepted) return std::nullopt;
    return edit->text();
}

void TfrmRenshu::btnMyCopyClick() {
    if (!w_.sheet || w_.run.phase == RunPhase::Running) return;
    const std::optional<QString> code = askVersionCode();
    if (!code) return;
    Program& p = desk_.program();
    Worksheet& sheet = *w_.sheet;
    // The copy is checked on a page of the worksheet's size, as its print was.
    QImage page = makePageImage(std::max(1, sheet.paper.Width), std::max(1, sheet.paper.Height));
    MyCopyOpened opened;
    {
        QtCanvas canvas(page);
        opened = OpenMyCopy(p, w_, sj(*code), canvas);
    }
    if (!opened.opened) {
        if (!opened.message.empty()) desk_.prompter().message(opened.message);
        showBetweenRuns();
        relayoutPage();
        return;
    }
    setWindowTitle(qs(sheet.strTangen) + QStringLiteral("　") + qs(opened.versionCode));
    curKran_ = 0;
    imgMessXX->clear();
    imgMess->clear();
    showGuidance();
    showBetweenRuns();
    relayoutPage();
    btnRenshu->setFocus();
}
