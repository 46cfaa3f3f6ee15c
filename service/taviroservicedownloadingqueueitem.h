#pragma once

#include <QMetaType>
#include <QObject>
#include <QPointer>
#include <QVariant>

class QNetworkReply;

/**
 * One pending request of the service engine, copied by value into its
 * result signals. The handler is guarded: a handler destroyed while its
 * request is in flight reads as null and must not be called.
 */
struct TAVIROServiceDownloadingQueueItem
{
    int requestType = 0;
    QPointer<QObject> handler;
    QNetworkReply *reply = nullptr;
    bool gzipEncoded = false;
    int transactionId = 0;
    QVariant userData;
};

Q_DECLARE_METATYPE(TAVIROServiceDownloadingQueueItem)
