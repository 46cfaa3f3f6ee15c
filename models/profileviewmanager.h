#pragma once

#include "models/profilebadgemodel.h"
#include "models/profilerecentimagesmodel.h"

#include <QQuickItem>
#include <QVariantMap>

/**
 * The profile page's header: keeps the last profile answer whole and answers
 * the page's getters from it; fills the page's recent-photo and badge models.
 */
class ProfileViewManager : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(bool isRefreshing READ isRefreshing WRITE setIsRefreshing NOTIFY isRefreshingChanged)
    Q_PROPERTY(ProfileRecentImagesModel *recentImagesModel READ recentImagesModel NOTIFY recentImagesModelChanged)
    Q_PROPERTY(ProfileBadgeModel *badgeModel READ badgeModel NOTIFY badgeModelChanged)
public:
    explicit ProfileViewManager(QQuickItem *parent = nullptr);

    bool isRefreshing() const { return m_isRefreshing; }
    void setIsRefreshing(bool isRefreshing);
    ProfileRecentImagesModel *recentImagesModel() const { return m_recentImagesModel; }
    ProfileBadgeModel *badgeModel() const { return m_badgeModel; }

    Q_INVOKABLE bool parseJSON(QByteArray data);
    Q_INVOKABLE void setLovedCommentedData(int picture_id, int love_count, bool done_love, int comment_count, bool done_comment);
    Q_INVOKABLE void setPhotoName(int picture_id, QString name);
    Q_INVOKABLE void setBio(QString bio);
    Q_INVOKABLE void setAccessLevelSalt(int picture_id, QString access_level, QString salt);
    Q_INVOKABLE int getErrorCode();
    Q_INVOKABLE int getUserId();
    Q_INVOKABLE QString getUsername();
    Q_INVOKABLE int getNumOfPhoto();
    Q_INVOKABLE int getNumOfFollower();
    Q_INVOKABLE int getNumOfFollowing();
    Q_INVOKABLE QString getBio();
    Q_INVOKABLE QString getProfilePictureCode();
    Q_INVOKABLE QVariant getProfilePictureInfo();
    Q_INVOKABLE bool getFollowed();
    Q_INVOKABLE bool getFollowRequested();
    Q_INVOKABLE bool getUseTwitter();
    Q_INVOKABLE bool getUseFacebook();
    Q_INVOKABLE bool getUseTumblr();
    Q_INVOKABLE bool getUseFlickr();
    Q_INVOKABLE bool getUseWeibo();
    Q_INVOKABLE bool getUseVk();
    Q_INVOKABLE bool getUseDropBox();
    Q_INVOKABLE bool getUseGDrive();
    Q_INVOKABLE bool getUsePicasa();
    Q_INVOKABLE bool getBlocked();
    Q_INVOKABLE QString getEmail();
    Q_INVOKABLE bool getProtected();

signals:
    void isRefreshingChanged(bool);
    void recentImagesModelChanged();
    void badgeModelChanged();

private:
    QVariant field(const char *key) const;

    QVariantMap m_profile;
    bool m_isRefreshing = false;
    ProfileRecentImagesModel *m_recentImagesModel;
    ProfileBadgeModel *m_badgeModel;
};
