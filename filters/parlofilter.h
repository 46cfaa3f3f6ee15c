#pragma once

#include "filters/filter.h"

/** "Parlo": levels, saturation lowered by the image's own mean, warm curves, a frame. */
class ParloFilter : public Filter
{
    Q_OBJECT
public:
    using Filter::Filter;

    int applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect regionA, QRect regionB, bool preview,
                      QVariant param) override;
    int filterId() const override;
    QString name() const override;
    QString thumbPath() const override;
    bool expensiveFilter() const override;
};
