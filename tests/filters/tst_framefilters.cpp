// The frame and mask filters: levels, curves, the saturation pass and the
// installed frames and masks laid over the photo.
#include "filters/crossyfilter.h"
#include "filters/pastelafilter.h"
#include "filters/pieholefilter.h"
#include "filters/primitives.h"
#include "filters/sunsetfilter.h"
#include "filters/vintagefilter.h"
#include "tests/support/filterfixtures.h"

#include <QTest>

#include <memory>

namespace {

constexpr int side = 480;
constexpr int count = side * side;

// Every grey level on at least 100 pixels, so levels stretch nothing.
Pixels greyRamp()
{
    Pixels pixels(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const quint32 v = quint32((i * 256LL) / count);
        pixels[size_t(i)] = 0xff000000u | (v << 16) | (v << 8) | v;
    }
    return pixels;
}

} // namespace

class TestFrameFilters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Only levels and the vignette act on blue; red goes through a contrast curve.
    void vintageAndSunsetLeaveBlueAlone_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Vintage") << "Vintage";
        QTest::newRow("Sunset") << "Sunset";
    }

    void vintageAndSunsetLeaveBlueAlone()
    {
        QFETCH(QString, name);
        std::unique_ptr<Filter> filter;
        if (name == QLatin1String("Vintage"))
            filter = std::make_unique<VintageFilter>(nullptr);
        else
            filter = std::make_unique<SunsetFilter>(nullptr);
        const QImage vignette = installedPicture(QStringLiteral("vignette_preview.png"));
        QCOMPARE(vignette.size(), QSize(side, side));
        Pixels source = noise(count, 21);
        const Pixels levels = levelled(source, 1.0f, 2.0f);
        Pixels out(source.size());
        filter->applyPreview(bytes(source), bytes(out), {}, {}, {});
        int redChanged = 0;
        for (int i = 0; i < count; ++i) {
            const QRgb v = vignette.pixel(i % side, i / side);
            QCOMPARE(channel(out[size_t(i)], 0), refAlphaOver(channel(levels[size_t(i)], 0), qBlue(v), qAlpha(v)));
            if (channel(out[size_t(i)], 2) != refAlphaOver(channel(levels[size_t(i)], 2), qRed(v), qAlpha(v)))
                ++redChanged;
        }
        QVERIFY(redChanged > count / 4);
    }

    // In the frame's clear middle the washed values show: from 180 on, white.
    void pastelaWashesTheHighlights()
    {
        const QImage frame = installedPicture(QStringLiteral("Frame/pastela_preview.png"));
        Pixels source = greyRamp();
        const Pixels levels = levelled(source, 0.5f, 2.0f);
        Pixels out(source.size());
        PastelaFilter pastela(nullptr);
        pastela.applyPreview(bytes(source), bytes(out), {}, {}, {});
        int white = 0;
        int scaled = 0;
        for (int i = 0; i < count; ++i) {
            const QRgb f = frame.pixel(i % side, i / side);
            if (qAlpha(f) != 0)
                continue;
            // A grey keeps its lightness through the saturation pass.
            const int grey = int(int(channel(levels[size_t(i)], 0) * 0.392156862745098) * 2.55);
            const int washed = grey >= 180 ? 255 : (grey * 255) / 180;
            QCOMPARE(channel(out[size_t(i)], 1), refAlphaOver(washed, qGreen(f), 0));
            ++(grey >= 180 ? white : scaled);
        }
        QVERIFY(white > 1000);
        QVERIFY(scaled > 1000);
    }

    // Crossy written out: levels, its three curves, the slide frame.
    void crossyFollowsItsArithmetic()
    {
        const double pi = 3.14159265359;
        int red[256], green[256], blue[256];
        red[0] = 0;
        for (int i = 1; i < 90; ++i)
            red[i] = std::clamp(int((i - 40) + 40 * std::cos(i * pi / 180)), 0, 255);
        for (int i = 90; i < 220; ++i)
            red[i] = 49 + ((255 - 49) * (i - 80)) / 140;
        for (int i = 220; i < 256; ++i)
            red[i] = 255;
        for (int i = 0; i < 256; ++i) {
            green[i] = i <= 64 ? i : std::clamp(int(i + 30 * std::sin((i - 64) * pi / 192)), 0, 255);
            blue[i] = ((200 * i) >> 8) + 28;
        }
        const QImage slide = installedPicture(QStringLiteral("Frame/slide_preview.png"));
        Pixels source = noise(count, 22);
        const Pixels levels = levelled(source, 1.17f, 1.0f);
        Pixels out(source.size());
        CrossyFilter crossy(nullptr);
        crossy.applyPreview(bytes(source), bytes(out), {}, {}, {});
        for (int i = 0; i < count; ++i) {
            const QRgb f = slide.pixel(i % side, i / side);
            const quint32 l = levels[size_t(i)];
            const quint32 expected = 0xff000000u | quint32(refAlphaOver(red[channel(l, 2)], qRed(f), qAlpha(f))) << 16
                | quint32(refAlphaOver(green[channel(l, 1)], qGreen(f), qAlpha(f))) << 8
                | quint32(refAlphaOver(blue[channel(l, 0)], qBlue(f), qAlpha(f)));
            if (out[size_t(i)] != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1: %2 instead of %3").arg(i).arg(out[size_t(i)], 0, 16).arg(expected, 0, 16)));
        }
    }

    // Pie Hole written out: levels, curves, more saturation, the overlay
    // curves, then toward the black overlay where the mask is dark.
    void pieHoleFollowsItsArithmetic()
    {
        const auto table = [](const char *name) {
            LookupTable t;
            loadLookupTable(QStringLiteral(":/lut/piehole/") + QLatin1String(name), t);
            return *t;
        };
        const ByteTable curveB = table("piecurve_B.txt"), curveG = table("piecurve_G.txt"), curveR = table("piecurve_R.txt");
        const ByteTable overB = table("pieoverlay_B.txt"), overG = table("pieoverlay_G.txt"), overR = table("pieoverlay_R.txt");
        const ByteTable black = table("blackoverlay.txt");
        const QImage mask = installedPicture(QStringLiteral("PieHole/piehole_preview.png"));
        Pixels source = noise(count, 23);
        const Pixels levels = levelled(source, 1.5f, 2.0f);
        Pixels out(source.size());
        PieHoleFilter pieHole(nullptr);
        pieHole.applyPreview(bytes(source), bytes(out), {}, {}, {});
        for (int i = 0; i < count; i += 5) {
            const quint32 l = levels[size_t(i)];
            quint8 r = curveR[channel(l, 2)], g = curveG[channel(l, 1)], b = curveB[channel(l, 0)];
            quint16 h, s, li;
            rgbToHsl(r, g, b, h, s, li);
            hslToRgb(h, std::min(100, int(s * 1.25)), li, r, g, b);
            const int c[3] = {overB[b], overG[g], overR[r]};
            const double w = 1 - qBlue(mask.pixel(i % side, i / side)) / 255.0;
            for (int ch = 0; ch < 3; ++ch)
                QCOMPARE(channel(out[size_t(i)], ch), int((1 - w) * c[ch] + w * black[size_t(c[ch])]));
        }
    }
};

QTEST_MAIN(TestFrameFilters)
#include "tst_framefilters.moc"
