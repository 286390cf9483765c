#pragma once
// Bitmap files (BMP) read into and written from memory pictures.

#include <string>

#include "platform/Bitmap.h"
#include "platform/Files.h"

class Pictures {
  public:
    virtual ~Pictures() = default;
    // Ok with the picture; Missing; Error when the file cannot be read or is no picture;
    // Outside when it is refused as lying outside the course folder.
    virtual ReadStatus load(const std::string& path, Bitmap& out) = 0;
    virtual bool saveBmp(const std::string& path, const Bitmap& picture) = 0;
};
