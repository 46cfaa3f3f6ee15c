// The spatial and selective filters: colour splash, bar-keeping toning, the
// blur-based looks and the tilt-shift miniature.
#include "filters/cartoonfilter.h"
#include "filters/cleanandclearfilter.h"
#include "filters/colorpickerfilter.h"
#include "filters/filtercommon.h"
#include "filters/primitives.h"
#include "filters/tiltshiftfilter.h"
#include "filters/viridescentfilter.h"
#include "tests/support/filterfixtures.h"

#include <QTest>

#include <memory>

namespace {

constexpr int side = 480;
constexpr int count = side * side;

} // namespace

class TestSpatialFilters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // 64 pixels: too few for levels to stretch anything.
    void colorPicker_data()
    {
        QTest::addColumn<QVariant>("param");
        QTest::addColumn<QRgb>("pixel");
        QTest::addColumn<QRgb>("expected");
        const QRgb red = qRgb(201, 40, 40);
        const QRgb redGrey = qRgb(88, 88, 88);
        const QRgb blue = qRgb(40, 60, 200);
        const QRgb dark = qRgb(20, 10, 40);
        const auto offs = [](int n) { return QVariantList(QVector<QVariant>(n, false).toList()); };
        const QVariantList reds = offs(6) << true;
        QTest::newRow("no elements: grey") << QVariant(QVariantList()) << red << redGrey;
        QTest::newRow("all false: grey") << QVariant(offs(8)) << red << redGrey;
        QTest::newRow("not a list: grey") << QVariant(QStringLiteral("red")) << red << redGrey;
        QTest::newRow("reds kept") << QVariant(reds) << red << red;
        QTest::newRow("reds chosen, blue greyed") << QVariant(reds) << blue << qRgb(69, 69, 69);
        QTest::newRow("blues kept") << QVariant(QVariantList{false, false, true}) << blue << blue;
        QTest::newRow("only 7: dark kept") << QVariant(offs(7) << true) << dark << dark;
        QTest::newRow("only 7: red greyed") << QVariant(offs(7) << true) << red << redGrey;
        QTest::newRow("8 and above keep nothing") << QVariant(offs(8) << true << true) << dark
                                                  << qRgb(16, 16, 16);
    }

    void colorPicker()
    {
        QFETCH(QVariant, param);
        QFETCH(QRgb, pixel);
        QFETCH(QRgb, expected);
        Pixels source(64, pixel);
        Pixels out(64);
        ColorPickerFilter picker(nullptr);
        picker.applyToPixels(bytes(source), bytes(out), 64, {}, {}, true, param);
        QCOMPARE(out[0], quint32(expected));
        QCOMPARE(out[63], quint32(expected));
    }

    // Blue is squeezed into 64..128; the bars of a zoomed-out crop (x, y,
    // width, height as the crop reports them) stay exactly black.
    void viridescent_data()
    {
        QTest::addColumn<QRect>("regionA");
        QTest::addColumn<QRect>("regionB");
        QTest::addColumn<QRect>("barA");
        QTest::addColumn<QRect>("barB");
        QTest::newRow("no bars") << QRect() << QRect() << QRect() << QRect();
        QTest::newRow("side bars of a portrait") << QRect(0, 0, 60, 480) << QRect(420, 0, 60, 480)
                                                 << QRect(0, 0, 60, 480) << QRect(420, 0, 60, 480);
        QTest::newRow("side bars, right one first") << QRect(420, 0, 60, 480) << QRect(0, 0, 60, 480)
                                                    << QRect(0, 0, 60, 480) << QRect(420, 0, 60, 480);
        QTest::newRow("bars above and below") << QRect(0, 0, 480, 60) << QRect(0, 420, 480, 60)
                                              << QRect(0, 0, 480, 60) << QRect(0, 420, 480, 60);
    }

    void viridescent()
    {
        QFETCH(QRect, regionA);
        QFETCH(QRect, regionB);
        QFETCH(QRect, barA);
        QFETCH(QRect, barB);
        Pixels source = noise(count, 31);
        const Pixels levels = levelled(source, 1.17f, 2.0f);
        Pixels out(source.size());
        ViridescentFilter viridescent(nullptr);
        viridescent.applyPreview(bytes(source), bytes(out), regionA, regionB, {});
        for (int i = 0; i < count; ++i) {
            const QPoint at(i % side, i / side);
            const quint32 l = levels[size_t(i)];
            if (barA.contains(at) || barB.contains(at)) {
                QCOMPARE(out[size_t(i)], 0u);
                continue;
            }
            const int b = channel(l, 0);
            const int blue = b < 80 ? 64 : (b < 170 ? (b - 80) * 64 / 90 + 64 : 128);
            QCOMPARE(out[size_t(i)], withChannel(l, 0, blue));
        }
    }

    void cartoonNeverBrightens()
    {
        Pixels source = noise(count, 32);
        const Pixels levels = levelled(source, 1.0f, 1.0f);
        Pixels out(source.size());
        CartoonFilter cartoon(nullptr);
        cartoon.applyPreview(bytes(source), bytes(out), {}, {}, {});
        int darker = 0;
        for (int i = 0; i < count; ++i) {
            for (int c = 0; c < 3; ++c) {
                QVERIFY(channel(out[size_t(i)], c) <= channel(levels[size_t(i)], c));
                darker += channel(out[size_t(i)], c) < channel(levels[size_t(i)], c);
            }
        }
        QVERIFY(darker > count);
    }

    // Three flat bands, black, a grey that levels make 128, and white: in
    // their middles the screen step shows alone.
    void cleanAndClear_data()
    {
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("expected");
        QTest::newRow("0 stays 0") << 0 << 0;
        QTest::newRow("128 becomes 160") << 1 << 160;
        QTest::newRow("255 stays 255") << 2 << 255;
    }

    void cleanAndClear()
    {
        QFETCH(int, band);
        QFETCH(int, expected);
        const ByteTable gamma = gammaTable(1.2f);
        const int grey = int(std::find(gamma.begin(), gamma.end(), 128) - gamma.begin());
        QVERIFY(grey < 256);
        const int levels[3] = {0, grey, 255};
        Pixels source(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            const quint32 v = quint32(levels[std::min(2, (i % side) / 160)]);
            source[size_t(i)] = 0xff000000u | (v << 16) | (v << 8) | v;
        }
        Pixels out(source.size());
        CleanAndClearFilter clean(nullptr);
        clean.applyPreview(bytes(source), bytes(out), {}, {}, {});
        const quint32 middle = out[size_t(240 * side + band * 160 + 80)];
        QCOMPARE(channel(middle, 0), expected);
        QCOMPARE(channel(middle, 2), expected);
    }

    void tiltShiftFollowsItsArithmetic_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("bottomRadius");
        QTest::addColumn<int>("topRadius");
        // Focus row 32; the radius grows every 3 rows: 32..39 and then 31..0.
        QTest::newRow("40: every 3 rows") << 40 << 3 << 12;
        // Focus row 20; the radius grows every row, to sums past 16 bits.
        QTest::newRow("26: every row") << 26 << 6 << 20;
    }

    // Tilt shift written out on small images (too small for levels to act):
    // the Vivid colours, then each row blurred by its radius, the weights
    // beyond the border left out.
    void tiltShiftFollowsItsArithmetic()
    {
        QFETCH(int, w);
        auto common = std::make_unique<FilterCommon>();
        Pixels source = noise(w * w, 33);
        LookupTable a, b;
        loadLookupTable(QStringLiteral(":/lut/vivid/a.txt"), a);
        loadLookupTable(QStringLiteral(":/lut/vivid/b.txt"), b);
        Pixels sharp(source.size());
        for (size_t i = 0; i < source.size(); ++i) {
            quint8 l, la, lb;
            common->rgbToLab(quint8(channel(source[i], 2)), quint8(channel(source[i], 1)), quint8(channel(source[i], 0)),
                             l, la, lb);
            sharp[i] = common->labToRgb(l, (*a)[la], (*b)[lb]);
        }
        const auto blurred = [&](int x, int y, int r) {
            quint32 pixel = 0xff000000u;
            for (int c = 0; c < 3; ++c) {
                // Down the column into a row, then along it.
                std::vector<int> row(static_cast<size_t>(w));
                for (int xx = 0; xx < w; ++xx) {
                    int sum = 0, total = 0;
                    for (int k = -(r - 1); k <= r - 1; ++k) {
                        if (y + k >= 0 && y + k < w) {
                            sum += (r - std::abs(k)) * channel(sharp[size_t((y + k) * w + xx)], c);
                            total += r - std::abs(k);
                        }
                    }
                    row[size_t(xx)] = sum / total;
                }
                int sum = 0, total = 0;
                for (int k = -(r - 1); k <= r - 1; ++k) {
                    if (x + k >= 0 && x + k < w) {
                        sum += (r - std::abs(k)) * row[size_t(x + k)];
                        total += r - std::abs(k);
                    }
                }
                pixel |= quint32(sum / total) << (8 * c);
            }
            return pixel;
        };
        const int focus = (4 * w) / 5;
        const int step = (focus - 15) / 5;
        std::vector<int> radius(static_cast<size_t>(w));
        int done = 0, r = 1;
        for (int y = focus; y < w; ++y) {
            radius[size_t(y)] = r;
            if (++done == step) { ++r; done = 0; }
        }
        r = 1;
        for (int y = focus - 1; y >= 0; --y) {
            radius[size_t(y)] = r;
            if (++done == step) { ++r; done = 0; }
        }
        QTEST(radius[size_t(w - 1)], "bottomRadius");
        QTEST(radius[0], "topRadius");

        TiltShiftFilter tiltShift(&common);
        Pixels out(source.size());
        tiltShift.applyToPixels(bytes(source), bytes(out), w * w, {}, {}, true, {});
        for (int y = 0; y < w; ++y)
            for (int x = 0; x < w; ++x)
                QCOMPARE(out[size_t(y * w + x)], blurred(x, y, radius[size_t(y)]));
    }
};

QTEST_MAIN(TestSpatialFilters)
#include "tst_spatialfilters.moc"
