// `velmix` without a sub-command starts the windows; without a display or a course folder
// it says so in one line and exits 2 instead of failing inside the toolkit.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

namespace {

struct DeskRun {
    int exitCode = -1;
    QString err;
};

DeskRun runWithout(const QStringList& args, const QStringList& unset) {
    QTemporaryDir work;
    QProcess p;
    p.setWorkingDirectory(work.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : unset)
        env.remove(name);
    env.insert(QStringLiteral("XDG_DATA_HOME"), work.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), work.filePath(QStringLiteral("config")));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VELMIX_BINARY), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

TEST(DeskStart, WithoutADisplayOneLineAndExitTwo) {
    const QStringList displays{QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"),
                               QStringLiteral("QT_QPA_PLATFORM")};
    for (const QStringList& args :
         {QStringList{}, QStringList{QStringLiteral(VELMIX_SOURCE_DIR "/course")}}) {
        DeskRun r = runWithout(args, displays);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("no display"))) << r.err.toStdString();
    }
}

TEST(DeskStart, CourseFolderThatDoesNotExist) {
    DeskRun r = runWithout({QStringLiteral("/no/such/course")}, {});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.trimmed(), QStringLiteral("velmix: /no/such/course: no such course folder"));
}

} // namespace
