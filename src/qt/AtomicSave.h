#pragma once
// The one way the program replaces a file: the new bytes go to a temporary file next to
// it, every write, the sync to disk and the close are checked, and only then is the
// temporary file renamed over the old one. Until the rename the old file is untouched, so
// a failure (a full disk, a file too large, a folder without write permission) leaves it
// byte for byte as it was, and the temporary file is removed.
//
// A symbolic link is followed: the file it names is replaced and the link stays. An
// existing device or pipe cannot be replaced and is written in place; a file the user may
// not write is refused. A new file gets the permissions the user's umask gives; a replaced
// one keeps its own.
//
// After a save, the temporary files that saves killed before their rename left in the
// folder are removed: only files of this helper's own naming, untouched for a minute and
// locked by no save in progress.

#include <QByteArrayView>
#include <QString>

struct SaveOutcome {
    bool ok = true;
    // The system's words for what went wrong ("No space left on device"); empty on success.
    QString reason;
};

SaveOutcome AtomicSave(const QString& nativePath, QByteArrayView bytes);
