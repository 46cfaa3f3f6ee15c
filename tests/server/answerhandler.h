#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QVariant>

/** Receives one service answer the way QML handlers do. */
class AnswerHandler : public QObject
{
    Q_OBJECT
public:
    int status = -1;
    QByteArray body;
    QString message;

    Q_INVOKABLE void onTaviroServiceDataReceived(QVariant success, QVariant data)
    {
        Q_UNUSED(success)
        status = 200;
        body = data.toByteArray();
        Q_EMIT answered();
    }
    Q_INVOKABLE void onTaviroServiceError(QVariant statusCode, QVariant errorMessage)
    {
        status = statusCode.toInt();
        message = errorMessage.toString();
        Q_EMIT answered();
    }

    QJsonObject json() const { return QJsonDocument::fromJson(body).object(); }

Q_SIGNALS:
    void answered();
};
