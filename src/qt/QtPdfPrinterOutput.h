#pragma once
// The file a PDF printer writes, as its PDF writer sees it. Every write is checked whole
// (the writer itself ignores short writes, which is how a full disk shows), and the file is
// put in place only by commit: it is written to a temporary file next to the target, which
// replaces the target when everything was written. An existing device or pipe (not a
// regular file) cannot be replaced and is written in place.

#include <QIODevice>
#include <QString>
#include <memory>

class QFileDevice;

class QtPdfPrinterOutput : public QIODevice {
  public:
    explicit QtPdfPrinterOutput(const QString& path);
    ~QtPdfPrinterOutput() override;

    // Opens the temporary file (or the device). False with errorString() set on failure.
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
    void failWithReason();

    bool direct_;
    bool failed_ = false;
    std::unique_ptr<QFileDevice> file_;
};
