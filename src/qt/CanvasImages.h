#pragma once
// Pictures between the core's Bitmap (0xAARRGGBB pixels) and QImage, as the canvas needs
// them: page images at screen resolution, bitmaps to stretch-draw, areas to grab.

#include <QImage>
#include <QRect>

#include "platform/Bitmap.h"

// A white page image of w × h pixels at 96 dpi (12 pt is 16 pixels on it).
QImage makePageImage(int w, int h);

// A QImage showing picture. When every pixel is opaque the image shares the bitmap's pixels
// (no copy: the bitmap must outlive the image and stay unchanged); otherwise it is an opaque
// copy, since bitmaps are drawn as solid pictures.
QImage canvasImageOf(const Bitmap& picture);

// The pixels of area of image as a bitmap; parts outside the image are white. An area too
// large to hold gives an empty bitmap.
Bitmap canvasBitmapOf(const QImage& image, const QRect& area);

// A deep copy of picture as an ARGB32 image, alpha kept (for saving to a file); a null
// image for an empty bitmap or one whose pixels do not fill its size.
QImage toQImage(const Bitmap& picture);
// The whole image as a bitmap; an empty bitmap for a null image.
Bitmap fromQImage(const QImage& image);

// The picture for a screen of device pixel ratio ratio: above 1, a picture with a drawing
// is drawn from it at ratio times its pixels (the image's device pixel ratio set to ratio);
// otherwise the same as toQImage.
QImage pictureAtRatio(const Bitmap& picture, double ratio);
