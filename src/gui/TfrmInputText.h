#pragma once
// The text input (テキストの入力): one line of text, the new or changed name of a section
// or a unit in the index editor.

#include <QDialog>
#include <optional>
#include <string>

class Desk;
class QLineEdit;

class TfrmInputText : public QDialog {
    Q_OBJECT
  public:
    TfrmInputText(Desk& desk, QWidget* parent);

    // What the text names: "mainADD", "mainCHANGE", "subADD" or "subCHANGE".
    // Asks for the text, starting with start (the changed name), and gives it on OK
    // (Shift-JIS); nothing on Cancel.
    std::optional<std::string> askText(const QString& mode, const std::string& start);

  private:
    void btnOkClick();

    Desk& desk_;
    QLineEdit* memInput = nullptr;
};
