#pragma once

#include "filters/filter.h"

/** "Dreamy Vintage": levels, a soft-light gradient map, muted colour, curves and a soft glow outside a mask. */
class DreamyVintageFilter : public Filter
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
