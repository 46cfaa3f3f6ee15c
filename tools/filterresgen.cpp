// Draws the filters' installed pictures under qml/ui/filterRes/: the frame of
// "B&W Hi", a soft dark vignette with a thin dark edge, at the preview size
// and at each final size given.
//   taviro-filterresgen <filterRes folder> <final size>...
#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <algorithm>
#include <cmath>

namespace {

float smoothstep(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// Drawn in coordinates relative to the side, so every size looks the same.
QImage vignetteFrame(int side)
{
    QImage image(side, side, QImage::Format_ARGB32);
    const float centre = (side - 1) / 2.0f;
    const float edgeWidth = side * 0.012f;
    for (int y = 0; y < side; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < side; ++x) {
            const float dx = (x - centre) / centre;
            const float dy = (y - centre) / centre;
            const float r = std::sqrt(dx * dx + dy * dy);
            float alpha = 215 * smoothstep(0.5f, 1.45f, r);
            const float toEdge = std::min({float(x), float(y), float(side - 1 - x), float(side - 1 - y)});
            alpha = std::max(alpha, 235 * (1 - smoothstep(0, edgeWidth, toEdge)));
            line[x] = qRgba(12, 10, 14, int(alpha + 0.5f));
        }
    }
    return image;
}

bool save(const QImage &image, const QString &path)
{
    return image.save(path, "PNG");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return 2;
    const QString frameFolder = args.at(1) + QStringLiteral("/Frame/");
    if (!QDir().mkpath(frameFolder))
        return 1;

    bool ok = save(vignetteFrame(480), frameFolder + QStringLiteral("pastelavignette_preview.png"));
    for (int i = 2; i < args.size(); ++i) {
        const int side = args.at(i).toInt();
        if (side <= 0)
            return 2;
        ok = save(vignetteFrame(side), frameFolder + QStringLiteral("pastelavignette%1.png").arg(side)) && ok;
    }
    return ok ? 0 : 1;
}
