#pragma once

#include "service/taviroservicedownloadingqueueitem.h"
#include "service/tavoimageinfo.h"

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>

class TAVIROServiceEngine;

/**
 * The photo service as QML and the models see it: one invokable per API
 * call. Each call returns its transaction number at once; the result is
 * delivered later to the handler object passed as the last argument
 * (onTaviroServiceDataReceived / onTaviroServiceError), or dropped when
 * there is none.
 */
class TAVIROServiceController : public QObject
{
    Q_OBJECT
public:
    explicit TAVIROServiceController(QObject *parent = nullptr);
    ~TAVIROServiceController() override;

    static TAVIROServiceController *getInstance();
    static void setInstance(TAVIROServiceController *instance);

    Q_INVOKABLE int getLargePicture(QString url, QObject *handler = nullptr);
    Q_INVOKABLE int getLargePicture(QString pictureCode, QString imageSize, QObject *handler = nullptr);
    Q_INVOKABLE int getHomeTimeline(long user_id, int page, int picture_per_page, long since_id, long before_id,
                                    QObject *handler = nullptr);
    Q_INVOKABLE int getPopularTimeline(QObject *handler = nullptr);
    Q_INVOKABLE int getFrontPageTimeline(QObject *handler = nullptr);
    Q_INVOKABLE int getNotifications(int count, int all_since_id, int all_before_id, int loved_since_id,
                                     int loved_before_id, int commented_since_id, int commented_before_id,
                                     int badged_since_id, int badged_before_id, int followed_since_id,
                                     int followed_before_id, int last_read_notification_id,
                                     QObject *handler = nullptr);
    Q_INVOKABLE int followUser(QString username);
    Q_INVOKABLE int unfollowUser(QString username);
    Q_INVOKABLE int lovePicture(int picture_id);
    Q_INVOKABLE int unlovePicture(int picture_id);
    Q_INVOKABLE int getUserProfilesByUserId(int user_id, QObject *handler = nullptr);
    Q_INVOKABLE int getUserProfilesByUsername(QString username, QObject *handler = nullptr);
    Q_INVOKABLE int getUserTimelineByUserId(int user_id, int page, int picture_per_page, long since_id,
                                            long before_id, QObject *handler = nullptr);
    Q_INVOKABLE int getUserTimelineByUsername(QString username, int page, int picture_per_page, long since_id,
                                              long before_id, QObject *handler = nullptr);
    Q_INVOKABLE int getSuggestFriend(QObject *handler = nullptr);
    Q_INVOKABLE int getFacebookFriends(QObject *handler = nullptr);
    Q_INVOKABLE int getTwitterFriends(QObject *handler = nullptr);
    Q_INVOKABLE int getFollowers(QString username, int count, long since_id, long before_id,
                                 QObject *handler = nullptr);
    Q_INVOKABLE int getFollowing(QString username, int count, long since_id, long before_id,
                                 QObject *handler = nullptr);
    Q_INVOKABLE int getBlockedUser(int count, long since_id, long before_id, QObject *handler = nullptr);
    Q_INVOKABLE int getSearchUser(QString username, int count, QObject *handler = nullptr);
    Q_INVOKABLE int getFriendRequest(int user_id, int request_per_page, int before_id, QObject *handler = nullptr);
    Q_INVOKABLE int getCommentList(int picture_id, int page, int comment_per_page, int since_id, int before_id,
                                   QObject *handler = nullptr);
    Q_INVOKABLE int deleteComment(int comment_id, QObject *handler = nullptr);
    Q_INVOKABLE int postComment(QString text, int picture_id, int in_reply_to_id, QObject *handler = nullptr);
    Q_INVOKABLE int flagPicture(int picture_id, QString reason, QObject *handler = nullptr);
    Q_INVOKABLE int deletePicture(int picture_id, QObject *handler = nullptr);
    Q_INVOKABLE int updateBasicProfile(QString email, QString description, bool isProtected, bool changeAccessLevel,
                                       QObject *handler = nullptr);
    Q_INVOKABLE int makeProfilePicture(QString picture_code, QObject *handler = nullptr);
    Q_INVOKABLE int editCaption(int picture_id, QString caption, QObject *handler = nullptr);
    Q_INVOKABLE int reshare(int picture_id, QString caption, bool toTwitter, bool toFacebook, bool toTumblr,
                            bool toVK, bool toWeibo, QObject *handler = nullptr);
    Q_INVOKABLE int getPhotoSummary(QString id_list, QObject *handler = nullptr);
    Q_INVOKABLE int updateFacebookProfile(QString facebook_token, QObject *handler = nullptr);
    Q_INVOKABLE int updateTwitterProfile(QString twitter_username, QString twitter_token, QString twitter_token_secret,
                                         bool follow_taviro, QObject *handler = nullptr);
    Q_INVOKABLE int updateTumblrProfile(QString twitter_username, QString twitter_token, QString twitter_token_secret,
                                        QObject *handler = nullptr);
    Q_INVOKABLE int updateFlickrProfile(QString flickr_username, QString flickr_token, QString flickr_token_secret,
                                        QObject *handler = nullptr);
    Q_INVOKABLE int updateWeiboProfile(QString weibo_token, QString weibo_token_secret, QObject *handler = nullptr);
    Q_INVOKABLE int updateVkProfile(QString vk_token, int vk_user_id, int vk_expires_in, QObject *handler = nullptr);
    Q_INVOKABLE int updateDropBoxProfile(int dropbox_userid, QString dropbox_token, QString dropbox_token_secret,
                                         QObject *handler = nullptr);
    Q_INVOKABLE int changePassword(QString old_password, QString new_password, QObject *handler = nullptr);
    Q_INVOKABLE int loginUser(QString username, QString password, QObject *handler = nullptr);
    Q_INVOKABLE int registerUser(QString username, QString password, QString email, QObject *handler = nullptr);
    Q_INVOKABLE int forgotPassword(QString email, QObject *handler = nullptr);
    Q_INVOKABLE int forgotPassword(QObject *handler = nullptr);
    Q_INVOKABLE int getTwitterToken(QObject *handler = nullptr);
    Q_INVOKABLE int getTwitterAccessToken(QString oauth_token, QString oauth_verifier, QObject *handler = nullptr);
    Q_INVOKABLE int getTumblrToken(QObject *handler = nullptr);
    Q_INVOKABLE int getTumblrAccessToken(QString oauth_token, QString oauth_verifier, QString token,
                                         QString tokenSecret, QObject *handler = nullptr);
    Q_INVOKABLE int getWeiboToken(QObject *handler = nullptr);
    Q_INVOKABLE int getWeiboAccessToken(QString oauth_token, QString oauth_verifier, QObject *handler = nullptr);
    Q_INVOKABLE int getFlickrToken(QObject *handler = nullptr);
    Q_INVOKABLE int getFlickrAccessToken(QString oauth_token, QString oauth_verifier, QString token,
                                         QString tokenSecret, QObject *handler = nullptr);
    Q_INVOKABLE int getDropBoxToken(QObject *handler = nullptr);
    Q_INVOKABLE int getDropBoxAccessToken(QString oauth_token, QString token, QString tokenSecret,
                                          QObject *handler = nullptr);
    Q_INVOKABLE int uploadTavoImage(TavoImageInfo info, QObject *handler = nullptr);
    Q_INVOKABLE int linkTwitter(QString twitter_username, QString twitter_password, bool follow_taviro,
                                QObject *handler = nullptr);
    Q_INVOKABLE int linkTumblr(QString tumblr_username, QString tumblr_password, QObject *handler = nullptr);
    Q_INVOKABLE int linkGDrive(QString code, QObject *handler = nullptr);
    Q_INVOKABLE int unlinkGDrive(QObject *handler = nullptr);
    Q_INVOKABLE int linkPicasa(QString code, QObject *handler = nullptr);
    Q_INVOKABLE int unlinkPicasa(QObject *handler = nullptr);
    Q_INVOKABLE int blockUser(int user_id, QObject *handler = nullptr);
    Q_INVOKABLE int unblockUser(int user_id, QObject *handler = nullptr);
    Q_INVOKABLE int changePhotoAccessLevel(int picture_id, int access_level, QObject *handler = nullptr);
    Q_INVOKABLE int answerFriendRequest(int follower_user_id, bool accept, QObject *handler = nullptr);
    Q_INVOKABLE int answerTermsCondition(QString packageCode, bool agreeTerms, bool checked,
                                         QObject *handler = nullptr);
    Q_INVOKABLE void cancelTransactionByTransactionID(int uid);

signals:
    // How much of a request body (a photo upload) has been sent.
    void uploadProgressUpdated(int transactionId, qint64 bytesSent, qint64 bytesTotal);

public slots:
    void dataReceived(TAVIROServiceDownloadingQueueItem queueData, QByteArray data);
    void dataErrored(TAVIROServiceDownloadingQueueItem queueData, int statusCode, QString message);

private:
    int postPlain(const QString &path, const QString &parameters, int requestType, QObject *handler);
    int postSecure(const QString &path, const QString &parameters, int requestType, QObject *handler);

    TAVIROServiceEngine *m_engine;
};
