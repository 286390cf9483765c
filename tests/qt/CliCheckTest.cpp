// The command line on real folders: velmix check and the course outline.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "text/Sjis.h"

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome velmix(const QStringList& args, const QString& workDir) {
    QProcess p;
    p.setWorkingDirectory(workDir);
    // Keep the user's data folder of the run inside the test's folder.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), workDir + QStringLiteral("/.data"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VELMIX_BINARY), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// Writes UTF-8 lines as a Shift-JIS file with CR LF.
void put(const QString& path, const std::vector<std::string>& lines) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    std::string bytes;
    for (const auto& l : lines)
        bytes += sjis::fromUtf8(l) + "\r\n";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::vector<std::string> unit(const std::string& header, const std::string& question) {
    return {header, "<<ques", question, ">>", "]]"};
}

} // namespace

TEST(CliCheck, ReportsProblemsRelativeToTheCourseFolder) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString c = tmp.path() + "/コース";
    // Names in other cases than the index writes them, as on the original file system.
    put(c + "/MAIN.IND", {"数学", "", "方程式,Eq1\\ eq1"});
    put(c + "/eq1/EQ1.ind", {"t", "[[sect1", "式", "<<", "(1) a", "(2) b", ">>"});
    std::vector<std::string> que = unit("[[unit1", "x=#3#");
    for (const auto& l : unit("[[unit2", "odd#1"))
        que.push_back(l);
    put(c + "/eq1/EQ11.QUE", que);

    Outcome r = velmix({"check", c}, tmp.path());
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Eq1/eq11.que:8: 1行目：＃の数は偶数にしてください\n"
                                    "checked 2 units: 1 problems\n"));

    // The working directory is the default course folder; a clean course exits with 0.
    put(c + "/eq1/EQ11.QUE",
        {"[[unit1", "<<ques", "x=#3#", ">>", "]]", "[[unit2", "<<ques", "#1#", ">>"});
    r = velmix({"check"}, c);
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("checked 2 units: 0 problems\n"));

    // The outline of the course in the working directory.
    r = velmix({}, c);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("数学\n1. 方程式 (1 sections, 2 units)\n   1. 式 (2 units)\n"));
}

TEST(CliCheck, CannotRunWithoutMainInd) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    Outcome r = velmix({"check", tmp.path()}, tmp.path());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(QStringLiteral("Main.ind が見つかりません"))) << r.err.toStdString();
    r = velmix({"nonsense"}, tmp.path());
    EXPECT_EQ(r.exitCode, 2);
}
