#pragma once
// Picture files through QImage: any format it reads (BMP above all) is loaded; pictures
// are saved as BMP through the atomic save. Files are read through the file service, so
// a picture reached through a link that leads out of the course folder is refused.

#include <memory>
#include <string>

#include "platform/Pictures.h"

class QtFiles;

class QtPictures : public Pictures {
  public:
    explicit QtPictures(QtFiles& files) : files_(files) {}
    ReadStatus load(const std::string& path, Bitmap& out) override;
    bool saveBmp(const std::string& path, const Bitmap& picture) override;

  private:
    std::shared_ptr<const std::string> drawingBeside(const std::string& path);

    QtFiles& files_;
};
