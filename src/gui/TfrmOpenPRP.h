#pragma once
// The open-copy dialog (コピーファイルを開く): lessons, the worksheet files of the chosen
// lesson's folder and the lines of the chosen file.

#include <QDialog>
#include <optional>
#include <string>

#include "shell/OpenPrp.h"

class Desk;
class QLineEdit;
class QListWidget;

class TfrmOpenPRP : public QDialog {
    Q_OBJECT
  public:
    TfrmOpenPRP(Desk& desk, QWidget* parent);

    // Shows the dialog; the chosen file's path, or nothing when cancelled (or when the
    // course has no "Main.ind").
    std::optional<std::string> choose();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void refresh();
    void refreshFiles();
    void refreshContents();
    void btnOkClick();

    Desk& desk_;
    OpenPrpState state_;
    QLineEdit* edtFileName = nullptr;
    QListWidget* lstLesson = nullptr;
    QListWidget* flbPRP = nullptr;
    QListWidget* lstContents = nullptr;
};
