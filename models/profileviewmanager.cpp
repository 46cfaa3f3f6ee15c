#include "models/profileviewmanager.h"

#include "app/globalservices.h"
#include "models/jsonrows.h"

ProfileViewManager::ProfileViewManager(QQuickItem *parent)
    : QQuickItem(parent)
    , m_recentImagesModel(new ProfileRecentImagesModel(this))
    , m_badgeModel(new ProfileBadgeModel(this))
{
}

void ProfileViewManager::setIsRefreshing(bool isRefreshing)
{
    if (m_isRefreshing == isRefreshing)
        return;
    m_isRefreshing = isRefreshing;
    emit isRefreshingChanged(isRefreshing);
}

bool ProfileViewManager::parseJSON(QByteArray data)
{
    // The answer is kept even when it failed: its "error_code" tells why.
    JsonRows::parseObject(data, &m_profile);
    if (!JsonRows::succeeded(m_profile))
        return false;

    m_recentImagesModel->replaceRows(JsonRows::objects(m_profile.value(QStringLiteral("recent_photos"))));
    // Other screens holding these photos take over their current access data.
    if (GlobalServices *hub = GlobalServices::getInstance()) {
        for (const QVariant &row : m_recentImagesModel->rows()) {
            const QVariantMap photo = row.toMap();
            emit hub->accessLevelSaltChanged(photo.value(QStringLiteral("picture_id")).toInt(),
                                             photo.value(QStringLiteral("access_level")).toString(),
                                             photo.value(QStringLiteral("salt")).toString());
        }
    }
    m_badgeModel->replaceRows(JsonRows::objects(m_profile.value(QStringLiteral("badge"))));
    return true;
}

void ProfileViewManager::setLovedCommentedData(int picture_id, int love_count, bool done_love, int comment_count,
                                               bool done_comment)
{
    m_recentImagesModel->updateLovedCommentedData(picture_id, love_count, done_love, comment_count, done_comment);
}

void ProfileViewManager::setPhotoName(int picture_id, QString name)
{
    m_recentImagesModel->updatePhotoName(picture_id, name);
}

void ProfileViewManager::setBio(QString bio)
{
    m_profile.insert(QStringLiteral("description"), bio);
}

void ProfileViewManager::setAccessLevelSalt(int picture_id, QString access_level, QString salt)
{
    m_recentImagesModel->updateAccessLevelSalt(picture_id, access_level, salt);
}

QVariant ProfileViewManager::field(const char *key) const
{
    return m_profile.value(QLatin1String(key));
}

int ProfileViewManager::getErrorCode()
{
    return field("error_code").toInt();
}

int ProfileViewManager::getUserId()
{
    return field("user_id").toInt();
}

QString ProfileViewManager::getUsername()
{
    return field("username").toString();
}

int ProfileViewManager::getNumOfPhoto()
{
    return field("photo_cnt").toInt();
}

int ProfileViewManager::getNumOfFollower()
{
    return field("follower_cnt").toInt();
}

int ProfileViewManager::getNumOfFollowing()
{
    return field("following_cnt").toInt();
}

QString ProfileViewManager::getBio()
{
    const QString bio = field("description").toString();
    return bio.isEmpty() ? QStringLiteral("-") : bio;
}

QString ProfileViewManager::getProfilePictureCode()
{
    const QVariant code = field("profile_picture_code");
    return code.isNull() ? QStringLiteral("null") : code.toString();
}

QVariant ProfileViewManager::getProfilePictureInfo()
{
    return field("profile_picture_info").toMap();
}

bool ProfileViewManager::getFollowed()
{
    return field("followed").toBool();
}

bool ProfileViewManager::getFollowRequested()
{
    return field("follow_requested").toBool();
}

bool ProfileViewManager::getUseTwitter()
{
    return field("use_twitter").toBool();
}

bool ProfileViewManager::getUseFacebook()
{
    return field("use_facebook").toBool();
}

bool ProfileViewManager::getUseTumblr()
{
    return field("use_tumblr").toBool();
}

bool ProfileViewManager::getUseFlickr()
{
    return field("use_flickr").toBool();
}

bool ProfileViewManager::getUseWeibo()
{
    return field("use_weibo").toBool();
}

bool ProfileViewManager::getUseVk()
{
    return field("use_vk").toBool();
}

bool ProfileViewManager::getUseDropBox()
{
    return field("use_dropbox").toBool();
}

bool ProfileViewManager::getUseGDrive()
{
    return field("use_gdrive").toBool();
}

bool ProfileViewManager::getUsePicasa()
{
    return field("use_picasa").toBool();
}

bool ProfileViewManager::getBlocked()
{
    return field("blocked").toBool();
}

QString ProfileViewManager::getEmail()
{
    return field("email").toString();
}

bool ProfileViewManager::getProtected()
{
    return field("protected").toBool();
}
