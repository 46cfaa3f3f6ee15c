#pragma once

#include "filters/filter.h"

/** "Viridescent": levels and a blue squeezed into 64..128, with the black bars of a zoomed-out crop kept black. */
class ViridescentFilter : public Filter
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
