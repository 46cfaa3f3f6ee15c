#pragma once

#include <QImage>
#include <QString>
#include <QVector>

#include <functional>

// The filters' installed pictures, drawn from code: one family per source
// file, each picture with the path it is installed under qml/ui/filterRes/.

// A picture of one fixed size (colour cubes, blend tables).
struct FixedPicture {
    QString path;
    std::function<QImage()> draw;
};

// A picture drawn for each output size: the preview file, and stem + side +
// extension for each final size. Drawn in coordinates relative to the side,
// so every size looks the same.
struct SizedPicture {
    QString previewPath;
    QString stem;
    QString extension;
    std::function<QImage(int side)> draw;
};

QVector<FixedPicture> colourCubes();
QVector<FixedPicture> blendTables();
QVector<SizedPicture> overlayPictures();
QVector<SizedPicture> framePictures();
QVector<SizedPicture> maskPictures();

// Shared drawing helpers.
float smoothstep(float edge0, float edge1, float x);
// Distance of pixel (x, y) from the centre of a side x side square, 1 at the
// middle of an edge, about 1.41 in a corner.
float radius(int x, int y, int side);
// A side x side picture whose pixel (x, y) is pixel(x, y).
QImage drawPicture(int side, QImage::Format format, const std::function<QRgb(int x, int y)> &pixel);
