#pragma once

#include "filters/filter.h"

/**
 * A catalogue entry whose pixel work is not installed in this build: listed in
 * the strip with its metadata, it refuses to run.
 */
class UnavailableFilter : public Filter
{
    Q_OBJECT
public:
    UnavailableFilter(const std::unique_ptr<FilterCommon> *commonRef, const QString &name, int filterId,
                      const QString &thumbPath, bool expensive);

    int applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect regionA, QRect regionB, bool preview,
                      QVariant param) override;
    int filterId() const override;
    QString name() const override;
    QString thumbPath() const override;
    bool expensiveFilter() const override;

private:
    QString m_name;
    int m_filterId;
    QString m_thumbPath;
    bool m_expensive;
};
