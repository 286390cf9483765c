#include "cli/CliSession.h"

#include <QFileInfo>
#include <algorithm>

#include "formats/CourseIndex.h"
#include "formats/CourseNames.h"
#include "qt/CanvasImages.h"
#include "qt/QtCanvas.h"
#include "qt/QtFiles.h"
#include "qt/QtPlatform.h"
#include "text/Sjis.h"
#include "worksheet/OpenWorksheet.h"
#include "worksheet/PageLayout.h"

CliSession::CliSession() : CourseSession(&QtPlatform::makePictures) {
    program_->sheets.relayout = [this](Worksheet& sheet) { layOutOnPage(sheet); };
}

bool CliSession::openUnit(const UnitRef& ref) {
    Program& p = *program_;
    // "単元 L.S.U がありません" with what the course holds at the level that is missing.
    std::string name = std::to_string(ref.Lesson) + "." + std::to_string(ref.Section) + "." +
                       std::to_string(ref.Unit);
    if (ref.Ruidai > 0) name += "." + std::to_string(ref.Ruidai);
    auto missing = [&](const std::string& why) {
        p.platform.prompter.message(J("単元 ") + name + J(" がありません（") + why + J("）"));
        return false;
    };
    const int lessons = static_cast<int>(p.course.lessonNames.size());
    if (ref.Lesson < 1 || ref.Lesson > lessons)
        return missing(J("コースウェアは") + std::to_string(lessons) + J("個です"));
    if (const Report loaded = LoadLesson(p.platform.files, p.course, ref.Lesson); !loaded) {
        p.platform.prompter.message(loaded.message);
        return false;
    }
    const int sections = static_cast<int>(p.course.sectionNames.size());
    if (ref.Section > sections)
        return missing(J("コースウェア ") + std::to_string(ref.Lesson) + J(" の主メニューは") +
                       std::to_string(sections) + J("個です"));
    const int units = p.course.sectionUnitCount[ref.Section];
    if (ref.Unit > units)
        return missing(J("主メニュー ") + std::to_string(ref.Lesson) + "." +
                       std::to_string(ref.Section) + J(" の副メニューは") + std::to_string(units) +
                       J("個です"));
    UnitTitleNames names{p.course.lessonNames[ref.Lesson - 1],
                         p.course.sectionNames[ref.Section - 1],
                         p.course.sectionUnits[ref.Section][ref.Unit - 1]};
    const int before = prompter_.count;
    OpenResult r = OpenUnit(p, ref, names, false, ref.Ruidai > 0);
    if (r == OpenResult::Opened) return true;
    // The windowed program offers to create a missing unit; here it is only reported.
    if (prompter_.count == before)
        return missing(UnitFileNames(p.course, ref).queFile + J(" に ") + UnitBlockKey(ref) +
                       J(" がありません"));
    return false;
}

bool CliSession::openWorksheetFile(const std::string& nativePath) {
    auto core =
        QtFiles::toCorePath(QFileInfo(QString::fromStdString(nativePath)).absoluteFilePath());
    if (!core) {
        program_->platform.prompter.message(
            sjis::fromUtf8("ファイル名を扱えません: " + nativePath));
        return false;
    }
    return OpenWorksheetFile(*program_, *core) == OpenResult::Opened;
}

void CliSession::layOutOnPage(Worksheet& sheet) {
    const int w = std::max(sheet.paper.Width, 1);
    const int h = std::max(sheet.paper.Height, 1);
    if (drawsPage_) {
        page_ = makePageImage(w, h);
        QtCanvas canvas(page_);
        LayOutPage(*program_, sheet, canvas, false);
        return;
    }
    if (!measure_ || page_.width() != w || page_.height() != h) {
        layoutOnly_.reset();
        measure_.reset();
        page_ = makePageImage(w, h);
        measure_ = std::make_unique<QtCanvas>(page_);
        layoutOnly_ = std::make_unique<LayoutOnlyCanvas>(*measure_);
    }
    LayOutPage(*program_, sheet, *layoutOnly_, false);
}
