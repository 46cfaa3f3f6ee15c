#include "app/datetimemodel.h"

#include <QDateTime>

DateTimeModel::DateTimeModel(QObject *parent)
    : QObject(parent)
{
}

QString DateTimeModel::setDateTime(QString timestamp, QString dateTimeFormat)
{
    QDateTime when = QDateTime::fromString(timestamp, QStringLiteral("yyyy-MM-d hh:mm:ss"));
    if (!when.isValid())
        return QString();
    when.setTimeSpec(Qt::UTC);
    return when.toLocalTime().toString(dateTimeFormat);
}
