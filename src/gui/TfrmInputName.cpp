#include "gui/TfrmInputName.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "Program.h"
#include "gui/Desk.h"
#include "gui/TfrmPassword.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"
#include "qt/QtFiles.h"

namespace {

const QString RosterFilter = QStringLiteral("テキストファイル (*.txt)");

} // namespace

TfrmInputName::TfrmInputName(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmInputName"));
    setWindowTitle(QStringLiteral("名前登録"));
    setFont(uiFont("ＭＳ Ｐゴシック", 14));
    setFixedSize(668, 405);
    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setReadOnly(true);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setPlainText(
        QStringLiteral("学習者の名前を選んでください。\nリストに無い場合は、氏名を入力して\n"
                       "[追加]をクリックすれば名簿を作成\nできます。"));
    memo->setAccessibleName(QStringLiteral("説明"));
    memo->setGeometry(16, 16, 320, 110);
    QLabel* nameLabel = makeLabel(this, "Label2", QStringLiteral("氏名："), {16, 146, 60, 26});
    edtName = new QLineEdit(this);
    edtName->setObjectName(QStringLiteral("edtName"));
    edtName->setAccessibleName(QStringLiteral("氏名"));
    edtName->setGeometry(76, 146, 260, 26);
    nameLabel->setBuddy(edtName);
    auto* ok = makeButton(this, "btnOk", QStringLiteral("OK"), {76, 196, 120, 36});
    // Enter in the name field logs on; the default button takes the key.
    ok->setAutoDefault(true);
    ok->setDefault(true);
    auto* cancel = makeButton(this, "btnCancel", QStringLiteral("キャンセル"), {216, 196, 120, 36});
    auto* add = makeButton(this, "btnAdd", QStringLiteral("追加 =>"), {76, 262, 120, 32});
    auto* del = makeButton(this, "btnDelete", QStringLiteral("削除 =>"), {216, 262, 120, 32});
    auto* open = makeButton(this, "BitBtn1", QStringLiteral("名簿を開く"), {76, 318, 110, 32});
    btnSave = makeButton(this, "btnSave", QStringLiteral("名前を付けて保存"), {196, 318, 140, 32});
    QLabel* rosterLabel = makeLabel(this, "Label1", QStringLiteral("名簿"), {352, 16, 40, 26});
    edtMeibo = new QLineEdit(this);
    edtMeibo->setObjectName(QStringLiteral("edtMeibo"));
    edtMeibo->setReadOnly(true);
    edtMeibo->setAccessibleName(QStringLiteral("名簿のファイル"));
    edtMeibo->setGeometry(396, 16, 252, 26);
    rosterLabel->setBuddy(edtMeibo);
    lstName = namedList(this, "lstName", {352, 52, 296, 334}, QStringLiteral("名簿"));
    setTabOrder(edtName, ok);
    setTabOrder(ok, cancel);
    setTabOrder(cancel, add);
    setTabOrder(add, del);
    setTabOrder(del, open);
    setTabOrder(open, btnSave);
    setTabOrder(btnSave, lstName);
    setTabOrder(lstName, edtMeibo);
    connect(ok, &QPushButton::clicked, this, &TfrmInputName::btnOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(add, &QPushButton::clicked, this, &TfrmInputName::btnAddClick);
    connect(del, &QPushButton::clicked, this, &TfrmInputName::btnDeleteClick);
    connect(open, &QPushButton::clicked, this, &TfrmInputName::BitBtn1Click);
    connect(btnSave, &QPushButton::clicked, this, &TfrmInputName::btnSaveClick);
    connect(lstName, &QListWidget::itemClicked, this, &TfrmInputName::lstNameClick);
    connect(lstName, &QListWidget::currentRowChanged, this, &TfrmInputName::lstNameClick);
}

bool TfrmInputName::logOn() {
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    OpenLogOn(desk_.program(), state_);
    showRoster();
    btnSave->setEnabled(false);
    edtName->clear();
    edtName->setFocus();
    return desk_.runModal(*this) == QDialog::Accepted;
}

void TfrmInputName::showRoster() {
    lstName->blockSignals(true);
    lstName->clear();
    lstName->addItems(qsLines(state_.roster.names));
    lstName->blockSignals(false);
    edtMeibo->setText(qs(RosterFileName(state_.roster)));
    btnSave->setEnabled(state_.roster.changed);
}

QString TfrmInputName::masterFolder() const {
    return QtFiles::toNative(desk_.program().course.masterFolder);
}

void TfrmInputName::lstNameClick() {
    if (QListWidgetItem* item = lstName->currentItem()) edtName->setText(item->text());
}

void TfrmInputName::btnAddClick() {
    if (AddLearnerToRoster(desk_.program(), state_, TypedFromUtf8(edtName->text().toStdString())))
        showRoster();
}

void TfrmInputName::btnDeleteClick() {
    const int row = lstName->currentRow();
    if (row >= 0 && lstName->currentItem()->isSelected()) {
        RemoveFromRoster(state_.roster, row);
        showRoster();
    }
    edtName->clear();
}

void TfrmInputName::BitBtn1Click() {
    const std::optional<QString> chosen = desk_.fileDialogs().openFileName(
        this, QStringLiteral("名簿を開く"), masterFolder(), RosterFilter);
    if (!chosen) return;
    if (std::optional<std::string> path = QtFiles::toCorePath(*chosen)) {
        LoadOtherRoster(desk_.program(), state_, *path);
        showRoster();
    }
}

void TfrmInputName::btnSaveClick() {
    const std::optional<QString> chosen = desk_.fileDialogs().saveFileName(
        this, QStringLiteral("名前を付けて保存"), masterFolder(), RosterFilter);
    if (!chosen) return;
    if (std::optional<std::string> path = QtFiles::toCorePath(*chosen)) {
        SaveRosterAs(desk_.program(), state_, *path);
        showRoster();
    }
}

void TfrmInputName::btnOkClick() {
    Program& p = desk_.program();
    const LogOnStep step =
        StartLogOn(p, desk_.settings(), state_, TypedFromUtf8(edtName->text().toStdString()));
    showRoster();
    switch (step) {
    case LogOnStep::Stay:
        edtName->setFocus();
        return;
    case LogOnStep::Cancelled:
        reject();
        return;
    case LogOnStep::AskPassword:
        if (!desk_.askPassword(state_.password)) {
            edtName->setFocus();
            return;
        }
        CompleteLogOn(p, desk_.settings(), state_);
        break;
    case LogOnStep::LoggedOn:
        break;
    }
    desk_.showLearner();
    accept();
}
