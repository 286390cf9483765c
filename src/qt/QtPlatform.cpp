#include "qt/QtPlatform.h"

std::unique_ptr<Pictures> QtPlatform::makePictures(QtFiles& files) {
    return std::make_unique<QtPictures>(files);
}

QtPlatform::QtPlatform(Prompter* prompter, Overrides overrides)
    : QtCorePlatform(prompter, overrides, &QtPlatform::makePictures) {}
