#include "gui/TfrmJuku.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/Desk.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"
#include "shell/Commands.h"

TfrmJuku::TfrmJuku(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmJuku"));
    setWindowTitle(QStringLiteral("校名／塾名入力"));
    setFont(uiFont("ＭＳ Ｐゴシック", 14));
    setFixedSize(440, 200);
    makeLabel(this, nullptr, QStringLiteral("学校名・塾名"), {20, 24, 100, 24});
    edtSchool = new QLineEdit(this);
    edtSchool->setObjectName(QStringLiteral("edtSchool"));
    edtSchool->setAccessibleName(QStringLiteral("学校名・塾名"));
    edtSchool->setGeometry(120, 22, 300, 28);
    makeLabel(this, nullptr, QStringLiteral("ここには自由にタイトルを入れることができます"),
              {120, 60, 300, 22});
    makeLabel(this, nullptr, QStringLiteral("例　ＣＡＩ中学校　年　組"), {120, 84, 300, 22});
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setGeometry(200, 140, 100, 34);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setGeometry(316, 140, 100, 34);
    connect(ok, &QPushButton::clicked, this, &TfrmJuku::btnOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmJuku::showDialog() {
    edtSchool->setText(qs(SchoolNameToEdit(desk_.program(), sj(edtSchool->text()))));
    edtSchool->setFocus();
    desk_.runModal(*this);
}

void TfrmJuku::btnOkClick() {
    SetSchoolName(desk_.program(), desk_.settings(), sj(edtSchool->text()));
    accept();
}
