#pragma once
// Pages for the course check to lay units out on: a page of the asked size measured with
// the real fonts, as the worksheet window measures its page, and never drawn on.

#include <QGuiApplication>
#include <QImage>
#include <memory>

#include "qt/QtCanvas.h"
#include "typeset/LayoutOnlyCanvas.h"

class CheckPages {
  public:
    CheckPages();
    Canvas& operator()(int width, int height);

  private:
    std::unique_ptr<QGuiApplication> app_;
    QImage image_;
    std::unique_ptr<QtCanvas> canvas_;
    std::unique_ptr<LayoutOnlyCanvas> layout_;
};
