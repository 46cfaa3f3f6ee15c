#pragma once

#include <QObject>
#include <QString>

/** Turns the service's UTC time stamps into local-time text. */
class DateTimeModel : public QObject
{
    Q_OBJECT
public:
    explicit DateTimeModel(QObject *parent = nullptr);

    Q_INVOKABLE QString setDateTime(QString timestamp, QString dateTimeFormat);
};
