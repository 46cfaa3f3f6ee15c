#include "service/networkaccessmanagerinteractor.h"

#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QQmlEngine>

NetworkAccessManagerInteractor::NetworkAccessManagerInteractor(QQmlEngine *engine, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
{
}

void NetworkAccessManagerInteractor::clearCookies()
{
    if (!m_engine)
        return;
    // The manager deletes the jar it owned.
    if (QNetworkAccessManager *manager = m_engine->networkAccessManager())
        manager->setCookieJar(new QNetworkCookieJar);
}
