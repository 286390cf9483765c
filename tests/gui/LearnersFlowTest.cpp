// Learners at the windows on a copy of the bundled course: a new learner logs on and sets
// a password that is stored only as its hash, a wrong password is refused and the right one
// taken, names that cannot name a file are refused with nothing written, and the records
// window lists, charts, erases and exports the learner's records.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "DeskFixture.h"
#include "gui/ScoreChart.h"
#include "gui/TfrmInputName.h"
#include "gui/TfrmKiroku.h"
#include "learners/Passwords.h"
#include "qt/QtFiles.h"
#include "text/Profile.h"

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeSjis(const QString& path, const QString& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    const std::string bytes = sjis::fromUtf8(text.toStdString());
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

QString utf8(const QByteArray& sjisBytes) {
    return QString::fromStdString(sjis::toUtf8(sjisBytes.toStdString()));
}

template <class W> W* in(QDialog& d, const char* name) {
    W* w = d.findChild<W*>(QLatin1String(name));
    if (!w) qWarning("no %s", name);
    return w;
}

// The log-on dialog's user: types name and presses OK.
std::function<void(QDialog&)> typeName(const QString& name) {
    return [=](QDialog& d) {
        in<QLineEdit>(d, "edtName")->setText(name);
        in<QPushButton>(d, "btnOk")->click();
    };
}

// The password dialog's user: types each password in turn (and the confirmation, when the
// field is there) and presses OK, until the dialog accepts.
std::function<void(QDialog&)> typePasswords(QStringList tries, QStringList* prompts = nullptr) {
    return [=](QDialog& d) {
        if (prompts)
            *prompts << in<QLabel>(d, "lblMess")->text() + "/" + in<QLabel>(d, "lblPW")->text();
        for (const QString& pw : tries) {
            in<QLineEdit>(d, "mskPW")->setText(pw);
            in<QLineEdit>(d, "mskPW2")->setText(pw);
            in<QPushButton>(d, "btnOk")->click();
            if (d.result() == QDialog::Accepted) return;
        }
    };
}

// A results line as the practice window writes it, on day d of March 2005.
QString recordLine(int day, int correct, int total) {
    return QStringLiteral("2005年03月%1日 09:05 [11] %2/%3 %4点 01:32")
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(correct, 2)
        .arg(total, 2)
        .arg(correct * 100 / total, 3);
}

} // namespace

class LearnersFlowTest : public QObject {
    Q_OBJECT
  private slots:
    void aNewLearnerSetsAPasswordKeptAsItsHashAndMustTypeItAgain() {
        DeskFixture f;
        f.start();
        const QString roster = f.course + QStringLiteral("/LogOn/sname.txt");
        const QString taroFile = f.course + QStringLiteral("/Eq1/taro.ini");
        QStringList prompts;
        f.steps[QStringLiteral("TfrmInputName")] = typeName(QStringLiteral("　taro "));
        f.steps[QStringLiteral("TfrmPassword")] =
            typePasswords({QStringLiteral("abc"), QStringLiteral("secret1")}, &prompts);
        f.find<QPushButton>("btnLogOn")->click();
        QCOMPARE(f.find<QLineEdit>("edtLogOnName")->text(), QStringLiteral("taro"));
        QCOMPARE(f.stored("LogOnName").toString(), QStringLiteral("taro"));
        QVERIFY(
            utf8(readAll(roster)).split(QStringLiteral("\r\n")).contains(QStringLiteral("taro")));
        const QByteArray stored = readAll(taroFile);
        QVERIFY2(stored.contains("pw=$argon2id$"), stored.constData());
        QVERIFY(!stored.contains("secret1"));
        QCOMPARE(f.messages(), std::vector<std::string>{"４文字以上にしてください"});
        QCOMPARE(prompts,
                 QStringList{QStringLiteral("ようこそtaroさん/新規パスワードを設定してください")});

        // Back to the shared learner, then taro again: a wrong password first.
        f.steps[QStringLiteral("TfrmInputName")] = typeName(QStringLiteral("共通"));
        f.find<QPushButton>("btnLogOn")->click();
        QCOMPARE(f.find<QLineEdit>("edtLogOnName")->text(), QStringLiteral("共通"));
        f.prompter.messages.clear();
        prompts.clear();
        f.steps[QStringLiteral("TfrmInputName")] = typeName(QStringLiteral("taro"));
        f.steps[QStringLiteral("TfrmPassword")] =
            typePasswords({QStringLiteral("secret2"), QStringLiteral("secret1")}, &prompts);
        f.find<QPushButton>("btnLogOn")->click();
        QCOMPARE(f.messages(), std::vector<std::string>{"パスワードを正しく入力してください"});
        QCOMPARE(prompts,
                 QStringList{QStringLiteral("ようこそtaroさん/パスワードを入力してください")});
        QCOMPARE(f.find<QLineEdit>("edtLogOnName")->text(), QStringLiteral("taro"));
        QCOMPARE(readAll(taroFile), stored); // verifying writes nothing

        // Cancelling the password keeps the learner logged on before.
        f.steps[QStringLiteral("TfrmInputName")] = typeName(QStringLiteral("共通"));
        f.find<QPushButton>("btnLogOn")->click();
        f.steps[QStringLiteral("TfrmInputName")] = typeName(QStringLiteral("taro"));
        f.steps.erase(QStringLiteral("TfrmPassword"));
        f.find<QPushButton>("btnLogOn")->click();
        QCOMPARE(f.find<QLineEdit>("edtLogOnName")->text(), QStringLiteral("共通"));
        QCOMPARE(f.stored("LogOnName").toString(), QStringLiteral("共通"));
    }

    // Pupil A's dialog offers hanako a new password; meanwhile pupil B sets one. A's OK
    // keeps B's password, tells A so and asks for the password that is set.
    void aFirstPasswordSetMeanwhileIsKeptAndAskedFor() {
        DeskFixture f;
        f.start();
        const QString hanakoFile = f.course + QStringLiteral("/Eq1/hanako.ini");
        QStringList seen;
        f.steps[QStringLiteral("TfrmInputName")] = typeName(QStringLiteral("hanako"));
        f.steps[QStringLiteral("TfrmPassword")] = [&](QDialog& d) {
            QtFiles other;
            const PasswordPrompt b{"hanako", *QtFiles::toCorePath(hanakoFile), NoPassword};
            QVERIFY(
                ConfirmPassword(other, b, TypedFromUtf8("bbbb"), TypedFromUtf8("bbbb")).accepted);
            in<QLineEdit>(d, "mskPW")->setText(QStringLiteral("aaaa"));
            in<QLineEdit>(d, "mskPW2")->setText(QStringLiteral("aaaa"));
            in<QPushButton>(d, "btnOk")->click();
            seen << in<QLabel>(d, "lblPW")->text()
                 << (in<QLineEdit>(d, "mskPW2")->isHidden() ? QStringLiteral("one field")
                                                            : QStringLiteral("two fields"));
            in<QLineEdit>(d, "mskPW")->setText(QStringLiteral("aaaa"));
            in<QPushButton>(d, "btnOk")->click();
            in<QLineEdit>(d, "mskPW")->setText(QStringLiteral("bbbb"));
            in<QPushButton>(d, "btnOk")->click();
        };
        f.find<QPushButton>("btnLogOn")->click();
        QCOMPARE(seen, (QStringList{QStringLiteral("パスワードを入力してください"),
                                    QStringLiteral("one field")}));
        QCOMPARE(f.messages(),
                 (std::vector<std::string>{
                     "この名前のパスワードは、たった今ほかの画面で設定されました。\r\n"
                     "自分の名前であれば、そのパスワードを入力してください。",
                     "パスワードを正しく入力してください"}));
        QCOMPARE(f.find<QLineEdit>("edtLogOnName")->text(), QStringLiteral("hanako"));
        QtFiles files;
        const std::string pw =
            Profile(files, *QtFiles::toCorePath(hanakoFile)).readString("password", "pw", "?");
        QVERIFY(PasswordMatches(pw, "bbbb"));
    }

    // A planted hash that would cost a gigabyte is not verified: the log-on says the entry
    // is damaged and what the teacher does, and opens no password dialog.
    void aPlantedPasswordHashIsSaidAsDamaged() {
        DeskFixture f;
        f.start();
        writeSjis(f.course + QStringLiteral("/Eq1/jiro.ini"),
                  QStringLiteral("[password]\r\npw=$argon2id$v=19$m=1048576,t=3,p=1$"
                                 "c2FsdHNhbHRzYWx0c2Fs$aGFzaGhhc2hoYXNoaGFzaGhhc2hoYXNoaGFzaGhhc2g"
                                 "\r\n"));
        bool asked = false;
        f.steps[QStringLiteral("TfrmInputName")] = [&](QDialog& d) {
            typeName(QStringLiteral("jiro"))(d);
            in<QPushButton>(d, "btnCancel")->click();
        };
        f.steps[QStringLiteral("TfrmPassword")] = [&](QDialog& d) {
            asked = true;
            d.reject();
        };
        f.find<QPushButton>("btnLogOn")->click();
        QVERIFY(!asked);
        QCOMPARE(f.messages().size(), std::size_t(1));
        QVERIFY2(f.messages()[0].find("パスワードの記録が壊れているため、ログオンできません。") ==
                     0,
                 f.messages()[0].c_str());
        QVERIFY(f.messages()[0].find("Eq1/jiro.ini の [password] の pw= の行を消す") !=
                    std::string::npos ||
                f.messages()[0].find("Eq1\\jiro.ini の [password] の pw= の行を消す") !=
                    std::string::npos);
        QCOMPARE(f.find<QLineEdit>("edtLogOnName")->text(), QStringLiteral("共通"));
    }

    void namesThatCannotNameAFileAreRefusedAndNothingIsWritten() {
        DeskFixture f;
        f.start();
        const QString roster = f.course + QStringLiteral("/LogOn/sname.txt");
        const QByteArray before = readAll(roster);
        const QStringList eq1 =
            QDir(f.course + QStringLiteral("/Eq1")).entryList(QDir::Files | QDir::Hidden);
        const char* names[] = {"a/b", "..", "..\\x", "CON", "who?", "　 \t", "a\tb"};
        for (const char* name : names) {
            f.prompter.messages.clear();
            f.shown.clear();
            f.steps[QStringLiteral("TfrmInputName")] = typeName(QString::fromUtf8(name));
            f.find<QPushButton>("btnLogOn")->click();
            QCOMPARE(f.messages().size(), std::size_t(1));
            QVERIFY2(f.messages()[0].starts_with("この名前は使えません"), name);
            QCOMPARE(f.shown, std::vector<QString>{QStringLiteral("TfrmInputName")});
            QCOMPARE(readAll(roster), before);
            QCOMPARE(f.find<QLineEdit>("edtLogOnName")->text(), QStringLiteral("共通"));
        }
        QCOMPARE(QDir(f.course + QStringLiteral("/Eq1")).entryList(QDir::Files | QDir::Hidden),
                 eq1);

        // Enter twice in the name field logs the shared learner on once and closes.
        f.steps[QStringLiteral("TfrmInputName")] = [](QDialog& d) {
            d.show();
            auto* name = in<QLineEdit>(d, "edtName");
            name->setText(QStringLiteral("hanako"));
            name->setText(QStringLiteral("共通"));
            QTest::keyClick(name, Qt::Key_Return);
            QTest::keyClick(name, Qt::Key_Return);
        };
        f.shown.clear();
        f.prompter.messages.clear();
        f.find<QPushButton>("btnLogOn")->click();
        QCOMPARE(f.shown, std::vector<QString>{QStringLiteral("TfrmInputName")});
        QVERIFY(f.messages().empty());
        QVERIFY(DeskProbe::inputName(*f.desk)->isHidden());
        QCOMPARE(DeskProbe::inputName(*f.desk)->result(), int(QDialog::Accepted));
    }

    void theRecordsWindowListsChartsErasesAndExports() {
        DeskFixture f;
        f.start();
        const QString file = f.course + QStringLiteral("/Eq1/共通.ini");
        QString text = QStringLiteral("[password]\r\npw=?\r\n[S11(1) 等式の性質]\r\n");
        for (int i = 1; i <= 3; ++i)
            text += QString::number(i) + "=" + recordLine(i * 3, 4 + 2 * i, 10) + "\r\n";
        text += QStringLiteral("[S12(2) 移項]\r\n");
        for (int i = 1; i <= 12; ++i)
            text += QString::number(i) + "=" + recordLine(i, 10, 10) + "\r\n";
        writeSjis(file, text);

        QStringList units, unitsAfter, listed, listedAfter, details;
        QString spoken;
        std::vector<QPointF> points;
        QImage chart;
        const QString csv = f.temp.filePath(QStringLiteral("records.csv"));
        f.fileDialogs.saves.push_back(csv);
        f.steps[QStringLiteral("TfrmKiroku")] = [&](QDialog& d) {
            auto* list = in<QListWidget>(d, "lstTitle");
            for (int i = 0; i < list->count(); ++i)
                listed << list->item(i)->text();
            list->setCurrentRow(1); // S11: three runs
            details << in<QPlainTextEdit>(d, "memDetail")->toPlainText();
            auto* scores = d.findChild<ScoreChart*>();
            chart = scores->grab().toImage(); // laid out as the window lays it out
            for (const ScorePoint& run : scores->runs())
                points.push_back(scores->pointOf(run));
            list->setCurrentRow(0); // a block title
            details << in<QPlainTextEdit>(d, "memDetail")->toPlainText();
            in<QPushButton>(d, "btnExport")->click();
            // Nothing selected, then S11 and S12 selected while S13 has the focus.
            list->clearSelection();
            in<QPushButton>(d, "btnErase")->click();
            list->item(1)->setSelected(true);
            list->item(2)->setSelected(true);
            list->setCurrentRow(3, QItemSelectionModel::NoUpdate);
            f.prompter.answers = {answer::Yes};
            in<QPushButton>(d, "btnErase")->click();
            for (int i = 0; i < list->count(); ++i)
                listedAfter << list->item(i)->text();
            in<QPushButton>(d, "btnReturn")->click();
        };
        f.steps[QStringLiteral("TfrmMenu")] = [&](QDialog& d) {
            in<QListWidget>(d, "lstLesson")->setCurrentRow(0);
            in<QListWidget>(d, "lstSection")->setCurrentRow(0);
            auto* unitList = in<QListWidget>(d, "lstUnit");
            for (int i = 0; i < 3; ++i)
                units << unitList->item(i)->text();
            spoken = unitList->item(2)->data(Qt::AccessibleTextRole).toString();
            in<QPushButton>(d, "btnShowRecord")->click();
            for (int i = 0; i < 3; ++i)
                unitsAfter << unitList->item(i)->text();
        };
        f.find<QPushButton>("btnOpenMaster")->click();

        QVERIFY(units[0].contains(QStringLiteral("[3]")) &&
                units[1].contains(QStringLiteral("[12]")));
        QVERIFY(units[2].contains(QStringLiteral("[ ]")));
        // What to practise next follows each unit in words: the unit never practised says
        // so, the two last scored 100 say nothing; after the erase all three are new again.
        QVERIFY2(units[2].endsWith(QStringLiteral("　未")), qPrintable(units[2]));
        QVERIFY(!units[0].contains(QStringLiteral("未")) && !units[1].contains(QStringLiteral("要")));
        QVERIFY2(spoken.endsWith(QStringLiteral("かっこのある方程式 未")), qPrintable(spoken));
        QCOMPARE(listed.mid(0, 4), (QStringList{QStringLiteral("方程式の解き方"),
                                                QStringLiteral("03回S11(1) 等式の性質"),
                                                QStringLiteral("12回S12(2) 移項"),
                                                QStringLiteral("  回S13(3) かっこのある方程式")}));
        QCOMPARE(details[0].split('\n').size(), 3);
        QVERIFY(details[0].startsWith(recordLine(3, 6, 10)));
        QCOMPARE(details[1], QStringLiteral("練習の記録はありません"));
        // The chart: three runs rising from left to right, drawn where they are.
        QCOMPARE(points.size(), std::size_t(3));
        QVERIFY(points[0].x() < points[1].x() && points[1].x() < points[2].x());
        QVERIFY(points[0].y() > points[1].y() && points[1].y() > points[2].y());
        for (const QPointF& p : points) {
            const QColor ink = chart.pixelColor(p.toPoint());
            QVERIFY2(ink.blue() > 100 && ink.red() < 80, qPrintable(ink.name()));
        }
        // The erase asked by name, once nothing and once two were selected.
        QCOMPARE(f.messages().at(0), std::string("消去する単元を選んでください"));
        QCOMPARE(
            listedAfter.mid(1, 3),
            (QStringList{QStringLiteral("  回S11(1) 等式の性質"), QStringLiteral("  回S12(2) 移項"),
                         QStringLiteral("  回S13(3) かっこのある方程式")}));
        const QString left = utf8(readAll(file));
        QVERIFY(!left.contains(QStringLiteral("S11")) && !left.contains(QStringLiteral("S12")));
        QVERIFY(left.contains(QStringLiteral("[password]")));
        QVERIFY(unitsAfter[0].contains(QStringLiteral("[ ]")) &&
                unitsAfter[1].contains(QStringLiteral("[ ]")));
        QVERIFY(unitsAfter[0].endsWith(QStringLiteral("　未")) &&
                unitsAfter[1].endsWith(QStringLiteral("　未")));
        // The CSV holds the fifteen runs as they were before the erase.
        const QStringList rows =
            QString::fromUtf8(readAll(csv)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 16);
        QVERIFY(rows[0].startsWith(QStringLiteral("learner,lesson,key,unit,")));
        QVERIFY(rows[1].startsWith(QStringLiteral(
            "共通,1,S11(1) 等式の性質,(1) 等式の性質,0,2005-03-03,09:05,11,6,10,60,92")));
    }
};

QTEST_MAIN(LearnersFlowTest)
#include "LearnersFlowTest.moc"
