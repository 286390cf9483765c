#pragma once
// The log-on dialog (名前登録): the roster of the log-on folder, the name to log on with,
// and the roster's own buttons (add, delete, open another, save under a name).

#include <QDialog>

#include "shell/LogOnSteps.h"

class Desk;
class QLineEdit;
class QListWidget;
class QPushButton;

class TfrmInputName : public QDialog {
    Q_OBJECT
  public:
    TfrmInputName(Desk& desk, QWidget* parent);

    // Shows the dialog; true when a learner was logged on.
    bool logOn();

  public slots:
    void btnOkClick();
    void btnAddClick();
    void btnDeleteClick();
    void BitBtn1Click();
    void btnSaveClick();
    void lstNameClick();

  private:
    void showRoster();
    QString masterFolder() const;

    Desk& desk_;
    LogOnState state_;
    QLineEdit* edtName = nullptr;
    QLineEdit* edtMeibo = nullptr;
    QListWidget* lstName = nullptr;
    QPushButton* btnSave = nullptr;
};
