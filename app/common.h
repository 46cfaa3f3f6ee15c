#pragma once

#include <QObject>
#include <QString>

/**
 * QML's CommonCPP: directory removal, cache clearing and pruning, and the
 * consumer credentials of the service and of the external networks.
 */
class Common : public QObject
{
    Q_OBJECT
public:
    explicit Common(QObject *parent = nullptr);

    Q_INVOKABLE bool removeDir(QString dirName);
    Q_INVOKABLE void pruningCache();
    Q_INVOKABLE void clearCache();

    Q_INVOKABLE QString getConsumerKey();
    Q_INVOKABLE QString getConsumerSecret();
    Q_INVOKABLE QString getTwConsumerKey();
    Q_INVOKABLE QString getTwConsumerSecret();
    Q_INVOKABLE QString getTumblrConsumerKey();
    Q_INVOKABLE QString getTumblrConsumerSecret();
    Q_INVOKABLE QString getWeiboConsumerKey();
    Q_INVOKABLE QString getWeiboConsumerSecret();
    Q_INVOKABLE QString getFlickrConsumerKey();
    Q_INVOKABLE QString getFlickrConsumerSecret();
    Q_INVOKABLE QString getVKApplicationID();
    Q_INVOKABLE QString getVKSecretKey();
    Q_INVOKABLE QString getDropBoxConsumerKey();
    Q_INVOKABLE QString getDropBoxConsumerSecret();

    // The public address of a photo file in one of the service's sizes
    // ("thumb", "small", "medium", "large").
    Q_INVOKABLE QString getPhotoAddress(QString pictureCode, QString imageSize);
    // The page where the person lets TAVIRO use an external network, for a
    // request token; empty for a network without a token dance.
    Q_INVOKABLE QString getAuthorizeAddress(QString network, QString requestToken);
};
