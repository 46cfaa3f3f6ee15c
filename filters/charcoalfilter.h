#pragma once

#include "filters/filter.h"

/** "Charcoal": a pencil sketch, the grey image dodged by its blurred negative, on a paper mask. */
class CharCoalFilter : public Filter
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
