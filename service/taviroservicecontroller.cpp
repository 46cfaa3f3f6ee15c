#include "service/taviroservicecontroller.h"

#include "app/common.h"
#include "app/globalservices.h"
#include "app/usermanager.h"
#include "service/oauthencrypt.h"
#include "service/pictureuploadrequest.h"
#include "service/taviroserviceengine.h"
#include "taviroconfig.h"

#include <QMetaObject>
#include <QNetworkRequest>
#include <QVariant>

namespace {

TAVIROServiceController *s_instance = nullptr;

// Request type codes carried in the pending items and the result signals.
enum RequestType {
    LoginUser = 0,
    RegisterUser = 1,
    ForgotPassword = 2,
    UserProfile = 3,
    HomeTimeline = 4,
    PopularTimeline = 8,
    FrontPageTimeline = 9,
    UserTimeline = 10,
    UploadTavoImage = 11,
    DeletePicture = 12,
    LovePicture = 14,
    UnlovePicture = 15,
    FlagPicture = 16,
    PhotoSummary = 17,
    EditCaption = 18,
    PostComment = 19,
    DeleteComment = 20,
    CommentList = 21,
    Reshare = 22,
    FollowUser = 23,
    UnfollowUser = 24,
    Followers = 25,
    Following = 26,
    BlockedUser = 27,
    SuggestFriend = 28,
    SearchUser = 29,
    FacebookFriends = 30,
    TwitterFriends = 31,
    FriendRequest = 32,
    Notifications = 33,
    UpdateBasicProfile = 35,
    MakeProfilePicture = 36,
    UpdateFacebookProfile = 37,
    UpdateTwitterProfile = 38,
    UpdateFlickrProfile = 39,
    UpdateTumblrProfile = 40,
    UpdateWeiboProfile = 41,
    UpdateVkProfile = 42,
    UpdateDropBoxProfile = 43,
    ChangePassword = 44,
    TwitterToken = 45,
    TwitterAccessToken = 46,
    TumblrToken = 48,
    TumblrAccessToken = 49,
    WeiboToken = 51,
    WeiboAccessToken = 52,
    FlickrToken = 53,
    FlickrAccessToken = 54,
    LinkTwitter = 55,
    LinkTumblr = 56,
    LinkGDrive = 57,
    UnlinkGDrive = 58,
    LinkPicasa = 59,
    UnlinkPicasa = 60,
    DropBoxToken = 61,
    DropBoxAccessToken = 62,
    BlockUser = 63,
    UnblockUser = 64,
    ChangePhotoAccessLevel = 65,
    AnswerFriendRequest = 66,
    AnswerTermsCondition = 66,
};

QString enc(const QString &text)
{
    return OAuthEncrypt::percentEncode(text);
}

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// "&name=value"
template<typename T>
QString param(const char *name, T value)
{
    return QLatin1Char('&') + QLatin1String(name) + QLatin1Char('=') + QString::number(value);
}

QString param(const char *name, const QString &text)
{
    return QLatin1Char('&') + QLatin1String(name) + QLatin1Char('=') + enc(text);
}

QString param(const char *name, bool value)
{
    return QLatin1Char('&') + QLatin1String(name) + QLatin1Char('=') + boolText(value);
}

// Paging ids are left out unless they point somewhere.
template<typename T>
QString positiveParam(const char *name, T value)
{
    return value > 0 ? param(name, value) : QString();
}

QString pagingParams(long since_id, long before_id)
{
    return positiveParam("since_id", since_id) + positiveParam("before_id", before_id);
}

QString url(const char *base, const char *path)
{
    return QLatin1String(base) + QLatin1String(path);
}

QString callbackUrl(const char *network)
{
    return QLatin1String(TaviroConfig::kWebHost) + QStringLiteral("/auth/") + QLatin1String(network)
        + QStringLiteral("/?command=cb");
}

QString reminderUrl()
{
    return url(TaviroConfig::kReminderHost, "/forgot_password.json");
}

QMap<QString, QString> accessTokenParameters(const QString &oauthToken, const QString &oauthVerifier)
{
    return {{QStringLiteral("oauth_token"), oauthToken}, {QStringLiteral("oauth_verifier"), oauthVerifier}};
}

// One external network's OAuth 1.0 endpoints and consumer pair.
struct ExternalNetwork {
    const char *word;
    const char *base;
    const char *oauthPath;
    QString (Common::*consumerKey)();
    QString (Common::*consumerSecret)();

    QString endpoint(const char *step) const { return url(base, oauthPath) + QLatin1String(step); }
};

const ExternalNetwork kTwitter{"twitter", TaviroConfig::kTwitterOAuthBase, "/oauth", &Common::getTwConsumerKey,
                               &Common::getTwConsumerSecret};
const ExternalNetwork kTumblr{"tumblr", TaviroConfig::kTumblrOAuthBase, "/oauth", &Common::getTumblrConsumerKey,
                              &Common::getTumblrConsumerSecret};
const ExternalNetwork kWeibo{"weibo", TaviroConfig::kWeiboOAuthBase, "/oauth", &Common::getWeiboConsumerKey,
                             &Common::getWeiboConsumerSecret};
const ExternalNetwork kFlickr{"flickr", TaviroConfig::kFlickrOAuthBase, "/services/oauth",
                              &Common::getFlickrConsumerKey, &Common::getFlickrConsumerSecret};
const ExternalNetwork kDropBox{"dropbox", TaviroConfig::kDropBoxOAuthBase, "/1/oauth",
                               &Common::getDropBoxConsumerKey, &Common::getDropBoxConsumerSecret};

int requestNetworkToken(TAVIROServiceEngine *engine, const ExternalNetwork &network, int requestType,
                        QObject *handler)
{
    Common common;
    return engine->postNetworkOAuthRequest(network.endpoint("/request_token"), QString(),
                                           (common.*network.consumerKey)(), (common.*network.consumerSecret)(),
                                           QString(), QString(),
                                           {{QStringLiteral("oauth_callback"), callbackUrl(network.word)}},
                                           requestType, handler);
}

int requestNetworkAccessToken(TAVIROServiceEngine *engine, const ExternalNetwork &network,
                              const QString &tokenSecret, const QMap<QString, QString> &extraParameters,
                              int requestType, QObject *handler)
{
    Common common;
    return engine->postNetworkOAuthRequest(network.endpoint("/access_token"), QString(),
                                           (common.*network.consumerKey)(), (common.*network.consumerSecret)(),
                                           QString(), tokenSecret, extraParameters, requestType, handler);
}

} // namespace

TAVIROServiceController::TAVIROServiceController(QObject *parent)
    : QObject(parent)
    , m_engine(new TAVIROServiceEngine(this))
{
    connect(m_engine, &TAVIROServiceEngine::dataReceived, this, &TAVIROServiceController::dataReceived);
    connect(m_engine, &TAVIROServiceEngine::dataErrored, this, &TAVIROServiceController::dataErrored);
    connect(m_engine, &TAVIROServiceEngine::uploadProgress, this, &TAVIROServiceController::uploadProgressUpdated);
}

TAVIROServiceController::~TAVIROServiceController()
{
    // No result may reach a handler once the controller is going away.
    delete m_engine;
    if (s_instance == this)
        s_instance = nullptr;
}

TAVIROServiceController *TAVIROServiceController::getInstance()
{
    return s_instance;
}

void TAVIROServiceController::setInstance(TAVIROServiceController *instance)
{
    s_instance = instance;
}

int TAVIROServiceController::postPlain(const QString &path, const QString &parameters, int requestType,
                                       QObject *handler)
{
    return m_engine->postApiRequest(TAVIROServiceEngine::PlainUrl, path, parameters, true, requestType, handler);
}

int TAVIROServiceController::postSecure(const QString &path, const QString &parameters, int requestType,
                                        QObject *handler)
{
    return m_engine->postApiRequest(TAVIROServiceEngine::SecureUrl, path, parameters, true, requestType, handler);
}

int TAVIROServiceController::getLargePicture(QString url, QObject *handler)
{
    return m_engine->getUrl(url, handler);
}

int TAVIROServiceController::getLargePicture(QString pictureCode, QString imageSize, QObject *handler)
{
    return getLargePicture(QLatin1String(TaviroConfig::kWebHost) + QStringLiteral("/photos/") + pictureCode
                               + QLatin1Char('/') + imageSize,
                           handler);
}

int TAVIROServiceController::getHomeTimeline(long user_id, int page, int picture_per_page, long since_id,
                                             long before_id, QObject *handler)
{
    return postPlain(QStringLiteral("/home_timeline"),
                     param("user_id", user_id) + param("page", page) + param("picture_per_page", picture_per_page)
                         + pagingParams(since_id, before_id),
                     HomeTimeline, handler);
}

int TAVIROServiceController::getPopularTimeline(QObject *handler)
{
    return postPlain(QStringLiteral("/popular_timeline"), QStringLiteral("&page=1&picture_per_page=18"),
                     PopularTimeline, handler);
}

int TAVIROServiceController::getFrontPageTimeline(QObject *handler)
{
    return postPlain(QStringLiteral("/frontpage_timeline"), QStringLiteral("&page=1&picture_per_page=36"),
                     FrontPageTimeline, handler);
}

int TAVIROServiceController::getNotifications(int count, int all_since_id, int all_before_id, int loved_since_id,
                                              int loved_before_id, int commented_since_id, int commented_before_id,
                                              int badged_since_id, int badged_before_id, int followed_since_id,
                                              int followed_before_id, int last_read_notification_id,
                                              QObject *handler)
{
    const QString parameters = param("count", count) + QStringLiteral("&allow_friend_request=true")
        + positiveParam("all_since_id", all_since_id) + positiveParam("all_before_id", all_before_id)
        + positiveParam("loved_since_id", loved_since_id) + positiveParam("loved_before_id", loved_before_id)
        + positiveParam("commented_since_id", commented_since_id)
        + positiveParam("commented_before_id", commented_before_id)
        + positiveParam("badged_since_id", badged_since_id) + positiveParam("badged_before_id", badged_before_id)
        + positiveParam("followed_since_id", followed_since_id)
        + positiveParam("followed_before_id", followed_before_id)
        + positiveParam("last_read_notification_id", last_read_notification_id);
    return postPlain(QStringLiteral("/notifications_all"), parameters, Notifications, handler);
}

int TAVIROServiceController::followUser(QString username)
{
    return postPlain(QStringLiteral("/follow_insert"), param("following_username", username), FollowUser, nullptr);
}

int TAVIROServiceController::unfollowUser(QString username)
{
    return postPlain(QStringLiteral("/follow_delete"), param("following_username", username), UnfollowUser,
                     nullptr);
}

int TAVIROServiceController::lovePicture(int picture_id)
{
    return postPlain(QStringLiteral("/love_insert"), param("picture_id", picture_id), LovePicture, nullptr);
}

int TAVIROServiceController::unlovePicture(int picture_id)
{
    return postPlain(QStringLiteral("/love_delete"), param("picture_id", picture_id), UnlovePicture, nullptr);
}

int TAVIROServiceController::getUserProfilesByUserId(int user_id, QObject *handler)
{
    return postPlain(QStringLiteral("/user_select"), param("user_id", user_id), UserProfile, handler);
}

int TAVIROServiceController::getUserProfilesByUsername(QString username, QObject *handler)
{
    return postPlain(QStringLiteral("/user_select"), param("username", username), UserProfile, handler);
}

int TAVIROServiceController::getUserTimelineByUserId(int user_id, int page, int picture_per_page, long since_id,
                                                     long before_id, QObject *handler)
{
    return postPlain(QStringLiteral("/picture_select"),
                     param("user_id", user_id) + param("page", page) + param("picture_per_page", picture_per_page)
                         + pagingParams(since_id, before_id),
                     UserTimeline, handler);
}

int TAVIROServiceController::getUserTimelineByUsername(QString username, int page, int picture_per_page,
                                                       long since_id, long before_id, QObject *handler)
{
    return postPlain(QStringLiteral("/picture_select"),
                     param("username", username) + param("page", page) + param("picture_per_page", picture_per_page)
                         + pagingParams(since_id, before_id),
                     UserTimeline, handler);
}

int TAVIROServiceController::getSuggestFriend(QObject *handler)
{
    return postPlain(QStringLiteral("/friend_suggestion"), QString(), SuggestFriend, handler);
}

int TAVIROServiceController::getFacebookFriends(QObject *handler)
{
    return postPlain(QStringLiteral("/friend_facebook"), QString(), FacebookFriends, handler);
}

int TAVIROServiceController::getTwitterFriends(QObject *handler)
{
    return postPlain(QStringLiteral("/friend_twitter"), QString(), TwitterFriends, handler);
}

int TAVIROServiceController::getFollowers(QString username, int count, long since_id, long before_id,
                                          QObject *handler)
{
    return postPlain(QStringLiteral("/follower_list"),
                     param("username", username) + param("count", count) + pagingParams(since_id, before_id),
                     Followers, handler);
}

int TAVIROServiceController::getFollowing(QString username, int count, long since_id, long before_id,
                                          QObject *handler)
{
    return postPlain(QStringLiteral("/following_list"),
                     param("username", username) + param("count", count) + pagingParams(since_id, before_id),
                     Following, handler);
}

int TAVIROServiceController::getBlockedUser(int count, long since_id, long before_id, QObject *handler)
{
    return postPlain(QStringLiteral("/blocked_user_list"), param("count", count) + pagingParams(since_id, before_id),
                     BlockedUser, handler);
}

int TAVIROServiceController::getSearchUser(QString username, int count, QObject *handler)
{
    return postPlain(QStringLiteral("/user_search"), param("username", username) + param("count", count),
                     SearchUser, handler);
}

int TAVIROServiceController::getFriendRequest(int user_id, int request_per_page, int before_id, QObject *handler)
{
    return postPlain(QStringLiteral("/get_follow_request"),
                     param("user_id", user_id) + param("request_per_page", request_per_page)
                         + positiveParam("before_id", before_id),
                     FriendRequest, handler);
}

int TAVIROServiceController::getCommentList(int picture_id, int page, int comment_per_page, int since_id,
                                            int before_id, QObject *handler)
{
    // The service reads these four whenever they are not zero, before_id ahead of since_id.
    QString parameters = param("picture_id", picture_id);
    if (page != 0)
        parameters += param("page", page);
    if (comment_per_page != 0)
        parameters += param("comment_per_page", comment_per_page);
    if (before_id != 0)
        parameters += param("before_id", before_id);
    if (since_id != 0)
        parameters += param("since_id", since_id);
    return postPlain(QStringLiteral("/comment_select"), parameters, CommentList, handler);
}

int TAVIROServiceController::deleteComment(int comment_id, QObject *handler)
{
    return postPlain(QStringLiteral("/comment_delete"), param("comment_id", comment_id), DeleteComment, handler);
}

int TAVIROServiceController::postComment(QString text, int picture_id, int in_reply_to_id, QObject *handler)
{
    return postPlain(QStringLiteral("/comment_insert"),
                     param("text", text) + param("picture_id", picture_id)
                         + positiveParam("in_reply_to_id", in_reply_to_id),
                     PostComment, handler);
}

int TAVIROServiceController::flagPicture(int picture_id, QString reason, QObject *handler)
{
    return postPlain(QStringLiteral("/flags"), param("picture_id", picture_id) + param("reason", reason), FlagPicture,
                     handler);
}

int TAVIROServiceController::deletePicture(int picture_id, QObject *handler)
{
    return postPlain(QStringLiteral("/picture_delete"), param("picture_id", picture_id), DeletePicture, handler);
}

int TAVIROServiceController::updateBasicProfile(QString email, QString description, bool isProtected,
                                                bool changeAccessLevel, QObject *handler)
{
    return postPlain(QStringLiteral("/user_update"),
                     param("email", email) + param("description", description) + param("protected", isProtected)
                         + param("change_access_level", changeAccessLevel),
                     UpdateBasicProfile, handler);
}

int TAVIROServiceController::makeProfilePicture(QString picture_code, QObject *handler)
{
    return postPlain(QStringLiteral("/user_update"), param("profile_picture_code", picture_code), MakeProfilePicture,
                     handler);
}

int TAVIROServiceController::editCaption(int picture_id, QString caption, QObject *handler)
{
    return postPlain(QStringLiteral("/picture_update"), param("picture_id", picture_id) + param("name", caption),
                     EditCaption, handler);
}

int TAVIROServiceController::reshare(int picture_id, QString caption, bool toTwitter, bool toFacebook, bool toTumblr,
                                     bool toVK, bool toWeibo, QObject *handler)
{
    QString parameters = param("picture_id", picture_id) + param("caption", caption);
    if (toTwitter)
        parameters += QStringLiteral("&twitter=true");
    if (toFacebook)
        parameters += QStringLiteral("&facebook=true");
    if (toTumblr)
        parameters += QStringLiteral("&tumblr=true");
    if (toVK)
        parameters += QStringLiteral("&vk=true");
    if (toWeibo)
        parameters += QStringLiteral("&weibo=true");
    return postPlain(QStringLiteral("/share"), parameters, Reshare, handler);
}

int TAVIROServiceController::getPhotoSummary(QString id_list, QObject *handler)
{
    return postPlain(QStringLiteral("/photo_summary"), param("picture_codes", id_list), PhotoSummary, handler);
}

int TAVIROServiceController::updateFacebookProfile(QString facebook_token, QObject *handler)
{
    const QString parameters = facebook_token.isEmpty()
        ? QStringLiteral("&facebook_on=false")
        : QStringLiteral("&facebook_on=true&facebook_user_id=&facebook_token=") + enc(facebook_token);
    return postSecure(QStringLiteral("/user_update"), parameters, UpdateFacebookProfile, handler);
}

int TAVIROServiceController::updateTwitterProfile(QString twitter_username, QString twitter_token,
                                                  QString twitter_token_secret, bool follow_taviro, QObject *handler)
{
    const QString parameters = twitter_token.isEmpty()
        ? QStringLiteral("&twitter_on=false")
        : QStringLiteral("&twitter_on=true") + param("twitter_username", twitter_username)
            + param("twitter_token", twitter_token) + param("twitter_token_secret", twitter_token_secret)
            + param("twitter_follow_taviro", follow_taviro);
    return postSecure(QStringLiteral("/user_update"), parameters, UpdateTwitterProfile, handler);
}

int TAVIROServiceController::updateTumblrProfile(QString twitter_username, QString twitter_token,
                                                 QString twitter_token_secret, QObject *handler)
{
    const QString parameters = twitter_token.isEmpty()
        ? QStringLiteral("&tumblr_on=false")
        : QStringLiteral("&tumblr_on=true") + param("tumblr_username", twitter_username)
            + param("tumblr_token", twitter_token) + param("tumblr_token_secret", twitter_token_secret);
    return postSecure(QStringLiteral("/user_update"), parameters, UpdateTumblrProfile, handler);
}

int TAVIROServiceController::updateFlickrProfile(QString flickr_username, QString flickr_token,
                                                 QString flickr_token_secret, QObject *handler)
{
    const QString parameters = flickr_token.isEmpty()
        ? QStringLiteral("&flickr_on=false")
        : QStringLiteral("&flickr_on=true") + param("flickr_username", flickr_username)
            + param("flickr_token", flickr_token) + param("flickr_token_secret", flickr_token_secret);
    return postSecure(QStringLiteral("/user_update"), parameters, UpdateFlickrProfile, handler);
}

int TAVIROServiceController::updateWeiboProfile(QString weibo_token, QString weibo_token_secret, QObject *handler)
{
    const QString parameters = weibo_token.isEmpty()
        ? QStringLiteral("&weibo_on=false")
        : QStringLiteral("&weibo_on=true") + param("weibo_token", weibo_token)
            + param("weibo_token_secret", weibo_token_secret);
    return postSecure(QStringLiteral("/user_update"), parameters, UpdateWeiboProfile, handler);
}

int TAVIROServiceController::updateVkProfile(QString vk_token, int vk_user_id, int vk_expires_in, QObject *handler)
{
    const QString parameters = vk_token.isEmpty()
        ? QStringLiteral("&vk_on=false")
        : QStringLiteral("&vk_on=true") + param("vk_token", vk_token) + param("vk_user_id", vk_user_id)
            + param("vk_expires_in", vk_expires_in);
    return postSecure(QStringLiteral("/user_update"), parameters, UpdateVkProfile, handler);
}

int TAVIROServiceController::updateDropBoxProfile(int dropbox_userid, QString dropbox_token,
                                                  QString dropbox_token_secret, QObject *handler)
{
    const QString parameters = dropbox_token.isEmpty()
        ? QStringLiteral("&dropbox_on=false")
        : QStringLiteral("&dropbox_on=true") + param("dropbox_user_id", dropbox_userid)
            + param("dropbox_token", dropbox_token) + param("dropbox_token_secret", dropbox_token_secret);
    return postSecure(QStringLiteral("/user_update"), parameters, UpdateDropBoxProfile, handler);
}

int TAVIROServiceController::changePassword(QString old_password, QString new_password, QObject *handler)
{
    return postSecure(QStringLiteral("/user_update"),
                      param("old_password", old_password) + param("password", new_password), ChangePassword,
                      handler);
}

int TAVIROServiceController::loginUser(QString username, QString password, QObject *handler)
{
    return m_engine->postXAuthRequest(url(TaviroConfig::kMainHost, "/api/oauth/access_token"),
                                      QStringLiteral("&x_auth_mode=client_auth") + param("x_auth_username", username)
                                          + param("x_auth_password", password),
                                      LoginUser, handler);
}

int TAVIROServiceController::registerUser(QString username, QString password, QString email, QObject *handler)
{
    return m_engine->postXAuthRequest(url(TaviroConfig::kMainHost, "/api/oauth/user_register"),
                                      QStringLiteral("&x_auth_mode=client_auth") + param("x_auth_username", username)
                                          + param("x_auth_password", password) + param("x_auth_email", email),
                                      RegisterUser, handler);
}

int TAVIROServiceController::forgotPassword(QString email, QObject *handler)
{
    return m_engine->postXAuthRequest(reminderUrl(), QStringLiteral("&confirm=1") + param("email", email),
                                      ForgotPassword, handler);
}

int TAVIROServiceController::forgotPassword(QObject *handler)
{
    return m_engine->postApiRequest(TAVIROServiceEngine::CompleteUrl, reminderUrl(), QStringLiteral("&confirm=1"),
                                    true, ForgotPassword, handler);
}

int TAVIROServiceController::getTwitterToken(QObject *handler)
{
    return requestNetworkToken(m_engine, kTwitter, TwitterToken, handler);
}

int TAVIROServiceController::getTwitterAccessToken(QString oauth_token, QString oauth_verifier, QObject *handler)
{
    return requestNetworkAccessToken(m_engine, kTwitter, QString(), accessTokenParameters(oauth_token, oauth_verifier),
                                     TwitterAccessToken, handler);
}

int TAVIROServiceController::getTumblrToken(QObject *handler)
{
    return requestNetworkToken(m_engine, kTumblr, TumblrToken, handler);
}

// The request token of the access-token calls travels as oauth_token; only
// its secret (the signing key's second half) is needed besides.
int TAVIROServiceController::getTumblrAccessToken(QString oauth_token, QString oauth_verifier, QString token,
                                                  QString tokenSecret, QObject *handler)
{
    Q_UNUSED(token)
    return requestNetworkAccessToken(m_engine, kTumblr, tokenSecret, accessTokenParameters(oauth_token, oauth_verifier),
                                     TumblrAccessToken, handler);
}

int TAVIROServiceController::getWeiboToken(QObject *handler)
{
    return requestNetworkToken(m_engine, kWeibo, WeiboToken, handler);
}

int TAVIROServiceController::getWeiboAccessToken(QString oauth_token, QString oauth_verifier, QObject *handler)
{
    return requestNetworkAccessToken(m_engine, kWeibo, QString(), accessTokenParameters(oauth_token, oauth_verifier),
                                     WeiboAccessToken, handler);
}

int TAVIROServiceController::getFlickrToken(QObject *handler)
{
    return requestNetworkToken(m_engine, kFlickr, FlickrToken, handler);
}

int TAVIROServiceController::getFlickrAccessToken(QString oauth_token, QString oauth_verifier, QString token,
                                                  QString tokenSecret, QObject *handler)
{
    Q_UNUSED(token)
    return requestNetworkAccessToken(m_engine, kFlickr, tokenSecret, accessTokenParameters(oauth_token, oauth_verifier),
                                     FlickrAccessToken, handler);
}

int TAVIROServiceController::getDropBoxToken(QObject *handler)
{
    return requestNetworkToken(m_engine, kDropBox, DropBoxToken, handler);
}

int TAVIROServiceController::getDropBoxAccessToken(QString oauth_token, QString token, QString tokenSecret,
                                                   QObject *handler)
{
    Q_UNUSED(token)
    return requestNetworkAccessToken(m_engine, kDropBox, tokenSecret, {{QStringLiteral("oauth_token"), oauth_token}},
                                     DropBoxAccessToken, handler);
}

int TAVIROServiceController::uploadTavoImage(TavoImageInfo info, QObject *handler)
{
    const PictureUploadRequest upload(info);
    if (!upload.isValid())
        return m_engine->failLocally(UploadTavoImage, handler, upload.errorString());
    const QString nonce = OAuthEncrypt::generateNonce();
    const uint timestamp = OAuthEncrypt::generateTimestamp();
    const QString requestUrl = url(TaviroConfig::kApiBasePlain, "/picture_insert");
    const auto user = UserManager::getInstance();
    const QString signature = OAuthEncrypt::generateSignature(
        QStringLiteral("POST"), requestUrl, m_engine->consumerKey(), m_engine->consumerSecret(), nonce, timestamp,
        user->getToken(), user->getTokenSecret(), upload.signedParameters());

    QNetworkRequest request{QUrl(requestUrl)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, upload.contentType());
    request.setRawHeader("Authorization",
                         OAuthEncrypt::serviceAuthorizationHeader(nonce, timestamp, m_engine->consumerKey(),
                                                                  user->getToken(), signature));
    return m_engine->postRequest(request, upload.body(), false, UploadTavoImage, handler);
}

int TAVIROServiceController::linkTwitter(QString twitter_username, QString twitter_password, bool follow_taviro,
                                         QObject *handler)
{
    return postSecure(QStringLiteral("/link_twitter"),
                      param("username", twitter_username) + param("password", twitter_password)
                          + param("twitter_follow_taviro", follow_taviro),
                      LinkTwitter, handler);
}

int TAVIROServiceController::linkTumblr(QString tumblr_username, QString tumblr_password, QObject *handler)
{
    return postSecure(QStringLiteral("/link_tumblr"),
                      param("username", tumblr_username) + param("password", tumblr_password), LinkTumblr, handler);
}

int TAVIROServiceController::linkGDrive(QString code, QObject *handler)
{
    return postSecure(QStringLiteral("/link_gdrive"), param("code", code), LinkGDrive, handler);
}

int TAVIROServiceController::unlinkGDrive(QObject *handler)
{
    return postSecure(QStringLiteral("/unlink_gdrive"), QString(), UnlinkGDrive, handler);
}

int TAVIROServiceController::linkPicasa(QString code, QObject *handler)
{
    return postSecure(QStringLiteral("/link_picasa"), param("code", code), LinkPicasa, handler);
}

int TAVIROServiceController::unlinkPicasa(QObject *handler)
{
    return postSecure(QStringLiteral("/unlink_picasa"), QString(), UnlinkPicasa, handler);
}

int TAVIROServiceController::blockUser(int user_id, QObject *handler)
{
    return postPlain(QStringLiteral("/block_user"), param("blocked_user_id", user_id), BlockUser, handler);
}

int TAVIROServiceController::unblockUser(int user_id, QObject *handler)
{
    return postPlain(QStringLiteral("/unblock_user"), param("blocked_user_id", user_id), UnblockUser, handler);
}

int TAVIROServiceController::changePhotoAccessLevel(int picture_id, int access_level, QObject *handler)
{
    return postPlain(QStringLiteral("/set_picture_privacy"),
                     param("picture_id", picture_id) + param("access_level", access_level), ChangePhotoAccessLevel,
                     handler);
}

int TAVIROServiceController::answerFriendRequest(int follower_user_id, bool accept, QObject *handler)
{
    return postPlain(QStringLiteral("/answer_friend_request"),
                     param("follower_user_id", follower_user_id) + param("accept", accept), AnswerFriendRequest,
                     handler);
}

int TAVIROServiceController::answerTermsCondition(QString packageCode, bool agreeTerms, bool checked,
                                                  QObject *handler)
{
    // Encoded like every other value: a raw "&" or "=" in the code would
    // add parameters of its own to a signed request.
    return postPlain(QStringLiteral("/answer_terms_condition"),
                     param("package_code", packageCode) + param("agree_terms", agreeTerms)
                         + param("checked", checked),
                     AnswerTermsCondition, handler);
}

void TAVIROServiceController::cancelTransactionByTransactionID(int uid)
{
    m_engine->cancelTransactionByTransactionID(uid);
}

void TAVIROServiceController::dataReceived(TAVIROServiceDownloadingQueueItem queueData, QByteArray data)
{
    if (queueData.requestType == TAVIROServiceEngine::LargePictureRequestType) {
        if (GlobalServices *hub = GlobalServices::getInstance())
            hub->emitLargePictureLoadingCompleted(queueData.userData.toString(), data);
    }
    // The handler is a guarded pointer: one destroyed while the call was in flight reads as null.
    if (!queueData.handler)
        return;
    QMetaObject::invokeMethod(queueData.handler, "onTaviroServiceDataReceived", Qt::AutoConnection,
                              Q_ARG(QVariant, QVariant(true)), Q_ARG(QVariant, QVariant(data)));
}

void TAVIROServiceController::dataErrored(TAVIROServiceDownloadingQueueItem queueData, int statusCode,
                                          QString message)
{
    if (!queueData.handler)
        return;
    QMetaObject::invokeMethod(queueData.handler, "onTaviroServiceError", Qt::AutoConnection,
                              Q_ARG(QVariant, QVariant(statusCode)), Q_ARG(QVariant, QVariant(message)));
}
