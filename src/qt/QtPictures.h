#pragma once
// Picture files through QImage: any format it reads (BMP above all) is loaded; pictures
// are saved as BMP through an atomic write.

#include "platform/Pictures.h"

class QtPictures : public Pictures {
  public:
    bool load(const std::string& path, Bitmap& out) override;
    bool saveBmp(const std::string& path, const Bitmap& picture) override;
};
