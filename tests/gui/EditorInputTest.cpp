// What a teacher types or pastes into the editors, on a copy of the bundled course: a
// paste with line breaks into a one-line field, and characters the Shift-JIS file would
// keep only as look-alikes, are refused with a message before anything is written; the
// help of an editor comes up over it; the question editor shows its unit again after a
// direct edit.
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QWindow>

#include "DeskFixture.h"
#include "gui/TfrmEditIndex.h"
#include "gui/TfrmEditSource.h"
#include "gui/TfrmHelp.h"

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void click(QDialog& d, const char* name) {
    d.findChild<QPushButton*>(QLatin1String(name))->click();
}

template <class W> W* in(QDialog& d, const char* name) {
    return d.findChild<W*>(QLatin1String(name));
}

// The dialog shown as the program shows it: modal, over the main window.
void showModal(QDialog& d) {
    d.setWindowModality(Qt::ApplicationModal);
    d.show();
    QCoreApplication::processEvents();
}

QString helpText(Desk& desk) {
    return DeskProbe::help(desk)
        ->findChild<QTextBrowser*>(QStringLiteral("txtHelp"))
        ->toPlainText();
}

const QString Paste = QStringLiteral("(3) 新単元\n>>\n]]\n[[sect9\n偽の節\n<<\n(1) 偽\n>>\n]]");

} // namespace

class EditorInputTest : public QObject {
    Q_OBJECT
  private slots:
    void aPasteWithLineBreaksIsRefusedInEveryOneLineField() {
        DeskFixture f;
        f.start();
        const QString index = f.course + QStringLiteral("/Eq1/eq1.ind");
        const QByteArray before = fileBytes(index);
        // 追加 and 変更 of a section and of a unit, each given the pasted text, then the
        // title given it and OK pressed.
        QStringList inputs;
        int refusedInputs = 0;
        f.steps[QStringLiteral("TfrmInputText")] = [&](QDialog& d) {
            auto* input = in<QLineEdit>(d, "memInput");
            input->selectAll();
            input->insert(Paste);
            inputs << input->text();
            click(d, "btnOk");
            if (d.result() != QDialog::Accepted) ++refusedInputs;
        };
        bool accepted = true;
        f.steps[QStringLiteral("TfrmEditIndex")] = [&](QDialog& d) {
            for (const char* button : {"btnAdd", "btnChange", "btnAdd2", "btnChange2"})
                click(d, button);
            auto* title = in<QLineEdit>(d, "edtMainTitle");
            title->selectAll();
            title->insert(Paste);
            emit title->textEdited(title->text());
            click(d, "btnOk");
            accepted = d.result() == QDialog::Accepted;
        };
        f.menuItem(QStringLiteral("目次作成(&C)"))->trigger();
        QCOMPARE(inputs.size(), 4);
        QVERIFY(!accepted);
        QCOMPARE(fileBytes(index), before);
        // Every refusal said why; whatever the field kept of the paste never became lines.
        const std::vector<std::string> said = f.messages();
        QVERIFY(!said.empty());
        for (const std::string& m : said)
            QVERIFY2(m.find("改行") != std::string::npos, m.c_str());
        QVERIFY(refusedInputs == 4 || inputs.filter(QStringLiteral("\n")).isEmpty());
        QVERIFY(said.back().rfind("タイトル：", 0) == 0);
    }

    void lookAlikeCharactersAreNamedAndNothingIsSaved() {
        DeskFixture f;
        f.start();
        const QString index = f.course + QStringLiteral("/Eq1/eq1.ind");
        const QByteArray indexBefore = fileBytes(index);
        // The section name input and the source editor of the index file.
        bool inputAccepted = true, sourceAccepted = true;
        f.steps[QStringLiteral("TfrmInputText")] = [&](QDialog& d) {
            in<QLineEdit>(d, "memInput")->setText(QStringLiteral("正の数−負の数"));
            click(d, "btnOk");
            inputAccepted = d.result() == QDialog::Accepted;
        };
        f.steps[QStringLiteral("TfrmEditSource")] = [&](QDialog& d) {
            in<QPlainTextEdit>(d, "memEditBuffer")->setPlainText(QStringLiteral("題\n1〜5"));
            click(d, "btnOk");
            sourceAccepted = d.result() == QDialog::Accepted;
        };
        f.steps[QStringLiteral("TfrmEditIndex")] = [&](QDialog& d) {
            click(d, "btnAdd");
            click(d, "btnEditDirect");
            click(d, "btnClose");
        };
        f.menuItem(QStringLiteral("目次作成(&C)"))->trigger();
        QVERIFY(!inputAccepted && !sourceAccepted);
        QCOMPARE(f.messages(),
                 (std::vector<std::string>{
                     "文字 U+2212 は保存すると「－」(U+FF0D) に変わります。「－」と書いてください",
                     "2行目：文字 U+301C は保存すると「～」(U+FF5E) に変わります。"
                     "「～」と書いてください"}));
        QCOMPARE(fileBytes(index), indexBefore);

        // The question editor: "¥" typed for the division sign.
        f.prompter.messages.clear();
        QVERIFY(f.open(0, 0, 0));
        const QString que = f.course + QStringLiteral("/Eq1/eq11.que");
        const QByteArray before = fileBytes(que);
        int caret = -1;
        f.steps[QStringLiteral("TfrmEditQues")] = [&](QDialog& d) {
            in<QPlainTextEdit>(d, "memHint")->setPlainText(QStringLiteral("ヒント\n6¥2 と 3－1"));
            click(d, "btnOk");
            caret = in<QPlainTextEdit>(d, "memHint")->textCursor().blockNumber();
            click(d, "btnCancel");
        };
        f.find<QPushButton>("btnEditMaster")->click();
        QCOMPARE(f.messages(),
                 (std::vector<std::string>{"ヒントブロック 2行目：文字 U+00A5 は保存すると「\\」"
                                           "(U+005C) に変わります。「\\」と書いてください"}));
        QCOMPARE(caret, 1);
        QCOMPARE(fileBytes(que), before);
    }

    void helpOfAnEditorComesUpOverIt() {
        DeskFixture f;
        Desk& desk = f.start();
        QWidget* owner = nullptr;
        QWindow* transient = nullptr;
        bool ownWindow = false;
        QString page, sourcePage;
        QWidget* sourceOwner = nullptr;
        f.steps[QStringLiteral("TfrmEditSource")] = [&](QDialog& d) {
            showModal(d);
            click(d, "btnHelp");
            sourceOwner = DeskProbe::help(desk)->parentWidget() == &d ? &d : nullptr;
            sourcePage = helpText(desk);
            d.hide();
        };
        f.steps[QStringLiteral("TfrmEditIndex")] = [&](QDialog& d) {
            showModal(d);
            QCOMPARE(QApplication::activeModalWidget(), &d);
            click(d, "btnHelp");
            owner = DeskProbe::help(desk)->parentWidget();
            ownWindow = DeskProbe::help(desk)->isVisible() && DeskProbe::help(desk)->isWindow();
            transient = DeskProbe::help(desk)->windowHandle()
                            ? DeskProbe::help(desk)->windowHandle()->transientParent()
                            : nullptr;
            page = helpText(desk);
            click(d, "btnEditDirect");
            d.hide();
        };
        f.menuItem(QStringLiteral("目次作成(&C)"))->trigger();
        QVERIFY(ownWindow);
        QCOMPARE(owner, static_cast<QWidget*>(DeskProbe::editIndex(desk)));
        QCOMPARE(transient, DeskProbe::editIndex(desk)->windowHandle());
        QVERIFY(page.contains(QStringLiteral("主メニュー")));
        QVERIFY(!page.contains(QStringLiteral("まだ使えません")));
        QCOMPARE(sourceOwner, static_cast<QWidget*>(DeskProbe::editSource(desk)));
        QVERIFY(sourcePage.contains(QStringLiteral("課のインデックスファイルの書き方")));
        // With no editor open, the help belongs to the main window again.
        desk.showHelp(0);
        QCOMPARE(DeskProbe::help(desk)->parentWidget(),
                 static_cast<QWidget*>(DeskProbe::main(desk)));
    }

    void theUnitNameIsShownAgainAfterADirectEdit() {
        DeskFixture f;
        f.start();
        QVERIFY(f.open(0, 0, 1));
        QString before, after;
        f.steps[QStringLiteral("TfrmEditSource")] = [](QDialog& d) { click(d, "btnOk"); };
        f.steps[QStringLiteral("TfrmEditQues")] = [&](QDialog& d) {
            before = in<QLineEdit>(d, "edtTangen")->text();
            click(d, "btnEditDirect");
            after = in<QLineEdit>(d, "edtTangen")->text();
            click(d, "btnCancel");
        };
        f.find<QPushButton>("btnEditMaster")->click();
        QVERIFY(before.contains(QStringLiteral("移項")));
        QCOMPARE(after, before);
    }
};

QTEST_MAIN(EditorInputTest)
#include "EditorInputTest.moc"
