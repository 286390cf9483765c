#pragma once
// The windowed program on the bundled course, prepared as start-up leaves it, with every
// message answered on the console: for measuring the worksheet windows.

#include <QApplication>
#include <QDir>
#include <utility>

#include "formats/CourseIndex.h"
#include "gui/Desk.h"
#include "gui/TfrmMain.h"
#include "gui/TfrmSettei.h"
#include "gui/WorksheetWindows.h"
#include "qt/QtFiles.h"
#include "text/Sjis.h"
#include "worksheet/OpenWorksheet.h"
#include "worksheet/Paper.h"

class DeskOnCourse {
  public:
    Desk desk;

    // seams: the dialogs' ways of showing; the real ones by default.
    explicit DeskOnCourse(Desk::Seams seams = {})
        : desk(QStringLiteral(VELMIX_SOURCE_DIR "/course"), std::move(seams)) {
        desk.createWindows();
        if (!desk.settei) desk.settei = new TfrmSettei(desk, desk.main);
        InstallWorksheetWindows(desk);
        Program& p = desk.program();
        p.course.masterFolder =
            QtFiles::toCorePath(QStringLiteral(VELMIX_SOURCE_DIR "/course")).value() + "\\";
        p.sheets.defaultFontFace = J("ＭＳ 明朝");
        p.sheets.answersShown = true;
        p.session.startupDone = true;
        SetProgramPaper(p, 630);
        LoadLessonList(p.platform.files, p.course);
        desk.main->resize(1280, 990);
        desk.main->show();
    }

    // Opens lesson.section.unit; false when the course has no such unit.
    bool open(int lesson, int section, int unit) {
        Program& p = desk.program();
        if (!LoadLesson(p.platform.files, p.course, lesson) ||
            section > static_cast<int>(p.course.sectionNames.size()) ||
            unit > p.course.sectionUnitCount[section])
            return false;
        UnitTitleNames names{p.course.lessonNames[lesson - 1], p.course.sectionNames[section - 1],
                             p.course.sectionUnits[section][unit - 1]};
        return OpenUnit(p, UnitRef{lesson, section, unit, 0}, names) == OpenResult::Opened;
    }
};

// Windows without a display: the offscreen platform unless one is chosen.
inline void useOffscreenUnlessChosen() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}
