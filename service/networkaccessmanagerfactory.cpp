#include "service/networkaccessmanagerfactory.h"

#include "service/extendednetworkaccessmanager.h"

QNetworkAccessManager *NetworkAccessManagerFactory::create(QObject *parent)
{
    return new ExtendedNetworkAccessManager(parent);
}
