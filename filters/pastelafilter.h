#pragma once

#include "filters/filter.h"

/** "Pastela": dark levels, saturation pulled toward a pastel mean, washed highlights, a frame. */
class PastelaFilter : public Filter
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
