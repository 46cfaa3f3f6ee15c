#pragma once

#include "filters/filter.h"

/** "Rusticana": levels with deep shadows, a soft-light blend with a blurred copy, fill curves and a cool soft-light tint. */
class CavalleriaRusticanaFilter : public Filter
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
