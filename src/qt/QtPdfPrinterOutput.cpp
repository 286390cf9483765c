#include "qt/QtPdfPrinterOutput.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "qt/AtomicSave.h"
#include "qt/PdfTidy.h"
#include "qt/QtClock.h"

QtPdfPrinterOutput::QtPdfPrinterOutput(const QString& path) : path_(path) {}

QtPdfPrinterOutput::~QtPdfPrinterOutput() {
    discard();
}

void QtPdfPrinterOutput::fail(const QString& reason) {
    if (!failed_) setErrorString(reason);
    failed_ = true;
}

bool QtPdfPrinterOutput::start() {
    if (isOpen()) return !failed_;
    const QFileInfo target(path_);
    // A job that cannot end in a file fails at its first page, not after the last.
    if (target.isDir()) {
        fail(QString::fromLocal8Bit(std::strerror(EISDIR)));
        return false;
    }
    if (!target.exists() && !QFileInfo(target.absolutePath()).isDir()) {
        fail(QString::fromLocal8Bit(std::strerror(ENOENT)));
        return false;
    }
    bytes_.clear();
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return true;
}

qint64 QtPdfPrinterOutput::readData(char*, qint64) {
    return -1;
}

qint64 QtPdfPrinterOutput::writeData(const char* data, qint64 size) {
    if (failed_) return -1;
    bytes_.append(data, size);
    return size;
}

bool QtPdfPrinterOutput::commit() {
    if (!isOpen()) return false;
    QIODevice::close();
    if (failed_) {
        bytes_.clear();
        return false;
    }
    const SaveOutcome saved = AtomicSave(path_, TidyPdf(bytes_, QtClock::fixedTime()));
    bytes_.clear();
    if (!saved.ok) fail(saved.reason);
    return saved.ok;
}

void QtPdfPrinterOutput::discard() {
    if (!isOpen()) return;
    QIODevice::close();
    bytes_.clear();
}
