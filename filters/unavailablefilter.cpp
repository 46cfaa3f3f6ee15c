#include "filters/unavailablefilter.h"

UnavailableFilter::UnavailableFilter(const std::unique_ptr<FilterCommon> *commonRef, const QString &name,
                                     int filterId, const QString &thumbPath, bool expensive)
    : Filter(commonRef)
    , m_name(name)
    , m_filterId(filterId)
    , m_thumbPath(thumbPath)
    , m_expensive(expensive)
{
}

int UnavailableFilter::applyToPixels(uchar *, uchar *, int, QRect, QRect, bool, QVariant)
{
    return 1;
}

int UnavailableFilter::filterId() const
{
    return m_filterId;
}

QString UnavailableFilter::name() const
{
    return m_name;
}

QString UnavailableFilter::thumbPath() const
{
    return m_thumbPath;
}

bool UnavailableFilter::expensiveFilter() const
{
    return m_expensive;
}
