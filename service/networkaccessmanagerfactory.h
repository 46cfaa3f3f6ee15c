#pragma once

#include <QQmlNetworkAccessManagerFactory>

/**
 * Makes the QML engine's network access managers: one
 * ExtendedNetworkAccessManager per request from the engine.
 */
class NetworkAccessManagerFactory : public QQmlNetworkAccessManagerFactory
{
public:
    QNetworkAccessManager *create(QObject *parent) override;
};
