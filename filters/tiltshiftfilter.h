#pragma once

#include "filters/filter.h"

/** "Tilt Shift": the colours of "Vivid", sharp in a band just below 80 % of the height and blurring away from it like a miniature. */
class TiltShiftFilter : public Filter
{
    Q_OBJECT
public:
    using Filter::Filter;

    int applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect regionA, QRect regionB, bool preview,
                      QVariant param) override;
    int filterId() const override;
    QString name() const override;
    QString thumbPath() const override;
};
