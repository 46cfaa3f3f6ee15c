#include "server/apiservice.h"
#include "server/database.h"
#include "server/demoseeder.h"
#include "server/formbody.h"
#include "server/photostore.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

/** The catalogue's rules and the SQLite store behind them, without HTTP. */
class TestApiService : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<PhotoStore> m_photos;
    std::unique_ptr<ApiService> m_api;

    void open()
    {
        m_api.reset();
        m_photos.reset();
        m_db = std::make_unique<Database>();
        QVERIFY(m_db->open(m_dir.filePath(QStringLiteral("taviro.db"))));
        m_photos = std::make_unique<PhotoStore>(m_dir.path());
        m_api = std::make_unique<ApiService>(*m_db, *m_photos, QStringLiteral("http://web.test"));
    }

    ApiResult call(const char *name, const QByteArray &body, qint64 user)
    {
        const auto form = FormBody::parse(body.toStdString());
        if (!form)
            qFatal("bad test body %s", body.constData());
        return m_api->call(name, *form, user);
    }

    qint64 user(const QString &name, bool isProtected = false)
    {
        return m_api->createUser(name, QStringLiteral("secret1"), name + QStringLiteral("@example.org"), QString(),
                                 isProtected, 1000);
    }

    qint64 photo(qint64 owner, int accessLevel = 0)
    {
        return m_api->insertPhoto(owner, DemoSeeder::drawnPicture(int(owner), 64), QStringLiteral("caption"),
                                  QString(), accessLevel, 2000);
    }

    static QList<qint64> ids(const QJsonArray &rows, const char *key)
    {
        QList<qint64> list;
        for (const QJsonValue &row : rows)
            list << row.toObject().value(QLatin1String(key)).toVariant().toLongLong();
        return list;
    }

    static QJsonArray notificationList(const ApiResult &result, const char *list)
    {
        for (const QJsonValue &entry : result.body.value(QStringLiteral("data")).toArray()) {
            if (entry.toObject().value(QStringLiteral("type")).toString() == QLatin1String(list))
                return entry.toObject().value(QStringLiteral("result")).toArray();
        }
        return {};
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_api.reset();
        m_db.reset();
        QFile::remove(m_dir.filePath(QStringLiteral("taviro.db")));
        open();
    }

    void registerAndSignIn()
    {
        const auto reg = FormBody::parse(
            "x_auth_mode=client_auth&x_auth_username=newbie&x_auth_password=p%26ss%20word&x_auth_email=n%40example.org");
        const ApiResult registered = m_api->registerUser(*reg);
        QCOMPARE(registered.status, 200);
        QVERIFY(registered.body.value(QStringLiteral("success")).toBool());
        const QString token = registered.body.value(QStringLiteral("oauth_token")).toString();
        qint64 owner = 0;
        QString secret;
        QVERIFY(m_api->tokenOwner(token, &owner, &secret));
        QCOMPARE(owner, registered.body.value(QStringLiteral("user_id")).toVariant().toLongLong());
        QCOMPARE(secret, registered.body.value(QStringLiteral("oauth_token_secret")).toString());

        const ApiResult again = m_api->registerUser(*reg);
        QCOMPARE(again.status, 409);
        QCOMPARE(again.body.value(QStringLiteral("error_code")).toInt(), int(ApiService::UsernameTaken));

        const ApiResult wrong = m_api->signIn(
            *FormBody::parse("x_auth_mode=client_auth&x_auth_username=newbie&x_auth_password=p%26ss"));
        QCOMPARE(wrong.status, 401);
        QCOMPARE(wrong.body.value(QStringLiteral("reason")).toString(), QStringLiteral("Wrong username or password"));

        const ApiResult right = m_api->signIn(
            *FormBody::parse("x_auth_mode=client_auth&x_auth_username=NEWBIE&x_auth_password=p%26ss%20word"));
        QCOMPARE(right.status, 200);
        QCOMPARE(right.body.value(QStringLiteral("username")).toString(), QStringLiteral("newbie"));
        QVERIFY(right.body.value(QStringLiteral("oauth_token")).toString() != token);
    }

    void registrationIsValidated_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("reason");
        QTest::newRow("short name") << QByteArray("x_auth_username=ab&x_auth_password=secret1&x_auth_email=a%40b.cd")
                                    << QStringLiteral("A username has 3 to 20 letters, digits or underscores");
        QTest::newRow("name with space") << QByteArray("x_auth_username=a%20b&x_auth_password=secret1&x_auth_email=a%40b.cd")
                                         << QStringLiteral("A username has 3 to 20 letters, digits or underscores");
        QTest::newRow("short password") << QByteArray("x_auth_username=abc&x_auth_password=12345&x_auth_email=a%40b.cd")
                                        << QStringLiteral("A password needs at least 6 characters");
        QTest::newRow("bad e-mail") << QByteArray("x_auth_username=abc&x_auth_password=secret1&x_auth_email=nowhere")
                                    << QStringLiteral("The e-mail address is not valid");
        QTest::newRow("missing e-mail") << QByteArray("x_auth_username=abc&x_auth_password=secret1")
                                        << QStringLiteral("x_auth_email is missing");
    }

    void registrationIsValidated()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, reason);
        const ApiResult result = m_api->registerUser(*FormBody::parse(("x_auth_mode=client_auth&" + body).toStdString()));
        QCOMPARE(result.status, 400);
        QCOMPARE(result.body.value(QStringLiteral("reason")).toString(), reason);
        QCOMPARE(result.body.value(QStringLiteral("error_code")).toInt(), int(ApiService::InvalidParameter));
    }

    void timelinePagesAndRecordFields()
    {
        const qint64 reader = user(QStringLiteral("reader"));
        const qint64 poster = user(QStringLiteral("poster"));
        const qint64 stranger = user(QStringLiteral("stranger"));
        QVERIFY(m_api->follow(reader, poster, 1500));
        QList<qint64> posted;
        for (int i = 0; i < 5; ++i)
            posted << photo(poster);
        photo(stranger);

        const QByteArray me = "&user_id=" + QByteArray::number(reader);
        ApiResult page = call("home_timeline", me + "&page=1&picture_per_page=2", reader);
        QCOMPARE(ids(page.body.value(QStringLiteral("data")).toArray(), "picture_id"), (QList<qint64>{posted[4], posted[3]}));
        page = call("home_timeline", me + "&page=2&picture_per_page=2", reader);
        QCOMPARE(ids(page.body.value(QStringLiteral("data")).toArray(), "picture_id"), (QList<qint64>{posted[2], posted[1]}));
        page = call("home_timeline", me + "&page=1&picture_per_page=20&since_id=" + QByteArray::number(posted[2]), reader);
        QCOMPARE(ids(page.body.value(QStringLiteral("data")).toArray(), "picture_id"), (QList<qint64>{posted[4], posted[3]}));
        page = call("home_timeline", me + "&page=1&picture_per_page=20&before_id=" + QByteArray::number(posted[2]), reader);
        QCOMPARE(ids(page.body.value(QStringLiteral("data")).toArray(), "picture_id"), (QList<qint64>{posted[1], posted[0]}));

        const QJsonObject record = page.body.value(QStringLiteral("data")).toArray().first().toObject();
        QVERIFY(record.value(QStringLiteral("picture_id")).isDouble());
        QVERIFY(record.value(QStringLiteral("love_count")).isDouble());
        QVERIFY(record.value(QStringLiteral("comment_count")).isDouble());
        QVERIFY(record.value(QStringLiteral("done_love")).isBool());
        QVERIFY(record.value(QStringLiteral("done_comment")).isBool());
        QCOMPARE(record.value(QStringLiteral("access_level")).toString(), QStringLiteral("0"));
        QVERIFY(record.value(QStringLiteral("salt")).isString());
        QCOMPARE(record.value(QStringLiteral("username")).toString(), QStringLiteral("poster"));
        // 2000 seconds after the epoch, in the form the app's date model reads.
        QCOMPARE(record.value(QStringLiteral("create_time")).toString(), QStringLiteral("1970-01-1 00:33:20"));
        const QString code = record.value(QStringLiteral("picture_code")).toString();
        for (const QString &size : PhotoStore::sizeNames()) {
            QCOMPARE(record.value(QStringLiteral("image_url_") + size).toString(),
                     QStringLiteral("http://web.test/photos/%1/%2").arg(code, size));
            QImage stored(m_api->pictureFile(code, size, QString()));
            QCOMPARE(stored.width(), PhotoStore::sizeInPixels(size));
        }

        const ApiResult other = call("home_timeline", "&user_id=" + QByteArray::number(poster), reader);
        QCOMPARE(other.status, 403);
    }

    void loveAndUnlove()
    {
        const qint64 owner = user(QStringLiteral("owner"));
        const qint64 fan = user(QStringLiteral("fan"));
        const qint64 picture = photo(owner);
        const QByteArray body = "&picture_id=" + QByteArray::number(picture);
        ApiResult result = call("love_insert", body, fan);
        QCOMPARE(result.body.value(QStringLiteral("stats")).toObject().value(QStringLiteral("love_count")).toInt(), 1);
        QVERIFY(result.body.value(QStringLiteral("stats")).toObject().value(QStringLiteral("done_love")).toBool());
        call("love_insert", body, fan);
        result = call("love_delete", body, fan);
        QCOMPARE(result.body.value(QStringLiteral("stats")).toObject().value(QStringLiteral("love_count")).toInt(), 0);
        QVERIFY(!result.body.value(QStringLiteral("stats")).toObject().value(QStringLiteral("done_love")).toBool());
        call("love_insert", body, fan);

        const ApiResult notes = call("notifications_all", "&count=20&allow_friend_request=true", owner);
        const QJsonArray loved = notificationList(notes, "loved");
        QCOMPARE(loved.size(), 1);
        QCOMPARE(loved.first().toObject().value(QStringLiteral("notification_type")).toInt(), 1);
        QCOMPARE(loved.first().toObject().value(QStringLiteral("picture_info")).toArray().first().toObject()
                     .value(QStringLiteral("picture_id")).toVariant().toLongLong(), picture);
        QCOMPARE(notes.body.value(QStringLiteral("stats")).toObject().value(QStringLiteral("love_count")).toInt(), 1);

        QCOMPARE(call("love_insert", "&picture_id=999", fan).status, 404);
    }

    void commentPages()
    {
        const qint64 owner = user(QStringLiteral("owner"));
        const qint64 talker = user(QStringLiteral("talker"));
        const qint64 picture = photo(owner);
        const QByteArray id = QByteArray::number(picture);
        QList<qint64> comments;
        for (int i = 0; i < 3; ++i) {
            const ApiResult posted = call("comment_insert", "&text=hello%20" + QByteArray::number(i) + "&picture_id=" + id, talker);
            QCOMPARE(posted.status, 200);
            comments << posted.body.value(QStringLiteral("comment_id")).toVariant().toLongLong();
        }
        ApiResult page = call("comment_select", "&picture_id=" + id + "&page=1&comment_per_page=2", owner);
        QCOMPARE(ids(page.body.value(QStringLiteral("data")).toArray(), "comment_id"), (QList<qint64>{comments[2], comments[1]}));
        QVERIFY(page.body.value(QStringLiteral("has_more")).toBool());
        QCOMPARE(page.body.value(QStringLiteral("stats")).toObject().value(QStringLiteral("comment_count")).toInt(), 3);
        const QJsonObject row = page.body.value(QStringLiteral("data")).toArray().first().toObject();
        QCOMPARE(row.value(QStringLiteral("text")).toString(), QStringLiteral("hello 2"));
        QCOMPARE(row.value(QStringLiteral("username")).toString(), QStringLiteral("talker"));
        QCOMPARE(row.value(QStringLiteral("comment_user_id")).toVariant().toLongLong(), talker);
        page = call("comment_select", "&picture_id=" + id + "&comment_per_page=2&before_id=" + QByteArray::number(comments[1]), owner);
        QCOMPARE(ids(page.body.value(QStringLiteral("data")).toArray(), "comment_id"), (QList<qint64>{comments[0]}));
        QVERIFY(!page.body.value(QStringLiteral("has_more")).toBool());

        const qint64 third = user(QStringLiteral("third"));
        QCOMPARE(call("comment_delete", "&comment_id=" + QByteArray::number(comments[0]), third).status, 403);
        QCOMPARE(call("comment_delete", "&comment_id=" + QByteArray::number(comments[0]), owner).status, 200);
        QCOMPARE(call("comment_insert", "&text=%20%20&picture_id=" + id, talker).status, 400);
    }

    void privateFollowRequest_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<int>("answeredType");
        QTest::addColumn<QString>("answeredText");
        QTest::newRow("accepted") << true << 4 << QStringLiteral("asker is now following you");
        QTest::newRow("rejected") << false << 8 << QStringLiteral("asker's request is rejected");
    }

    void privateFollowRequest()
    {
        QFETCH(bool, accept);
        QFETCH(int, answeredType);
        QFETCH(QString, answeredText);
        const qint64 shy = user(QStringLiteral("shy"), true);
        const qint64 asker = user(QStringLiteral("asker"));
        photo(shy);

        ApiResult result = call("follow_insert", "&following_username=shy", asker);
        QVERIFY(result.body.value(QStringLiteral("follow_requested")).toBool());
        QVERIFY(!result.body.value(QStringLiteral("followed")).toBool());
        result = call("picture_select", "&username=shy&page=1&picture_per_page=10", asker);
        QCOMPARE(result.status, 200);
        QVERIFY(!result.body.value(QStringLiteral("success")).toBool());
        QCOMPARE(result.body.value(QStringLiteral("error_code")).toInt(), int(ApiService::PrivateAccount));
        result = call("user_select", "&username=shy", asker);
        QVERIFY(result.body.value(QStringLiteral("follow_requested")).toBool());
        QVERIFY(result.body.value(QStringLiteral("recent_photos")).toArray().isEmpty());

        ApiResult notes = call("notifications_all", "&count=20&allow_friend_request=true", shy);
        QCOMPARE(notes.body.value(QStringLiteral("stats")).toObject().value(QStringLiteral("follow_request_count")).toInt(), 1);
        for (const char *list : {"all", "followed"}) {
            const QJsonArray rows = notificationList(notes, list);
            QCOMPARE(rows.size(), 2);
            const QJsonObject pinned = rows.at(0).toObject();
            QVERIFY(pinned.value(QStringLiteral("pinned")).toBool());
            QCOMPARE(pinned.value(QStringLiteral("notification_type")).toInt(), 9);
            QCOMPARE(pinned.value(QStringLiteral("text")).toString(), QStringLiteral("1 Pending Friend Requests"));
            const QJsonObject waiting = rows.at(1).toObject();
            QCOMPARE(waiting.value(QStringLiteral("notification_type")).toInt(), 7);
            QCOMPARE(waiting.value(QStringLiteral("action_user_id")).toVariant().toLongLong(), asker);
            QVERIFY(!waiting.value(QStringLiteral("pinned")).toBool());
        }

        const ApiResult requests = call("get_follow_request", "&user_id=" + QByteArray::number(shy) + "&request_per_page=10", shy);
        const QJsonArray rows = requests.body.value(QStringLiteral("data")).toArray();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().toObject().value(QStringLiteral("user_id")).toVariant().toLongLong(), asker);
        QVERIFY(requests.body.value(QStringLiteral("has_more")).isBool());

        result = call("answer_friend_request", "&follower_user_id=" + QByteArray::number(asker)
                          + (accept ? "&accept=true" : "&accept=false"), shy);
        QCOMPARE(result.status, 200);
        QCOMPARE(call("answer_friend_request", "&follower_user_id=" + QByteArray::number(asker) + "&accept=true", shy).status, 404);

        notes = call("notifications_all", "&count=20&allow_friend_request=true", shy);
        const QJsonArray followed = notificationList(notes, "followed");
        QCOMPARE(followed.size(), 1);
        QCOMPARE(followed.first().toObject().value(QStringLiteral("notification_type")).toInt(), answeredType);
        QCOMPARE(followed.first().toObject().value(QStringLiteral("text")).toString(), answeredText);
        QCOMPARE(notes.body.value(QStringLiteral("stats")).toObject().value(QStringLiteral("follow_request_count")).toInt(), 0);

        const QJsonArray askerNotes = notificationList(call("notifications_all", "&count=20", asker), "followed");
        QCOMPARE(askerNotes.size(), accept ? 1 : 0);
        result = call("picture_select", "&username=shy&page=1&picture_per_page=10", asker);
        QCOMPARE(result.body.value(QStringLiteral("success")).toBool(), accept);
    }

    void notificationPagingAnswersNamedLists()
    {
        const qint64 owner = user(QStringLiteral("owner"));
        const qint64 fan = user(QStringLiteral("fan"));
        for (int i = 0; i < 3; ++i)
            m_api->love(fan, photo(owner), 3000 + i);
        m_api->awardBadge(owner, m_api->createBadge(QStringLiteral("B"), QStringLiteral("d"), QStringLiteral("#ff0000")), 4000);

        ApiResult all = call("notifications_all", "&count=2&allow_friend_request=true", owner);
        QCOMPARE(all.body.value(QStringLiteral("data")).toArray().size(), 5);
        const QJsonArray loved = notificationList(all, "loved");
        QCOMPARE(loved.size(), 2);
        const QJsonObject badgeRow = notificationList(all, "badged").first().toObject();
        const QJsonObject badge = badgeRow.value(QStringLiteral("badge_info")).toArray().first().toObject();
        QCOMPARE(badge.value(QStringLiteral("name")).toString(), QStringLiteral("B"));
        QVERIFY(badge.value(QStringLiteral("path96x96")).toString().endsWith(QLatin1String("/96x96")));
        QVERIFY(!m_api->badgeFile(badge.value(QStringLiteral("badge_id")).toVariant().toLongLong(), QStringLiteral("96x96")).isEmpty());
        QCOMPARE(all.body.value(QStringLiteral("stats")).toObject().value(QStringLiteral("total_count")).toInt(), 4);

        const qint64 oldest = loved.last().toObject().value(QStringLiteral("id")).toVariant().toLongLong();
        ApiResult more = call("notifications_all", "&count=2&allow_friend_request=true&loved_before_id=" + QByteArray::number(oldest), owner);
        QCOMPARE(more.body.value(QStringLiteral("data")).toArray().size(), 1);
        QCOMPARE(notificationList(more, "loved").size(), 1);

        const qint64 newest = notificationList(all, "all").first().toObject().value(QStringLiteral("id")).toVariant().toLongLong();
        ApiResult read = call("notifications_all", "&count=2&last_read_notification_id=" + QByteArray::number(newest), owner);
        QCOMPARE(read.body.value(QStringLiteral("stats")).toObject().value(QStringLiteral("total_count")).toInt(), 0);
        QCOMPARE(read.body.value(QStringLiteral("stats")).toObject().value(QStringLiteral("love_count")).toInt(), 0);
    }

    void profileCarriesEveryKey()
    {
        const qint64 me = user(QStringLiteral("me"));
        const qint64 other = user(QStringLiteral("other"));
        const qint64 picture = photo(other);
        m_api->setProfilePicture(other, picture);
        m_api->follow(me, other, 1500);
        const ApiResult result = call("user_select", "&user_id=" + QByteArray::number(other), me);
        const QJsonObject profile = result.body;
        for (const char *key : {"user_id", "photo_cnt", "follower_cnt", "following_cnt"})
            QVERIFY2(profile.value(QLatin1String(key)).isDouble(), key);
        for (const char *key : {"followed", "follow_requested", "use_twitter", "use_facebook", "use_tumblr",
                                "use_flickr", "use_weibo", "use_vk", "use_dropbox", "use_gdrive", "use_picasa",
                                "blocked", "protected", "success"})
            QVERIFY2(profile.value(QLatin1String(key)).isBool(), key);
        for (const char *key : {"username", "description", "email", "profile_picture_code"})
            QVERIFY2(profile.value(QLatin1String(key)).isString(), key);
        QVERIFY(profile.value(QStringLiteral("profile_picture_info")).isObject());
        QCOMPARE(profile.value(QStringLiteral("recent_photos")).toArray().size(), 1);
        QVERIFY(profile.value(QStringLiteral("badge")).isArray());
        QVERIFY(profile.value(QStringLiteral("followed")).toBool());
        QCOMPARE(profile.value(QStringLiteral("email")).toString(), QString());
        QCOMPARE(call("user_select", "", me).body.value(QStringLiteral("email")).toString(), QStringLiteral("me@example.org"));
        QVERIFY(call("user_select", "&username=me", me).body.value(QStringLiteral("profile_picture_code")).isNull());
        QCOMPARE(call("user_select", "&username=nobody", me).status, 404);
    }

    void friendListRows()
    {
        const qint64 star = user(QStringLiteral("star"));
        const qint64 open = user(QStringLiteral("open"));
        const qint64 shy = user(QStringLiteral("shy"), true);
        m_api->follow(open, star, 1500);
        m_api->follow(shy, star, 1600);
        m_api->follow(open, shy, 1700);
        ApiResult result = call("follower_list", "&username=star&count=1", open);
        QJsonArray rows = result.body.value(QStringLiteral("data")).toArray();
        QCOMPARE(rows.size(), 1);
        QJsonObject row = rows.first().toObject();
        QCOMPARE(row.value(QStringLiteral("username")).toString(), QStringLiteral("shy"));
        QCOMPARE(row.value(QStringLiteral("protected")).toInt(), 1);
        QVERIFY(row.value(QStringLiteral("protected")).isDouble());
        QVERIFY(!row.value(QStringLiteral("follow")).toBool());
        QVERIFY(row.value(QStringLiteral("follow_requested")).toBool());
        for (const char *key : {"user_id", "photo_cnt", "follower_cnt", "following_cnt", "follow_id", "id"})
            QVERIFY2(row.value(QLatin1String(key)).isDouble(), key);
        QVERIFY(row.value(QStringLiteral("blocked")).isBool());

        result = call("follower_list", "&username=star&count=5&before_id=" + QByteArray::number(row.value(QStringLiteral("id")).toVariant().toLongLong()), open);
        rows = result.body.value(QStringLiteral("data")).toArray();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().toObject().value(QStringLiteral("username")).toString(), QStringLiteral("open"));

        result = call("user_search", "&username=s&count=10", open);
        QCOMPARE(result.body.value(QStringLiteral("data")).toArray().size(), 2);
        result = call("user_search", "&username=%25&count=10", open);
        QCOMPARE(result.body.value(QStringLiteral("data")).toArray().size(), 0);
    }

    void accessLevelGuardsPictures()
    {
        const qint64 owner = user(QStringLiteral("owner"));
        const qint64 picture = photo(owner);
        ApiResult record = call("user_select", "&username=owner", owner);
        const QString code = record.body.value(QStringLiteral("recent_photos")).toArray().first().toObject()
                                 .value(QStringLiteral("picture_code")).toString();
        QVERIFY(!m_api->pictureFile(code, QStringLiteral("large"), QString()).isEmpty());

        const ApiResult changed = call("set_picture_privacy", "&picture_id=" + QByteArray::number(picture) + "&access_level=2", owner);
        QCOMPARE(changed.body.value(QStringLiteral("access_level")).toString(), QStringLiteral("2"));
        const QString salt = changed.body.value(QStringLiteral("salt")).toString();
        QVERIFY(m_api->pictureFile(code, QStringLiteral("large"), QString()).isEmpty());
        QVERIFY(m_api->pictureFile(code, QStringLiteral("large"), QStringLiteral("wrong")).isEmpty());
        QVERIFY(!m_api->pictureFile(code, QStringLiteral("large"), salt).isEmpty());

        const qint64 other = user(QStringLiteral("other"));
        QCOMPARE(call("love_insert", "&picture_id=" + QByteArray::number(picture), other).status, 404);
        QCOMPARE(call("set_picture_privacy", "&picture_id=" + QByteArray::number(picture) + "&access_level=0", other).status, 403);
        QCOMPARE(call("set_picture_privacy", "&picture_id=" + QByteArray::number(picture) + "&access_level=7", owner).status, 400);
    }

    void privateOwnersPhotoAddressesCarryTheSalt()
    {
        // A public photo of a private account is not open to everyone: the
        // addresses its owner's client receives must still load.
        const qint64 owner = user(QStringLiteral("shy"), true);
        photo(owner);
        const ApiResult record = call("user_select", "&username=shy", owner);
        const QJsonObject shown = record.body.value(QStringLiteral("recent_photos")).toArray().first().toObject();
        const QString code = shown.value(QStringLiteral("picture_code")).toString();
        const QString large = shown.value(QStringLiteral("image_url_large")).toString();
        const QString salt = shown.value(QStringLiteral("salt")).toString();

        QVERIFY(large.endsWith(QStringLiteral("?salt=") + salt));
        QVERIFY(!m_api->pictureFile(code, QStringLiteral("large"), salt).isEmpty());
        QVERIFY(m_api->pictureFile(code, QStringLiteral("large"), QString()).isEmpty());
    }

    void uploadStoresEverySize()
    {
        const qint64 owner = user(QStringLiteral("owner"));
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        DemoSeeder::drawnPicture(3, 900).copy(0, 0, 900, 600).save(&buffer, "JPEG");
        const auto fields = FormBody::parse("name=Lake&access_level=1&geo_location_lat=13.75&share_on_weibo=true");
        const ApiResult result = m_api->uploadPicture(owner, *fields, jpeg);
        QCOMPARE(result.status, 200);
        QCOMPARE(result.body.value(QStringLiteral("name")).toString(), QStringLiteral("Lake"));
        QCOMPARE(result.body.value(QStringLiteral("access_level")).toString(), QStringLiteral("1"));
        QCOMPARE(result.body.value(QStringLiteral("shared_to")).toArray().first().toString(), QStringLiteral("weibo"));
        const QString large = result.body.value(QStringLiteral("image_url_large")).toString();
        QVERIFY(large.contains(QLatin1String("?salt=")));
        const QString code = result.body.value(QStringLiteral("picture_code")).toString();
        const QImage stored(m_api->pictureFile(code, QStringLiteral("large"), result.body.value(QStringLiteral("salt")).toString()));
        QCOMPARE(stored.size(), QSize(800, 800));

        QCOMPARE(m_api->uploadPicture(owner, *fields, QByteArray()).status, 400);
        QCOMPARE(m_api->uploadPicture(owner, *fields, QByteArray("not a picture")).status, 415);
        QCOMPARE(m_api->uploadPicture(owner, *FormBody::parse("geo_location_lat=north"), jpeg).status, 400);
        QCOMPARE(m_api->uploadPicture(owner, *FormBody::parse("geo_location_lat=123"), jpeg).status, 400);
    }

    // A failing statement in the middle of a call keeps none of its writes
    // and is answered as the server's failure.
    void storeFailureRollsTheCallBack()
    {
        const qint64 owner = user(QStringLiteral("owner"));
        const qint64 fan = user(QStringLiteral("fan"));
        const qint64 picture = photo(owner);
        m_api->setProfilePicture(owner, picture);
        QCOMPARE(call("love_insert", "&picture_id=" + QByteArray::number(picture), fan).status, 200);

        QVERIFY(m_db->exec("ALTER TABLE notifications RENAME TO notifications_away"));
        const ApiResult failed = call("picture_delete", "&picture_id=" + QByteArray::number(picture), owner);
        QVERIFY(m_db->exec("ALTER TABLE notifications_away RENAME TO notifications"));
        QCOMPARE(failed.status, 500);
        QCOMPARE(failed.body.value(QStringLiteral("error_code")).toInt(), int(ApiService::ServerError));

        // The profile picture was cleared before the failure: that is undone too.
        const ApiResult profile = call("user_select", "&username=owner", owner);
        QCOMPARE(profile.body.value(QStringLiteral("profile_picture_info")).toObject()
                     .value(QStringLiteral("picture_id")).toVariant().toLongLong(), picture);
        const QString code = profile.body.value(QStringLiteral("profile_picture_code")).toString();
        QVERIFY(!m_api->pictureFile(code, QStringLiteral("thumb"), QString()).isEmpty());

        QCOMPARE(call("picture_delete", "&picture_id=" + QByteArray::number(picture), owner).status, 200);
        QVERIFY(m_api->pictureFile(code, QStringLiteral("thumb"), QString()).isEmpty());
    }

    void photoStoreFailures()
    {
        const QImage picture = DemoSeeder::drawnPicture(1, 400);
        // A size that cannot be written: the sizes before it go as well.
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("photos/Blocked1/medium.jpg"))));
        QCOMPARE(m_photos->store(QStringLiteral("Blocked1"), picture), PhotoStore::WriteFailed);
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("photos/Blocked1"))));
        QCOMPARE(m_photos->store(QStringLiteral("Fine1"), picture), PhotoStore::Stored);
        QCOMPARE(m_photos->store(QStringLiteral("Junk1"), QByteArray("no picture")), PhotoStore::NotAPicture);

        // A disk failure is the server's (500), not a bad picture (415).
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "JPEG");
        QVERIFY(QDir(m_dir.filePath(QStringLiteral("photos"))).removeRecursively());
        QFile blocker(m_dir.filePath(QStringLiteral("photos")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const ApiResult result = m_api->uploadPicture(user(QStringLiteral("owner")), FormBody(), jpeg);
        QVERIFY(blocker.remove());
        QCOMPARE(result.status, 500);
        QCOMPARE(result.body.value(QStringLiteral("error_code")).toInt(), int(ApiService::ServerError));
    }

    // The picture is decoded, resized and written while another request
    // holds the database; only its rows wait for it.
    void uploadWorksOutsideTheDatabaseLock()
    {
        const qint64 owner = user(QStringLiteral("owner"));
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        DemoSeeder::drawnPicture(2, 600).save(&buffer, "JPEG");
        const QDir photos(m_dir.filePath(QStringLiteral("photos")));
        const QStringList before = photos.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        const auto newPhotoWritten = [&] {
            for (const QString &folder : photos.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
                if (!before.contains(folder)
                    && QDir(photos.filePath(folder)).entryList({QStringLiteral("*.jpg")}, QDir::Files).size()
                           == PhotoStore::sizeNames().size())
                    return true;
            }
            return false;
        };
        std::atomic<bool> done{false};
        ApiResult result;
        std::unique_lock<std::recursive_mutex> held(m_db->mutex());
        std::thread uploader([&] {
            result = m_api->uploadPicture(owner, FormBody(), jpeg);
            done = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(newPhotoWritten(), 20000);
        QVERIFY(!done);
        held.unlock();
        uploader.join();
        QCOMPARE(result.status, 200);
    }

    // Search texts are bound, never spliced into the SQL: quotes,
    // backslashes and LIKE's own characters match only themselves.
    void searchTexts_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("quote") << QByteArray("%27") << QStringList{QStringLiteral("o'brien")};
        QTest::newRow("backslash") << QByteArray("%5C") << QStringList{QStringLiteral("back\\slash")};
        QTest::newRow("percent") << QByteArray("%25") << QStringList{QStringLiteral("per%cent")};
        QTest::newRow("underscore") << QByteArray("_") << QStringList{QStringLiteral("under_score")};
        QTest::newRow("injection") << QByteArray("x%27%20OR%201%3D1%20--") << QStringList();
        QTest::newRow("quote and semicolon") << QByteArray("%27%3B%20DROP%20TABLE%20users%3B%20--") << QStringList();
    }

    void searchTexts()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, found);
        for (const char *name : {"o'brien", "back\\slash", "per%cent", "under_score", "plainname"})
            QVERIFY(user(QLatin1String(name)));
        const qint64 viewer = user(QStringLiteral("viewer"));
        const ApiResult result = call("user_search", "&count=20&username=" + text, viewer);
        QCOMPARE(result.status, 200);
        QStringList names;
        for (const QJsonValue &row : result.body.value(QStringLiteral("data")).toArray())
            names << row.toObject().value(QStringLiteral("username")).toString();
        QCOMPARE(names, found);
        QVERIFY(call("user_search", "&count=20&username=plain", viewer).body.value(QStringLiteral("data")).toArray().size() == 1);
    }

    void userUpdateForms()
    {
        const qint64 me = user(QStringLiteral("me"));
        const qint64 picture = photo(me);
        ApiResult result = call("user_update", "&email=new%40example.org&description=hi%20there&protected=true&change_access_level=true", me);
        QCOMPARE(result.status, 200);
        QVERIFY(result.body.value(QStringLiteral("protected")).toBool());
        QCOMPARE(result.body.value(QStringLiteral("description")).toString(), QStringLiteral("hi there"));
        QCOMPARE(result.body.value(QStringLiteral("recent_photos")).toArray().first().toObject()
                     .value(QStringLiteral("access_level")).toString(), QStringLiteral("1"));

        result = call("user_update", "&twitter_on=true&twitter_username=me_tw&twitter_token=t&twitter_token_secret=s&twitter_follow_taviro=false", me);
        QVERIFY(result.body.value(QStringLiteral("use_twitter")).toBool());
        result = call("user_update", "&twitter_on=false", me);
        QVERIFY(!result.body.value(QStringLiteral("use_twitter")).toBool());
        QCOMPARE(call("user_update", "&twitter_on=true&twitter_username=x", me).status, 400);

        QCOMPARE(call("user_update", "&old_password=wrong1&password=another1", me).status, 403);
        QCOMPARE(call("user_update", "&old_password=secret1&password=another1", me).status, 200);
        QCOMPARE(m_api->signIn(*FormBody::parse("x_auth_mode=client_auth&x_auth_username=me&x_auth_password=another1")).status, 200);

        result = call("user_update", "&profile_picture_code=nosuch", me);
        QCOMPARE(result.status, 404);
        QCOMPARE(call("user_update", "&email=broken", me).status, 400);
        QCOMPARE(call("user_update", "", me).status, 400);
        Q_UNUSED(picture)
    }

    void wrongTypesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("call");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("reason");
        QTest::newRow("page as text") << QByteArray("home_timeline") << QByteArray("&page=one") << 400
                                      << QStringLiteral("page must be a whole number");
        QTest::newRow("negative per page") << QByteArray("picture_select") << QByteArray("&username=me&picture_per_page=-3")
                                           << 400 << QStringLiteral("picture_per_page must be between 1 and 1000");
        QTest::newRow("accept as word") << QByteArray("answer_friend_request") << QByteArray("&follower_user_id=2&accept=maybe")
                                        << 400 << QStringLiteral("accept must be true or false");
        QTest::newRow("missing picture") << QByteArray("love_insert") << QByteArray("") << 400
                                         << QStringLiteral("picture_id is missing");
        QTest::newRow("follow yourself") << QByteArray("follow_insert") << QByteArray("&following_username=me") << 400
                                         << QStringLiteral("You cannot follow yourself");
        QTest::newRow("unknown call") << QByteArray("nonsense") << QByteArray("") << 404 << QStringLiteral("Unknown call");
        QTest::newRow("unknown photo") << QByteArray("comment_select") << QByteArray("&picture_id=42") << 404
                                       << QStringLiteral("No such photo");
    }

    void wrongTypesAreRefused()
    {
        QFETCH(QByteArray, call);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(QString, reason);
        const qint64 me = user(QStringLiteral("me"));
        const ApiResult result = this->call(call.constData(), body, me);
        QCOMPARE(result.status, status);
        QCOMPARE(result.body.value(QStringLiteral("reason")).toString(), reason);
        QVERIFY(result.body.value(QStringLiteral("error_code")).toInt() > 0);
        QVERIFY(!result.body.value(QStringLiteral("success")).toBool());
    }

    void dataSurvivesReopening()
    {
        const qint64 me = user(QStringLiteral("keeper"));
        const qint64 picture = photo(me);
        open();
        const ApiResult result = call("picture_select", "&username=keeper&page=1&picture_per_page=5", me);
        QCOMPARE(ids(result.body.value(QStringLiteral("data")).toArray(), "picture_id"), QList<qint64>{picture});
    }

    void demoSeedBuildsTheCommunity()
    {
        DemoSeeder(*m_api, m_dir.filePath(QStringLiteral("no-photos-here"))).seed();
        const auto signIn = FormBody::parse("x_auth_mode=client_auth&x_auth_username=demo&x_auth_password=taviro-demo");
        const ApiResult account = m_api->signIn(*signIn);
        QCOMPARE(account.status, 200);
        const qint64 demo = account.body.value(QStringLiteral("user_id")).toVariant().toLongLong();
        const ApiResult timeline = call("home_timeline", "&user_id=" + QByteArray::number(demo) + "&page=1&picture_per_page=50", demo);
        QVERIFY(timeline.body.value(QStringLiteral("data")).toArray().size() >= 10);
        const ApiResult notes = call("notifications_all", "&count=100", demo);
        QSet<int> types;
        for (const QJsonValue &row : notificationList(notes, "all"))
            types.insert(row.toObject().value(QStringLiteral("notification_type")).toInt());
        for (int type : {1, 2, 3, 4, 6, 7, 8, 9})
            QVERIFY2(types.contains(type), QByteArray::number(type));
        QCOMPARE(notes.body.value(QStringLiteral("stats")).toObject().value(QStringLiteral("follow_request_count")).toInt(), 2);
        const ApiResult lena = call("user_select", "&username=lena", demo);
        QVERIFY(lena.body.value(QStringLiteral("follow_requested")).toBool());
        QVERIFY(!call("user_select", "&username=demo", demo).body.value(QStringLiteral("badge")).toArray().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestApiService)
#include "tst_apiservice.moc"
