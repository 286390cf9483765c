#include "gui/TfrmPassword.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Program.h"
#include "gui/Desk.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"

namespace {

QLineEdit* passwordEdit(QWidget* parent, const char* name, const QString& spoken, QRect geometry) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setEchoMode(QLineEdit::Password);
    e->setAccessibleName(spoken);
    e->setGeometry(geometry);
    return e;
}

} // namespace

TfrmPassword::TfrmPassword(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmPassword"));
    setWindowTitle(QStringLiteral("パスワードの入力"));
    setFont(uiFont("ＭＳ Ｐゴシック", 14));
    setFixedSize(372, 251);
    lblMess = makeLabel(this, "lblMess", {}, {24, 14, 324, 24});
    lblMess->setFont(uiFont("ＭＳ Ｐゴシック", 16, true));
    lblPW = makeLabel(this, "lblPW", {}, {24, 48, 324, 22});
    makeLabel(this, "Label1", QStringLiteral("（半角英数で４文字以上）"), {24, 70, 324, 20});
    mskPW = passwordEdit(this, "mskPW", QStringLiteral("パスワード"), {24, 96, 220, 26});
    lblPW->setBuddy(mskPW);
    lblRetry = makeLabel(this, "lblRetry", QStringLiteral("確認のため再入力してください"),
                         {24, 132, 324, 20});
    mskPW2 = passwordEdit(this, "mskPW2", QStringLiteral("確認のため再入力してください"),
                          {24, 154, 220, 26});
    lblRetry->setBuddy(mskPW2);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setGeometry(160, 200, 90, 32);
    // Enter in either field is OK; the dialog's default button takes it.
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setGeometry(262, 200, 90, 32);
    cancel->setAutoDefault(false);
    setTabOrder(mskPW, mskPW2);
    setTabOrder(mskPW2, ok);
    setTabOrder(ok, cancel);
    connect(ok, &QPushButton::clicked, this, &TfrmPassword::btnOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    mskPW2->installEventFilter(this);
}

bool TfrmPassword::ask(const PasswordPrompt& prompt) {
    prompt_ = prompt;
    lblMess->setText(qs(PasswordGreeting(prompt_)));
    lblPW->setText(qs(PasswordRequest(prompt_)));
    mskPW->clear();
    mskPW2->clear();
    lblRetry->hide();
    mskPW2->setVisible(prompt_.isNew());
    mskPW->setFocus();
    return desk_.runModal(*this) == QDialog::Accepted;
}

void TfrmPassword::btnOkClick() {
    // Hashing takes a moment on purpose.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PasswordAnswer answer = ConfirmPassword(desk_.program().platform.files, prompt_,
                                                  TypedFromUtf8(mskPW->text().toStdString()),
                                                  TypedFromUtf8(mskPW2->text().toStdString()));
    QApplication::restoreOverrideCursor();
    if (answer.accepted) {
        mskPW->clear();
        mskPW2->clear();
        accept();
        return;
    }
    if (answer.storedNow) showStoredNow(*answer.storedNow);
    desk_.prompter().message(answer.message);
    QLineEdit* again = answer.focusConfirm && !mskPW2->isHidden() ? mskPW2 : mskPW;
    again->setFocus();
    again->selectAll();
}

void TfrmPassword::showStoredNow(const std::string& stored) {
    // The password was set meanwhile: from now on it is asked for, not set.
    prompt_.stored = stored;
    lblPW->setText(qs(PasswordRequest(prompt_)));
    mskPW->clear();
    mskPW2->clear();
    lblRetry->hide();
    mskPW2->setVisible(prompt_.isNew());
}

bool TfrmPassword::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mskPW2 && event->type() == QEvent::FocusIn) lblRetry->show();
    return QDialog::eventFilter(watched, event);
}
