// Saving from the windows on a copy of the bundled course: 上書き保存 changes the one value
// the teacher changed and no other byte, a full disk keeps the old file and says so (with
// the system's reason), 名前を付けて保存 asks once before replacing a file, and a unit file
// that is a link out of the course is refused.
#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include "DeskFixture.h"
#include "FullDisk.h"
#include "Program.h"
#include "qt/QtFiles.h"

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The core path of a file of the course copy, as messages name it.
std::string corePath(const QString& native) {
    return sjis::toUtf8(QtFiles::toCorePath(native).value());
}

} // namespace

class SaveFlowTest : public QObject {
    Q_OBJECT
  private slots:
    void overwriteChangesOnlyWhatChangedAndAFullDiskKeepsTheFile() {
        DeskFixture f;
        Desk& desk = f.start();
        // Unit 4 of lesson 2, section 2: answer groups, soft keyboard, dummies and a hint.
        f.steps[QStringLiteral("TfrmMenu")] = chooseUnit(1, 1, 3);
        f.find<QPushButton>("btnOpenMaster")->click();
        Worksheet& sheet = *desk.program().sheets.current;
        const QString que = f.course + QStringLiteral("/Eq2/eq22.que");
        const QByteArray before = readAll(que);
        QVERIFY(before.contains("<<softkey\r\n"));
        f.find<QSpinBox>("spnGyouSpace")->setValue(45);

        auto save = [&] {
            f.find<QPushButton>("btnSave")->click();
            f.find<QPushButton>("btnSaveMaster")->click();
        };
        {
            FullDisk full(64);
            save();
        }
        QCOMPARE(readAll(que), before);
        QVERIFY(sheet.Modified);
        QCOMPARE(f.messages(), std::vector<std::string>{corePath(que) + "の保存に失敗しました: " +
                                                        std::strerror(EFBIG)});
        QCOMPARE(QDir(f.course + QStringLiteral("/Eq2")).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"eq2.ind", "eq21.que", "eq22.que"}));

        save();
        QVERIFY(!sheet.Modified);
        QByteArray expected = before;
        const QByteArray value = "<<value\r\n630\r\nFalse\r\n44\r\n";
        const qsizetype at = before.indexOf(value, before.indexOf("[[unit4\r\n"));
        QVERIFY(at > 0);
        expected.replace(at, value.size(), "<<value\r\n630\r\nTrue\r\n45\r\n");
        QCOMPARE(readAll(que), expected);
    }

    void saveAsAsksOnceAndAFullDiskKeepsTheOldWorksheet() {
        DeskFixture f;
        Desk& desk = f.start();
        const Program& p = desk.program();
        f.steps[QStringLiteral("TfrmMenu")] = chooseUnit(0, 0, 2);
        f.find<QPushButton>("btnOpenMaster")->click();
        const std::string key = p.sheets.current->windowKey;
        const QString old = f.course + QStringLiteral("/Eq1/2026.12.07.prp");
        {
            QFile file(old);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("yesterday's worksheet");
        }
        auto saveAs = [&](const QString& name) {
            f.fileDialogs.saves = {name};
            f.find<QPushButton>("btnSave")->click();
            f.find<QPushButton>("btnSaveCopy")->click();
        };
        {
            FullDisk full(64);
            saveAs(old);
        }
        const std::string asked = "ファイル" + corePath(old) + "を上書きしてもいいですか？";
        QCOMPARE(f.messages(),
                 (std::vector<std::string>{
                     asked, corePath(old) + "の保存に失敗しました: " + std::strerror(EFBIG)}));
        QCOMPARE(readAll(old), QByteArray("yesterday's worksheet"));
        QCOMPARE(p.sheets.current->windowKey, key);

        // With room, a name with dots in it is a worksheet file like any other.
        f.prompter.messages.clear();
        saveAs(old);
        QCOMPARE(f.messages(), std::vector<std::string>{asked});
        QVERIFY(readAll(old).startsWith("[[unitX\r\n"));
        QCOMPARE(sjis::toUtf8(p.sheets.current->windowKey), corePath(old));
    }

    // The platform's save dialog leaves the question about an existing file to the save.
    void theSaveDialogAsksNothingItself() {
        QTemporaryDir tmp;
        const QString existing = tmp.filePath(QStringLiteral("old.prp"));
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        bool askedAgain = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->selectFile(existing);
            // A question of its own would stand in front now; answer it to go on.
            QTimer::singleShot(300, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    askedAgain = true;
                    box->accept();
                }
            });
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        QTimer::singleShot(10000, [] {
            if (QWidget* w = QApplication::activeModalWidget()) w->close(); // never hang
        });
        RealFileDialogs dialogs;
        const auto chosen =
            dialogs.saveFileName(nullptr, QStringLiteral("名前を付けて保存"), tmp.path(),
                                 QStringLiteral("ワークシート (*.prp)"));
        QVERIFY(!askedAgain);
        QCOMPARE(chosen.value_or(QString()), existing);
    }

    void aUnitFileLinkedFromOutsideTheCourseIsRefused() {
        DeskFixture f;
        const QString que = f.course + QStringLiteral("/Eq2/eq22.que");
        const QString outside = f.temp.filePath(QStringLiteral("elsewhere.que"));
        QVERIFY(QFile::rename(que, outside));
        QVERIFY(QFile::link(outside, que));
        Desk& desk = f.start();
        f.steps[QStringLiteral("TfrmMenu")] = chooseUnit(1, 1, 3);
        f.find<QPushButton>("btnOpenMaster")->click();
        QCOMPARE(desk.program().sheets.count, 0);
        // Said once, and nothing offers to create the unit.
        QCOMPARE(f.messages(),
                 std::vector<std::string>{corePath(que) + ":コースのフォルダの外を指しています"});
    }
};

QTEST_MAIN(SaveFlowTest)
#include "SaveFlowTest.moc"
