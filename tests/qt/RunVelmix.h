#pragma once
// Runs the velmix program built with the tests, as a user runs it from a shell.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>
#include <sys/resource.h>

struct Outcome {
    int exitCode = -1;
    bool crashed = false; // ended by a signal (exitCode then means nothing)
    QByteArray out;
    QString err;
    QString text() const { return QString::fromUtf8(out); }
};

// How the shell starts it: standard output sent to a file (such as /dev/full), a largest
// file size (a disk that fills up: longer writes fail), the runtime folder unset.
struct RunOptions {
    QString stdoutFile;
    rlim_t fileSizeLimit = RLIM_INFINITY;
    bool noRuntimeDir = false;
};

// workDir is the working directory; the run's user data folder is kept inside it, and its
// dates are those of a fixed moment (SOURCE_DATE_EPOCH).
inline Outcome runVelmix(const QStringList& args, const QString& workDir,
                         const RunOptions& options = {}) {
    QProcess p;
    p.setWorkingDirectory(workDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), workDir + QStringLiteral("/.data"));
    env.insert(QStringLiteral("SOURCE_DATE_EPOCH"), QStringLiteral("1765094400"));
    if (options.noRuntimeDir) env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    p.setProcessEnvironment(env);
    if (!options.stdoutFile.isEmpty()) p.setStandardOutputFile(options.stdoutFile);
    const rlim_t limit = options.fileSizeLimit;
    p.setChildProcessModifier([limit] {
        // The signals as a shell leaves them, whatever this test process does with them: the
        // program itself must keep a write past the limit (or into a closed pipe) from
        // ending it.
        std::signal(SIGXFSZ, SIG_DFL);
        std::signal(SIGPIPE, SIG_DFL);
        if (limit != RLIM_INFINITY) {
            const rlimit r{limit, limit};
            setrlimit(RLIMIT_FSIZE, &r);
        }
    });
    p.start(QStringLiteral(VELMIX_BINARY), args);
    p.waitForFinished(120000);
    return {p.exitCode(), p.exitStatus() == QProcess::CrashExit, p.readAllStandardOutput(),
            QString::fromUtf8(p.readAllStandardError())};
}
