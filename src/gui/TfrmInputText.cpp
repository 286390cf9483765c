#include "gui/TfrmInputText.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "authoring/EditorText.h"
#include "gui/Desk.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"

TfrmInputText::TfrmInputText(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmInputText"));
    setWindowTitle(QStringLiteral("テキストの入力"));
    setFixedSize(410, 129);
    memInput = new QLineEdit(this);
    memInput->setObjectName(QStringLiteral("memInput"));
    memInput->setFont(uiFont("ＭＳ Ｐゴシック", 16));
    memInput->setGeometry(16, 20, 378, 32);
    auto* ok = new QPushButton(QStringLiteral("O　K"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setGeometry(190, 76, 96, 34);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setGeometry(298, 76, 96, 34);
    // Enter closes with OK; the text never gets a second line.
    connect(memInput, &QLineEdit::returnPressed, this, &TfrmInputText::btnOkClick);
    connect(ok, &QPushButton::clicked, this, &TfrmInputText::btnOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<std::string> TfrmInputText::askText(const QString& mode, const std::string& start) {
    const bool change = mode.endsWith(QStringLiteral("CHANGE"));
    memInput->setText(change ? qs(start) : QString());
    memInput->setAccessibleName(mode.startsWith(QStringLiteral("main"))
                                    ? QStringLiteral("主メニューの項目")
                                    : QStringLiteral("副メニューの項目"));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = geometry();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    memInput->setFocus();
    if (desk_.runModal(*this) != QDialog::Accepted) return std::nullopt;
    return sj(memInput->text());
}

void TfrmInputText::btnOkClick() {
    const std::string utf8 = memInput->text().toStdString();
    if (const auto bad = FirstUnrepresentable({utf8})) {
        desk_.prompter().message(UnrepresentableText(*bad));
        memInput->setFocus();
        return;
    }
    accept();
}
