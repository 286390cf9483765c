// The program's layout: render and export run without loading the widgets toolkit or the
// algebra library; the windows and the course check come from modules beside the program,
// and a program without its modules says which one is missing.
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
        EXPECT_FALSE(loaded.contains(QStringLiteral("libQt6Widgets"))) << args[0].toStdString();
        EXPECT_FALSE(loaded.contains(QStringLiteral("libginac"))) << args[0].toStdString();
    }
    // The check loads its module, and the algebra library with it.
    const QString check = loadedBy({"check", course}, tmp.path());
    EXPECT_TRUE(check.contains(QStringLiteral("velmix-check.so")));
    EXPECT_FALSE(check.contains(QStringLiteral("libQt6Widgets")));
}

TEST(ProgramModules, AProgramWithoutItsModulesSaysSo) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString alone = tmp.filePath(QStringLiteral("velmix"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELMIX_BINARY), alone));
    QProcess p;
    p.start(alone, {QStringLiteral("check"), QStringLiteral(VELMIX_SOURCE_DIR "/course")});
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 2);
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    EXPECT_TRUE(err.startsWith(QStringLiteral("velmix: the module velmix-check cannot be loaded")))
        << err.toStdString();
    // Commands that need no module still work.
    p.start(alone, {QStringLiteral("--version")});
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 0);
}
