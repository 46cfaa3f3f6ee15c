// Renders the filters on photos, as the editor's preview does (480 x 480):
//   taviro-filtersheet thumbnails <photo>
//       the strip thumbnail of every filter, written to its thumbPath below
//       the application root (a folder shared by several filters gets the
//       first one's);
//   taviro-filtersheet sheet <sheet.png> <photo>...
//       one contact sheet of every filter on every photo, for reviewing looks.
#include "filters/filter.h"
#include "filters/filtermanager.h"

#include "app/applicationroot.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSet>

#include <cstdio>

namespace {

constexpr int thumbnailSide = 120;
constexpr int cellSide = 200;
constexpr int labelHeight = 20;
constexpr int columns = 11;

// The centre square of a photo at the preview size.
QImage previewSource(const QImage &photo)
{
    const int side = qMin(photo.width(), photo.height());
    const QImage square = photo.copy((photo.width() - side) / 2, (photo.height() - side) / 2, side, side);
    return square.scaled(Filter::previewWidth, Filter::previewWidth, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

QImage render(Filter *filter, const QImage &source)
{
    QImage input = source.copy();
    QImage output(source.size(), QImage::Format_RGB32);
    // "Color Picker" keeps the warm colours (orange, yellow, red), as a person might choose.
    const QVariantList warm{false, false, false, false, true, true, true};
    filter->applyPreview(input.bits(), output.bits(), {}, {}, warm);
    return output;
}

QStringList filterNames(FilterManager &manager)
{
    QStringList names;
    for (const QVariant &entry : manager.getFilters())
        names.append(entry.toMap().value(QStringLiteral("name")).toString());
    return names;
}

int thumbnails(FilterManager &manager, const QString &photoPath)
{
    const QImage photo(photoPath);
    if (photo.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(photoPath));
        return 1;
    }
    const QImage source = previewSource(photo);
    QSet<QString> written;
    for (const QString &name : filterNames(manager)) {
        Filter *filter = manager.filterNamed(name);
        const QString path = applicationRootPath() + filter->thumbPath();
        if (written.contains(path))
            continue;
        written.insert(path);
        QDir().mkpath(QFileInfo(path).path());
        const QImage thumbnail = render(filter, source).scaled(thumbnailSide, thumbnailSide, Qt::IgnoreAspectRatio,
                                                               Qt::SmoothTransformation);
        if (!thumbnail.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

int sheet(FilterManager &manager, const QString &sheetPath, const QStringList &photoPaths)
{
    const QStringList names = filterNames(manager);
    const int rowsPerPhoto = (names.size() + columns - 1) / columns;
    const int bandHeight = rowsPerPhoto * (cellSide + labelHeight);
    QImage page(columns * cellSide, bandHeight * photoPaths.size(), QImage::Format_RGB32);
    page.fill(QColor(40, 40, 40));
    QPainter painter(&page);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(13);
    painter.setFont(font);
    for (int p = 0; p < photoPaths.size(); ++p) {
        const QImage photo(photoPaths.at(p));
        if (photo.isNull()) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(photoPaths.at(p)));
            return 1;
        }
        const QImage source = previewSource(photo);
        for (int i = 0; i < names.size(); ++i) {
            const QPoint corner((i % columns) * cellSide, p * bandHeight + (i / columns) * (cellSide + labelHeight));
            const QImage cell = render(manager.filterNamed(names.at(i)), source)
                                    .scaled(cellSide, cellSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            painter.drawImage(corner, cell);
            painter.drawText(QRect(corner + QPoint(0, cellSide), QSize(cellSide, labelHeight)), Qt::AlignCenter,
                             names.at(i));
        }
    }
    painter.end();
    return page.save(sheetPath, "PNG") ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    FilterManager manager;
    manager.registerCleanAndClearFilter();
    if (args.size() == 3 && args.at(1) == QLatin1String("thumbnails"))
        return thumbnails(manager, args.at(2));
    if (args.size() >= 4 && args.at(1) == QLatin1String("sheet"))
        return sheet(manager, args.at(2), args.mid(3));
    std::fprintf(stderr, "usage: %s thumbnails <photo> | sheet <sheet.png> <photo>...\n", argv[0]);
    return 2;
}
