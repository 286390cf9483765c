#pragma once
// Pages for the course check to lay units out on: one page image of the asked size, drawn
// with the real fonts, as the worksheet window draws its page.

#include <QGuiApplication>
#include <QImage>
#include <memory>

#include "qt/QtCanvas.h"

class CheckPages {
  public:
    CheckPages();
    Canvas& operator()(int width, int height);

  private:
    std::unique_ptr<QGuiApplication> app_;
    QImage image_;
    std::unique_ptr<QtCanvas> canvas_;
};
