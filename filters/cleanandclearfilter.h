#pragma once

#include "filters/filter.h"

/** "Clean&Clear": levels, a slight softening and a screen that brightens the midtones. */
class CleanAndClearFilter : public Filter
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
