#include "qt/QtPdfPrinterOutput.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

namespace {
bool isSpecialFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}
} // namespace

QtPdfPrinterOutput::QtPdfPrinterOutput(const QString& path)
    : direct_(isSpecialFile(path)),
      file_(direct_ ? std::unique_ptr<QFileDevice>(std::make_unique<QFile>(path))
                    : std::unique_ptr<QFileDevice>(std::make_unique<QSaveFile>(path))) {}

QtPdfPrinterOutput::~QtPdfPrinterOutput() {
    discard();
}

void QtPdfPrinterOutput::failWithReason() {
    // The system's reason ("No space left on device") says more than the file's, which
    // often reads "Unknown error" when a buffered write failed.
    const int reason = errno;
    fail(reason != 0 ? QString::fromLocal8Bit(std::strerror(reason)) : file_->errorString());
}

void QtPdfPrinterOutput::fail(const QString& reason) {
    if (!failed_) setErrorString(reason);
    failed_ = true;
}

bool QtPdfPrinterOutput::start() {
    if (isOpen()) return !failed_;
    if (!file_->open(QIODevice::WriteOnly)) {
        fail(file_->errorString());
        return false;
    }
    // Unbuffered: every write goes straight to writeData and is checked there.
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return true;
}

qint64 QtPdfPrinterOutput::readData(char*, qint64) {
    return -1;
}

qint64 QtPdfPrinterOutput::writeData(const char* data, qint64 size) {
    if (failed_) return -1;
    qint64 done = 0;
    while (done < size) {
        errno = 0;
        const qint64 n = file_->write(data + done, size - done);
        if (n <= 0) {
            failWithReason();
            return -1;
        }
        done += n;
    }
    return size;
}

bool QtPdfPrinterOutput::commit() {
    if (!isOpen()) return false;
    QIODevice::close();
    errno = 0;
    if (!file_->flush()) failWithReason();
    if (direct_) {
        file_->close();
        if (file_->error() != QFileDevice::NoError) fail(file_->errorString());
        return !failed_;
    }
    auto& save = static_cast<QSaveFile&>(*file_);
    if (failed_) {
        save.cancelWriting();
        save.commit(); // removes the temporary file
        return false;
    }
    errno = 0;
    if (!save.commit()) failWithReason();
    return !failed_;
}

void QtPdfPrinterOutput::discard() {
    if (!isOpen()) return;
    QIODevice::close();
    if (direct_) {
        file_->close();
        return;
    }
    auto& save = static_cast<QSaveFile&>(*file_);
    save.cancelWriting();
    save.commit(); // removes the temporary file
}
