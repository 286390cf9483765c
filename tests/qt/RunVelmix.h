#pragma once
// Runs the velmix program built with the tests, as a user runs it from a shell.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

struct Outcome {
    int exitCode = -1;
    QByteArray out;
    QString err;
    QString text() const { return QString::fromUtf8(out); }
};

// workDir is the working directory; the run's user data folder is kept inside it, and its
// dates are those of a fixed moment (SOURCE_DATE_EPOCH).
inline Outcome runVelmix(const QStringList& args, const QString& workDir) {
    QProcess p;
    p.setWorkingDirectory(workDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), workDir + QStringLiteral("/.data"));
    env.insert(QStringLiteral("SOURCE_DATE_EPOCH"), QStringLiteral("1765094400"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VELMIX_BINARY), args);
    p.waitForFinished(120000);
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}
