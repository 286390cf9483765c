#pragma once
// The file a PDF printer writes, as its PDF writer sees it. The writer's bytes are kept in
// memory; commit gives them their last touches (TidyPdf: the date of SOURCE_DATE_EPOCH
// when it is set, font subsets named as such) and puts the file in place through the
// atomic save, so that a failed write (a full disk) leaves the file that was there before
// as it was. An existing device or pipe (not a regular file) is written in place.

#include <QByteArray>
#include <QIODevice>
#include <QString>

class QtPdfPrinterOutput : public QIODevice {
  public:
    explicit QtPdfPrinterOutput(const QString& path);
    ~QtPdfPrinterOutput() override;

    // Opens the output. False with errorString() set when the file cannot be made at all
    // (its folder is missing, or it is a folder).
    bool start();
    // Puts the written file in place. False, leaving the target as it was (a device keeps
    // what reached it), when anything failed; errorString() says why.
    bool commit();
    // Gives the written file up: the target stays as it was.
    void discard();
    bool failed() const { return failed_; }
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

  private:
    void fail(const QString& reason);

    QString path_;
    QByteArray bytes_;
    bool failed_ = false;
};
