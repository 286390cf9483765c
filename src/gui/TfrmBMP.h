#pragma once
// The picture viewer (拡大表示): the question editor's previewed graph picture at its own
// size, with its width and height. Shown beside the editor without blocking it.

#include <QDialog>
#include <QImage>

class Desk;
class QLabel;
class QPushButton;

class TfrmBMP : public QDialog {
    Q_OBJECT
  public:
    TfrmBMP(Desk& desk, QWidget* parent);

    // Shows picture at the screen's top-left corner.
    void showPicture(const QImage& picture, const QString& name);

  private:
    Desk& desk_;
    QLabel* Image1 = nullptr;
    QLabel* lblXW = nullptr;
    QLabel* lblYH = nullptr;
    QLabel* lblX = nullptr;
    QLabel* lblName = nullptr;
    QPushButton* btnClose = nullptr;
};
