#pragma once
// The source editor (ソースの直接編集): a whole question unit file or lesson index file as
// plain text. The caller writes the edited lines back.

#include <QDialog>
#include <optional>
#include <string>

#include "text/Lines.h"

class Desk;
class QPlainTextEdit;

class TfrmEditSource : public QDialog {
    Q_OBJECT
  public:
    TfrmEditSource(Desk& desk, QWidget* parent);

    // Shows lines for editing, the file's name in the caption and help topic for ヘルプ;
    // the edited lines (Shift-JIS) on OK, nothing on Cancel.
    std::optional<Lines> editSource(const std::string& fileName, int helpTopic, const Lines& lines);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void btnOkClick();

    Desk& desk_;
    int helpTopic_ = 0;
    QPlainTextEdit* memEditBuffer = nullptr;
};
