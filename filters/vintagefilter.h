#pragma once

#include "filters/filter.h"

/** "Vintage": levels with lifted shadows, contrast on red and green, a vignette. */
class VintageFilter : public Filter
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
