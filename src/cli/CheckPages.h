#pragma once
// Pages for the course check to lay units out on: a page of the asked size measured with
// the real fonts, as the worksheet window measures its page, and never drawn on. One
// thread of the check uses one CheckPages.

#include <QImage>
#include <functional>
#include <memory>

#include "checks/CourseCheck.h"
#include "qt/QtCanvas.h"
#include "typeset/LayoutOnlyCanvas.h"

class CheckPages {
  public:
    // For the check's options: pages of their own for each thread. The application must
    // have been made.
    static std::function<PageCanvasFor()> maker();

    Canvas& operator()(int width, int height);

  private:
    QImage image_;
    std::unique_ptr<QtCanvas> canvas_;
    std::unique_ptr<LayoutOnlyCanvas> layout_;
};
