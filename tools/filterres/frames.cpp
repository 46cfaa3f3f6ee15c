// The frames laid over the photo by alpha: the slide mount of "Crossy" and
// "Ale Sea", the dark rounded frame of "Parlo", the white feathered edge of
// "Pastela" and the vignette with a thin edge of "B&W Hi".
#include "pictures.h"

#include <algorithm>
#include <cmath>

namespace {

// Signed distance, in side units, from pixel (x, y) to the edge of a rounded
// square inset by margin with corner radius corner; negative inside.
float roundedBox(int x, int y, int side, float margin, float corner)
{
    const float half = 0.5f - margin;
    const float px = std::abs((x + 0.5f) / side - 0.5f) - (half - corner);
    const float py = std::abs((y + 0.5f) / side - 0.5f) - (half - corner);
    const float outside = std::hypot(std::max(px, 0.0f), std::max(py, 0.0f));
    return outside + std::min(std::max(px, py), 0.0f) - corner;
}

QImage slide(int side)
{
    const float pixel = 1.0f / side;
    return drawPicture(side, QImage::Format_ARGB32, [=](int x, int y) {
        const float d = roundedBox(x, y, side, 0.055f, 0.035f);
        const float mount = smoothstep(-pixel, pixel, d);
        // A soft shadow the mount casts on the photo.
        const float shadow = (1 - smoothstep(0, 0.025f, -d)) * (1 - mount);
        const int grain = int((x * 7 + y * 13) % 5) - 2;
        const int alpha = int(255 * mount + 110 * shadow);
        const int level = int(mount * (236 + grain));
        return qRgba(level, int(mount * (232 + grain)), int(mount * (222 + grain)), std::min(alpha, 255));
    });
}

QImage parlo(int side)
{
    const float pixel = 1.0f / side;
    return drawPicture(side, QImage::Format_ARGB32, [=](int x, int y) {
        const float d = roundedBox(x, y, side, 0.03f, 0.06f);
        const float frame = smoothstep(-pixel, pixel, d);
        const float inner = smoothstep(0.55f, 1.45f, radius(x, y, side)) * 120;
        return qRgba(18, 14, 12, int(std::max(255 * frame, inner)));
    });
}

QImage pastela(int side)
{
    return drawPicture(side, QImage::Format_ARGB32, [=](int x, int y) {
        const float edge = std::min({x + 0.5f, y + 0.5f, side - x - 0.5f, side - y - 0.5f}) / side;
        const float wash = 1 - smoothstep(0.0f, 0.09f, edge);
        const float corners = smoothstep(0.9f, 1.45f, radius(x, y, side));
        return qRgba(255, 252, 246, int(255 * std::max(wash, corners * 0.8f)));
    });
}

QImage pastelaVignette(int side)
{
    const float edgeWidth = side * 0.012f;
    return drawPicture(side, QImage::Format_ARGB32, [=](int x, int y) {
        float alpha = 215 * smoothstep(0.5f, 1.45f, radius(x, y, side));
        const float toEdge = std::min({float(x), float(y), float(side - 1 - x), float(side - 1 - y)});
        alpha = std::max(alpha, 235 * (1 - smoothstep(0, edgeWidth, toEdge)));
        return qRgba(12, 10, 14, int(alpha + 0.5f));
    });
}

SizedPicture frame(const char *name, std::function<QImage(int)> draw)
{
    const QString stem = QStringLiteral("Frame/") + QLatin1String(name);
    return {stem + QStringLiteral("_preview.png"), stem, QStringLiteral(".png"), std::move(draw)};
}

} // namespace

QVector<SizedPicture> framePictures()
{
    return {frame("slide", slide), frame("parlo", parlo), frame("pastela", pastela),
            frame("pastelavignette", pastelaVignette)};
}
