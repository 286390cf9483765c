// velmix check --keys on a copy of the bundled course, as a teacher runs it from a shell.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "../gui/CourseCopy.h"
#include "RunVelmix.h"
#include "text/Sjis.h"

namespace {

QString bundledCourse() {
    return QStringLiteral(VELMIX_SOURCE_DIR "/course");
}

// The "#" pairs of every question file: the keys a full check accounts for.
int answersInCourse(const QString& dir) {
    int pairs = 0;
    for (const char* lesson : {"Eq1", "Eq2", "Fn1"}) {
        QDir d(dir + "/" + QString::fromLatin1(lesson));
        for (const QString& name : d.entryList({"*.que"}, QDir::Files)) {
            QFile f(d.filePath(name));
            EXPECT_TRUE(f.open(QIODevice::ReadOnly));
            bool inQues = false;
            for (const QByteArray& line : f.readAll().split('\n')) {
                const QByteArray l = line.trimmed();
                if (l == "<<ques")
                    inQues = true;
                else if (l == ">>")
                    inQues = false;
                else if (inQues && l != "{" && l != "}")
                    pairs += static_cast<int>(l.count('#')) / 2;
            }
        }
    }
    return pairs;
}

struct Keys {
    int checked = -1, wrong = -1, notChecked = -1;
};
Keys keysLine(const QString& out) {
    const QRegularExpression re(
        QStringLiteral("^keys: (\\d+) checked, (\\d+) wrong, (\\d+) not checked$"),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = re.match(out);
    if (!m.hasMatch()) return {};
    return {m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()};
}

// Replaces the first occurrence of a text in a Shift-JIS file; returns its line (from 1).
int replaceInFile(const QString& path, const std::string& fromUtf8, const std::string& toUtf8) {
    int line = 0;
    [&] {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QByteArray bytes = f.readAll();
        f.close();
        const std::string from = sjis::fromUtf8(fromUtf8), to = sjis::fromUtf8(toUtf8);
        const qsizetype at = bytes.indexOf(QByteArray::fromStdString(from));
        ASSERT_GE(at, 0) << fromUtf8;
        line = static_cast<int>(bytes.left(at).count('\n')) + 1;
        bytes.replace(at, static_cast<qsizetype>(from.size()), QByteArray::fromStdString(to));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }();
    return line;
}

} // namespace

TEST(CliKeys, TheBundledCourseHasNoWrongKey) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    // Both orders of the option and the folder.
    for (const QStringList& args : {QStringList{"check", "--keys", bundledCourse()},
                                    QStringList{"check", bundledCourse(), "--keys"}}) {
        const Outcome r = runVelmix(args, tmp.path());
        EXPECT_EQ(r.exitCode, 0) << r.text().toStdString() << r.err.toStdString();
        const Keys k = keysLine(r.text());
        EXPECT_EQ(k.wrong, 0) << r.text().toStdString();
        EXPECT_GT(k.checked, k.notChecked);
        EXPECT_EQ(k.checked + k.notChecked, answersInCourse(bundledCourse()));
        EXPECT_TRUE(r.text().startsWith(QStringLiteral("checked "))) << r.text().toStdString();
    }
    // Without --keys nothing is said of keys.
    const Outcome plain = runVelmix({"check", bundledCourse()}, tmp.path());
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_FALSE(plain.text().contains(QStringLiteral("keys:")));
}

TEST(CliKeys, AKeyChangedByHandIsReportedAtItsFileAndLine) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString course = tmp.path() + "/course";
    CopyFolder(bundledCourse(), course);
    const int a =
        replaceInFile(course + "/Eq1/eq11.que", "(5) 7x-3=2x+12# 3#", "(5) 7x-3=2x+12# 4#");
    const int b =
        replaceInFile(course + "/Eq2/eq21.que", "x=# 4 #    y=# 3 #", "x=# 4 #    y=# 5 #");
    const int c = replaceInFile(course + "/Fn1/fn11.que", "y= # 3x+2#", "y= # 3x-2#");

    const Outcome r = runVelmix({"check", "--keys", course}, tmp.path());
    EXPECT_EQ(r.exitCode, 1);
    const QString out = r.text();
    const QString wrong = QStringLiteral(": 解答が式と合いません（正しくは ");
    const QString expected = QStringLiteral("Eq1/eq11.que:%1%2%3）\n").arg(a).arg(wrong, "3") +
                             QStringLiteral("Eq2/eq21.que:%1%2%3）\n").arg(b).arg(wrong, "3") +
                             QStringLiteral("Fn1/fn11.que:%1%2%3）\n").arg(c).arg(wrong, "3x+2");
    EXPECT_TRUE(out.startsWith(expected)) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral(" units: 0 problems\n"))) << out.toStdString();
    EXPECT_EQ(keysLine(out).wrong, 3);
}

TEST(CliKeys, OneWorkerOrManyTellTheSameFindingsInTheSameOrder) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString course = tmp.path() + "/course";
    CopyFolder(bundledCourse(), course);
    const int wrong =
        replaceInFile(course + "/Eq1/eq11.que", "(5) 7x-3=2x+12# 3#", "(5) 7x-3=2x+12# 4#");
    const int unreadable = replaceInFile(course + "/Fn1/fn11.que", "y= # 3x+2#", "y= # 3x+@#");
    replaceInFile(course + "/Eq2/eq21.que", "[[unit2\r\n", "[[unit2X\r\n");
    {
        QFile bad(course + "/Eq1/bad.prp");
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write("no unit here\r\n");
    }
    std::vector<Outcome> runs;
    for (const char* workers : {"1", "3", ""}) {
        qputenv("VELMIX_CHECK_WORKERS", workers);
        runs.push_back(runVelmix({"check", "--keys", course}, tmp.path()));
    }
    qunsetenv("VELMIX_CHECK_WORKERS");
    const QString out = runs[0].text();
    EXPECT_EQ(runs[0].exitCode, 1) << out.toStdString();
    EXPECT_TRUE(out.contains(
        QStringLiteral("Eq1/eq11.que:%1: 解答が式と合いません（正しくは 3）\n").arg(wrong)))
        << out.toStdString();
    EXPECT_TRUE(
        out.contains(QStringLiteral("Fn1/fn11.que:%1: 読めません：解答が数や式として読めません\n")
                         .arg(unreadable)))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("[[unit2 が Eq2/eq21.que にありません\n")))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("Eq1/bad.prp:1: 単元がありません")))
        << out.toStdString();
    for (std::size_t k = 1; k < runs.size(); ++k) {
        EXPECT_EQ(runs[k].out, runs[0].out) << k;
        EXPECT_EQ(runs[k].err, runs[0].err) << k;
        EXPECT_EQ(runs[k].exitCode, runs[0].exitCode) << k;
    }
}
