#pragma once
// The version box (バージョン情報): the program icon, its name and version.

#include <QDialog>

class Desk;

class TfrmVersion : public QDialog {
    Q_OBJECT
  public:
    TfrmVersion(Desk& desk, QWidget* parent);
    void showBox();

  private:
    Desk& desk_;
};
