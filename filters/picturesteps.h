#pragma once

#include "filters/primitives.h"

#include <QImage>

#include <vector>

// Steps of the filters that combine a photo with installed pictures, each run
// in place over a buffer of `count` 32-bit pixels. A picture goes pixel for
// pixel with the buffer; a null picture, or one of another pixel count, is
// never read: its step leaves the buffer as it is.

// Every pixel through the 512 x 512 colour cube; wholePixel also takes the
// cube's alpha, else the alpha byte stays.
void cubeStep(uchar *pixels, int count, const QImage &cube, bool wholePixel);
// Colour burn with the picture's colour; withAlpha burns the alpha byte too.
void burnStep(uchar *pixels, int count, const QImage &picture, bool withAlpha);
// Multiply with the picture by its alpha, the buffer's alpha being the base's.
void multiplyStep(uchar *pixels, int count, const QImage &picture);
// Overlay of the picture's colour by its alpha.
void overlayStep(uchar *pixels, int count, const QImage &picture);
// Self-screen by the picture's alpha (its colour is not used).
void selfScreenStep(uchar *pixels, int count, const QImage &picture);
// The picture over the buffer by its alpha ("frame over").
void frameOverStep(uchar *pixels, int count, const QImage &picture);

// Each pixel's blue, green and red through the table of byMask (256 tables)
// that the mask picture's blue byte at that pixel picks.
void maskedCurveStep(uchar *pixels, int count, const QImage &mask, const std::vector<ByteTable> &byMask);
// Blue, green and red through one table each; the alpha byte stays.
void curvesStep(uchar *pixels, int count, const ByteTable &blue, const ByteTable &green, const ByteTable &red);
// The table of a resource file, or the identity when it could not be read
// (so its step changes nothing).
ByteTable loadCurve(const QString &resource);
ByteTable identityTable();
void setOpaque(uchar *pixels, int count);
