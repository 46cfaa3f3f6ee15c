#include "filters/autolevelfilter.h"
#include "filters/bwhicontrastfilter.h"
#include "filters/cavalleriarusticanafilter.h"
#include "filters/filtercommon.h"
#include "filters/normalfilter.h"
#include "filters/primitives.h"
#include "filters/rosyfilter.h"
#include "filters/rusfilter.h"
#include "filters/vividfilter.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <memory>
#include <vector>

namespace {

using Pixels = std::vector<quint32>;

Pixels noise(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    Pixels pixels(static_cast<size_t>(count));
    for (quint32 &p : pixels)
        p = random.generate() | 0xff000000u;
    return pixels;
}

uchar *bytes(Pixels &pixels)
{
    return reinterpret_cast<uchar *>(pixels.data());
}

// Soft light of blend j over base i, with a and b summed step by step.
int softLight(int i, int j)
{
    double a = 0;
    for (int k = 0; k < i; ++k)
        a += 0.00392156862745098;
    double b = 0;
    for (int k = 0; k < j; ++k)
        b += 0.00392156862745098;
    const double v = b < 0.5 ? i * (a + 2 * b * (1 - a)) + 0.5 : 2 * i * (1 - b) + std::sqrt(a) * (2 * j - 255) + 0.5;
    return std::clamp(int(v), 0, 255);
}

int channel(quint32 pixel, int c)
{
    return int((pixel >> (8 * c)) & 0xff);
}

// Rusticana written out step by step: levels, blur by the full sum, soft light
// with the blur, the fill curves, soft light with the lightness tint.
Pixels referenceRusticana(const Pixels &source, int side)
{
    Pixels levelled = source;
    NormalFilter levels(nullptr);
    levels.autoLevels(bytes(levelled), int(levelled.size()), false, 1.0f, 3.0f);

    const auto blurAt = [side](const Pixels &img, int x, int y, int c, bool vertical) {
        int sum = 0;
        for (int k = -19; k <= 19; ++k) {
            const int xx = vertical ? x : std::clamp(x + k, 0, side - 1);
            const int yy = vertical ? std::clamp(y + k, 0, side - 1) : y;
            sum += (20 - std::abs(k)) * channel(img[size_t(yy * side + xx)], c);
        }
        return (sum + 200) / 400;
    };
    Pixels columns(levelled.size());
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            for (int c = 0; c < 3; ++c)
                columns[size_t(y * side + x)] |= quint32(blurAt(levelled, x, y, c, true)) << (8 * c);
    Pixels blurred(levelled.size());
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            for (int c = 0; c < 3; ++c)
                blurred[size_t(y * side + x)] |= quint32(blurAt(columns, x, y, c, false)) << (8 * c);

    LookupTable curves[3];
    loadLookupTable(QStringLiteral(":/lut/cavalleria_rusticana/curvefill_B.txt"), curves[0]);
    loadLookupTable(QStringLiteral(":/lut/cavalleria_rusticana/curvefill_G.txt"), curves[1]);
    loadLookupTable(QStringLiteral(":/lut/cavalleria_rusticana/curvefill_R.txt"), curves[2]);

    Pixels out(levelled.size());
    for (size_t i = 0; i < out.size(); ++i) {
        int v[3];
        for (int c = 0; c < 3; ++c)
            v[c] = (*curves[c])[size_t(softLight(channel(levelled[i], c), channel(blurred[i], c)))];
        const int l = int((std::max({v[0], v[1], v[2]}) + std::min({v[0], v[1], v[2]})) * 0.196078431372549 + 0.5);
        quint8 tint[3];
        hslToRgb(216, 25, uint(l), tint[2], tint[1], tint[0]);
        out[i] = levelled[i] & 0xff000000u;
        for (int c = 0; c < 3; ++c)
            out[i] |= quint32(softLight(v[c], tint[c])) << (8 * c);
    }
    return out;
}

} // namespace

class TestToneCurveFilters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void normalCopiesExactly()
    {
        Pixels source = noise(Filter::previewPixelCount, 1);
        const Pixels original = source;
        Pixels destination(source.size());
        NormalFilter filter(&m_common);
        QCOMPARE(filter.applyPreview(bytes(source), bytes(destination), {}, {}, {}), 0);
        QVERIFY(destination == original);
    }

    void vividTurnsZeroLightnessIntoOpaqueBlack()
    {
        Pixels source = noise(Filter::previewPixelCount, 2);
        for (size_t i = 0; i < source.size(); i += 7)
            source[i] = 0x00000000u;
        Pixels destination(source.size());
        VividFilter filter(&m_common);
        QCOMPARE(filter.applyPreview(bytes(source), bytes(destination), {}, {}, {}), 0);
        for (size_t i = 0; i < destination.size(); ++i) {
            QCOMPARE(destination[i] >> 24, 0xffu);
            if (i % 7 == 0)
                QCOMPARE(destination[i], 0xff000000u);
        }
    }

    void vividSaturatesColour()
    {
        // Black and white are present, so the levels leave the range alone.
        Pixels source(Filter::previewPixelCount, 0xff000000u | (150 << 16) | (110 << 8) | 100);
        for (size_t i = 0; i < 1000; ++i)
            source[i] = i % 2 ? 0xffffffffu : 0xff000000u;
        Pixels destination(source.size());
        VividFilter filter(&m_common);
        filter.applyPreview(bytes(source), bytes(destination), {}, {}, {});
        quint16 h, before, after, l;
        rgbToHsl(150, 110, 100, h, before, l);
        const QRgb out = destination.back();
        rgbToHsl(quint8(qRed(out)), quint8(qGreen(out)), quint8(qBlue(out)), h, after, l);
        QVERIFY2(after > before + 10, qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(after)));
    }

    void autoLevelStretches_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::newRow("preview") << true;
        QTest::newRow("final never previewed measures its own image") << false;
    }

    void autoLevelStretches()
    {
        QFETCH(bool, preview);
        // Every level 30..200 with well over 100 pixels, a few outliers beyond.
        const int side = preview ? Filter::previewWidth : 800;
        Pixels source(size_t(side * side));
        for (size_t i = 0; i < source.size(); ++i) {
            const quint32 v = 30 + quint32(i % 171);
            source[i] = 0xff000000u | (v << 16) | (v << 8) | v;
        }
        source[0] = 0xff1d1d1du;  // 29
        source[1] = 0xffc9c9c9u;  // 201
        source[2] = 0xff000000u;
        source[3] = 0xffffffffu;
        Pixels destination(source.size());
        AutoLevelFilter filter(&m_common);
        if (preview)
            filter.applyPreview(bytes(source), bytes(destination), {}, {}, {});
        else
            filter.applyFinal(bytes(source), bytes(destination), side * side, {}, {}, {});
        QCOMPARE(int(filter.cachedBlackPoint()), 29);
        QCOMPARE(int(filter.cachedWhitePoint()), 201);
        QCOMPARE(destination[0], 0xff000000u);
        QCOMPARE(destination[1], 0xffffffffu);
        QCOMPARE(destination[2], 0xff000000u);
        QCOMPARE(destination[3], 0xffffffffu);
        // The 1.17 gamma lifts the middle of the stretched range.
        const int middle = int(destination[4 + 85] & 0xff);
        QVERIFY2(middle > 127 && middle < 160, qPrintable(QString::number(middle)));
    }

    void finalReusesThePreviewLevels()
    {
        AutoLevelFilter filter(&m_common);
        Pixels preview(Filter::previewPixelCount);
        for (size_t i = 0; i < preview.size(); ++i) {
            const quint32 v = 30 + quint32(i % 171);
            preview[i] = 0xff000000u | (v << 16) | (v << 8) | v;
        }
        Pixels out(preview.size());
        filter.applyPreview(bytes(preview), bytes(out), {}, {}, {});
        const quint32 levelled100 = out[70];  // level 100

        // A darker final image keeps the preview's range instead of its own.
        Pixels final(800 * 800, 0xff646464u);
        for (size_t i = 0; i < final.size(); i += 2)
            final[i] = 0xff3c3c3cu;
        Pixels finalOut(final.size());
        filter.applyFinal(bytes(final), bytes(finalOut), 800 * 800, {}, {}, {});
        QCOMPARE(finalOut[1], levelled100);
        QCOMPARE(int(filter.cachedBlackPoint()), 29);
    }

    void bwHiContrastGrainDiffersBetweenRuns()
    {
        const Pixels source = noise(Filter::previewPixelCount, 3);
        BWHiContrastFilter filter(&m_common);
        Pixels first = source, second = source;
        Pixels outFirst(source.size()), outSecond(source.size());
        filter.applyPreview(bytes(first), bytes(outFirst), {}, {}, {});
        filter.applyPreview(bytes(second), bytes(outSecond), {}, {}, {});
        QVERIFY(outFirst != outSecond);
        int largest = 0;
        for (size_t i = 0; i < source.size(); ++i)
            largest = std::max(largest, std::abs(channel(outFirst[i], 1) - channel(outSecond[i], 1)));
        QVERIFY2(largest <= 11, qPrintable(QString::number(largest)));
        // The centre is free of the frame: grey.
        const quint32 centre = outFirst[size_t(240 * 480 + 240)];
        QCOMPARE(channel(centre, 0), channel(centre, 2));
    }

    void bwHiContrastFrame_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<int>("finalWidth");
        QTest::newRow("preview") << true << 800;
        QTest::newRow("final 800") << false << 800;
        QTest::newRow("final 1080") << false << 1080;
        QTest::newRow("no picture for 500: the nearest, scaled") << false << 500;
    }

    void bwHiContrastFrame()
    {
        QFETCH(bool, preview);
        QFETCH(int, finalWidth);
        const int side = preview ? Filter::previewWidth : finalWidth;
        Pixels source(size_t(side * side), 0xff808080u);
        for (size_t i = 0; i < source.size(); i += 3)
            source[i] = 0xffa0a0a0u;
        Pixels destination(source.size());
        BWHiContrastFilter filter(&m_common);
        filter.applyToPixels(bytes(source), bytes(destination), side * side, {}, {}, preview, {});
        const int corner = channel(destination[0], 1);
        const int centre = channel(destination[size_t(side / 2 * side + side / 2)], 1);
        QVERIFY2(corner < 40 && centre > 100, qPrintable(QStringLiteral("%1 %2").arg(corner).arg(centre)));
    }

    void rusticanaMatchesReference_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<quint32>("seed");
        QTest::newRow("48 x 48 noise") << 48 << 4u;
        QTest::newRow("64 x 64 noise") << 64 << 5u;
    }

    void rusticanaMatchesReference()
    {
        QFETCH(int, side);
        QFETCH(quint32, seed);
        // Smooth gradients under the noise, so the blur and the levels matter.
        Pixels source = noise(side * side, seed);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                quint32 &p = source[size_t(y * side + x)];
                const QRgb n = p;
                p = qRgb((x * 4 + qRed(n) / 8) & 255, (y * 3 + qGreen(n) / 8) & 255, ((x + y) * 2 + qBlue(n) / 8) & 255);
            }
        const Pixels expected = referenceRusticana(source, side);
        Pixels destination(source.size());
        CavalleriaRusticanaFilter filter(&m_common);
        QCOMPARE(filter.applyFinal(bytes(source), bytes(destination), side * side, {}, {}, {}), 0);
        for (size_t i = 0; i < expected.size(); ++i)
            QVERIFY2(destination[i] == expected[i],
                     qPrintable(QStringLiteral("%1: %2 vs %3").arg(i).arg(destination[i], 0, 16).arg(expected[i], 0, 16)));
    }

    void curveFiltersKeepAlphaAndRun_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<float>("shadowGamma");
        QTest::newRow("Rosy") << "Rosy" << 1.0f;
        QTest::newRow("Rus") << "Rus" << 1.0f;
        QTest::newRow("Rusticana") << "Rusticana" << 3.0f;
    }

    void curveFiltersKeepAlphaAndRun()
    {
        QFETCH(QString, name);
        QFETCH(float, shadowGamma);
        std::unique_ptr<Filter> filter;
        if (name == QLatin1String("Rosy"))
            filter = std::make_unique<RosyFilter>(&m_common);
        else if (name == QLatin1String("Rus"))
            filter = std::make_unique<RusFilter>(&m_common);
        else
            filter = std::make_unique<CavalleriaRusticanaFilter>(&m_common);
        // A uniform image: what the steps after the levels do shows alone.
        Pixels source(Filter::previewPixelCount, 0xff606060u);
        Pixels levelled = source;
        NormalFilter(nullptr).autoLevels(bytes(levelled), int(levelled.size()), false, 1.0f, shadowGamma);
        Pixels destination(source.size());
        QCOMPARE(filter->applyPreview(bytes(source), bytes(destination), {}, {}, {}), 0);
        QCOMPARE(destination.front() >> 24, 0xffu);
        QVERIFY(destination.front() != levelled.front());
        QCOMPARE(destination.front(), destination.back());
    }

private:
    std::unique_ptr<FilterCommon> m_common = std::make_unique<FilterCommon>();
};

QTEST_GUILESS_MAIN(TestToneCurveFilters)
#include "tst_tonecurvefilters.moc"
