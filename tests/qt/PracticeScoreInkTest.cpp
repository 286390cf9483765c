// The score a marked run stamps on the page, drawn with the real fonts on every unit of the
// bundled course: its red ink stands in the header between the two rules and falls only on
// white paper, never on the title, the name line or a rule.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <string>

#include "cli/CliSession.h"
#include "formats/CourseIndex.h"
#include "practice/ScoreStamp.h"
#include "qt/QtCanvas.h"

namespace {

bool redInk(QRgb c) {
    return qRed(c) > 180 && qGreen(c) < 120 && qBlue(c) < 120;
}

TEST(PracticeScoreInk, ScoreClearsTheHeaderOfEveryUnit) {
    CliSession lister;
    ASSERT_TRUE(lister.openCourse(VELMIX_SOURCE_DIR "/course"));
    Program& course = lister.program();
    int pages = 0;
    for (int l = 1; l <= static_cast<int>(course.course.lessonNames.size()); ++l) {
        if (!LoadLesson(course.platform.files, course.course, l).ok) continue;
        for (int s = 1; s <= static_cast<int>(course.course.sectionNames.size()); ++s)
            for (int u = 1; u <= course.course.sectionUnitCount[s]; ++u) {
                CliSession session;
                ASSERT_TRUE(session.openCourse(VELMIX_SOURCE_DIR "/course"));
                ASSERT_TRUE(session.openUnit(UnitRef{l, s, u, 0}));
                const QImage& page = session.pageImage();
                QImage measure = page.copy();
                QtCanvas measuring(measure);
                const HeaderRoom room = ScoreRoom(session.program(), *session.sheet(), measuring);
                for (int score : {100, 67, 0}) {
                    QImage scored = page.copy();
                    {
                        QtCanvas canvas(scored);
                        DrawScore(canvas, room, score);
                    }
                    int red = 0, inkTop = scored.height(), inkBottom = 0;
                    for (int y = 0; y < scored.height(); ++y)
                        for (int x = 0; x < scored.width(); ++x) {
                            const QRgb c = scored.pixel(x, y);
                            if (c == page.pixel(x, y) || !redInk(c)) continue;
                            ++red;
                            inkTop = std::min(inkTop, y);
                            inkBottom = std::max(inkBottom, y);
                            const std::string at = std::to_string(l) + "." + std::to_string(s) +
                                                   "." + std::to_string(u) + " score " +
                                                   std::to_string(score) + " at " +
                                                   std::to_string(x) + "," + std::to_string(y);
                            ASSERT_EQ(page.pixel(x, y), qRgb(255, 255, 255)) << at;
                            // Between the header rules, inside the text area.
                            ASSERT_GT(y, 31) << at;
                            ASSERT_LT(y, 88) << at;
                            ASSERT_LT(x, room.header.right + 5) << at;
                        }
                    EXPECT_GT(red, 100);
                    // Large enough to read at a glance.
                    EXPECT_GE(inkBottom - inkTop, 20) << l << "." << s << "." << u;
                }
                ++pages;
            }
    }
    EXPECT_GE(pages, 20);
}

} // namespace
