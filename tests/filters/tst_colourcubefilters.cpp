// The colour-cube and overlay filters: cube look-ups, blends with the
// installed pictures, and how pictures are found and refused.
#include "filters/butumofilter.h"
#include "filters/kabifilter.h"
#include "filters/picturesteps.h"
#include "filters/theelfilter.h"
#include "filters/townfilter.h"
#include "filters/walesfilter.h"
#include "filters/zadafilter.h"
#include "tests/support/filterfixtures.h"

#include <QTest>

#include <memory>

namespace {

constexpr int side = 480;
constexpr int count = side * side;

// The picture helpers of Filter, reachable from the test.
class PictureProbe : public NormalFilter
{
public:
    using NormalFilter::NormalFilter;
    using Filter::fixedPicture;
    using Filter::sizedPicture;
};

Pixels uniform(quint32 pixel)
{
    return Pixels(static_cast<size_t>(count), pixel);
}

} // namespace

class TestColourCubeFilters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theelReturnsTheCubeCell_data()
    {
        QTest::addColumn<quint32>("pixel");
        QTest::addColumn<QPoint>("cell");
        QTest::newRow("black") << 0xff000000u << QPoint(0, 0);
        QTest::newRow("white") << 0xffffffffu << QPoint(511, 511);
        // Blue 128 is slice 32 (tile 0, 4); red 128 column 32, green 64 row 256 + 16.
        QTest::newRow("blue 128, green 64, red 128") << 0xff804080u << QPoint(32, 272);
    }

    void theelReturnsTheCubeCell()
    {
        QFETCH(quint32, pixel);
        QFETCH(QPoint, cell);
        const QImage cube = installedPicture(QStringLiteral("Theel/theel_clut.png"));
        QCOMPARE(cube.size(), QSize(512, 512));
        Pixels source = uniform(pixel);
        Pixels out(source.size());
        TheelFilter theel(nullptr);
        theel.applyPreview(bytes(source), bytes(out), {}, {}, {});
        QCOMPARE(out[0], quint32(cube.pixel(cell)));
        QCOMPARE(out[size_t(count - 1)], quint32(cube.pixel(cell)));
    }

    void townIsOpaqueAndNeverZero_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("black");
        QTest::newRow("black") << 0u << true;
        QTest::newRow("noise") << 5u << false;
    }

    void townIsOpaqueAndNeverZero()
    {
        QFETCH(quint32, seed);
        QFETCH(bool, black);
        Pixels source = black ? uniform(0xff000000u) : noise(count, seed);
        Pixels out(source.size(), 0u);
        TownFilter town(nullptr);
        town.applyPreview(bytes(source), bytes(out), {}, {}, {});
        for (quint32 p : out) {
            QCOMPARE(channel(p, 3), 255);
            QVERIFY(channel(p, 0) > 0 && channel(p, 1) > 0 && channel(p, 2) > 0);
        }
    }

    // Town written out: the cube cell, burnt by the vignette, self-screened
    // by the white fill's alpha, opaque.
    void townFollowsItsArithmetic()
    {
        const QImage cube = installedPicture(QStringLiteral("Town/town_clut_before.jpg"));
        const QImage vignette = installedPicture(QStringLiteral("Town/town_blend_vignette_preview.jpg"));
        const QImage whitefill = installedPicture(QStringLiteral("Town/town_blend_whitefill_preview.png"));
        QCOMPARE(vignette.size(), QSize(side, side));
        Pixels source = noise(count, 11);
        const Pixels input = source;
        Pixels out(source.size());
        TownFilter town(nullptr);
        town.applyPreview(bytes(source), bytes(out), {}, {}, {});
        for (int i = 0; i < count; ++i) {
            const quint32 c = refCube(cube, input[size_t(i)]);
            const QRgb v = vignette.pixel(i % side, i / side);
            const int a = qAlpha(whitefill.pixel(i % side, i / side));
            quint32 expected = 0xff000000u;
            for (int ch = 0; ch < 3; ++ch) {
                const int x = refBurn(channel(c, ch), channel(v, ch));
                const int s = x + ((255 - x) * x * 255) / (255 * 255);
                expected |= quint32(((a * s + (255 - a) * x) >> 8) + 1) << (8 * ch);
            }
            if (out[size_t(i)] != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1: %2 instead of %3").arg(i).arg(out[size_t(i)], 0, 16).arg(expected, 0, 16)));
        }
    }

    // Butumo written out: the first cube, the burn, and the whole pixel of
    // the second cube, alpha included.
    void butumoFollowsItsArithmetic()
    {
        const QImage before = installedPicture(QStringLiteral("Butumo/butumo_clut_before.png"));
        const QImage after = installedPicture(QStringLiteral("Butumo/butumo_clut_after.png"));
        const QImage burn = installedPicture(QStringLiteral("Butumo/butumo_burn_blend_preview.png"));
        Pixels source = noise(count, 12);
        const Pixels input = source;
        Pixels out(source.size());
        ButumoFilter butumo(nullptr);
        butumo.applyPreview(bytes(source), bytes(out), {}, {}, {});
        for (int i = 0; i < count; i += 7) {
            quint32 c = refCube(before, input[size_t(i)]);
            const QRgb b = burn.pixel(i % side, i / side);
            for (int ch = 0; ch < 3; ++ch)
                c = withChannel(c, ch, refBurn(channel(c, ch), channel(b, ch)));
            QCOMPARE(out[size_t(i)], quint32(refCube(after, c)));
        }
    }

    void overlaidGradesFollowTheirArithmetic_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("cubeExtension");
        QTest::addColumn<QStringList>("overlays");
        QTest::newRow("Kabi") << "Kabi" << ".jpg" << QStringList{"vignette", "whitefill"};
        QTest::newRow("Wales") << "Wales" << ".jpg" << QStringList{"vignette", "whitefill"};
        QTest::newRow("Zada: whitefill first") << "Zada" << ".png" << QStringList{"whitefill", "vignette"};
    }

    // Kabi, Wales and Zada written out: the first cube, the two overlays in
    // the filter's order, and the whole pixel of the second cube.
    void overlaidGradesFollowTheirArithmetic()
    {
        QFETCH(QString, name);
        QFETCH(QString, cubeExtension);
        QFETCH(QStringList, overlays);
        const QString stem = name + QLatin1Char('/') + name.toLower();
        const QImage before = installedPicture(stem + "_clut_before" + cubeExtension);
        const QImage after = installedPicture(stem + "_clut_after" + cubeExtension);
        const QImage first = installedPicture(stem + "_blend_" + overlays.at(0) + "_preview.png");
        const QImage second = installedPicture(stem + "_blend_" + overlays.at(1) + "_preview.png");
        QVERIFY(!before.isNull() && !after.isNull() && !first.isNull() && !second.isNull());
        std::unique_ptr<Filter> filter;
        if (name == QLatin1String("Kabi"))
            filter = std::make_unique<KabiFilter>(nullptr);
        else if (name == QLatin1String("Wales"))
            filter = std::make_unique<WalesFilter>(nullptr);
        else
            filter = std::make_unique<ZadaFilter>(nullptr);
        Pixels source = noise(count, 21);
        const Pixels input = source;
        Pixels out(source.size());
        filter->applyPreview(bytes(source), bytes(out), {}, {}, {});
        for (int i = 0; i < count; i += 7) {
            quint32 c = refCube(before, input[size_t(i)]);
            for (const QImage *overlay : {&first, &second}) {
                const QRgb o = overlay->pixel(i % side, i / side);
                for (int ch = 0; ch < 3; ++ch)
                    c = withChannel(c, ch, refOverlay(channel(c, ch), channel(o, ch), qAlpha(o)));
            }
            QCOMPARE(out[size_t(i)], quint32(refCube(after, c)));
        }
    }

    // The alpha of a cube cell is written when the whole pixel is asked for.
    void cubeStepTakesTheCubeAlpha()
    {
        QImage cube(512, 512, QImage::Format_ARGB32);
        cube.fill(qRgba(10, 20, 30, 77));
        Pixels pixels = noise(16, 3);
        cubeStep(bytes(pixels), 16, cube, true);
        QCOMPARE(pixels[5], quint32(qRgba(10, 20, 30, 77)));
        cubeStep(bytes(pixels), 16, cube, false);
        QCOMPARE(channel(pixels[5], 3), 77);
    }

    // A picture that is missing or of the wrong size is never read: the step
    // leaves the pixels alone.
    void unusablePicturesAreSkipped_data()
    {
        QTest::addColumn<QImage>("picture");
        QTest::newRow("missing") << QImage();
        QTest::newRow("too small") << QImage(3, 3, QImage::Format_ARGB32);
        QTest::newRow("another format") << QImage(4, 4, QImage::Format_Grayscale8);
    }

    void unusablePicturesAreSkipped()
    {
        QFETCH(QImage, picture);
        if (!picture.isNull())
            picture.fill(Qt::black);
        Pixels pixels = noise(16, 4);
        const Pixels before = pixels;
        cubeStep(bytes(pixels), 16, picture, true);
        burnStep(bytes(pixels), 16, picture, true);
        multiplyStep(bytes(pixels), 16, picture);
        overlayStep(bytes(pixels), 16, picture);
        selfScreenStep(bytes(pixels), 16, picture);
        frameOverStep(bytes(pixels), 16, picture);
        QCOMPARE(pixels, before);
    }

    // Sizes without pictures of their own get the nearest installed one,
    // scaled; pictures come as 32-bit pixels with alpha whatever their file.
    void sizedPictures_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<int>("side");
        QTest::addColumn<QString>("installed");
        QTest::newRow("preview") << true << 480 << "piehole_preview.png";
        QTest::newRow("installed final size") << false << 1080 << "piehole1080.png";
        QTest::newRow("between sizes: the nearest") << false << 900 << "piehole800.png";
        QTest::newRow("beyond the largest") << false << 3000 << "piehole2048.png";
        QTest::newRow("below the preview") << false << 100 << "piehole_preview.png";
    }

    void sizedPictures()
    {
        QFETCH(bool, preview);
        QFETCH(int, side);
        QFETCH(QString, installed);
        const QImage picture = PictureProbe::sizedPicture(QStringLiteral("qml/ui/filterRes/PieHole/piehole_preview.png"),
                                                          QStringLiteral("qml/ui/filterRes/PieHole/piehole"),
                                                          QStringLiteral(".png"), preview, side * side);
        QCOMPARE(picture.size(), QSize(side, side));
        QCOMPARE(picture.format(), QImage::Format_ARGB32);
        // Scaled as decoded (a grey mask), then made 32-bit.
        const QImage expected = QImage(applicationRootPath() + QStringLiteral("qml/ui/filterRes/PieHole/") + installed)
                                    .scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                    .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(picture, expected);
    }

    void unusableSizedAndFixedPictures()
    {
        QVERIFY(PictureProbe::sizedPicture(QStringLiteral("qml/ui/filterRes/None/none_preview.png"),
                                           QStringLiteral("qml/ui/filterRes/None/none"), QStringLiteral(".png"), false,
                                           800 * 800)
                    .isNull());
        // Not a square image: no picture can go pixel for pixel with it.
        QVERIFY(PictureProbe::sizedPicture(QStringLiteral("qml/ui/filterRes/PieHole/piehole_preview.png"),
                                           QStringLiteral("qml/ui/filterRes/PieHole/piehole"), QStringLiteral(".png"),
                                           false, 800 * 801)
                    .isNull());
        // A blend table is 256 x 256; asked for as a cube it is refused.
        QVERIFY(PictureProbe::fixedPicture(QStringLiteral("qml/ui/filterRes/Charcoal/dodgeMask.png"), 512).isNull());
        QCOMPARE(PictureProbe::fixedPicture(QStringLiteral("qml/ui/filterRes/Charcoal/dodgeMask.png"), 256).size(),
                 QSize(256, 256));
    }
};

QTEST_MAIN(TestColourCubeFilters)
#include "tst_colourcubefilters.moc"
