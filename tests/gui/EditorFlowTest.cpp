// The editors end to end on a copy of the bundled course: a unit edited and opened again,
// a similar question made with new numbers and found in the unit menu, a section and a
// unit added in the index editor and found in the unit menu, and a refused save that
// leaves the file and the memos as they were.
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <deque>

#include "DeskFixture.h"
#include "worksheet/Worksheet.h"

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QPlainTextEdit* memo(QDialog& d, const char* name) {
    return d.findChild<QPlainTextEdit*>(QLatin1String(name));
}

void click(QDialog& d, const char* name) {
    d.findChild<QPushButton*>(QLatin1String(name))->click();
}

QStringList items(QDialog& d, const char* list) {
    QStringList out;
    const QListWidget* l = d.findChild<QListWidget*>(QLatin1String(list));
    for (int i = 0; i < l->count(); ++i)
        out << l->item(i)->text();
    return out;
}

std::vector<std::string> utf8(const Lines& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines)
        out.push_back(sjis::toUtf8(l));
    return out;
}

} // namespace

class EditorFlowTest : public QObject {
    Q_OBJECT
  private slots:
    void anEditedUnitOpensAgainAsEdited() {
        DeskFixture f;
        Desk& desk = f.start();
        QVERIFY(f.open(0, 0, 0));
        f.steps[QStringLiteral("TfrmEditQues")] = [](QDialog& d) {
            memo(d, "MemQues")
                ->setPlainText(QStringLiteral("次の方程式を解きなさい。\n(1) 7x=14# x=2#"));
            click(d, "btnOk");
        };
        f.find<QPushButton>("btnEditMaster")->click();
        QCOMPARE(f.shown.back(), QStringLiteral("TfrmEditQues"));
        const WorksheetState& sheets = desk.program().sheets;
        QCOMPARE(sheets.count, 1);
        QVERIFY(sheets.current);
        QCOMPARE(utf8(sheets.current->lstQues),
                 (std::vector<std::string>{"次の方程式を解きなさい。", "(1) 7x=14# x=2#"}));
        QVERIFY(!sheets.current->Modified);
        QVERIFY(fileBytes(f.course + QStringLiteral("/Eq1/eq11.que"))
                    .contains(QByteArray("(1) 7x=14# x=2#\r\n")));
    }

    void aSimilarQuestionWithNewNumbersIsListedInTheUnitMenu() {
        DeskFixture f;
        Desk& desk = f.start();
        QVERIFY(f.open(0, 0, 2)); // かっこのある方程式: no similar question yet
        QStringList before, after;
        f.steps[QStringLiteral("TfrmEditQues")] = [&](QDialog& d) {
            before = memo(d, "MemQues")->toPlainText().split(QLatin1Char('\n'));
            click(d, "btnMakeRuidai");
            after = memo(d, "MemQues")->toPlainText().split(QLatin1Char('\n'));
            QCOMPARE(d.findChild<QLineEdit*>(QStringLiteral("edtLesson"))->text(),
                     QStringLiteral("1 1 3R1"));
            click(d, "btnOk");
        };
        f.find<QPushButton>("btnEditMaster")->click();
        // The new question is shown before it is saved, with other numbers in it.
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after.front(), before.front());
        QVERIFY(after != before);
        QVERIFY(f.messages().front().find("類題1を作りました") != std::string::npos);

        // It opens in a window of its own, beside the unit.
        QCOMPARE(desk.program().sheets.count, 2);
        QVERIFY(QString::fromStdString(desk.program().sheets.current->windowKey)
                    .endsWith(QStringLiteral("-U3R1")));

        QStringList similar;
        f.steps[QStringLiteral("TfrmMenu")] = [&](QDialog& d) {
            d.findChild<QListWidget*>(QStringLiteral("lstLesson"))->setCurrentRow(0);
            d.findChild<QListWidget*>(QStringLiteral("lstSection"))->setCurrentRow(0);
            d.findChild<QListWidget*>(QStringLiteral("lstUnit"))->setCurrentRow(2);
            similar = items(d, "lstRuidai");
        };
        f.find<QPushButton>("btnOpenMaster")->click();
        QCOMPARE(similar.size(), 1);
    }

    void valueQuestionsAndTheirSimilarQuestionSaveWithoutAWarning() {
        DeskFixture f;
        f.start();
        QVERIFY(f.open(0, 0, 2));
        QStringList made;
        f.steps[QStringLiteral("TfrmEditQues")] = [&](QDialog& d) {
            memo(d, "MemQues")
                ->setPlainText(QStringLiteral("@Bx=-2, y=3 のとき、次の式の値を求めなさい。\n"
                                              "(1) 3x+2y# 0#\n(2) 4x-y# -11#"));
            click(d, "btnMakeRuidai");
            made = memo(d, "MemQues")->toPlainText().split(QLatin1Char('\n'));
            click(d, "btnOk");
        };
        f.find<QPushButton>("btnEditMaster")->click();
        // Only the note of the new question: OK finds every key right.
        QCOMPARE(f.messages().size(), std::size_t{1});
        QVERIFY(f.messages().front().find("類題1を作りました") != std::string::npos);
        QCOMPARE(made.size(), 3);
        for (int k = 1; k < 3; ++k) {
            const QString key = made[k].section(QLatin1Char('#'), 1, 1).trimmed();
            bool number = false;
            key.toInt(&number);
            QVERIFY2(number, qPrintable(made[k]));
        }
        // Saved as similar question 1 with those keys.
        QVERIFY(fileBytes(f.course + QStringLiteral("/Eq1/eq11.que"))
                    .contains(made[1].toLatin1() + "\r\n"));
    }

    void aSectionAndAUnitAddedAreInTheUnitMenu() {
        DeskFixture f;
        f.start();
        std::deque<QString> typed = {QStringLiteral("関数の利用"),
                                     QStringLiteral("(1) 速さと時間")};
        f.steps[QStringLiteral("TfrmInputText")] = [&](QDialog& d) {
            d.findChild<QLineEdit*>(QStringLiteral("memInput"))->setText(typed.front());
            typed.pop_front();
            click(d, "btnOk");
        };
        f.steps[QStringLiteral("TfrmEditIndex")] = [&](QDialog& d) {
            click(d, "btnAdd");
            click(d, "btnAdd2");
            click(d, "btnOk");
        };
        f.menuItem(QStringLiteral("目次作成(&C)"))->trigger();
        QVERIFY(typed.empty());

        QStringList sections, units;
        f.steps[QStringLiteral("TfrmMenu")] = [&](QDialog& d) {
            d.findChild<QListWidget*>(QStringLiteral("lstLesson"))->setCurrentRow(0);
            auto* lstSection = d.findChild<QListWidget*>(QStringLiteral("lstSection"));
            sections = items(d, "lstSection");
            lstSection->setCurrentRow(lstSection->count() - 1);
            units = items(d, "lstUnit");
        };
        f.find<QPushButton>("btnOpenMaster")->click();
        QVERIFY(!sections.isEmpty());
        QVERIFY2(sections.back().contains(QStringLiteral("関数の利用")),
                 qPrintable(sections.join(QLatin1Char('|'))));
        QVERIFY2(!units.isEmpty() && units.back().contains(QStringLiteral("(1) 速さと時間")),
                 qPrintable(units.join(QLatin1Char('|'))));
    }

    void escapeWithUnsavedEditsAsksFirst() {
        DeskFixture f;
        Desk& desk = f.start();
        QVERIFY(f.open(0, 0, 0));
        const QString edited = QStringLiteral("問題\n(1) 9x=18# x=2#");
        QString kept;
        int resultAfterCancel = -1;
        f.steps[QStringLiteral("TfrmEditQues")] = [&](QDialog& d) {
            memo(d, "MemQues")->setPlainText(edited);
            f.prompter.answers = {answer::Cancel, answer::Yes};
            QTest::keyClick(memo(d, "MemQues"), Qt::Key_Escape); // kept open
            kept = memo(d, "MemQues")->toPlainText();
            resultAfterCancel = d.result();
            QTest::keyClick(memo(d, "MemQues"), Qt::Key_Escape); // saved
        };
        f.find<QPushButton>("btnEditMaster")->click();
        QCOMPARE(kept, edited);
        QCOMPARE(resultAfterCancel, int(QDialog::Rejected));
        QCOMPARE(f.messages(),
                 (std::vector<std::string>{"変更されたデータファイルを保存しますか？",
                                           "変更されたデータファイルを保存しますか？"}));
        QCOMPARE(utf8(desk.program().sheets.current->lstQues),
                 (std::vector<std::string>{"問題", "(1) 9x=18# x=2#"}));
    }

    void aRefusedSaveLeavesFileAndMemosAsTheyWere() {
        DeskFixture f;
        f.start();
        QVERIFY(f.open(0, 0, 0));
        const QString path = f.course + QStringLiteral("/Eq1/eq11.que");
        const QByteArray before = fileBytes(path);
        struct Case {
            QString ques;
            int caretLine;
            std::string said;
        };
        const std::vector<Case> cases = {
            {QStringLiteral("問題\n(1) 2x=6 # x=3"), 1, "2行目：＃の数は偶数にしてください"},
            {QStringLiteral("問題\n(1) 2x=6 # x=3 #\n(2) 答えは🍎# x=1#"), 2,
             "問題ブロック 3行目：文字 U+1F34E はシフトJISで保存できません"},
        };
        std::vector<QString> kept;
        std::vector<int> carets;
        bool accepted = false;
        f.steps[QStringLiteral("TfrmEditQues")] = [&](QDialog& d) {
            for (const Case& c : cases) {
                memo(d, "MemQues")->setPlainText(c.ques);
                click(d, "btnOk");
                kept.push_back(memo(d, "MemQues")->toPlainText());
                carets.push_back(memo(d, "MemQues")->textCursor().blockNumber());
                accepted = accepted || d.result() == QDialog::Accepted;
            }
            click(d, "btnCancel");
        };
        f.find<QPushButton>("btnEditMaster")->click();
        QVERIFY(!accepted);
        QCOMPARE(f.messages().size(), cases.size());
        for (std::size_t i = 0; i < cases.size(); ++i) {
            QCOMPARE(f.messages()[i], cases[i].said);
            QCOMPARE(kept[i], cases[i].ques);
            QCOMPARE(carets[i], cases[i].caretLine);
        }
        QCOMPARE(fileBytes(path), before);
    }
};

QTEST_MAIN(EditorFlowTest)
#include "EditorFlowTest.moc"
