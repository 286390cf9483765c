#pragma once
// Memory pictures to and from QImage. Bitmap pixels (0xAARRGGBB) are QImage's ARGB32.

#include <QImage>

#include "platform/Bitmap.h"

// A null image for an empty bitmap or one whose pixels do not fill its size.
QImage toQImage(const Bitmap& picture);
// An empty bitmap for a null image.
Bitmap fromQImage(const QImage& image);
