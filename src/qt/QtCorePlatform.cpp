#include "qt/QtCorePlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "text/Sjis.h"

namespace {

// The longest temporary folder the program accepts, in bytes.
constexpr std::size_t MaxTempBytes = 255;

// Core form of a folder without a trailing "\" (the root stays "\").
std::optional<std::string> folderCore(const QString& native) {
    auto core = QtFiles::toCorePath(QDir::cleanPath(native));
    if (!core) return std::nullopt;
    while (core->size() > 1 && core->back() == '\\' && sjis::rfind(*core, '\\') == core->size() - 1)
        core->pop_back();
    return core;
}

std::string sayFolder(const char* what, const QString& native) {
    return J(what) + sjis::fromUtf8(native.toStdString()) +
           J(" は使えない文字を含むため使えません");
}

// Pictures for a platform that reads none.
class NoPictures : public Pictures {
  public:
    ReadStatus load(const std::string&, Bitmap&) override { return ReadStatus::Error; }
    bool saveBmp(const std::string&, const Bitmap&) override { return false; }
};

} // namespace

std::optional<std::string> QtCorePlatform::workingDir() {
    return folderCore(QDir::currentPath());
}

std::optional<std::string> QtCorePlatform::tempDir() {
    const QString fromEnv = qEnvironmentVariable("TMPDIR");
    for (const QString& candidate : {fromEnv, QDir::tempPath(), QStringLiteral("/tmp")}) {
        if (candidate.isEmpty()) continue;
        auto core = folderCore(QDir(candidate).absolutePath());
        if (core && core->size() <= MaxTempBytes) return core;
    }
    return std::nullopt;
}

std::optional<std::string> QtCorePlatform::userDataDir() {
    // The program's folder in the user's data location; named here when the application
    // has not given itself a name.
    QString dir;
    if (QCoreApplication::organizationName().isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
              QStringLiteral("/Velmix++/VelmixEQ");
    else
        dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dir.isEmpty()) return std::nullopt;
    QDir().mkpath(dir);
    auto core = folderCore(dir);
    if (!core) return std::nullopt;
    if (core->back() != '\\' || sjis::rfind(*core, '\\') != core->size() - 1) *core += '\\';
    return core;
}

QtCorePlatform::QtCorePlatform(Prompter* prompter, Overrides overrides,
                               const PicturesMaker& pictures)
    : ownPrompter_(prompter ? nullptr : std::make_unique<ConsolePrompter>()),
      prompter_(prompter ? *prompter : *ownPrompter_),
      pictures_(pictures ? pictures(files_) : std::make_unique<NoPictures>()) {
    auto work = workingDir();
    if (!work) problems_.push_back(sayFolder("作業フォルダ ", QDir::currentPath()));
    auto temp = tempDir();
    if (!temp) problems_.push_back(sayFolder("一時フォルダ ", QDir::tempPath()));
    auto data = userDataDir();
    if (!data)
        problems_.push_back(sayFolder(
            "データフォルダ ", QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
    // A folder that cannot be named falls back to the next usable one, so that the
    // program still starts and says what it could not use.
    const std::string tempCore = temp.value_or("\\tmp");
    const std::string workCore = work.value_or(tempCore);
    const std::string dataCore = data.value_or(tempCore + "\\");
    for (const auto& p : problems_)
        prompter_.message(p);
    platform_ =
        std::make_unique<Platform>(Platform{files_,
                                            prompter_,
                                            overrides.clock ? *overrides.clock : clock_,
                                            registry_,
                                            *pictures_,
                                            overrides.random ? *overrides.random : random_,
                                            overrides.timers ? *overrides.timers : timers_,
                                            workCore,
                                            dataCore});
}
