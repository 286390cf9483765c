// The practice window end to end on unit 1.1.1 of the bundled course: a practice run with
// one wrong first answer, a test with an empty box and 採点 pressed twice, the review of
// that box, and a run closed half-way. What the pupil leaves behind is checked where it
// lands: the line in the learner file, the score on the page, the messages.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "DeskFixture.h"
#include "ManualTimers.h"
#include "Program.h"
#include "gui/MessagePicture.h"
#include "gui/TfrmRenshu.h"
#include "gui/TfrmZenSeikai.h"
#include "gui/UiText.h"
#include "shell/PracticeRecords.h"
#include "text/Profile.h"
#include "worksheet/Worksheet.h"

namespace {

// A desk on the course copy whose clock, timers and random numbers the test holds.
struct PracticeDesk {
    DeskFixture f;
    FixedClock clock;
    ManualTimers timers;
    SeededRandomSource random{11};
    Worksheet* sheet = nullptr;

    // 1次方程式 / 方程式の解き方 / (1) 等式の性質 unless told otherwise.
    explicit PracticeDesk(int lesson = 0, int section = 0, int unit = 0) {
        f.platform = PlatformOverrides{&random, &timers, &clock};
        f.start();
        sheet = f.open(lesson, section, unit);
    }
    Program& program() { return f.desk->program(); }
    TfrmRenshu& window() { return *DeskProbe::renshu(*f.desk); }
    template <class W> W* in(const char* name) {
        return window().findChild<W*>(QLatin1String(name));
    }
    QLineEdit* field(int box) { return in<QLineEdit>(qPrintable(QStringLiteral("M%1").arg(box))); }
    int boxes() const { return f.desk->program().sheets.current->layout.kranCount; }
    // The first answer the box accepts, as the unit stores it.
    QString answer(int box) {
        const std::string& stored =
            program().sheets.current->layout.KranTable[static_cast<std::size_t>(box)].answerText;
        return qs(stored.substr(0, stored.find(';'))).trimmed();
    }
    void type(int box, const QString& text) {
        QLineEdit* f = field(box);
        QVERIFY(f && f->isVisible());
        f->selectAll();
        QTest::keyClicks(f, text);
        QTest::keyClick(f, Qt::Key_Return);
    }
    // Runs the window through 学習 with what the pupil does in it.
    void study(std::function<void(TfrmRenshu&)> pupil) {
        f.steps[QStringLiteral("TfrmRenshu")] = [pupil](QDialog& d) {
            d.show();
            pupil(static_cast<TfrmRenshu&>(d));
            d.close();
        };
        f.find<QPushButton>("btnTest")->click();
    }
    // What a message picture says, as the pupil reads it.
    QString said(const char* picture) { return in<MessagePicture>(picture)->writtenText(); }
    // A mouse click on the item of the answer-choice list reading text.
    bool pick(const QString& text) {
        QListWidget* list = in<QListWidget>("lstKgroup");
        const auto items = list->findItems(text, Qt::MatchExactly);
        if (items.isEmpty()) return false;
        list->scrollToItem(items.front());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(items.front()).center());
        return true;
    }
    // The unit's lines in the learner file, oldest first.
    std::vector<std::string> records() {
        const RecordPlace place = RecordPlaceOf(program(), *sheet);
        Profile file(program().platform.files, place.file);
        std::vector<std::string> lines;
        for (const std::string& key : file.keys(place.section))
            lines.push_back(file.readString(place.section, key, "?"));
        return lines;
    }
};

bool isRed(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80;
}
bool isBlue(QRgb c) {
    return qBlue(c) > 200 && qRed(c) < 80 && qGreen(c) < 80;
}

// Pixels of a colour on the page above the first answer box (the header, where the score
// stands) and on the whole page.
struct Ink {
    int header = 0;
    int page = 0;
};
Ink inkOf(TfrmRenshu& w, const Program& p, bool (*colour)(QRgb)) {
    const QImage image = w.pageImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = image.devicePixelRatio();
    const int headerRows = qRound((p.sheets.current->layout.KranTable[1].y - 10) * ratio);
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (colour(image.pixel(x, y))) {
                ++ink.page;
                if (y < headerRows) ++ink.header;
            }
    return ink;
}

std::string line(const char* utf8) {
    return J(utf8);
}

} // namespace

class PracticeWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void practiceRunWithOneWrongFirstAnswerIsRecordedOnce() {
        PracticeDesk d;
        QVERIFY(d.sheet);
        const bool bekkai = d.program().sheets.pageOptions.alternatives;
        Ink before, after;
        d.study([&](TfrmRenshu& w) {
            d.in<QPushButton>("btnRenshu")->click();
            QVERIFY(d.boxes() == 10);
            // The page shows the questions only: no answer of the teacher's in blue.
            QCOMPARE(inkOf(w, d.program(), isBlue).page, 0);
            before = inkOf(w, d.program(), isRed);
            d.timers.advance(65'000);
            d.type(1, d.answer(1) + QStringLiteral("1"));
            QVERIFY(d.field(1)->isVisible()); // still open for the correction
            for (int k = 1; k <= d.boxes(); ++k)
                d.type(k, d.answer(k));
            // Enter held down after the end changes nothing.
            QTest::keyClick(d.field(d.boxes()), Qt::Key_Return);
            after = inkOf(w, d.program(), isRed);
            QVERIFY(d.in<QPushButton>("btnFukushu")->isEnabled());
        });
        // The header's picture has red of its own; the score adds its digits.
        QVERIFY2(after.header > before.header + 100, "the score stands in the page's header");
        QCOMPARE(d.records(), std::vector<std::string>{
                                  line("2026年12月07日 09:05 [1000000000]  9/10  90点 01:05")});
        const auto messages = d.f.messages();
        QVERIFY(std::find(messages.begin(), messages.end(), "練習を終わりました") !=
                messages.end());
        QCOMPARE(d.program().sheets.pageOptions.alternatives, bekkai);
    }

    void testWithAnEmptyBoxThenItsReview() {
        PracticeDesk d;
        d.study([&](TfrmRenshu&) {
            d.in<QPushButton>("btnTest")->click();
            // Nothing typed yet: 採点 is refused and the run goes on.
            d.in<QPushButton>("btnSaiten")->click();
            QVERIFY(d.in<QPushButton>("btnSaiten")->isVisible());
            d.timers.advance(42'000);
            for (int k = 1; k < d.boxes(); ++k)
                d.type(k, d.answer(k));
            d.in<QPushButton>("btnSaiten")->click();
            d.in<QPushButton>("btnSaiten")->click(); // a second press marks nothing
            QCOMPARE(d.records().size(), std::size_t(1));

            // The review opens the empty box alone; solving it records nothing.
            QPushButton* review = d.in<QPushButton>("btnFukushu");
            QVERIFY(review->isEnabled());
            review->click();
            for (int k = 1; k < d.boxes(); ++k)
                QVERIFY2(!d.field(k)->isVisible(), "a right box is not reviewed");
            d.type(d.boxes(), d.answer(d.boxes()));
            QVERIFY(!d.in<QPushButton>("btnFukushu")->isEnabled());
        });
        QCOMPARE(d.records(),
                 std::vector<std::string>{line("2026年12月07日 09:05 []  9/10  90点 00:42")});
        const auto messages = d.f.messages();
        QCOMPARE(std::count(messages.begin(), messages.end(),
                            std::string("解答を入力してから採点してください。")),
                 1);
        QCOMPARE(std::count(messages.begin(), messages.end(), std::string("テストを終わりました")),
                 1);
        QCOMPARE(std::count(messages.begin(), messages.end(), std::string("復習を終わりました")),
                 1);
    }

    void testsMarkedFromTheKeyboard() {
        const struct {
            int wrongBox; // 0: every answer right
            const char* line;
            bool allCorrectWindow;
        } cases[] = {
            {0, "2026年12月07日 09:05 [] 10/10 100点 00:07", true},
            {4, "2026年12月07日 09:05 []  9/10  90点 00:07", false},
        };
        for (const auto& c : cases) {
            PracticeDesk d;
            d.study([&](TfrmRenshu& w) {
                d.in<QPushButton>("btnTest")->click();
                d.timers.advance(7'000);
                for (int k = 1; k <= d.boxes(); ++k)
                    d.type(k, k == c.wrongBox ? d.answer(k) + QStringLiteral("0") : d.answer(k));
                // From the keyboard alone: after the last answer Enter goes on to 採点.
                QPushButton* saiten = d.in<QPushButton>("btnSaiten");
                QCOMPARE(w.focusWidget(), saiten);
                QTest::keyClick(saiten, Qt::Key_Return);
                QCOMPARE(d.in<QPushButton>("btnFukushu")->isEnabled(), c.wrongBox != 0);
            });
            const bool congratulated =
                std::find(d.f.shown.begin(), d.f.shown.end(), QStringLiteral("TfrmZenSeikai")) !=
                d.f.shown.end();
            QCOMPARE(congratulated, c.allCorrectWindow);
            QCOMPARE(d.records(), std::vector<std::string>{line(c.line)});
            // The unit menu counts the run.
            QString unitRow;
            d.f.steps[QStringLiteral("TfrmMenu")] = [&](QDialog& menu) {
                unitRow = menu.findChild<QListWidget*>(QStringLiteral("lstUnit"))->item(0)->text();
            };
            d.f.find<QPushButton>("btnOpenMaster")->click();
            QVERIFY2(unitRow.contains(QStringLiteral("[1]")), qPrintable(unitRow));
        }
    }

    // 学習 without a worksheet opens one through the unit menu and closes it afterwards;
    // with one open, that one is studied and stays open.
    void studyOpensAWorksheetWhenNoneIsOpen() {
        DeskFixture f;
        f.start();
        f.steps[QStringLiteral("TfrmMenu")] = chooseUnit(0, 0, 0);
        QString studied;
        f.steps[QStringLiteral("TfrmRenshu")] = [&](QDialog& d) { studied = d.windowTitle(); };
        f.find<QPushButton>("btnTest")->click();
        QVERIFY(studied.endsWith(QStringLiteral("(1) 等式の性質")));
        QCOMPARE(f.desk->program().sheets.count, 0);
        Worksheet* open = f.open(0, 0, 1);
        f.find<QPushButton>("btnTest")->click();
        QVERIFY(studied.endsWith(QStringLiteral("(2) 移項")));
        QCOMPARE(f.desk->program().sheets.current, open);
        QVERIFY(f.messages().empty());
    }

    void whatEverThePupilTypesNothingBreaks() {
        PracticeDesk d;
        const QString right = d.answer(1);
        const struct {
            const char* what;
            QString typed;
            bool accepted;
            bool asked; // 正解を表示しますか
        } cases[] = {
            {"a thousand characters", QString(1000, QLatin1Char('9')), false, false},
            {"full-width digits", QStringLiteral("７"), false, false},
            {"a pasted line", QStringLiteral("  ") + right + QStringLiteral("\r\n"), true, false},
            {"blanks only", QStringLiteral(" 　 "), false, true},
            {"nothing", QString(), false, false},
        };
        d.study([&](TfrmRenshu&) {
            for (const auto& c : cases) {
                d.in<QPushButton>("btnRenshu")->click(); // a new run over the old one
                const std::size_t said = d.f.prompter.messages.size();
                d.f.prompter.answers = {7}; // No: the answer stays hidden
                d.field(1)->setText(c.typed);
                QTest::keyClick(d.field(1), Qt::Key_Return);
                QVERIFY2(d.field(1)->isVisible() != c.accepted, c.what);
                const auto messages = d.f.messages();
                const bool asked =
                    messages.size() > said && messages.back() == "正解を表示しますか";
                QVERIFY2(asked == c.asked, c.what);
            }
            d.in<QPushButton>("btnAbort")->click();
        });
        QVERIFY(d.records().empty());
    }

    void runsLeftHalfWayWriteNothing() {
        using Leave = std::function<void(PracticeDesk&)>;
        const std::vector<std::pair<const char*, Leave>> ways = {
            {"中止", [](PracticeDesk& d) { d.in<QPushButton>("btnAbort")->click(); }},
            {"window closed", [](PracticeDesk&) {}},
        };
        for (const auto& [name, leave] : ways) {
            PracticeDesk d;
            const bool shown = d.sheet->ShowAnswers;
            d.study([&](TfrmRenshu&) {
                d.in<QPushButton>("btnRenshu")->click();
                for (int k = 1; k <= 3; ++k)
                    d.type(k, d.answer(k));
                leave(d);
            });
            QVERIFY2(d.records().empty(), name);
            QCOMPARE(d.sheet->ShowAnswers, shown);
            QVERIFY2(!d.sheet->Marked, name);
            // The next finished run is the first line.
            d.study([&](TfrmRenshu&) {
                d.in<QPushButton>("btnTest")->click();
                for (int k = 1; k <= d.boxes(); ++k)
                    d.type(k, d.answer(k));
                d.in<QPushButton>("btnSaiten")->click();
            });
            QCOMPARE(d.records().size(), std::size_t(1));
        }
    }

    // Unit 1.2.1 offers its answers in a list: a pupil with the mouse alone picks one, enters
    // it with 入力 and takes a wrong pick back with クリア.
    void mouseOnlyPupilAnswersFromTheChoiceList() {
        PracticeDesk d(0, 1, 0); // 1次方程式 / 比例式 / (1) 比例式の性質
        QVERIFY(d.sheet && !d.sheet->KgroupLines.empty());
        d.study([&](TfrmRenshu& w) {
            d.in<QPushButton>("btnRenshu")->click();
            QVERIFY(d.in<QListWidget>("lstKgroup")->isVisible());
            QPushButton* enter = d.in<QPushButton>("btnNext2");
            QPushButton* clear = d.in<QPushButton>("btnClear2");
            QVERIFY(enter->isVisible() && clear->isVisible());
            // No word of a keyboard while the list is the way to answer.
            QVERIFY(!d.said("imgMessXX").contains(QStringLiteral("キーボード")));
            QVERIFY(d.pick(d.answer(1)));
            QCOMPARE(d.field(1)->text(), d.answer(1));
            QTest::mouseClick(enter, Qt::LeftButton);
            QVERIFY2(!d.field(1)->isVisible(), "the picked answer was accepted");
            QVERIFY(w.focusWidget() == d.field(2));
            QVERIFY(d.pick(d.answer(1) == d.answer(2) ? QStringLiteral("1") : d.answer(1)));
            QTest::mouseClick(clear, Qt::LeftButton);
            QCOMPARE(d.field(2)->text(), QString());
            QVERIFY(w.focusWidget() == d.field(2));
            for (int k = 2; k <= d.boxes(); ++k) {
                QVERIFY(d.pick(d.answer(k)));
                QTest::mouseClick(enter, Qt::LeftButton);
            }
        });
        QCOMPARE(d.records().size(), std::size_t(1));
        QVERIFY(d.records().front().find(line("100点")) != std::string::npos);
    }

    // At 1024 × 768 the page shows its whole width (the title, the name line and the score
    // at its right), between runs and during them; the records narrow beside it.
    void smallScreenShowsTheWholePageWidth() {
        PracticeDesk d;
        d.study([&](TfrmRenshu& w) {
            w.resize(1024, 740);
            auto* scroll = d.in<QScrollArea>("scrPaper");
            auto wholeWidth = [&](const char* when) {
                QApplication::processEvents();
                const int page = d.sheet->paper.Width;
                QVERIFY2(scroll->viewport()->width() >= page, when);
                QVERIFY2(!scroll->horizontalScrollBar()->isVisible(), when);
            };
            wholeWidth("between runs");
            QVERIFY(d.in<QWidget>("pnlKiroku")->isVisible());
            d.in<QPushButton>("btnTest")->click();
            QVERIFY2(!d.in<QWidget>("pnlKiroku")->isVisible(), "no past scores during a test");
            wholeWidth("during a test");
            for (int k = 1; k <= d.boxes(); ++k)
                d.type(k, d.answer(k));
            d.in<QPushButton>("btnSaiten")->click();
            wholeWidth("after the marking");
            QVERIFY(w.width() <= 1024);
        });
    }

    // The keyboard's guidance stands in the run's feedback area while the keyboard is the way
    // to answer, and is gone once the run (and its review) are over.
    void keyboardGuidanceOnlyDuringItsRun() {
        PracticeDesk d;
        d.study([&](TfrmRenshu&) {
            d.in<QPushButton>("btnRenshu")->click();
            QVERIFY(d.said("imgMessXX").contains(QStringLiteral("Enterキーを押します。")));
            d.type(1, d.answer(1) + QStringLiteral("1"));
            for (int k = 1; k <= d.boxes(); ++k)
                d.type(k, d.answer(k));
            d.in<QPushButton>("btnFukushu")->click();
            QVERIFY(!d.said("imgMessXX").contains(QStringLiteral("Enterキー")));
            d.type(1, d.answer(1));
            QVERIFY(d.in<QWidget>("pnlKiroku")->isVisible());
            QVERIFY(!d.said("imgMess").contains(QStringLiteral("Enterキー")));
            QVERIFY(!d.said("imgMessXX").contains(QStringLiteral("Enterキー")));
        });
    }

    // The input mode: without 解答選択 the unit's soft keyboard (with クリア) instead of the
    // list; the choice stays for the next run.
    void inputModeSwitchesBetweenTheListAndTheSoftKeyboard() {
        PracticeDesk d(1, 1, 3); // 連立方程式 / 連立方程式の利用 / (4) 用語の確認
        QVERIFY(d.sheet && !d.sheet->SoftkeyLines.empty());
        d.study([&](TfrmRenshu& w) {
            d.in<QPushButton>("btnRenshu")->click();
            QVERIFY(d.in<QWidget>("grbInput")->isVisible());
            QVERIFY(d.in<QWidget>("grbSelect")->isVisible());
            QVERIFY(!d.in<QWidget>("grbMoji")->isVisible());
            QTest::mouseClick(d.in<QCheckBox>("chkKaitou"), Qt::LeftButton);
            QVERIFY(!d.in<QWidget>("grbSelect")->isVisible());
            QVERIFY(d.in<QWidget>("grbMoji")->isVisible());
            QVERIFY(w.focusWidget() == d.field(1));
            d.field(1)->setText(QStringLiteral("消去"));
            QPushButton* clearS = d.in<QPushButton>("btnClearS");
            QVERIFY(clearS->isVisible());
            QTest::mouseClick(clearS, Qt::LeftButton);
            QCOMPARE(d.field(1)->text(), QString());
            d.in<QPushButton>("btnAbort")->click();
            d.in<QPushButton>("btnTest")->click();
            QVERIFY(!d.in<QCheckBox>("chkKaitou")->isChecked());
            QVERIFY(d.in<QWidget>("grbMoji")->isVisible());
            d.in<QPushButton>("btnAbort")->click();
        });
        QVERIFY(d.records().empty());
    }

    // The all-correct window shows its title whole beside the icon and the three buttons a
    // window manager may put in its title bar (each about a bar's height wide), and its
    // caption whole.
    void allCorrectWindowShowsItsTitleWhole() {
        DeskFixture f;
        f.start();
        TfrmZenSeikai& window = *DeskProbe::zenSeikai(*f.desk);
        window.show();
        QApplication::processEvents();
        const QFontMetrics title(QApplication::font());
        const int bar = title.height() + 8;
        QVERIFY(window.width() >= title.horizontalAdvance(window.windowTitle()) + 4 * bar + 16);
        auto* caption = window.findChild<QLabel*>(QStringLiteral("lblSeikai"));
        QVERIFY(caption->contentsRect().width() >=
                caption->fontMetrics().horizontalAdvance(caption->text()));
        window.close();
    }

    // A guidance line wider than its narrow panel is drawn smaller and shows whole: no ink
    // reaches the picture's right edge.
    void guidanceShowsWholeInANarrowPanel() {
        MessagePicture picture;
        picture.resize(232, 110);
        picture.line(0, QStringLiteral("すべて解答を入力し終えたら、"), 12, Qt::black);
        picture.line(1, QStringLiteral("［採点］ボタンをクリックして採点します。"), 12, Qt::black);
        const QImage image = picture.grab().toImage().convertToFormat(QImage::Format_RGB32);
        int inkAtEdge = 0, ink = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    ++ink;
                    if (x >= image.width() - 3) ++inkAtEdge;
                }
        QVERIFY(ink > 200);
        QCOMPARE(inkAtEdge, 0);
    }

    // A memorise run from the keyboard alone: the answers in the boxes, Enter erasing one and
    // showing the next, 暗記終了 back to the start; nothing recorded.
    void memoriseRunFromTheKeyboard() {
        PracticeDesk d;
        d.study([&](TfrmRenshu& w) {
            w.activateWindow(); // clicks and Tab move the focus as on a desktop
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QPushButton* anki = d.in<QPushButton>("btnAnki");
            QVERIFY(anki->isVisible());
            anki->setFocus();
            QTest::keyClick(anki, Qt::Key_Return);
            QVERIFY(d.in<QWidget>("pnlAnki")->isVisible());
            QVERIFY(!d.in<QWidget>("grbTest")->isVisible());
            QVERIFY(!d.in<QWidget>("pnlKiroku")->isVisible());
            QVERIFY2(inkOf(w, d.program(), isBlue).page > 0, "the answers stand on the page");
            QLineEdit* first = d.field(1);
            QVERIFY(w.focusWidget() == first && first->isReadOnly());
            QCOMPARE(first->text(), d.answer(1));
            QCOMPARE(first->cursorPosition(), 0);
            QVERIFY(!d.field(2)->isVisible());
            QTest::keyClicks(first, QStringLiteral("9"));
            QCOMPARE(first->text(), d.answer(1)); // read-only
            QTest::keyClick(first, Qt::Key_Return);
            QVERIFY(first->isVisible() && first->text().isEmpty());
            QVERIFY(w.focusWidget() == d.field(2));
            QCOMPARE(d.field(2)->text(), d.answer(2));
            QPushButton* clearAll = d.in<QPushButton>("btnAllClear");
            clearAll->setFocus();
            QTest::keyClick(clearAll, Qt::Key_Return);
            for (int k = 1; k <= d.boxes(); ++k)
                QVERIFY(d.field(k)->isVisible() && d.field(k)->text().isEmpty());
            QVERIFY(w.focusWidget() == d.field(1));
            // A click into box 3: the steps go on from there.
            QTest::mouseClick(d.field(3), Qt::LeftButton);
            QTest::keyClick(d.field(3), Qt::Key_Return);
            QCOMPARE(d.field(4)->text(), d.answer(4));
            QVERIFY(d.field(2)->text().isEmpty() && d.field(3)->text().isEmpty());
            // Tab leads from the box to the memorise buttons.
            QTest::keyClick(d.field(4), Qt::Key_Tab);
            QVERIFY(qobject_cast<QPushButton*>(w.focusWidget()));
            QVERIFY(w.focusWidget()->parentWidget() == d.in<QWidget>("pnlAnki"));
            QPushButton* end = d.in<QPushButton>("btnClose");
            end->setFocus();
            QTest::keyClick(end, Qt::Key_Return);
            QVERIFY(d.in<QPushButton>("btnRenshu")->isVisible());
            QVERIFY(!d.field(1)->isVisible());
            QVERIFY(d.said("imgMess").contains(QStringLiteral("次は［練習です］")));
            QCOMPARE(inkOf(w, d.program(), isBlue).page, 0);
            QVERIFY(d.in<QPushButton>("btnSeikai")->isEnabled());
            QVERIFY(!d.in<QPushButton>("btnTouan")->isEnabled());
        });
        QVERIFY(d.records().empty());
        QVERIFY(d.f.messages().empty());
    }
};

QTEST_MAIN(PracticeWindowTest)
#include "PracticeWindowTest.moc"
