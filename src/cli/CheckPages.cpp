#include "cli/CheckPages.h"

#include "qt/CanvasImages.h"

std::function<PageCanvasFor()> CheckPages::maker() {
    return [] {
        auto pages = std::make_shared<CheckPages>();
        return PageCanvasFor([pages](int w, int h) -> Canvas& { return (*pages)(w, h); });
    };
}

Canvas& CheckPages::operator()(int width, int height) {
    if (!canvas_ || image_.width() != width || image_.height() != height) {
        layout_.reset();
        canvas_.reset();
        image_ = makePageImage(width, height);
        canvas_ = std::make_unique<QtCanvas>(image_);
        layout_ = std::make_unique<LayoutOnlyCanvas>(*canvas_);
    }
    return *layout_;
}
