#include "filters/filtercommon.h"
#include "filters/normalfilter.h"
#include "filters/primitives.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

Q_DECLARE_METATYPE(QVector<int>)

namespace {

std::vector<quint32> greyPixels(const QVector<int> &levels)
{
    std::vector<quint32> pixels;
    for (int v : levels)
        pixels.push_back(0xff000000u | (quint32(v) << 16) | (quint32(v) << 8) | quint32(v));
    return pixels;
}

// The triangular blur written out term by term, edges repeated.
std::vector<quint32> referenceBlur(const std::vector<quint32> &src, int width, int height, int a)
{
    const auto at = [](const std::vector<quint32> &img, int w, int x, int y, int c) {
        return int((img[size_t(y * w + x)] >> (8 * c)) & 0xff);
    };
    std::vector<quint32> columns(src.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            quint32 pixel = src[size_t(y * width + x)] & 0xff000000u;
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int k = -(a - 1); k <= a - 1; ++k)
                    sum += (a - std::abs(k)) * at(src, width, x, std::clamp(y + k, 0, height - 1), c);
                pixel |= quint32((sum + a * a / 2) / (a * a)) << (8 * c);
            }
            columns[size_t(y * width + x)] = pixel;
        }
    }
    std::vector<quint32> out(src.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            quint32 pixel = columns[size_t(y * width + x)] & 0xff000000u;
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int k = -(a - 1); k <= a - 1; ++k)
                    sum += (a - std::abs(k)) * at(columns, width, std::clamp(x + k, 0, width - 1), y, c);
                pixel |= quint32((sum + a * a / 2) / (a * a)) << (8 * c);
            }
            out[size_t(y * width + x)] = pixel;
        }
    }
    return out;
}

} // namespace

class TestPixelPrimitives : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void gammaOfOneIsIdentity()
    {
        const ByteTable t = ::gammaTable(1.0f);
        for (int i = 0; i < 256; ++i)
            QCOMPARE(int(t[size_t(i)]), i);
    }

    void gammaTable_data()
    {
        QTest::addColumn<float>("gamma");
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("expected");
        QTest::newRow("2.0 keeps black") << 2.0f << 0 << 0;
        QTest::newRow("2.0 keeps white") << 2.0f << 255 << 255;
        QTest::newRow("2.0 brightens a quarter to a half") << 2.0f << 64 << 128;
        QTest::newRow("0.5 darkens a half to a quarter") << 0.5f << 128 << 64;
    }

    void gammaTable()
    {
        QFETCH(float, gamma);
        QFETCH(int, input);
        QFETCH(int, expected);
        QCOMPARE(int(::gammaTable(gamma)[size_t(input)]), expected);
    }

    void contrastTable_data()
    {
        QTest::addColumn<int>("amount");
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("expected");
        for (int v : {0, 1, 64, 127, 128, 200, 255})
            QTest::addRow("0: %d unchanged", v) << 0 << v << v;
        QTest::newRow("50: 0") << 50 << 0 << 0;
        QTest::newRow("50: 64") << 50 << 64 << 0;
        QTest::newRow("50: 128") << 50 << 128 << 128;
        QTest::newRow("50: 160") << 50 << 160 << 192;
        QTest::newRow("50: 200") << 50 << 200 << 255;
        QTest::newRow("100 is a threshold, not a division by zero") << 100 << 130 << 255;
    }

    void contrastTable()
    {
        QFETCH(int, amount);
        QFETCH(int, input);
        QFETCH(int, expected);
        QCOMPARE(int(::contrastTable(amount)[size_t(input)]), expected);
    }

    void autoLevels_data()
    {
        QTest::addColumn<QVector<int>>("levels");
        QTest::addColumn<int>("black");
        QTest::addColumn<int>("white");
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("expected");

        QTest::newRow("uniform grey 100") << QVector<int>(1000, 100) << 99 << 101 << 100 << 127;
        QVector<int> sparse;
        for (int v = 0; v < 256; ++v)
            sparse << QVector<int>(98, v);
        QTest::newRow("fewer than 100 pixels per level") << sparse << 0 << 0 << 77 << 77;
        QVector<int> ends = QVector<int>(200, 0) + QVector<int>(200, 255);
        QTest::newRow("black and white present") << ends << 0 << 255 << 128 << 128;
    }

    void autoLevels()
    {
        QFETCH(QVector<int>, levels);
        QFETCH(int, black);
        QFETCH(int, white);
        QFETCH(int, input);
        QFETCH(int, expected);

        levels << input;
        std::vector<quint32> pixels = greyPixels(levels);
        NormalFilter filter(nullptr);
        filter.autoLevels(reinterpret_cast<uchar *>(pixels.data()), int(pixels.size()), false, 1.0f, 1.0f);
        QCOMPARE(int(filter.cachedBlackPoint()), black);
        QCOMPARE(int(filter.cachedWhitePoint()), white);
        QCOMPARE(int(pixels.back() & 0xff), expected);
        QCOMPARE(pixels.back() >> 24, 0xffu);
    }

    void autoLevelsReuse()
    {
        NormalFilter filter(nullptr);
        // Reusing before anything was measured measures the image at hand.
        std::vector<quint32> first = greyPixels(QVector<int>(500, 100) << 100);
        filter.autoLevels(reinterpret_cast<uchar *>(first.data()), int(first.size()), true, 1.0f, 1.0f);
        QCOMPARE(int(first.back() & 0xff), 127);

        // Reuse applies those points to another image unchanged.
        std::vector<quint32> second = greyPixels(QVector<int>(500, 200) << 100 << 101 << 50);
        filter.autoLevels(reinterpret_cast<uchar *>(second.data()), int(second.size()), true, 1.0f, 1.0f);
        QCOMPARE(int(filter.cachedBlackPoint()), 99);
        QCOMPARE(int(second[second.size() - 3] & 0xff), 127);
        QCOMPARE(int(second[second.size() - 2] & 0xff), 255);
        QCOMPARE(int(second.back() & 0xff), 0);
    }

    void midtoneBalance()
    {
        const MidtoneTables t = ::midtoneBalance(24, -25, -78);
        const struct {
            const ByteTable &table;
            float gamma;
        } expected[] = {{t.red, 1.42405f}, {t.green, 1.01396f}, {t.blue, 0.70222f}};
        for (const auto &e : expected) {
            const ByteTable reference = ::gammaTable(e.gamma);
            for (int i = 0; i < 256; ++i)
                QVERIFY2(std::abs(int(e.table[size_t(i)]) - int(reference[size_t(i)])) <= 1, qPrintable(QString::number(i)));
        }
    }

    void rgbToHsl_data()
    {
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::addColumn<int>("hue");
        QTest::addColumn<int>("saturation");
        QTest::addColumn<int>("lightness");
        QTest::newRow("red") << 255 << 0 << 0 << 0 << 99 << 49;
        QTest::newRow("white") << 255 << 255 << 255 << 0 << 0 << 99;
        QTest::newRow("black") << 0 << 0 << 0 << 0 << 0 << 0;
        QTest::newRow("green") << 0 << 255 << 0 << 120 << 99 << 49;
        QTest::newRow("blue") << 0 << 0 << 255 << 240 << 99 << 49;
        QTest::newRow("rose wraps below 360") << 255 << 0 << 10 << 358 << 99 << 49;
        QTest::newRow("dull red") << 128 << 64 << 64 << 0 << 33 << 37;
    }

    void rgbToHsl()
    {
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        quint16 h, s, l;
        ::rgbToHsl(quint8(red), quint8(green), quint8(blue), h, s, l);
        QTEST(int(h), "hue");
        QTEST(int(s), "saturation");
        QTEST(int(l), "lightness");
    }

    void hslToRgb_data()
    {
        QTest::addColumn<int>("hue");
        QTest::addColumn<int>("saturation");
        QTest::addColumn<int>("lightness");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::newRow("grey 50") << 0 << 0 << 50 << 127 << 127 << 127;
        QTest::newRow("lightness 100 truncates to 254") << 0 << 0 << 100 << 254 << 254 << 254;
        QTest::newRow("red") << 0 << 100 << 50 << 255 << 0 << 0;
        QTest::newRow("green") << 120 << 100 << 50 << 0 << 255 << 0;
        QTest::newRow("blue") << 240 << 100 << 50 << 0 << 0 << 255;
        QTest::newRow("360 is red again") << 360 << 100 << 50 << 255 << 0 << 0;
    }

    void hslToRgb()
    {
        QFETCH(int, hue);
        QFETCH(int, saturation);
        QFETCH(int, lightness);
        quint8 r, g, b;
        ::hslToRgb(uint(hue), uint(saturation), uint(lightness), r, g, b);
        QTEST(int(r), "red");
        QTEST(int(g), "green");
        QTEST(int(b), "blue");
    }

    void labRoundTrip_data()
    {
        QTest::addColumn<QColor>("colour");
        QTest::newRow("white") << QColor(255, 255, 255);
        QTest::newRow("mid grey") << QColor(128, 128, 128);
        QTest::newRow("skin") << QColor(224, 172, 140);
        QTest::newRow("sky") << QColor(90, 150, 220);
        QTest::newRow("foliage") << QColor(60, 120, 40);
        QTest::newRow("dark red") << QColor(90, 10, 12);
    }

    void labRoundTrip()
    {
        QFETCH(QColor, colour);
        const FilterCommon common;
        quint8 l, a, b;
        common.rgbToLab(quint8(colour.red()), quint8(colour.green()), quint8(colour.blue()), l, a, b);
        const QRgb back = common.labToRgb(l, a, b);
        QCOMPARE(qAlpha(back), 255);
        QVERIFY2(std::abs(qRed(back) - colour.red()) <= 6, qPrintable(QString::number(qRed(back))));
        QVERIFY2(std::abs(qGreen(back) - colour.green()) <= 6, qPrintable(QString::number(qGreen(back))));
        QVERIFY2(std::abs(qBlue(back) - colour.blue()) <= 6, qPrintable(QString::number(qBlue(back))));
    }

    void labExtremesStayInTheTables()
    {
        const FilterCommon common;
        quint8 l, a, b;
        common.rgbToLab(0, 0, 0, l, a, b);
        QCOMPARE(int(l), 0);
        QCOMPARE(common.labToRgb(0, a, b), 0xff000000u);
        // Axis bytes far from neutral reach below 0 and past 1999 in the tables.
        QCOMPARE(qAlpha(common.labToRgb(1, 0, 255)), 255);
        const QRgb bright = common.labToRgb(255, 255, 0);
        QCOMPARE(qRed(bright), 255);
        QCOMPARE(qAlpha(bright), 255);
        QCOMPARE(common.labForward(-5), common.labForward(0));
        QCOMPARE(common.gammaEncode(5000), quint8(255));
    }

    void loadLookupTable_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("status");
        QTest::addColumn<QVector<int>>("rows");
        const QString fixture = QStringLiteral(TAVIRO_TEST_DATA "/filters/edge_rows.txt");
        QTest::newRow("12 -1 stores 0, 241 257 stores 1")
            << fixture << 0 << QVector<int>{0, 5, 12, 0, 241, 1, 255, 255, 7, 0, 128, 128};
        QTest::newRow("vivid a widens the a axis")
            << ":/lut/vivid/a.txt" << 0 << QVector<int>{0, 0, 1, 0, 2, 0, 125, 127, 126, 129, 253, 255, 254, 255, 255, 255};
        QTest::newRow("ale sea compresses blue") << ":/lut/alesea/Blut" << 0 << QVector<int>{0, 99, 255, 173};
        QTest::newRow("black and white grey curve")
            << ":/lut/bw_hicontrast/gray.txt" << 0 << QVector<int>{0, 0, 1, 0, 2, 0, 254, 255, 255, 255};
        QTest::newRow("missing file") << ":/lut/none.txt" << 2 << QVector<int>{};
        QTest::newRow("a folder cannot be opened") << QStringLiteral(TAVIRO_TEST_DATA "/filters") << 3 << QVector<int>{};
    }

    void loadLookupTable()
    {
        QFETCH(QString, path);
        QFETCH(int, status);
        QFETCH(QVector<int>, rows);
        LookupTable table;
        QCOMPARE(::loadLookupTable(path, table), status);
        QCOMPARE(table.has_value(), status == 0);
        for (int i = 0; i < rows.size(); i += 2)
            QCOMPARE(int((*table)[size_t(rows[i])]), rows[i + 1]);
    }

    void everyTableResourceIsComplete_data()
    {
        QTest::addColumn<QString>("path");
        QStringList paths{":/lut/vivid/a.txt", ":/lut/vivid/b.txt", ":/lut/bw_hicontrast/gray.txt",
                          ":/lut/alesea/Rlut", ":/lut/alesea/Glut", ":/lut/alesea/Blut", ":/lut/charcoal/Graylut",
                          ":/lut/piehole/blackoverlay.txt", ":/lut/dreamyvintage/BC.txt",
                          ":/lut/dreamyvintage/gamma.txt"};
        for (const char *c : {"R", "G", "B"}) {
            paths << QStringLiteral(":/lut/rosy/rosy_%1.txt").arg(c)
                  << QStringLiteral(":/lut/cavalleria_rusticana/curvefill_%1.txt").arg(c)
                  << QStringLiteral(":/lut/piehole/piecurve_%1.txt").arg(c)
                  << QStringLiteral(":/lut/piehole/pieoverlay_%1.txt").arg(c)
                  << QStringLiteral(":/lut/dreamyvintage/gmap_%1.txt").arg(c)
                  << QStringLiteral(":/lut/dreamyvintage/curve_%1.txt").arg(c);
            for (const char *set : {"B-2C37", "B21C5", "B9C16", "C16"})
                paths << QStringLiteral(":/lut/rus/%1/%2lut.txt").arg(QLatin1String(set), QLatin1String(c));
        }
        for (const QString &path : paths)
            QTest::newRow(qPrintable(path)) << path;
    }

    void everyTableResourceIsComplete()
    {
        QFETCH(QString, path);
        LookupTable table;
        QCOMPARE(::loadLookupTable(path, table), 0);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 257);
        for (int i = 0; i < 256; ++i)
            QVERIFY(lines.at(i).startsWith(QByteArray::number(i) + ' ') && lines.at(i).endsWith('\r'));
    }

    void cubeLookup_data()
    {
        QTest::addColumn<int>("blue");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::newRow("black: first corner") << 0 << 0 << 0 << 0 << 0;
        QTest::newRow("white: last corner") << 255 << 255 << 255 << 511 << 511;
        QTest::newRow("blue 128: slice 32, tile row 4") << 128 << 0 << 0 << 0 << 256;
        QTest::newRow("red 255 in the first tile") << 0 << 0 << 255 << 63 << 0;
    }

    void cubeLookup()
    {
        QFETCH(int, blue);
        QFETCH(int, green);
        QFETCH(int, red);
        QFETCH(int, column);
        QFETCH(int, row);
        // Each cube pixel names its own place: red = column, green = row, blue
        // = their high bits, alpha 7 to show it is returned whole.
        QImage cube(512, 512, QImage::Format_ARGB32);
        for (int y = 0; y < 512; ++y)
            for (int x = 0; x < 512; ++x)
                cube.setPixel(x, y, qRgba(x & 255, y & 255, (x >> 8) | ((y >> 8) << 1), 7));
        const QRgb found = ::cubeLookup(cube, quint8(blue), quint8(green), quint8(red));
        QCOMPARE(qRed(found) | ((qBlue(found) & 1) << 8), column);
        QCOMPARE(qGreen(found) | ((qBlue(found) >> 1) << 8), row);
        QCOMPARE(qAlpha(found), 7);
    }

    void blendOperators_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("blend");
        QTest::addColumn<int>("alpha");
        QTest::addColumn<int>("expected");
        QTest::newRow("burn: white blend keeps") << "burn" << 200 << 255 << 0 << 200;
        QTest::newRow("burn: mid blend") << "burn" << 200 << 127 << 0 << 145;
        QTest::newRow("burn: clamps at 0") << "burn" << 0 << 0 << 0 << 0;
        QTest::newRow("burn: white base stays") << "burn" << 255 << 0 << 0 << 255;
        QTest::newRow("overlay: dark base, opaque") << "overlay" << 64 << 200 << 255 << 99;
        QTest::newRow("overlay: light base, opaque") << "overlay" << 200 << 100 << 255 << 188;
        QTest::newRow("overlay: transparent") << "overlay" << 64 << 200 << 0 << 63;
        QTest::newRow("screen: black gains 1") << "screen" << 0 << 0 << 255 << 1;
        QTest::newRow("screen: mid") << "screen" << 128 << 0 << 255 << 191;
        QTest::newRow("screen: white") << "screen" << 255 << 0 << 255 << 255;
        QTest::newRow("multiply: opaque base") << "multiply" << 200 << 128 << 255 << 100;
        QTest::newRow("multiply: clamps at 255") << "multiply" << 255 << 255 << 0 << 255;
        QTest::newRow("over: transparent") << "over" << 100 << 200 << 0 << 99;
        QTest::newRow("over: opaque") << "over" << 100 << 200 << 255 << 199;
        QTest::newRow("over: half") << "over" << 100 << 200 << 128 << 149;
    }

    void blendOperators()
    {
        QFETCH(QString, op);
        QFETCH(int, base);
        QFETCH(int, blend);
        QFETCH(int, alpha);
        int result = -1;
        if (op == QLatin1String("burn"))
            result = colourBurn(base, blend);
        else if (op == QLatin1String("overlay"))
            result = overlayByAlpha(base, blend, alpha);
        else if (op == QLatin1String("screen"))
            result = selfScreenByAlpha(base, alpha);
        else if (op == QLatin1String("multiply"))
            // The multiply rows blend over a base whose own alpha is the row's
            // alpha when opaque and 0 otherwise.
            result = multiplyWithAlpha(base, alpha, blend, alpha);
        else
            result = alphaOver(base, blend, alpha);
        QTEST(result, "expected");
    }

    void mapColours_data()
    {
        QTest::addColumn<bool>("black");
        // 20000 colours through 4096 slots: most meet another colour's result.
        QTest::newRow("colliding colours") << false;
        // Black has key bits 0, as the slots start.
        QTest::newRow("black") << true;
    }

    // Every pixel gets its own colour's result, and its alpha where the result
    // leaves it open.
    void mapColours()
    {
        QFETCH(bool, black);
        QRandomGenerator random(5);
        std::vector<quint32> source(20000);
        for (quint32 &p : source)
            p = black ? (random.generate() & 0xff000000u) : random.generate();
        const auto colourOf = [](quint8 blue, quint8 green, quint8 red) {
            return quint32(255 - red) | quint32(blue) << 8 | quint32(green ^ 0x5a) << 16;
        };
        std::vector<quint32> mapped(source.size());
        ::mapColours(reinterpret_cast<const uchar *>(source.data()), mapped.data(), int(source.size()), colourOf);
        for (size_t i = 0; i < source.size(); ++i) {
            const quint32 p = source[i];
            const quint32 expected = (p & 0xff000000u) | colourOf(quint8(p), quint8(p >> 8), quint8(p >> 16));
            QVERIFY2(mapped[i] == expected, qPrintable(QString::number(i)));
        }
    }

    void triangularBlur_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("halfWidth");
        QTest::newRow("half-width 1 copies") << 9 << 9 << 1;
        QTest::newRow("half-width 3") << 31 << 31 << 3;
        QTest::newRow("kernel wider than the image") << 17 << 17 << 20;
        QTest::newRow("not square") << 23 << 41 << 5;
    }

    void triangularBlur()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, halfWidth);
        QRandomGenerator random(42);
        std::vector<quint32> source(size_t(width * height));
        for (quint32 &p : source)
            p = random.generate();
        std::vector<quint32> blurred(source.size());
        ::triangularBlur(source.data(), blurred.data(), width, height, halfWidth);
        const std::vector<quint32> expected = referenceBlur(source, width, height, halfWidth);
        for (size_t i = 0; i < source.size(); ++i)
            QVERIFY2(blurred[i] == expected[i], qPrintable(QString::number(i)));

        // A plane of the green bytes blurs as the green channel does.
        std::vector<quint8> plane(source.size());
        for (size_t i = 0; i < source.size(); ++i)
            plane[i] = quint8(source[i] >> 8);
        std::vector<quint8> blurredPlane(plane.size());
        ::triangularBlurPlane(plane.data(), blurredPlane.data(), width, height, halfWidth);
        for (size_t i = 0; i < source.size(); ++i)
            QVERIFY2(blurredPlane[i] == quint8(expected[i] >> 8), qPrintable(QString::number(i)));
    }

    void blendByStrength_data()
    {
        QTest::addColumn<int>("strength");
        QTest::addColumn<int>("original");
        QTest::addColumn<int>("filtered");
        QTest::addColumn<int>("expected");
        QTest::newRow("100: the filter") << 100 << 10 << 200 << 200;
        QTest::newRow("0: the source") << 0 << 10 << 200 << 10;
        QTest::newRow("50: the mean") << 50 << 10 << 202 << 106;
        QTest::newRow("50: a half rounds up") << 50 << 10 << 201 << 106;
        QTest::newRow("50: downward") << 50 << 201 << 10 << 106;
        QTest::newRow("25") << 25 << 0 << 100 << 25;
        QTest::newRow("33: 84.15 rounds to 84") << 33 << 0 << 255 << 84;
        QTest::newRow("67: 170.85 rounds to 171") << 67 << 0 << 255 << 171;
    }

    void blendByStrength()
    {
        QFETCH(int, strength);
        QFETCH(int, original);
        QFETCH(int, filtered);
        QFETCH(int, expected);
        const quint32 source = 0xff000000u | quint32(original) << 16 | quint32(original) << 8 | quint32(original);
        // The filtered alpha stays, whatever the source's.
        quint32 pixel = 0x7f000000u | quint32(filtered) << 16 | quint32(filtered) << 8 | quint32(filtered);
        ::blendByStrength(reinterpret_cast<const uchar *>(&source), reinterpret_cast<uchar *>(&pixel), 1, strength);
        QCOMPARE(pixel, 0x7f000000u | quint32(expected) << 16 | quint32(expected) << 8 | quint32(expected));
    }

    // Every colour there and every lightness and axis pair back, against the
    // conversions written out plainly in single precision from their tables.
    void labConversionsForEveryInput()
    {
        float linear[256], forward[2000], inverse[2000];
        quint8 encode[2000];
        for (int i = 0; i < 256; ++i) {
            const float c = i * 0.003921569f;
            linear[i] = i < 11 ? c * 1000 * 0.07739938f : powf((c + 0.055f) * 0.9478673f, 2.4f) * 1000;
        }
        for (int k = 0; k < 2000; ++k) {
            const float t = k * 0.001f;
            forward[k] = t > 0.008856f ? powf(t, 0.33333334f) : 7.787f * t + 0.13793103f;
            const float d = t * t * t;
            const float v = d > 0.008856f ? d : (t - 0.13793103f) * 0.12841916f;
            inverse[k] = v < 0 ? 0 : v;
            const float g = t <= 0.0031308f ? t * 3294.6f : (1.055f * powf(t, 0.41666666f) - 0.055f) * 255;
            encode[k] = g >= 255 ? 255 : (g < 0 ? 0 : quint8(int(g)));
        }
        const auto positive = [](float v) { return v > 0 ? (v < 2000 ? int(v) : 1999) : 0; };
        const auto inside = [](int k) { return std::clamp(k, 0, 1999); };
        const auto axis = [](int v) { return v < -128 ? 0 : (v < 127 ? v + 128 : 255); };
        FilterCommon common;
        for (int r = 0; r < 256; ++r) {
            for (int g = 0; g < 256; ++g) {
                for (int b = 0; b < 256; ++b) {
                    const float R = linear[r], G = linear[g], B = linear[b];
                    const float X = (0.412424f * R + 0.357579f * G + 0.180464f * B) * 1.0521265f;
                    const float Y = 0.212656f * R + 0.715158f * G + 0.0721856f * B;
                    const float Z = (0.0193324f * R + 0.119193f * G + 0.950444f * B) * 0.9184811f;
                    const float fx = forward[positive(X)], fy = forward[positive(Y)], fz = forward[positive(Z)];
                    quint8 l, la, lb;
                    common.rgbToLab(quint8(r), quint8(g), quint8(b), l, la, lb);
                    if (l != std::clamp(int(fy * 295.8f - 40.8f), 0, 255) || la != axis(int((fx - fy) * 500))
                        || lb != axis(int((fy - fz) * 200)))
                        QFAIL(qPrintable(QStringLiteral("rgbToLab(%1, %2, %3)").arg(r).arg(g).arg(b)));
                }
            }
        }
        for (int l = 1; l < 256; ++l) {
            for (int a = 0; a < 256; ++a) {
                for (int b = 0; b < 256; ++b) {
                    const int j = int(l * 3.3806627f) + 138;
                    const float Y = inverse[inside(j)];
                    const float X = inverse[inside(j + 2 * a - 256)] * 0.950456f;
                    const float Z = inverse[inside(j - 5 * b + 640)] * 1.088754f;
                    const quint32 expected = 0xff000000u
                        | quint32(encode[positive(3240.71f * X - 1537.26f * Y - 498.571f * Z)]) << 16
                        | quint32(encode[positive(-969.258f * X + 1875.99f * Y + 41.5557f * Z)]) << 8
                        | encode[positive(55.6352f * X - 203.996f * Y + 1057.07f * Z)];
                    if (common.labToRgb(quint8(l), quint8(a), quint8(b)) != expected)
                        QFAIL(qPrintable(QStringLiteral("labToRgb(%1, %2, %3)").arg(l).arg(a).arg(b)));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestPixelPrimitives)
#include "tst_pixelprimitives.moc"
