#pragma once

#include <QBuffer>
#include <QImage>
#include <QTransform>

// Test fixtures for photo orientation, made in code.

// An upright landscape picture, twice as wide as high: the top left quarter
// red, the top right green, the bottom half blue.
inline QImage uprightPicture(int width = 96)
{
    const int height = width / 2;
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, y >= height / 2 ? qRgb(0, 0, 255) : (x < width / 2 ? qRgb(255, 0, 0) : qRgb(0, 255, 0)));
    return image;
}

// The JPEG a camera writes for that picture: the pixels as the sensor saw
// them and an EXIF Orientation tag (3, 6 or 8) telling viewers to turn them
// by 180 degrees, a quarter turn clockwise or one anticlockwise.
inline QByteArray orientedJpeg(const QImage &upright, int orientation)
{
    QTransform sensor;
    sensor.rotate(orientation == 3 ? 180 : (orientation == 6 ? -90 : (orientation == 8 ? 90 : 0)));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    upright.transformed(sensor).save(&buffer, "JPG", 95);
    // APP1: "Exif", a big-endian TIFF header and one IFD holding the tag.
    const char exif[] = {'\xff', '\xe1', 0, 34, 'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1,
                         '\x01', '\x12', 0, 3, 0, 0, 0, 1, 0, char(orientation), 0, 0, 0, 0, 0, 0};
    jpeg.insert(2, QByteArray(exif, int(sizeof exif)));
    return jpeg;
}

// The colour a region shows: 'r', 'g' or 'b' by its strongest channel.
inline char dominant(QRgb pixel)
{
    if (qRed(pixel) > qGreen(pixel) && qRed(pixel) > qBlue(pixel))
        return 'r';
    return qGreen(pixel) > qBlue(pixel) ? 'g' : 'b';
}

// Whether an image shows the upright picture: red top left, green top right,
// blue across the bottom, wider than high.
inline bool showsUpright(const QImage &image)
{
    const int w = image.width();
    const int h = image.height();
    return w > h && dominant(image.pixel(w / 4, h / 4)) == 'r' && dominant(image.pixel(3 * w / 4, h / 4)) == 'g'
        && dominant(image.pixel(w / 2, 3 * h / 4)) == 'b';
}

// Whether JPEG bytes carry an EXIF segment.
inline bool hasExif(const QByteArray &jpeg)
{
    return jpeg.contains(QByteArray("\xff\xe1", 2)) && jpeg.contains(QByteArray("Exif\0\0", 6));
}
