#pragma once
// Bitmap files (BMP) read into and written from memory pictures.

#include <string>

#include "platform/Bitmap.h"

class Pictures {
  public:
    virtual ~Pictures() = default;
    // False when the file is missing or not a picture.
    virtual bool load(const std::string& path, Bitmap& out) = 0;
    virtual bool saveBmp(const std::string& path, const Bitmap& picture) = 0;
};
