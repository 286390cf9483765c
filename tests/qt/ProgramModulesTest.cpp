// The program's layout: the command line itself starts on QtCore alone, so records maps no
// QtGui; render and export come from a module with QtGui, without the widgets toolkit or the
// algebra library; the windows and the course check come from modules of their own, and a
// program without its modules says which one is missing.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "RunVelmix.h"

namespace {

// The shared objects the dynamic loader opens for a run of velmix with args.
QString loadedBy(const QStringList& args, const QString& workDir) {
    QProcess p;
    p.setWorkingDirectory(workDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), workDir + QStringLiteral("/.data"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VELMIX_BINARY), args);
    p.waitForFinished(120000);
    EXPECT_EQ(p.exitCode(), 0) << args.join(' ').toStdString();
    return QString::fromLocal8Bit(p.readAllStandardError());
}

} // namespace

TEST(ProgramModules, TheCommandLineLoadsNeitherWidgetsNorAlgebra) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString course = QStringLiteral(VELMIX_SOURCE_DIR "/course");
    for (const QStringList& args :
         {QStringList{"render", course, "--unit", "1.1.1", "-o", tmp.filePath("a.pdf")},
          QStringList{"render", course, "--unit", "1.1.1", "-o", tmp.filePath("a.png")},
          QStringList{"export", course, "--unit", "1.1.1", "-o", tmp.filePath("a.prp")}}) {
        const QString loaded = loadedBy(args, tmp.path());
        ASSERT_TRUE(loaded.contains(QStringLiteral("libQt6Gui"))) << loaded.toStdString();
        EXPECT_TRUE(loaded.contains(QStringLiteral("velmix-paper.so"))) << args[0].toStdString();
        EXPECT_FALSE(loaded.contains(QStringLiteral("libQt6Widgets"))) << args[0].toStdString();
        EXPECT_FALSE(loaded.contains(QStringLiteral("libginac"))) << args[0].toStdString();
    }
    // The check loads its module, and the algebra library with it.
    const QString check = loadedBy({"check", course}, tmp.path());
    EXPECT_TRUE(check.contains(QStringLiteral("velmix-check.so")));
    EXPECT_FALSE(check.contains(QStringLiteral("libQt6Widgets")));
}

TEST(ProgramModules, CommandsThatOnlyReadStartOnQtCoreAlone) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString course = QStringLiteral(VELMIX_SOURCE_DIR "/course");
    for (const QStringList& args :
         {QStringList{"records", course}, QStringList{"records", course, "--summary"},
          QStringList{"--version"}, QStringList{"render", "--help"}}) {
        const QString loaded = loadedBy(args, tmp.path());
        ASSERT_TRUE(loaded.contains(QStringLiteral("libQt6Core"))) << loaded.toStdString();
        for (const char* lib : {"libQt6Gui", "libQt6Svg", "libQt6PrintSupport", "libQt6Widgets",
                                "libginac", "velmix-paper.so", "velmix-check.so"})
            EXPECT_FALSE(loaded.contains(QLatin1String(lib)))
                << args.join(' ').toStdString() << " maps " << lib;
    }
}

TEST(ProgramModules, AProgramWithoutItsModulesSaysSo) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString alone = tmp.filePath(QStringLiteral("velmix"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELMIX_BINARY), alone));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), tmp.filePath(QStringLiteral(".data")));
    p.setProcessEnvironment(env);
    p.start(alone, {QStringLiteral("check"), QStringLiteral(VELMIX_SOURCE_DIR "/course")});
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 2);
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    EXPECT_TRUE(err.startsWith(QStringLiteral("velmix: the module velmix-check cannot be loaded")))
        << err.toStdString();
    // render and export name their module too.
    p.start(alone, {QStringLiteral("render"), QStringLiteral(VELMIX_SOURCE_DIR "/course"),
                    QStringLiteral("--unit"), QStringLiteral("1.1.1"), QStringLiteral("-o"),
                    tmp.filePath(QStringLiteral("a.png"))});
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 2);
    const QString paperErr = QString::fromLocal8Bit(p.readAllStandardError());
    EXPECT_TRUE(
        paperErr.startsWith(QStringLiteral("velmix: the module velmix-paper cannot be loaded")))
        << paperErr.toStdString();
    EXPECT_FALSE(QFile::exists(tmp.filePath(QStringLiteral("a.png"))));
    // Commands that need no module still work.
    p.start(alone, {QStringLiteral("--version")});
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 0);
    p.start(alone, {QStringLiteral("records"), QStringLiteral(VELMIX_SOURCE_DIR "/course")});
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardOutput().startsWith("learner,lesson,"));
}
