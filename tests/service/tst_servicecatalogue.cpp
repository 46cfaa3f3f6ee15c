#include "proxycaptureserver.h"

#include "app/common.h"
#include "service/oauthencrypt.h"
#include "service/taviroserviceengine.h"
#include "service/taviroservicecontroller.h"
#include "taviroconfig.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <functional>
#include <memory>

using Call = std::function<int(TAVIROServiceController &)>;
using Attributes = QList<QPair<QString, QString>>;
Q_DECLARE_METATYPE(Call)
Q_DECLARE_METATYPE(Attributes)

namespace {

QString plain(const char *path)
{
    return QLatin1String(TaviroConfig::kApiBasePlain) + QLatin1String(path);
}

QString secure(const char *path)
{
    return QLatin1String(TaviroConfig::kApiBaseSecure) + QLatin1String(path);
}

QString under(const char *base, const char *path)
{
    return QLatin1String(base) + QLatin1String(path);
}

QString callback(const char *network)
{
    return QLatin1String(TaviroConfig::kWebHost) + QStringLiteral("/auth/") + QLatin1String(network)
        + QStringLiteral("/?command=cb");
}

// The attributes of an "OAuth a="1", b="2"" header, in order.
Attributes headerAttributes(const QByteArray &header)
{
    Attributes attributes;
    if (!header.startsWith("OAuth "))
        return attributes;
    const QList<QByteArray> parts = header.mid(6).split(',');
    for (QByteArray part : parts) {
        part = part.trimmed();
        const int equals = part.indexOf('=');
        QByteArray value = part.mid(equals + 1);
        if (value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        attributes.append({QString::fromLatin1(part.left(equals)), QString::fromLatin1(value)});
    }
    return attributes;
}

QString attribute(const Attributes &attributes, const QString &name)
{
    for (const auto &entry : attributes) {
        if (entry.first == name)
            return entry.second;
    }
    return QString();
}

} // namespace

/**
 * Every call of the catalogue against the capture proxy: endpoint, body after
 * the device parameters, request type code and the signing form it uses.
 */
class TestServiceCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void apiCalls_data();
    void apiCalls();
    void accountCalls_data();
    void accountCalls();
    void networkTokenCalls_data();
    void networkTokenCalls();
    void callSignatureKnownAnswer();

private:
    // Makes the call, waits for its single request and for the result.
    ProxyCaptureServer::Request send(const Call &call, int *requestType);

    QTemporaryDir m_home;
    std::unique_ptr<TAVIROServiceController> m_controller;
    std::unique_ptr<ProxyCaptureServer> m_server;
};

void TestServiceCatalogue::initTestCase()
{
    // No account file here: every call is signed without a user token.
    QVERIFY(m_home.isValid());
    QVERIFY(QDir::setCurrent(m_home.path()));

    m_controller = std::make_unique<TAVIROServiceController>();
    auto *engine = m_controller->findChild<TAVIROServiceEngine *>();
    QVERIFY(engine);
    QSslConfiguration tls = engine->sslConfiguration();
    tls.setCaCertificates(tls.caCertificates() << ProxyCaptureServer::certificate());
    engine->setSslConfiguration(tls);
    m_server = std::make_unique<ProxyCaptureServer>();
    QVERIFY(m_server->start(engine->findChild<QNetworkAccessManager *>()));
}

void TestServiceCatalogue::cleanup()
{
    // Nothing but the one request of each call: with no reply left (they are
    // the manager's children until they finish), no other request is on its way.
    auto *manager = m_controller->findChild<TAVIROServiceEngine *>()->findChild<QNetworkAccessManager *>();
    QTRY_VERIFY(manager->findChildren<QNetworkReply *>().isEmpty());
    QCOMPARE(m_server->requests().size(), 0);
    m_server->clear();
}

ProxyCaptureServer::Request TestServiceCatalogue::send(const Call &call, int *requestType)
{
    auto *engine = m_controller->findChild<TAVIROServiceEngine *>();
    QSignalSpy received(engine, &TAVIROServiceEngine::dataReceived);
    const int transactionId = call(*m_controller);
    const bool arrived = m_server->waitForRequests(1) && (!received.isEmpty() || received.wait(5000));
    if (!arrived || m_server->requests().size() != 1)
        return {};
    const auto item = received.first().first().value<TAVIROServiceDownloadingQueueItem>();
    *requestType = item.transactionId == transactionId ? item.requestType : -1;
    const ProxyCaptureServer::Request request = m_server->requests().first();
    m_server->clear();
    return request;
}

void TestServiceCatalogue::apiCalls_data()
{
    QTest::addColumn<Call>("call");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QByteArray>("parameters");
    QTest::addColumn<int>("requestType");

    using C = TAVIROServiceController;
    QTest::newRow("getHomeTimeline without ids")
        << Call([](C &c) { return c.getHomeTimeline(5, 1, 20, 0, 0); }) << plain("/home_timeline")
        << QByteArray("&user_id=5&page=1&picture_per_page=20") << 4;
    QTest::newRow("getHomeTimeline with ids")
        << Call([](C &c) { return c.getHomeTimeline(5, 2, 20, 30, 40); }) << plain("/home_timeline")
        << QByteArray("&user_id=5&page=2&picture_per_page=20&since_id=30&before_id=40") << 4;
    QTest::newRow("getPopularTimeline") << Call([](C &c) { return c.getPopularTimeline(); })
                                        << plain("/popular_timeline") << QByteArray("&page=1&picture_per_page=18") << 8;
    QTest::newRow("getFrontPageTimeline") << Call([](C &c) { return c.getFrontPageTimeline(); })
                                          << plain("/frontpage_timeline") << QByteArray("&page=1&picture_per_page=36")
                                          << 9;
    QTest::newRow("getNotifications no ids")
        << Call([](C &c) { return c.getNotifications(25, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0); })
        << plain("/notifications_all") << QByteArray("&count=25&allow_friend_request=true") << 33;
    QTest::newRow("getNotifications all ids")
        << Call([](C &c) { return c.getNotifications(25, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11); })
        << plain("/notifications_all")
        << QByteArray("&count=25&allow_friend_request=true&all_since_id=1&all_before_id=2&loved_since_id=3"
                      "&loved_before_id=4&commented_since_id=5&commented_before_id=6&badged_since_id=7"
                      "&badged_before_id=8&followed_since_id=9&followed_before_id=10&last_read_notification_id=11")
        << 33;
    QTest::newRow("getNotifications negative ids left out")
        << Call([](C &c) { return c.getNotifications(10, -1, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0); })
        << plain("/notifications_all") << QByteArray("&count=10&allow_friend_request=true&followed_before_id=4")
        << 33;
    QTest::newRow("followUser") << Call([](C &c) { return c.followUser(QStringLiteral("ann b")); })
                                << plain("/follow_insert") << QByteArray("&following_username=ann%20b") << 23;
    QTest::newRow("unfollowUser") << Call([](C &c) { return c.unfollowUser(QStringLiteral("ann")); })
                                  << plain("/follow_delete") << QByteArray("&following_username=ann") << 24;
    QTest::newRow("lovePicture") << Call([](C &c) { return c.lovePicture(77); }) << plain("/love_insert")
                                 << QByteArray("&picture_id=77") << 14;
    QTest::newRow("unlovePicture") << Call([](C &c) { return c.unlovePicture(77); }) << plain("/love_delete")
                                   << QByteArray("&picture_id=77") << 15;
    QTest::newRow("getUserProfilesByUserId") << Call([](C &c) { return c.getUserProfilesByUserId(12); })
                                             << plain("/user_select") << QByteArray("&user_id=12") << 3;
    QTest::newRow("getUserProfilesByUsername")
        << Call([](C &c) { return c.getUserProfilesByUsername(QStringLiteral("a/b")); }) << plain("/user_select")
        << QByteArray("&username=a%2Fb") << 3;
    QTest::newRow("getUserTimelineByUserId")
        << Call([](C &c) { return c.getUserTimelineByUserId(12, 1, 18, 0, 99); }) << plain("/picture_select")
        << QByteArray("&user_id=12&page=1&picture_per_page=18&before_id=99") << 10;
    QTest::newRow("getUserTimelineByUsername")
        << Call([](C &c) { return c.getUserTimelineByUsername(QStringLiteral("bo"), 2, 18, 5, 0); })
        << plain("/picture_select") << QByteArray("&username=bo&page=2&picture_per_page=18&since_id=5") << 10;
    QTest::newRow("getSuggestFriend") << Call([](C &c) { return c.getSuggestFriend(); }) << plain("/friend_suggestion")
                                      << QByteArray() << 28;
    QTest::newRow("getFacebookFriends") << Call([](C &c) { return c.getFacebookFriends(); })
                                        << plain("/friend_facebook") << QByteArray() << 30;
    QTest::newRow("getTwitterFriends") << Call([](C &c) { return c.getTwitterFriends(); })
                                       << plain("/friend_twitter") << QByteArray() << 31;
    QTest::newRow("getFollowers") << Call([](C &c) { return c.getFollowers(QStringLiteral("bo"), 20, 0, 7); })
                                  << plain("/follower_list") << QByteArray("&username=bo&count=20&before_id=7") << 25;
    QTest::newRow("getFollowing") << Call([](C &c) { return c.getFollowing(QStringLiteral("bo"), 20, 3, 0); })
                                  << plain("/following_list") << QByteArray("&username=bo&count=20&since_id=3") << 26;
    QTest::newRow("getBlockedUser") << Call([](C &c) { return c.getBlockedUser(20, 0, 0); })
                                    << plain("/blocked_user_list") << QByteArray("&count=20") << 27;
    QTest::newRow("getSearchUser") << Call([](C &c) { return c.getSearchUser(QStringLiteral("a+b"), 10); })
                                   << plain("/user_search") << QByteArray("&username=a%2Bb&count=10") << 29;
    QTest::newRow("getFriendRequest") << Call([](C &c) { return c.getFriendRequest(12, 20, 0); })
                                      << plain("/get_follow_request") << QByteArray("&user_id=12&request_per_page=20")
                                      << 32;
    QTest::newRow("getCommentList before_id ahead of since_id")
        << Call([](C &c) { return c.getCommentList(7, 0, 0, 3, 9); }) << plain("/comment_select")
        << QByteArray("&picture_id=7&before_id=9&since_id=3") << 21;
    QTest::newRow("getCommentList negative values kept")
        << Call([](C &c) { return c.getCommentList(7, 1, 20, -1, 0); }) << plain("/comment_select")
        << QByteArray("&picture_id=7&page=1&comment_per_page=20&since_id=-1") << 21;
    QTest::newRow("deleteComment") << Call([](C &c) { return c.deleteComment(5); }) << plain("/comment_delete")
                                   << QByteArray("&comment_id=5") << 20;
    QTest::newRow("postComment") << Call([](C &c) { return c.postComment(QStringLiteral("hi @bo!"), 7, 0); })
                                 << plain("/comment_insert") << QByteArray("&text=hi%20%40bo%21&picture_id=7") << 19;
    QTest::newRow("postComment in reply") << Call([](C &c) { return c.postComment(QStringLiteral("x"), 7, 4); })
                                          << plain("/comment_insert")
                                          << QByteArray("&text=x&picture_id=7&in_reply_to_id=4") << 19;
    QTest::newRow("flagPicture") << Call([](C &c) { return c.flagPicture(7, QStringLiteral("spam")); })
                                 << plain("/flags") << QByteArray("&picture_id=7&reason=spam") << 16;
    QTest::newRow("deletePicture") << Call([](C &c) { return c.deletePicture(7); }) << plain("/picture_delete")
                                   << QByteArray("&picture_id=7") << 12;
    QTest::newRow("updateBasicProfile")
        << Call([](C &c) { return c.updateBasicProfile(QStringLiteral("a@b.c"), QStringLiteral("hi"), true, false); })
        << plain("/user_update")
        << QByteArray("&email=a%40b.c&description=hi&protected=true&change_access_level=false") << 35;
    QTest::newRow("makeProfilePicture") << Call([](C &c) { return c.makeProfilePicture(QStringLiteral("Xy1")); })
                                        << plain("/user_update") << QByteArray("&profile_picture_code=Xy1") << 36;
    QTest::newRow("editCaption") << Call([](C &c) { return c.editCaption(7, QStringLiteral("a b&c")); })
                                 << plain("/picture_update") << QByteArray("&picture_id=7&name=a%20b%26c") << 18;
    QTest::newRow("reshare no flags")
        << Call([](C &c) { return c.reshare(7, QStringLiteral("c"), false, false, false, false, false); })
        << plain("/share") << QByteArray("&picture_id=7&caption=c") << 22;
    QTest::newRow("reshare all flags")
        << Call([](C &c) { return c.reshare(7, QStringLiteral("c"), true, true, true, true, true); })
        << plain("/share")
        << QByteArray("&picture_id=7&caption=c&twitter=true&facebook=true&tumblr=true&vk=true&weibo=true") << 22;
    QTest::newRow("reshare vk only")
        << Call([](C &c) { return c.reshare(7, QStringLiteral("c"), false, false, false, true, false); })
        << plain("/share") << QByteArray("&picture_id=7&caption=c&vk=true") << 22;
    QTest::newRow("getPhotoSummary") << Call([](C &c) { return c.getPhotoSummary(QStringLiteral("a,b")); })
                                     << plain("/photo_summary") << QByteArray("&picture_codes=a%2Cb") << 17;
    QTest::newRow("updateFacebookProfile off") << Call([](C &c) { return c.updateFacebookProfile(QString()); })
                                               << secure("/user_update") << QByteArray("&facebook_on=false") << 37;
    QTest::newRow("updateFacebookProfile on")
        << Call([](C &c) { return c.updateFacebookProfile(QStringLiteral("t=1")); }) << secure("/user_update")
        << QByteArray("&facebook_on=true&facebook_user_id=&facebook_token=t%3D1") << 37;
    QTest::newRow("updateTwitterProfile empty token")
        << Call([](C &c) { return c.updateTwitterProfile(QStringLiteral("bo"), QString(), QStringLiteral("s"), true); })
        << secure("/user_update") << QByteArray("&twitter_on=false") << 38;
    QTest::newRow("updateTwitterProfile on")
        << Call([](C &c) {
               return c.updateTwitterProfile(QStringLiteral("bo"), QStringLiteral("t"), QStringLiteral("s/"), false);
           })
        << secure("/user_update")
        << QByteArray("&twitter_on=true&twitter_username=bo&twitter_token=t&twitter_token_secret=s%2F"
                      "&twitter_follow_taviro=false")
        << 38;
    QTest::newRow("updateTumblrProfile off")
        << Call([](C &c) { return c.updateTumblrProfile(QStringLiteral("bo"), QString(), QString()); })
        << secure("/user_update") << QByteArray("&tumblr_on=false") << 40;
    QTest::newRow("updateTumblrProfile on")
        << Call([](C &c) {
               return c.updateTumblrProfile(QStringLiteral("bo"), QStringLiteral("t"), QStringLiteral("s"));
           })
        << secure("/user_update") << QByteArray("&tumblr_on=true&tumblr_username=bo&tumblr_token=t&tumblr_token_secret=s")
        << 40;
    QTest::newRow("updateFlickrProfile off")
        << Call([](C &c) { return c.updateFlickrProfile(QStringLiteral("bo"), QString(), QString()); })
        << secure("/user_update") << QByteArray("&flickr_on=false") << 39;
    QTest::newRow("updateFlickrProfile on")
        << Call([](C &c) {
               return c.updateFlickrProfile(QStringLiteral("bo"), QStringLiteral("t"), QStringLiteral("s"));
           })
        << secure("/user_update") << QByteArray("&flickr_on=true&flickr_username=bo&flickr_token=t&flickr_token_secret=s")
        << 39;
    QTest::newRow("updateWeiboProfile off")
        << Call([](C &c) { return c.updateWeiboProfile(QString(), QStringLiteral("s")); }) << secure("/user_update")
        << QByteArray("&weibo_on=false") << 41;
    QTest::newRow("updateWeiboProfile on")
        << Call([](C &c) { return c.updateWeiboProfile(QStringLiteral("t"), QStringLiteral("s")); })
        << secure("/user_update") << QByteArray("&weibo_on=true&weibo_token=t&weibo_token_secret=s") << 41;
    QTest::newRow("updateVkProfile off") << Call([](C &c) { return c.updateVkProfile(QString(), 3, 4); })
                                         << secure("/user_update") << QByteArray("&vk_on=false") << 42;
    QTest::newRow("updateVkProfile on") << Call([](C &c) { return c.updateVkProfile(QStringLiteral("t"), 3, 86400); })
                                        << secure("/user_update")
                                        << QByteArray("&vk_on=true&vk_token=t&vk_user_id=3&vk_expires_in=86400") << 42;
    QTest::newRow("updateDropBoxProfile off")
        << Call([](C &c) { return c.updateDropBoxProfile(9, QString(), QString()); }) << secure("/user_update")
        << QByteArray("&dropbox_on=false") << 43;
    QTest::newRow("updateDropBoxProfile on")
        << Call([](C &c) { return c.updateDropBoxProfile(9, QStringLiteral("t"), QStringLiteral("s")); })
        << secure("/user_update") << QByteArray("&dropbox_on=true&dropbox_user_id=9&dropbox_token=t&dropbox_token_secret=s")
        << 43;
    QTest::newRow("changePassword")
        << Call([](C &c) { return c.changePassword(QStringLiteral("o&1"), QStringLiteral("n 2")); })
        << secure("/user_update") << QByteArray("&old_password=o%261&password=n%202") << 44;
    QTest::newRow("forgotPassword signed-in form")
        << Call([](C &c) { return c.forgotPassword(); })
        << under(TaviroConfig::kReminderHost, "/forgot_password.json") << QByteArray("&confirm=1") << 2;
    QTest::newRow("linkTwitter")
        << Call([](C &c) { return c.linkTwitter(QStringLiteral("bo"), QStringLiteral("p w"), true); })
        << secure("/link_twitter") << QByteArray("&username=bo&password=p%20w&twitter_follow_taviro=true") << 55;
    QTest::newRow("linkTumblr") << Call([](C &c) { return c.linkTumblr(QStringLiteral("bo"), QStringLiteral("pw")); })
                                << secure("/link_tumblr") << QByteArray("&username=bo&password=pw") << 56;
    QTest::newRow("linkGDrive") << Call([](C &c) { return c.linkGDrive(QStringLiteral("4/ab")); })
                                << secure("/link_gdrive") << QByteArray("&code=4%2Fab") << 57;
    QTest::newRow("unlinkGDrive") << Call([](C &c) { return c.unlinkGDrive(); }) << secure("/unlink_gdrive")
                                  << QByteArray() << 58;
    QTest::newRow("linkPicasa") << Call([](C &c) { return c.linkPicasa(QStringLiteral("4/cd")); })
                                << secure("/link_picasa") << QByteArray("&code=4%2Fcd") << 59;
    QTest::newRow("unlinkPicasa") << Call([](C &c) { return c.unlinkPicasa(); }) << secure("/unlink_picasa")
                                  << QByteArray() << 60;
    QTest::newRow("blockUser") << Call([](C &c) { return c.blockUser(8); }) << plain("/block_user")
                               << QByteArray("&blocked_user_id=8") << 63;
    QTest::newRow("unblockUser") << Call([](C &c) { return c.unblockUser(8); }) << plain("/unblock_user")
                                 << QByteArray("&blocked_user_id=8") << 64;
    QTest::newRow("changePhotoAccessLevel") << Call([](C &c) { return c.changePhotoAccessLevel(7, 2); })
                                            << plain("/set_picture_privacy") << QByteArray("&picture_id=7&access_level=2")
                                            << 65;
    QTest::newRow("answerFriendRequest") << Call([](C &c) { return c.answerFriendRequest(8, true); })
                                         << plain("/answer_friend_request")
                                         << QByteArray("&follower_user_id=8&accept=true") << 66;
    QTest::newRow("answerTermsCondition")
        << Call([](C &c) { return c.answerTermsCondition(QStringLiteral("P-1.2_x"), true, false); })
        << plain("/answer_terms_condition") << QByteArray("&package_code=P-1.2_x&agree_terms=true&checked=false")
        << 66;
    QTest::newRow("answerTermsCondition package code cannot add parameters")
        << Call([](C &c) { return c.answerTermsCondition(QStringLiteral("a&agree_terms=true+"), false, true); })
        << plain("/answer_terms_condition")
        << QByteArray("&package_code=a%26agree_terms%3Dtrue%2B&agree_terms=false&checked=true") << 66;
}

void TestServiceCatalogue::apiCalls()
{
    QFETCH(Call, call);
    QFETCH(QString, url);
    QFETCH(QByteArray, parameters);
    QFETCH(int, requestType);

    int sentType = -1;
    const ProxyCaptureServer::Request request = send(call, &sentType);
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.url, url);
    QCOMPARE(sentType, requestType);
    QCOMPARE(request.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(request.header("Accept-Encoding"), QByteArray("gzip"));
    QCOMPARE(request.header("Content-Length").toInt(), request.body.size());
    QVERIFY(request.header("Authorization").startsWith("OAuth oauth_nonce=\""));

    const QByteArray device = TAVIROServiceEngine::deviceParameters().toUtf8();
    QVERIFY(request.body.startsWith(device));
    QCOMPARE(request.body.mid(device.size()), parameters);
}

void TestServiceCatalogue::accountCalls_data()
{
    QTest::addColumn<Call>("call");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QByteArray>("parameters");
    QTest::addColumn<int>("requestType");

    using C = TAVIROServiceController;
    QTest::newRow("loginUser with ampersand")
        << Call([](C &c) { return c.loginUser(QStringLiteral("bo"), QStringLiteral("p&ss word")); })
        << under(TaviroConfig::kMainHost, "/api/oauth/access_token")
        << QByteArray("&x_auth_mode=client_auth&x_auth_username=bo&x_auth_password=p%26ss%20word") << 0;
    QTest::newRow("registerUser")
        << Call([](C &c) {
               return c.registerUser(QStringLiteral("bo"), QStringLiteral("pw"), QStringLiteral("b+o@x.y"));
           })
        << under(TaviroConfig::kMainHost, "/api/oauth/user_register")
        << QByteArray("&x_auth_mode=client_auth&x_auth_username=bo&x_auth_password=pw&x_auth_email=b%2Bo%40x.y") << 1;
    QTest::newRow("forgotPassword by email")
        << Call([](C &c) { return c.forgotPassword(QStringLiteral("b@x.y")); })
        << under(TaviroConfig::kReminderHost, "/forgot_password.json") << QByteArray("&confirm=1&email=b%40x.y") << 2;
}

void TestServiceCatalogue::accountCalls()
{
    QFETCH(Call, call);
    QFETCH(QString, url);
    QFETCH(QByteArray, parameters);
    QFETCH(int, requestType);

    int sentType = -1;
    const ProxyCaptureServer::Request request = send(call, &sentType);
    QCOMPARE(request.url, url);
    QCOMPARE(sentType, requestType);
    QVERIFY(!request.hasHeader("Authorization"));
    QCOMPARE(request.header("Content-Length").toInt(), request.body.size());

    const QByteArray signedBody = TAVIROServiceEngine::deviceParameters().toUtf8() + parameters;
    QVERIFY(request.body.startsWith(signedBody));
    const QRegularExpression block(QStringLiteral(
        "^&oauth_version=1\\.0&oauth_signature_method=HMAC-SHA1&oauth_signature=([^&]+)&oauth_nonce=([0-9a-f]{32})"
        "&oauth_timestamp=([0-9]+)&oauth_consumer_key=(.*)$"));
    const QRegularExpressionMatch match = block.match(QString::fromUtf8(request.body.mid(signedBody.size())));
    QVERIFY2(match.hasMatch(), request.body.constData());
    Common common;
    QCOMPARE(match.captured(4), common.getConsumerKey());
    // Signed with the service's pair and no token: the key is the consumer secret and "&".
    QCOMPARE(match.captured(1),
             OAuthEncrypt::generateSignature(QStringLiteral("POST"), url, common.getConsumerKey(),
                                             common.getConsumerSecret(), match.captured(2),
                                             match.captured(3).toUInt(), QString(), QString(),
                                             QString::fromUtf8(signedBody)));
}

void TestServiceCatalogue::networkTokenCalls_data()
{
    QTest::addColumn<Call>("call");
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("requestType");
    QTest::addColumn<QString>("consumerKey");
    QTest::addColumn<QString>("consumerSecret");
    QTest::addColumn<QString>("tokenSecret");
    QTest::addColumn<Attributes>("extra");

    using C = TAVIROServiceController;
    Common common;
    const Attributes access = {{QStringLiteral("oauth_token"), QStringLiteral("rq/t")},
                               {QStringLiteral("oauth_verifier"), QStringLiteral("v 1")}};
    QTest::newRow("getTwitterToken")
        << Call([](C &c) { return c.getTwitterToken(); })
        << under(TaviroConfig::kTwitterOAuthBase, "/oauth/request_token") << 45 << common.getTwConsumerKey()
        << common.getTwConsumerSecret() << QString() << Attributes{{QStringLiteral("oauth_callback"), callback("twitter")}};
    QTest::newRow("getTwitterAccessToken")
        << Call([](C &c) { return c.getTwitterAccessToken(QStringLiteral("rq/t"), QStringLiteral("v 1")); })
        << under(TaviroConfig::kTwitterOAuthBase, "/oauth/access_token") << 46 << common.getTwConsumerKey()
        << common.getTwConsumerSecret() << QString() << access;
    QTest::newRow("getTumblrToken")
        << Call([](C &c) { return c.getTumblrToken(); })
        << under(TaviroConfig::kTumblrOAuthBase, "/oauth/request_token") << 48 << common.getTumblrConsumerKey()
        << common.getTumblrConsumerSecret() << QString()
        << Attributes{{QStringLiteral("oauth_callback"), callback("tumblr")}};
    QTest::newRow("getTumblrAccessToken signs with the request secret")
        << Call([](C &c) {
               return c.getTumblrAccessToken(QStringLiteral("rq/t"), QStringLiteral("v 1"), QStringLiteral("unused"),
                                             QStringLiteral("rq&secret"));
           })
        << under(TaviroConfig::kTumblrOAuthBase, "/oauth/access_token") << 49 << common.getTumblrConsumerKey()
        << common.getTumblrConsumerSecret() << QStringLiteral("rq&secret") << access;
    QTest::newRow("getWeiboToken")
        << Call([](C &c) { return c.getWeiboToken(); })
        << under(TaviroConfig::kWeiboOAuthBase, "/oauth/request_token") << 51 << common.getWeiboConsumerKey()
        << common.getWeiboConsumerSecret() << QString()
        << Attributes{{QStringLiteral("oauth_callback"), callback("weibo")}};
    QTest::newRow("getWeiboAccessToken")
        << Call([](C &c) { return c.getWeiboAccessToken(QStringLiteral("rq/t"), QStringLiteral("v 1")); })
        << under(TaviroConfig::kWeiboOAuthBase, "/oauth/access_token") << 52 << common.getWeiboConsumerKey()
        << common.getWeiboConsumerSecret() << QString() << access;
    QTest::newRow("getFlickrToken")
        << Call([](C &c) { return c.getFlickrToken(); })
        << under(TaviroConfig::kFlickrOAuthBase, "/services/oauth/request_token") << 53
        << common.getFlickrConsumerKey() << common.getFlickrConsumerSecret() << QString()
        << Attributes{{QStringLiteral("oauth_callback"), callback("flickr")}};
    QTest::newRow("getFlickrAccessToken")
        << Call([](C &c) {
               return c.getFlickrAccessToken(QStringLiteral("rq/t"), QStringLiteral("v 1"), QStringLiteral("unused"),
                                             QStringLiteral("fs"));
           })
        << under(TaviroConfig::kFlickrOAuthBase, "/services/oauth/access_token") << 54
        << common.getFlickrConsumerKey() << common.getFlickrConsumerSecret() << QStringLiteral("fs") << access;
    QTest::newRow("getDropBoxToken")
        << Call([](C &c) { return c.getDropBoxToken(); })
        << under(TaviroConfig::kDropBoxOAuthBase, "/1/oauth/request_token") << 61 << common.getDropBoxConsumerKey()
        << common.getDropBoxConsumerSecret() << QString()
        << Attributes{{QStringLiteral("oauth_callback"), callback("dropbox")}};
    QTest::newRow("getDropBoxAccessToken")
        << Call([](C &c) {
               return c.getDropBoxAccessToken(QStringLiteral("rq/t"), QStringLiteral("unused"), QStringLiteral("ds"));
           })
        << under(TaviroConfig::kDropBoxOAuthBase, "/1/oauth/access_token") << 62 << common.getDropBoxConsumerKey()
        << common.getDropBoxConsumerSecret() << QStringLiteral("ds")
        << Attributes{{QStringLiteral("oauth_token"), QStringLiteral("rq/t")}};
}

void TestServiceCatalogue::networkTokenCalls()
{
    QFETCH(Call, call);
    QFETCH(QString, url);
    QFETCH(int, requestType);
    QFETCH(QString, consumerKey);
    QFETCH(QString, consumerSecret);
    QFETCH(QString, tokenSecret);
    QFETCH(Attributes, extra);

    int sentType = -1;
    const ProxyCaptureServer::Request request = send(call, &sentType);
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.url, url);
    QCOMPARE(sentType, requestType);
    QVERIFY(request.body.isEmpty());
    QCOMPARE(request.header("Content-Length"), QByteArray("0"));
    QCOMPARE(request.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));

    const Attributes attributes = headerAttributes(request.header("Authorization"));
    QStringList names;
    for (const auto &entry : attributes)
        names << entry.first;
    QStringList expectedNames = {QStringLiteral("oauth_nonce"),           QStringLiteral("oauth_timestamp"),
                                 QStringLiteral("oauth_consumer_key"),    QStringLiteral("oauth_signature_method"),
                                 QStringLiteral("oauth_version"),         QStringLiteral("oauth_signature")};
    QMap<QString, QString> extraMap;
    for (const auto &entry : extra) {
        expectedNames << entry.first;
        extraMap.insert(entry.first, entry.second);
        QCOMPARE(attribute(attributes, entry.first), QString::fromLatin1(QUrl::toPercentEncoding(entry.second)));
    }
    QCOMPARE(names, expectedNames);
    QCOMPARE(attribute(attributes, QStringLiteral("oauth_consumer_key")), consumerKey);
    QCOMPARE(attribute(attributes, QStringLiteral("oauth_signature_method")), QStringLiteral("HMAC-SHA1"));
    QCOMPARE(attribute(attributes, QStringLiteral("oauth_version")), QStringLiteral("1.0"));
    QCOMPARE(attribute(attributes, QStringLiteral("oauth_signature")),
             OAuthEncrypt::generateSignature(QStringLiteral("POST"), url, consumerKey, consumerSecret,
                                             attribute(attributes, QStringLiteral("oauth_nonce")),
                                             attribute(attributes, QStringLiteral("oauth_timestamp")).toUInt(),
                                             QString(), tokenSecret, extraMap, QString()));
}

// A catalogue call with a text that is not plain ASCII, signed with fixed
// keys, nonce and time. The signature was worked out once, outside
// OAuthEncrypt, by the client's signing rules: body values decoded with only
// their spaces re-encoded, whole name=value strings sorted (which differs
// from RFC 5849 for such texts; the service checks the same way).
void TestServiceCatalogue::callSignatureKnownAnswer()
{
    QCOMPARE(OAuthEncrypt::generateSignature(QStringLiteral("POST"), QStringLiteral("https://127.0.0.1:8443/v1/comment_insert"),
                                             QStringLiteral("tvr2x51-8808-meego"), QStringLiteral("ts7e1-40213-c9d0f2-2012"),
                                             QStringLiteral("K2Zy8QhA3x"), 1355097600, QStringLiteral("tok-9f2c"),
                                             QStringLiteral("sec-77aa"),
                                             QStringLiteral("v=1.0&appv=2.5.1&pf=meego&picture_id=12&text=Caf%C3%A9%20%26%20more")),
             QStringLiteral("xIU0tmi0%2BmxRTAvur%2BeplTeurIk%3D"));
}

QTEST_GUILESS_MAIN(TestServiceCatalogue)
#include "tst_servicecatalogue.moc"
