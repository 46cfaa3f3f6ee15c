#!/usr/bin/env python3
"""Writes the filters' look-up tables (filters/lut/) and their resource list
(filters/lut.qrc) from the control points and formulas below.

Each table is 256 lines "index value" ended by CR LF. Run from anywhere:
    python3 tools/lutgen.py
"""
import math
import os

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "filters")


def clamp(v):
    return max(0, min(255, int(round(v))))


def monotone(points):
    """Monotone cubic (Fritsch-Carlson) through the control points, 0..255."""
    xs = [p[0] for p in points]
    ys = [float(p[1]) for p in points]
    n = len(points)
    d = [(ys[i + 1] - ys[i]) / (xs[i + 1] - xs[i]) for i in range(n - 1)]
    m = [d[0]] + [0.0 if d[i - 1] * d[i] <= 0 else (d[i - 1] + d[i]) / 2 for i in range(1, n - 1)] + [d[-1]]
    for i in range(n - 1):
        if d[i] == 0:
            m[i] = m[i + 1] = 0.0
            continue
        a, b = m[i] / d[i], m[i + 1] / d[i]
        s = a * a + b * b
        if s > 9:
            t = 3 / math.sqrt(s)
            m[i], m[i + 1] = t * a * d[i], t * b * d[i]
    out = []
    for x in range(256):
        i = max(k for k in range(n - 1) if xs[k] <= x) if x < xs[-1] else n - 2
        h = xs[i + 1] - xs[i]
        t = (x - xs[i]) / h
        h00 = (1 + 2 * t) * (1 - t) ** 2
        h10 = t * (1 - t) ** 2
        h01 = t * t * (3 - 2 * t)
        h11 = t * t * (t - 1)
        out.append(clamp(h00 * ys[i] + h10 * h * m[i] + h01 * ys[i + 1] + h11 * h * m[i + 1]))
    return out


def sigmoid(centre, slope, reach):
    """An S-curve through (centre, 128) with the given slope there."""
    scale = reach / slope
    return [clamp(128 + reach * math.tanh((x - centre) / scale)) for x in range(256)]


def soft_contrast(amount, brightness):
    """Contrast that bends instead of clipping (midtone slope 1 + amount),
    plus a brightness lift that leaves black and white in place."""
    out = []
    for x in range(256):
        t = x / 255
        y = t - amount * math.sin(2 * math.pi * t) / (2 * math.pi)
        y += brightness / 255 * 4 * t * (1 - t)
        out.append(clamp(y * 255))
    return out


def gamma(g):
    return [clamp(255 * (x / 255) ** (1 / g)) for x in range(256)]


def bw_grey():
    out = []
    for x in range(256):
        t = min(1.0, max(0.0, (x - 2) / 252))
        out.append(clamp(255 * (t - 0.6 * math.sin(2 * math.pi * t) / (2 * math.pi))))
    return out


TABLES = {
    # A wider a* (green-magenta) axis, centred just on the green side.
    "vivid/a.txt": sigmoid(125.5, 2.0, 135),
    # A wider b* (blue-yellow) axis, a little gentler; centred like a* so that
    # greys warm slightly instead of turning pink.
    "vivid/b.txt": sigmoid(125.5, 1.6, 140),
    # Warm pink midtones over softly lifted blue shadows.
    "rosy/rosy_R.txt": monotone([(0, 8), (64, 80), (128, 150), (192, 212), (255, 255)]),
    "rosy/rosy_G.txt": monotone([(0, 0), (64, 58), (128, 124), (192, 196), (255, 250)]),
    "rosy/rosy_B.txt": monotone([(0, 18), (64, 70), (128, 128), (192, 190), (255, 238)]),
    # Faded film fill: raised blacks, softened whites, a cool shadow.
    "cavalleria_rusticana/curvefill_R.txt": monotone([(0, 10), (64, 70), (128, 135), (192, 200), (255, 250)]),
    "cavalleria_rusticana/curvefill_G.txt": monotone([(0, 8), (64, 68), (128, 132), (192, 198), (255, 248)]),
    "cavalleria_rusticana/curvefill_B.txt": monotone([(0, 20), (64, 74), (128, 128), (192, 188), (255, 235)]),
    "bw_hicontrast/gray.txt": bw_grey(),
    # Contrasty red, even green, blue squeezed into 99..173.
    "alesea/Rlut": monotone([(0, 0), (64, 48), (128, 138), (192, 218), (255, 255)]),
    "alesea/Glut": monotone([(0, 10), (64, 66), (128, 130), (192, 192), (255, 245)]),
    "alesea/Blut": monotone([(0, 99), (128, 136), (255, 173)]),
    "piehole/piecurve_R.txt": monotone([(0, 0), (64, 70), (128, 145), (192, 215), (255, 255)]),
    "piehole/piecurve_G.txt": monotone([(0, 0), (64, 64), (128, 132), (192, 200), (255, 250)]),
    "piehole/piecurve_B.txt": monotone([(0, 30), (64, 72), (128, 120), (192, 170), (255, 220)]),
    "piehole/pieoverlay_R.txt": monotone([(0, 20), (128, 135), (255, 250)]),
    "piehole/pieoverlay_G.txt": monotone([(0, 10), (128, 128), (255, 245)]),
    "piehole/pieoverlay_B.txt": monotone([(0, 30), (128, 120), (255, 225)]),
    "piehole/blackoverlay.txt": monotone([(0, 0), (64, 30), (128, 80), (192, 150), (255, 210)]),
    "dreamyvintage/BC.txt": monotone([(0, 20), (64, 75), (128, 135), (192, 195), (255, 245)]),
    # Gradient map from deep plum shadows to cream highlights.
    "dreamyvintage/gmap_R.txt": monotone([(0, 40), (128, 170), (255, 255)]),
    "dreamyvintage/gmap_G.txt": monotone([(0, 20), (128, 130), (255, 240)]),
    "dreamyvintage/gmap_B.txt": monotone([(0, 70), (128, 140), (255, 200)]),
    "dreamyvintage/curve_R.txt": monotone([(0, 15), (128, 140), (255, 250)]),
    "dreamyvintage/curve_G.txt": monotone([(0, 10), (128, 130), (255, 245)]),
    "dreamyvintage/curve_B.txt": monotone([(0, 30), (128, 125), (255, 225)]),
    "dreamyvintage/gamma.txt": gamma(1.3),
    # The blurred negative, held below white so the dodge keeps the tones
    # as soft pencil shading instead of blowing them out.
    "charcoal/Graylut": [clamp(0.76 * x) for x in range(256)],
}

# Four stacked brightness (B) and contrast (C) steps, the same on every channel.
for name, amount, brightness in (("B-2C37", 0.37, -2), ("B21C5", 0.05, 21), ("B9C16", 0.16, 9), ("C16", 0.16, 0)):
    curve = soft_contrast(amount * 0.6, brightness * 0.5)
    for channel in "RGB":
        TABLES["rus/%s/%slut.txt" % (name, channel)] = curve

# Rows other parts of the program rely on.
TELLING = {
    "vivid/a.txt": {0: 0, 1: 0, 2: 0, 125: 127, 126: 129, 253: 255, 254: 255, 255: 255},
    "alesea/Blut": {0: 99, 255: 173},
    "bw_hicontrast/gray.txt": {0: 0, 1: 0, 2: 0, 254: 255, 255: 255},
}


def main():
    for name, rows in TELLING.items():
        for index, value in rows.items():
            assert TABLES[name][index] == value, (name, index, TABLES[name][index], value)
    for name, values in sorted(TABLES.items()):
        path = os.path.join(ROOT, "lut", name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", newline="") as f:
            f.write("".join("%d %d\r\n" % (i, v) for i, v in enumerate(values)))
    with open(os.path.join(ROOT, "lut.qrc"), "w") as f:
        f.write("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n")
        for name in sorted(TABLES):
            f.write("    <file>lut/%s</file>\n" % name)
        f.write("</qresource>\n</RCC>\n")


if __name__ == "__main__":
    main()
