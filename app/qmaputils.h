#pragma once

#include <QObject>
#include <QVariant>
#include <QVariantMap>

/** Reads one key of a JSON object with a fallback for missing or null values. */
class QMapUtils : public QObject
{
    Q_OBJECT
public:
    explicit QMapUtils(QObject *parent = nullptr);

    Q_INVOKABLE QVariant getDataByKey(QVariantMap map, QString key, QVariant nullValue);
    Q_INVOKABLE QVariant getDataByKey(QVariantMap map, QString key);
};
