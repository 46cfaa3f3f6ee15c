#pragma once

#include "filters/filter.h"

/** "Vivid": levels, then a wider a* and b* range through a CIELAB round trip. */
class VividFilter : public Filter
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
