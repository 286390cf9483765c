#include "gui/TfrmEditSource.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include "authoring/EditorText.h"
#include "gui/Desk.h"
#include "gui/UiParts.h"
#include "gui/UiText.h"

namespace {

constexpr int MemoLeft = 112;

} // namespace

TfrmEditSource::TfrmEditSource(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmEditSource"));
    setWindowTitle(QStringLiteral("ソースの直接編集"));
    setFont(uiFont("ＭＳ Ｐゴシック", 16));
    memEditBuffer = new QPlainTextEdit(this);
    memEditBuffer->setObjectName(QStringLiteral("memEditBuffer"));
    memEditBuffer->setAccessibleName(QStringLiteral("ファイルの内容"));
    memEditBuffer->setLineWrapMode(QPlainTextEdit::NoWrap);
    memEditBuffer->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memEditBuffer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memEditBuffer->setTabChangesFocus(true);
    auto button = [this](const char* name, const QString& caption, int y) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(12, y, 88, 36);
        b->setAutoDefault(false);
        if (spokenText(caption) != caption) b->setAccessibleName(spokenText(caption));
        return b;
    };
    QPushButton* ok = button("btnOk", QStringLiteral(" O　K  "), 12);
    QPushButton* cancel = button("btnCancel", QStringLiteral("ｷｬﾝｾﾙ"), 56);
    QPushButton* help = button("btnHelp", QStringLiteral("ヘルプ"), 100);
    connect(ok, &QPushButton::clicked, this, &TfrmEditSource::btnOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { desk_.showHelp(helpTopic_); });
}

void TfrmEditSource::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    memEditBuffer->setGeometry(MemoLeft, 12, width() - MemoLeft - 20, height() - 50);
}

std::optional<Lines> TfrmEditSource::editSource(const std::string& fileName, int helpTopic,
                                                const Lines& lines) {
    helpTopic_ = helpTopic;
    setWindowTitle(QStringLiteral("ソースの直接編集") + qsShown(fileName));
    setGeometry(desk_.mainGeometry());
    move(0, 0);
    memEditBuffer->setPlainText(qsLines(lines).join(QLatin1Char('\n')));
    memEditBuffer->moveCursor(QTextCursor::Start);
    memEditBuffer->setFocus();
    if (desk_.runModal(*this) != QDialog::Accepted) return std::nullopt;
    return sjLines(memEditBuffer->toPlainText());
}

void TfrmEditSource::btnOkClick() {
    const QStringList text = memEditBuffer->toPlainText().split(QLatin1Char('\n'));
    std::vector<std::string> utf8;
    utf8.reserve(static_cast<std::size_t>(text.size()));
    for (const QString& line : text)
        utf8.push_back(line.toStdString());
    if (const auto bad = FirstUnrepresentable(utf8)) {
        desk_.prompter().message(std::to_string(bad->line + 1) + J("行目：") +
                                 UnrepresentableText(*bad));
        QTextCursor at(memEditBuffer->document()->findBlockByNumber(bad->line));
        memEditBuffer->setTextCursor(at);
        memEditBuffer->setFocus();
        return;
    }
    accept();
}
