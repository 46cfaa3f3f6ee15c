#include "filters/rusfilter.h"

#include "filters/primitives.h"

#include <cstring>

int RusFilter::applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect, QRect, bool preview, QVariant)
{
    std::memcpy(destination, source, size_t(pixelCount) * 4);
    autoLevels(destination, pixelCount, !preview, 1.0f, 1.0f);

    // The balance and the four curve sets fold into one table per channel.
    const MidtoneTables balance = midtoneBalance(24, -25, -78);
    ByteTable red = balance.red;
    ByteTable green = balance.green;
    ByteTable blue = balance.blue;
    const char *const sets[] = {"B-2C37", "B21C5", "B9C16", "C16"};
    for (const char *set : sets) {
        const QString folder = QStringLiteral(":/lut/rus/%1/").arg(QLatin1String(set));
        LookupTable r, g, b;
        loadLookupTable(folder + QStringLiteral("Rlut.txt"), r);
        loadLookupTable(folder + QStringLiteral("Glut.txt"), g);
        loadLookupTable(folder + QStringLiteral("Blut.txt"), b);
        for (int i = 0; i < 256; ++i) {
            red[size_t(i)] = lookup(r, red[size_t(i)]);
            green[size_t(i)] = lookup(g, green[size_t(i)]);
            blue[size_t(i)] = lookup(b, blue[size_t(i)]);
        }
    }
    for (int i = 0; i < pixelCount; ++i) {
        uchar *p = destination + size_t(i) * 4;
        p[0] = blue[p[0]];
        p[1] = green[p[1]];
        p[2] = red[p[2]];
    }
    return 0;
}

int RusFilter::filterId() const
{
    return 46;
}

QString RusFilter::name() const
{
    return QStringLiteral("Rus");
}

QString RusFilter::thumbPath() const
{
    return QStringLiteral("qml/ui/filterRes/Rus/thumbnail.png");
}
