#include "shell/RecordFolders.h"

#include <algorithm>

#include "Program.h"
#include "text/CorePath.h"
#include "text/Sjis.h"

namespace {

std::string withBackslash(std::string path) {
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    return path;
}

// Creates the folder when it is missing; false when it is still missing afterwards.
bool ensureFolder(Files& files, const std::string& path) {
    if (files.dirExists(path)) return true;
    return files.makeDir(path) && files.dirExists(path);
}

} // namespace

FolderResult PrepareRecordFolders(Program& p, const std::string& recordsDrive) {
    ShellState& s = p.shell;
    Files& files = p.platform.files;
    const bool cdMode = p.course.cdMode;
    s.recordsDrive = withBackslash(recordsDrive);
    s.windowsFolder = withBackslash(p.platform.userDataDir);

    for (const std::string& folder :
         {s.recordsDrive + "Velmix", s.recordsDrive + "Velmix\\LogOn"}) {
        if (!ensureFolder(files, folder)) {
            FolderResult r{false, J("ディレクトリ ") + folder + J(" を作成できません")};
            p.platform.prompter.message(r.message);
            return r;
        }
    }
    s.logOnFolder = s.recordsDrive + "Velmix\\LogOn\\";

    if (cdMode) {
        int lessons = std::min<int>(static_cast<int>(p.course.lessonNames.size()), MaxTableEntry);
        for (int i = 1; i <= lessons; ++i) {
            const std::string& base = p.course.lessonBase[i];
            // A base that leads out of the Windows folder gets no folder anywhere.
            if (base.empty() || !corepath::staysInside(base)) continue;
            std::string folder = s.windowsFolder + base;
            if (!files.dirExists(folder)) files.makeDir(folder); // failures ignored
        }
    }
    return {};
}
