#pragma once

#include "filters/primitives.h"

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <atomic>
#include <memory>

class FilterCommon;

/**
 * One photo filter of the editor's strip. Subclasses turn a source buffer of
 * 32-bit pixels into a destination buffer in applyToPixels(); the metadata
 * (name, id, thumbnail) is constant. A filter keeps no state between runs but
 * the black and white points of its last levels measurement, which a preview
 * and a final render on another thread may share.
 */
class Filter : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int filterId READ filterId CONSTANT)
    Q_PROPERTY(int imagesToUnlock READ imagesToUnlock CONSTANT)
    Q_PROPERTY(QString name READ name CONSTANT)
    Q_PROPERTY(QString thumbPath READ thumbPath CONSTANT)
    Q_PROPERTY(bool expensiveFilter READ expensiveFilter CONSTANT)
public:
    static constexpr int previewWidth = 480;
    static constexpr int previewPixelCount = previewWidth * previewWidth;

    explicit Filter(const std::unique_ptr<FilterCommon> *commonRef);

    // Returns 0 on success; anything else means the filter could not run.
    virtual int applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect regionA, QRect regionB,
                              bool preview, QVariant param) = 0;
    virtual int filterId() const = 0;
    virtual int imagesToUnlock() const;
    virtual QString name() const = 0;
    virtual QString thumbPath() const = 0;
    virtual bool expensiveFilter() const;

    int applyPreview(uchar *source, uchar *destination, QRect regionA, QRect regionB, const QVariant &param);
    int applyFinal(uchar *source, uchar *destination, int pixelCount, QRect regionA, QRect regionB,
                   const QVariant &param);

    // Stretches the tonal range of the colour bytes in place, then applies the
    // gamma and, when shadowGamma is not 1, a shadow curve. With reuse the last
    // measured points are applied; a filter that never measured measures now.
    void autoLevels(uchar *pixels, int count, bool reuse, float gamma, float shadowGamma);
    // The table autoLevels applies to each colour byte (measuring as it does),
    // for filters that fold it into a later step; the identity when there is
    // nothing to stretch.
    ByteTable levelsTable(const uchar *pixels, int count, bool reuse, float gamma, float shadowGamma);
    quint8 cachedBlackPoint() const;
    quint8 cachedWhitePoint() const;

protected:
    const FilterCommon *common() const;
    // Side of the square image of pixelCount pixels.
    static int sideOf(int pixelCount);
    // Installed pictures under the application root, as non-premultiplied
    // 32-bit pixels with alpha, decoded once per process. Null when missing,
    // unreadable or unusable: the step that needs it is then skipped.
    //
    // A picture of a fixed size (colour cubes, blend tables); one of another
    // size is not used.
    static QImage fixedPicture(const QString &relativePath, int side);
    // A picture that goes pixel for pixel with the image being filtered: the
    // preview file, or stem + side + extension. A size without its own file
    // gets the nearest installed size, scaled.
    static QImage sizedPicture(const QString &previewPath, const QString &stem, const QString &extension,
                               bool preview, int pixelCount);
    // The grade of the filters made of a colour cube, overlays by alpha and a
    // second cube with its alpha, on a copy of source. Under
    // "qml/ui/filterRes/", the cubes are stem + "_clut_before" (or "_after")
    // + cubeExtension, an overlay stem + "_blend_" + its name + "_preview.png"
    // or + "_" + the side + ".png"; the overlays go on in their order.
    static void overlaidGrade(const uchar *source, uchar *destination, int pixelCount, bool preview,
                              const QString &stem, const QString &cubeExtension, const QStringList &overlays);

private:
    const std::unique_ptr<FilterCommon> *m_commonRef;
    // Black point in the low byte, white point in the next: one atomic word so
    // a reader never sees the halves of two measurements.
    std::atomic<quint16> m_cachedPoints{0};
};
