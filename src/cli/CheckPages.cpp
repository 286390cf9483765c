#include "cli/CheckPages.h"

#include "cli/RenderCommands.h"
#include "qt/CanvasImages.h"

CheckPages::CheckPages() : app_(makeApplication()) {}

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
