#pragma once
// The password dialog (パスワードの入力): asks a learner for his password, or for a new one
// typed twice when he has none yet.

#include <QDialog>

#include "learners/Passwords.h"

class Desk;
class QLabel;
class QLineEdit;

class TfrmPassword : public QDialog {
    Q_OBJECT
  public:
    TfrmPassword(Desk& desk, QWidget* parent);

    // Shows the dialog for prompt; true when the password was accepted (and, for a new or
    // an old clear one, its hash stored).
    bool ask(const PasswordPrompt& prompt);

  public slots:
    void btnOkClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showStoredNow(const std::string& stored);

    Desk& desk_;
    PasswordPrompt prompt_;
    QLabel* lblMess = nullptr;
    QLabel* lblPW = nullptr;
    QLabel* lblRetry = nullptr;
    QLineEdit* mskPW = nullptr;
    QLineEdit* mskPW2 = nullptr;
};
