#include "cli/CourseSession.h"

#include <QDir>
#include <QFileInfo>

#include "formats/CourseIndex.h"
#include "qt/QtFiles.h"
#include "text/Sjis.h"
#include "worksheet/Paper.h"

CourseSession::CourseSession(const QtCorePlatform::PicturesMaker& pictures)
    : qt_(&prompter_, {}, pictures), program_(std::make_unique<Program>(qt_.platform())) {
    program_->sheets.defaultFontFace = J("ＭＳ 明朝");
    program_->session.learnerName = J("共通");
    program_->session.startupDone = true;
    // After start-up the answer display is on, as the 解答表示 button leaves it.
    program_->sheets.answersShown = true;
    SetProgramPaper(*program_, 630);
}

bool CourseSession::openCourse(const std::string& nativeDir) {
    QString dir = nativeDir.empty()
                      ? QDir::currentPath()
                      : QFileInfo(QString::fromStdString(nativeDir)).absoluteFilePath();
    auto core = QtFiles::toCorePath(QDir::cleanPath(dir));
    if (!core) {
        program_->platform.prompter.message(
            sjis::fromUtf8("フォルダ名を扱えません: " + dir.toStdString()));
        return false;
    }
    std::string master = *core;
    if (master.empty() || master.back() != '\\') master += '\\';
    program_->course.masterFolder = master;
    program_->platform.files.setCourseFolder(master);
    const Report listed = LoadLessonList(program_->platform.files, program_->course);
    if (!listed) program_->platform.prompter.message(listed.message);
    return listed.ok;
}
