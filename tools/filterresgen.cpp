// Draws the filters' installed pictures under qml/ui/filterRes/: one family
// per run (cubes, overlays, frames, masks), the size-dependent ones at the
// preview size and at each final size given.
//   taviro-filterresgen <filterRes folder> <family> <final size>...
#include "filterres/pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

#include <algorithm>
#include <cmath>

float smoothstep(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

float radius(int x, int y, int side)
{
    const float centre = side / 2.0f;
    const float dx = (x + 0.5f - centre) / centre;
    const float dy = (y + 0.5f - centre) / centre;
    return std::sqrt(dx * dx + dy * dy);
}

QImage drawPicture(int side, QImage::Format format, const std::function<QRgb(int x, int y)> &pixel)
{
    QImage image(side, side, QImage::Format_ARGB32);
    for (int y = 0; y < side; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < side; ++x)
            line[x] = pixel(x, y);
    }
    return format == QImage::Format_ARGB32 ? image : image.convertToFormat(format);
}

namespace {

bool save(const QImage &image, const QString &path)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QImageWriter writer(path);
    // Cubes and burn vignettes are looked up cell by cell: as little loss as
    // JPEG allows. (For PNG the quality is the compression: left as it is.)
    if (path.endsWith(QLatin1String(".jpg")))
        writer.setQuality(100);
    if (!writer.write(image)) {
        qWarning("cannot write %s: %s", qPrintable(path), qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QString folder = args.at(1) + QLatin1Char('/');
    const QString family = args.at(2);
    QList<int> sizes;
    for (int i = 3; i < args.size(); ++i) {
        const int side = args.at(i).toInt();
        if (side <= 0)
            return 2;
        sizes.append(side);
    }

    QVector<FixedPicture> fixed;
    QVector<SizedPicture> sized;
    if (family == QLatin1String("cubes"))
        fixed = colourCubes();
    else if (family == QLatin1String("overlays"))
        sized = overlayPictures();
    else if (family == QLatin1String("frames"))
        sized = framePictures();
    else if (family == QLatin1String("masks")) {
        fixed = blendTables();
        sized = maskPictures();
    } else {
        return 2;
    }

    bool ok = true;
    for (const FixedPicture &picture : fixed)
        ok = save(picture.draw(), folder + picture.path) && ok;
    for (const SizedPicture &picture : sized) {
        ok = save(picture.draw(480), folder + picture.previewPath) && ok;
        for (int side : sizes)
            ok = save(picture.draw(side), folder + picture.stem + QString::number(side) + picture.extension) && ok;
    }
    return ok ? 0 : 1;
}
