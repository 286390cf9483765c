// 自分のプリント in the practice window: the pupil opens the varied copy done on paper by
// the version code in its header, marks it on screen against that copy's own keys, and
// the record line names the version; a code that does not read changes nothing.
#include <QLineEdit>
#include <QPushButton>

#include "DeskFixture.h"
#include "ManualTimers.h"
#include "Program.h"
#include "gui/TfrmRenshu.h"
#include "gui/UiText.h"
#include "learners/RecordLine.h"
#include "qt/CanvasImages.h"
#include "qt/QtCanvas.h"
#include "shell/PracticeRecords.h"
#include "text/Profile.h"
#include "worksheet/VariedCopies.h"
#include "worksheet/Worksheet.h"
#include "worksheet/WorksheetDocument.h"

namespace {

constexpr std::uint64_t Seed = 4711;
constexpr int Copy = 7;

struct MyCopyDesk {
    DeskFixture f;
    FixedClock clock;
    ManualTimers timers;
    SeededRandomSource random{5};
    Worksheet* sheet = nullptr;

    MyCopyDesk() {
        f.platform = PlatformOverrides{&random, &timers, &clock};
        f.start();
        sheet = f.open(0, 0, 0); // 1次方程式 / 方程式の解き方 / (1) 等式の性質
    }
    Program& program() { return f.desk->program(); }
    template <class W> W* in(const char* name) {
        return DeskProbe::renshu(*f.desk)->findChild<W*>(QLatin1String(name));
    }
    // The keys of copy Copy, made here as the print job makes them.
    std::vector<CopyKey> copyKeys() {
        QImage page = makePageImage(sheet->paper.Width, sheet->paper.Height);
        QtCanvas canvas(page);
        const VariedCopy copy = MakeVariedCopy(program(), *sheet, canvas, Seed, Copy);
        Relayout(program(), *sheet);
        return KeysOf(copy.ques);
    }
    // 自分のプリント with code typed in the little dialog.
    void openMyCopy(const QString& code) {
        f.steps[QStringLiteral("dlgMyCopy")] = [code](QDialog& d) {
            // Typed through the input method: full-width characters come as text.
            d.findChild<QLineEdit*>(QStringLiteral("edtVersion"))->insert(code);
            d.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
        };
        in<QPushButton>("btnMyCopy")->click();
    }
    void type(int box, const QString& text) {
        QLineEdit* field = in<QLineEdit>(qPrintable(QStringLiteral("M%1").arg(box)));
        QVERIFY(field && field->isVisible());
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    std::vector<std::string> records() {
        const RecordPlace place = RecordPlaceOf(program(), *sheet);
        Profile file(program().platform.files, place.file);
        std::vector<std::string> lines;
        for (const std::string& key : file.keys(place.section))
            lines.push_back(file.readString(place.section, key, "?"));
        return lines;
    }
};

} // namespace

class MyCopyFlowTest : public QObject {
    Q_OBJECT
  private slots:
    void myCopyIsMarkedAgainstItsOwnKeysAndRecordedWithItsVersion() {
        MyCopyDesk d;
        QVERIFY(d.sheet);
        const Lines own = d.sheet->lstQues;
        const std::vector<CopyKey> keys = d.copyKeys();
        const std::vector<CopyKey> ownKeys = KeysOf(own);
        QCOMPARE(keys.size(), ownKeys.size());
        QVERIFY(keys.front().key != ownKeys.front().key); // the copy has numbers of its own
        bool firstRight = false, ownKeyWrong = false;
        QString title;
        d.f.steps[QStringLiteral("TfrmRenshu")] = [&](QDialog& w) {
            w.show();
            // As the pupil types it: lower-case, full-width hyphen.
            d.openMyCopy(QStringLiteral(" v4711－07 "));
            title = w.windowTitle();
            d.in<QPushButton>("btnRenshu")->click();
            // The original's key is wrong on this copy; the copy's own key is right.
            d.type(1, QString::fromStdString(sjis::toUtf8(ownKeys.front().key)));
            ownKeyWrong = d.in<QLineEdit>("M1")->isVisible();
            d.type(1, QString::fromStdString(sjis::toUtf8(keys.front().key)));
            const auto& run = static_cast<TfrmRenshu&>(w).state().run;
            // Right at the second try: the copy's key after the original's.
            firstRight = run.boxes[1].mark == boxmark::RightLater;
            for (std::size_t k = 2; k <= keys.size(); ++k)
                d.type(static_cast<int>(k), QString::fromStdString(sjis::toUtf8(keys[k - 1].key)));
            w.close();
        };
        d.f.find<QPushButton>("btnTest")->click();
        QVERIFY(ownKeyWrong);
        QVERIFY(firstRight);
        QVERIFY2(title.endsWith(QStringLiteral("V4711-07")), qPrintable(title));
        const std::vector<std::string> lines = d.records();
        QCOMPARE(lines.size(), std::size_t{1});
        const std::optional<RecordFields> read = ParseRecordLine(lines.front());
        QVERIFY2(read, lines.front().c_str());
        QCOMPARE(read->version, std::string("V4711-07"));
        QCOMPARE(read->tries, std::string("1") + std::string(keys.size() - 1, '0'));
        QCOMPARE(read->correct, static_cast<int>(keys.size()) - 1);
        const std::vector<std::string> messages = d.f.messages();
        QVERIFY(std::find(messages.begin(), messages.end(), "練習を終わりました") !=
                messages.end());
        // The worksheet has its own questions again.
        QCOMPARE(d.sheet->lstQues, own);
        QVERIFY(d.sheet->versionCode.empty());
        QVERIFY(!d.sheet->Modified);
    }

    void aCodeThatDoesNotReadChangesNothing() {
        for (const char* code : {"", "V4711", "V4711-0", "V4711-07x", "V-07", "V4711-12345",
                                 "V1234567890123456789-01"}) {
            MyCopyDesk d;
            QVERIFY(d.sheet);
            const Lines own = d.sheet->lstQues;
            Lines shown;
            d.f.steps[QStringLiteral("TfrmRenshu")] = [&](QDialog& w) {
                w.show();
                d.openMyCopy(QString::fromLatin1(code));
                shown = d.sheet->lstQues;
                w.close();
            };
            d.f.find<QPushButton>("btnTest")->click();
            QCOMPARE(shown, own);
            QCOMPARE(d.f.messages(), std::vector<std::string>{
                                         "プリントの番号が読めません。ヘッダーの番号（例 "
                                         "V20261208-07）を入力してください"});
        }
    }
};

QTEST_MAIN(MyCopyFlowTest)
#include "MyCopyFlowTest.moc"
