#include "app/qmaputils.h"

QMapUtils::QMapUtils(QObject *parent)
    : QObject(parent)
{
}

QVariant QMapUtils::getDataByKey(QVariantMap map, QString key, QVariant nullValue)
{
    const auto it = map.constFind(key);
    if (it == map.constEnd())
        return nullValue;
    if (!it->isNull() || nullValue.isNull())
        return *it;
    return nullValue;
}

QVariant QMapUtils::getDataByKey(QVariantMap map, QString key)
{
    return getDataByKey(map, key, QVariant(0));
}
