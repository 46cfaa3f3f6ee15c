#pragma once

#include "filters/filter.h"

/** "Cartoon": levels, then the darker of each pixel and a wide blur of it. */
class CartoonFilter : public Filter
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
