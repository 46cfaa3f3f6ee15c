#pragma once

#include "filters/filter.h"

/** "Color Picker": keeps the colours chosen in the parameter list and turns the rest grey. */
class ColorPickerFilter : public Filter
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
