#pragma once

#include "filters/filter.h"

/** "Kabi": a colour cube, overlays of a vignette and a white fill, and a second cube. */
class KabiFilter : public Filter
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
