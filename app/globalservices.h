#pragma once

#include <QObject>
#include <QString>

#include <memory>

class ImageCacheManager;
class NotificationsModel;
class PopularModel;
class TimelineModel;
class UploaderQueueModel;
class TAVIROServiceController;

/**
 * Application-wide signal hub: screens that never see each other stay
 * consistent through it. Also owns the long-lived service objects, which
 * are reached through their classes' getInstance() accessors.
 */
class GlobalServices : public QObject
{
    Q_OBJECT
public:
    explicit GlobalServices(QObject *parent = nullptr);
    ~GlobalServices() override;

    static GlobalServices *getInstance();
    static void setInstance(GlobalServices *instance);

    Q_INVOKABLE void destroyObjects();

    Q_INVOKABLE void emitSetLovedCommentedData(int picture_id, int love_count, int done_love, int comment_count, int done_comment);
    Q_INVOKABLE void emitSetFollowStatus(QString username, bool followed);
    Q_INVOKABLE void emitCommentDeleted(int comment_id);
    Q_INVOKABLE void emitPictureDeleted(int picture_id);
    Q_INVOKABLE void emitFacebookLoggedInStatusChanged(bool loggedIn);
    Q_INVOKABLE void emitTwitterLoggedInStatusChanged(bool loggedIn);
    Q_INVOKABLE void emitTumblrLoggedInStatusChanged(bool loggedIn);
    Q_INVOKABLE void emitFlickrLoggedInStatusChanged(bool loggedIn);
    Q_INVOKABLE void emitWeiboLoggedInStatusChanged(bool loggedIn);
    Q_INVOKABLE void emitVkLoggedInStatusChanged(bool loggedIn);
    Q_INVOKABLE void emitDropBoxLoggedInStatusChanged(bool loggedIn);
    Q_INVOKABLE void emitGDriveLoggedInStatusChanged(bool loggedIn);
    Q_INVOKABLE void emitPicasaLoggedInStatusChanged(bool loggedIn);
    Q_INVOKABLE void emitGoToTimelineTab();
    Q_INVOKABLE void emitClearTimelineRequested();
    Q_INVOKABLE void emitBioChanged(int user_id, QString bio);
    Q_INVOKABLE void emitRefreshRequested();
    Q_INVOKABLE void emitTimelineRefreshRequested();
    Q_INVOKABLE void emitProfileRefreshRequested();
    Q_INVOKABLE void emitImageUploaded();
    Q_INVOKABLE void emitUploadingQueueChanged();
    Q_INVOKABLE void emitUploadingQueueCanceled(QString folderCode);
    Q_INVOKABLE void emitLargePictureDownloadProgressUpdated(QString url, qint64 bytesReceived, qint64 bytesTotal);
    Q_INVOKABLE void emitLargePictureLoadingCompleted(QString url, QByteArray data);
    Q_INVOKABLE void emitImageCaptionChanged(int picture_id, QString caption);
    Q_INVOKABLE void emitBlockedStatusChanged(int user_id, bool blocked);
    Q_INVOKABLE void emitAccessLevelSaltChanged(int picture_id, QString access_level, QString salt);
    Q_INVOKABLE void emitUserProtectedChanged(int user_id, bool is_protected);

signals:
    void setLovedCommentedData(int picture_id, int love_count, int done_love, int comment_count, int done_comment);
    void setFollowStatus(QString username, bool followed);
    void commentDeleted(int comment_id);
    void pictureDeleted(int picture_id);
    void facebookLoggedInStatusChanged(bool loggedIn);
    void twitterLoggedInStatusChanged(bool loggedIn);
    void tumblrLoggedInStatusChanged(bool loggedIn);
    void flickrLoggedInStatusChanged(bool loggedIn);
    void weiboLoggedInStatusChanged(bool loggedIn);
    void vkLoggedInStatusChanged(bool loggedIn);
    void dropBoxLoggedInStatusChanged(bool loggedIn);
    void gDriveLoggedInStatusChanged(bool loggedIn);
    void picasaLoggedInStatusChanged(bool loggedIn);
    void goToTimelineTab();
    void clearTimelineRequested();
    void bioChanged(int user_id, QString bio);
    void refreshRequested();
    void timelineRefreshRequested();
    void profileRefreshRequested();
    void imageUploaded();
    void uploadingQueueChanged();
    void uploadingQueueCanceled(QString folderCode);
    void largePictureDownloadProgressUpdated(QString url, qint64 bytesReceived, qint64 bytesTotal);
    void largePictureLoadingCompleted(QString url, QByteArray data);
    void imageCaptionChanged(int picture_id, QString caption);
    void blockedStatusChanged(int user_id, bool blocked);
    void accessLevelSaltChanged(int picture_id, QString access_level, QString salt);
    void userProtectedChanged(int user_id, bool is_protected);

private:
    // Constructed in this order, destroyed in reverse.
    std::unique_ptr<ImageCacheManager> m_imageCacheManager;
    std::unique_ptr<NotificationsModel> m_notificationsModel;
    std::unique_ptr<PopularModel> m_popularModel;
    std::unique_ptr<TimelineModel> m_timelineModel;
    std::unique_ptr<UploaderQueueModel> m_uploaderQueueModel;
    std::unique_ptr<TAVIROServiceController> m_serviceController;
};
