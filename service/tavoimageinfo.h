#pragma once

#include <QDateTime>
#include <QImage>
#include <QMetaType>
#include <QString>

/**
 * One photo waiting in the upload queue: what the queue keeps on disk and
 * what the upload request sends.
 */
struct TavoImageInfo
{
    QString folderCode;
    QString imagePath;
    QString imageName;
    QString imageDescription;
    float geoLocationLat = 0;
    float geoLocationLong = 0;
    int effectFilterType = 0;
    int imageSource = 0;
    QImage miniImage;
    QImage thumbImage;
    QDateTime createdTime;
    bool shareToTwitter = false;
    bool shareToFacebook = false;
    bool shareToTumblr = false;
    bool shareToFlickr = false;
    bool shareToWeibo = false;
    bool shareToVk = false;
    bool shareToDropBox = false;
    bool shareToGDrive = false;
    bool shareToPicasa = false;
    int accessLevel = 0;
};

Q_DECLARE_METATYPE(TavoImageInfo)
