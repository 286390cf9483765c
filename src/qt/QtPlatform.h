#pragma once
// The real platform services on Qt, gathered into the Platform the core works with: those
// of QtCorePlatform with the pictures on QtGui. The windows and the commands that draw build
// one at start.

#include "qt/QtCorePlatform.h"
#include "qt/QtPictures.h"

class QtPlatform : public QtCorePlatform {
  public:
    explicit QtPlatform(Prompter* prompter = nullptr, Overrides overrides = {});

    // The pictures service QtPlatform brings, for a QtCorePlatform to take.
    static std::unique_ptr<Pictures> makePictures(QtFiles& files);
};
