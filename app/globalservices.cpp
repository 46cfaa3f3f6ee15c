#include "app/globalservices.h"

#include "cache/imagecachemanager.h"
#include "models/notificationsmodel.h"
#include "models/popularmodel.h"
#include "models/timelinemodel.h"
#include "service/taviroservicecontroller.h"
#include "upload/uploaderqueuemodel.h"

namespace {
GlobalServices *s_instance = nullptr;
}

GlobalServices::GlobalServices(QObject *parent)
    : QObject(parent)
    , m_imageCacheManager(std::make_unique<ImageCacheManager>())
    , m_notificationsModel(std::make_unique<NotificationsModel>())
    , m_popularModel(std::make_unique<PopularModel>())
    , m_timelineModel(std::make_unique<TimelineModel>())
    , m_uploaderQueueModel(std::make_unique<UploaderQueueModel>())
    , m_serviceController(std::make_unique<TAVIROServiceController>())
{
    ImageCacheManager::setInstance(m_imageCacheManager.get());
    NotificationsModel::setInstance(m_notificationsModel.get());
    PopularModel::setInstance(m_popularModel.get());
    TimelineModel::setInstance(m_timelineModel.get());
    UploaderQueueModel::setInstance(m_uploaderQueueModel.get());
    TAVIROServiceController::setInstance(m_serviceController.get());
    // Pictures that need the service's large-picture download go through
    // the controller.
    m_imageCacheManager->setLargePictureService(m_serviceController.get());
}

GlobalServices::~GlobalServices()
{
    if (s_instance == this)
        s_instance = nullptr;
}

GlobalServices *GlobalServices::getInstance()
{
    return s_instance;
}

void GlobalServices::setInstance(GlobalServices *instance)
{
    s_instance = instance;
}

void GlobalServices::destroyObjects()
{
    deleteLater();
}

void GlobalServices::emitSetLovedCommentedData(int picture_id, int love_count, int done_love, int comment_count, int done_comment)
{
    emit setLovedCommentedData(picture_id, love_count, done_love, comment_count, done_comment);
}

void GlobalServices::emitSetFollowStatus(QString username, bool followed)
{
    emit setFollowStatus(username, followed);
}

void GlobalServices::emitCommentDeleted(int comment_id)
{
    emit commentDeleted(comment_id);
}

void GlobalServices::emitPictureDeleted(int picture_id)
{
    emit pictureDeleted(picture_id);
}

void GlobalServices::emitFacebookLoggedInStatusChanged(bool loggedIn)
{
    emit facebookLoggedInStatusChanged(loggedIn);
}

void GlobalServices::emitTwitterLoggedInStatusChanged(bool loggedIn)
{
    emit twitterLoggedInStatusChanged(loggedIn);
}

void GlobalServices::emitTumblrLoggedInStatusChanged(bool loggedIn)
{
    emit tumblrLoggedInStatusChanged(loggedIn);
}

void GlobalServices::emitFlickrLoggedInStatusChanged(bool loggedIn)
{
    emit flickrLoggedInStatusChanged(loggedIn);
}

void GlobalServices::emitWeiboLoggedInStatusChanged(bool loggedIn)
{
    emit weiboLoggedInStatusChanged(loggedIn);
}

void GlobalServices::emitVkLoggedInStatusChanged(bool loggedIn)
{
    emit vkLoggedInStatusChanged(loggedIn);
}

void GlobalServices::emitDropBoxLoggedInStatusChanged(bool loggedIn)
{
    emit dropBoxLoggedInStatusChanged(loggedIn);
}

void GlobalServices::emitGDriveLoggedInStatusChanged(bool loggedIn)
{
    emit gDriveLoggedInStatusChanged(loggedIn);
}

void GlobalServices::emitPicasaLoggedInStatusChanged(bool loggedIn)
{
    emit picasaLoggedInStatusChanged(loggedIn);
}

void GlobalServices::emitGoToTimelineTab()
{
    emit goToTimelineTab();
}

void GlobalServices::emitClearTimelineRequested()
{
    emit clearTimelineRequested();
}

void GlobalServices::emitBioChanged(int user_id, QString bio)
{
    emit bioChanged(user_id, bio);
}

void GlobalServices::emitRefreshRequested()
{
    emit refreshRequested();
}

void GlobalServices::emitTimelineRefreshRequested()
{
    emit timelineRefreshRequested();
}

void GlobalServices::emitProfileRefreshRequested()
{
    emit profileRefreshRequested();
}

void GlobalServices::emitImageUploaded()
{
    emit imageUploaded();
}

void GlobalServices::emitUploadingQueueChanged()
{
    emit uploadingQueueChanged();
}

void GlobalServices::emitUploadingQueueCanceled(QString folderCode)
{
    emit uploadingQueueCanceled(folderCode);
}

void GlobalServices::emitLargePictureDownloadProgressUpdated(QString url, qint64 bytesReceived, qint64 bytesTotal)
{
    emit largePictureDownloadProgressUpdated(url, bytesReceived, bytesTotal);
}

void GlobalServices::emitLargePictureLoadingCompleted(QString url, QByteArray data)
{
    emit largePictureLoadingCompleted(url, data);
}

void GlobalServices::emitImageCaptionChanged(int picture_id, QString caption)
{
    emit imageCaptionChanged(picture_id, caption);
}

void GlobalServices::emitBlockedStatusChanged(int user_id, bool blocked)
{
    emit blockedStatusChanged(user_id, blocked);
}

void GlobalServices::emitAccessLevelSaltChanged(int picture_id, QString access_level, QString salt)
{
    emit accessLevelSaltChanged(picture_id, access_level, salt);
}

void GlobalServices::emitUserProtectedChanged(int user_id, bool is_protected)
{
    emit userProtectedChanged(user_id, is_protected);
}
