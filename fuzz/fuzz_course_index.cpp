// One input makes a course: "Main.ind", a lesson index file, a question unit file and
// names of graphs and learners. Whatever they say, every path the program builds from them
// stays inside the master folder (or the records folders), a lesson that leads out is
// never loaded, and the course check runs to its end.
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

#include "CourseFixture.h"
#include "FuzzCheck.h"
#include "checks/CourseCheck.h"
#include "formats/CourseIndex.h"
#include "formats/CourseNames.h"
#include "learners/LearnerFiles.h"
#include "shell/RecordFolders.h"
#include "text/CorePath.h"
#include "text/Lines.h"

namespace {

// Empty, or folder followed by a name that stays inside it.
bool emptyOrInside(const std::string& path, const std::string& folder) {
    if (path.empty()) return true;
    return path.compare(0, folder.size(), folder) == 0 &&
           corepath::staysInside(std::string_view(path).substr(folder.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    CourseFixture f;
    Program& p = f.p;
    const std::string master = f.Master;
    p.shell.logOnFolder = "C:\\data\\Velmix\\LogOn\\";
    const std::string mainInd = in.ConsumeRandomLengthString(4000);
    const std::string index = in.ConsumeRandomLengthString(4000);
    const std::string que = in.ConsumeRandomLengthString(4000);
    p.session.learnerName = in.ConsumeRandomLengthString(40);
    const Lines names = lines::split(in.ConsumeRemainingBytesAsString());

    f.fp.files.put(master + "Main.ind", mainInd);
    if (!f.loadList()) return 0;
    const int lessons = static_cast<int>(p.course.lessonNames.size());
    for (int k = 0; k <= std::min(lessons, MaxTableEntry) + 1; ++k) {
        // The lesson's files exist wherever its entries point, inside or out.
        f.fp.files.put(LessonIndexPath(p.course, k), index);
        f.fp.files.put(master + p.course.lessonFolder[std::clamp(k, 0, 80)] +
                           p.course.lessonBase[std::clamp(k, 0, 80)] + "1.que",
                       que);
        if (f.loadLesson(k)) {
            FUZZ_CHECK(LessonInside(p.course, k));
            FUZZ_CHECK(emptyOrInside(LessonIndexPath(p.course, k), master));
        }
        for (int s = 0; s <= 2; ++s)
            FUZZ_CHECK(emptyOrInside(UnitFileNames(p.course, {k, s, 1, 0}).queFile, master));
        const std::string graphs = GraphFolder(f.fp.files, p.course, k);
        FUZZ_CHECK(emptyOrInside(graphs, master));
        for (const std::string& name : names) {
            const auto picture = GraphPicturePath(p.course.masterFolder, graphs, name);
            FUZZ_CHECK(!picture || emptyOrInside(*picture, master));
        }
        const std::string records = f.learnerFile(k);
        FUZZ_CHECK(emptyOrInside(records, master) || emptyOrInside(records, p.shell.logOnFolder));
    }

    // A course on a CD-ROM: lesson folders only inside the Windows folder.
    p.course.cdMode = true;
    f.fp.files.dirs.clear();
    if (PrepareRecordFolders(p, "C:\\").ok)
        for (const std::string& dir : f.fp.files.dirs)
            FUZZ_CHECK(emptyOrInside(dir, "c:\\velmix\\") || dir == "c:\\velmix\\" ||
                       emptyOrInside(dir, sjis::asciiLower(p.shell.windowsFolder)));

    const CourseCheckReport report = CheckCourse(f.fp.files, master);
    FUZZ_CHECK(report.ran);
    return 0;
}
