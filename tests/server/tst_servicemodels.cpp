#include "models/commentlistmodel.h"
#include "models/followrequestlistmodel.h"
#include "models/friendlistmodel.h"
#include "models/notificationsmodel.h"
#include "models/profilebadgemodel.h"
#include "models/profileviewmanager.h"
#include "models/timelinemodel.h"
#include "server/apiservice.h"
#include "server/database.h"
#include "server/demoseeder.h"
#include "server/formbody.h"
#include "server/photostore.h"

#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

/**
 * The service's answers read by the app's own models: each model takes the
 * answer it is made for and finds its fields with the types it expects.
 */
class TestServiceModels : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_previousDir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<PhotoStore> m_photos;
    std::unique_ptr<ApiService> m_api;
    qint64 m_demo = 0;

    QByteArray answer(const char *call, const QByteArray &body)
    {
        const ApiResult result = m_api->call(call, *FormBody::parse(body.toStdString()), m_demo);
        if (result.status != 200)
            qWarning() << call << result.status << result.body;
        return QJsonDocument(result.body).toJson(QJsonDocument::Compact);
    }

    static QVariant role(const QAbstractItemModel &model, int row, const QByteArray &name)
    {
        return model.data(model.index(row, 0), model.roleNames().key(name, -1));
    }

    qint64 idOf(const char *name)
    {
        const auto form = FormBody::parse(std::string("username=") + name);
        return m_api->call("user_select", *form, m_demo).body.value(QStringLiteral("user_id")).toVariant().toLongLong();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        m_db = std::make_unique<Database>();
        QVERIFY(m_db->open(m_dir.filePath(QStringLiteral("taviro.db"))));
        m_photos = std::make_unique<PhotoStore>(m_dir.path());
        m_api = std::make_unique<ApiService>(*m_db, *m_photos, QStringLiteral("http://127.0.0.1:8480"));
        DemoSeeder(*m_api, m_dir.filePath(QStringLiteral("no-photos"))).seed();
        const auto signIn = FormBody::parse("x_auth_mode=client_auth&x_auth_username=demo&x_auth_password=taviro-demo");
        m_demo = m_api->signIn(*signIn).body.value(QStringLiteral("user_id")).toVariant().toLongLong();
        QVERIFY(m_demo > 0);
    }

    void cleanupTestCase() { QDir::setCurrent(m_previousDir); }

    void timelineModelReadsPhotoRecords()
    {
        TimelineModel model;
        QVERIFY(model.parseJSON(answer("home_timeline", "page=1&picture_per_page=20&user_id=" + QByteArray::number(m_demo))));
        QVERIFY(model.rowCount() >= 10);
        QVERIFY(model.getNewestId() > model.getOldestId());
        for (int row = 0; row < model.rowCount(); ++row) {
            QVERIFY(QDateTime::fromString(role(model, row, "create_time").toString(),
                                          QStringLiteral("yyyy-MM-d hh:mm:ss")).isValid());
            QVERIFY(!role(model, row, "username").toString().isEmpty());
            QVERIFY(!role(model, row, "salt").toString().isEmpty());
            QCOMPARE(role(model, row, "access_level").toString(), QStringLiteral("0"));
        }
        const int before = model.rowCount();
        QVERIFY(model.parseJSON(answer("home_timeline", "page=1&picture_per_page=5&before_id="
                                                            + QByteArray::number(model.getOldestId())), true));
        QCOMPARE(model.rowCount(), before + model.getLastParsedRowCount());
        QVERIFY(model.parsePhotoSummaryJSON(answer("photo_summary", "picture_codes=" + model.getPictureIds().toUtf8())));
    }

    void notificationsModelReadsFiveLists()
    {
        NotificationsModel model;
        QVERIFY(model.parseJSON(answer("notifications_all", "count=50&allow_friend_request=true")));
        QCOMPARE(model.getStats(QStringLiteral("follow_request_count")), 2);
        QVERIFY(model.getStats(QStringLiteral("total_count")) > 0);
        QVERIFY(role(model, 0, "pinned").toBool());
        QCOMPARE(role(model, 0, "notificationType").toInt(), 9);
        QCOMPARE(role(model, 0, "notificationText").toString(), QStringLiteral("2 Pending Friend Requests"));
        QVERIFY(model.getNewestId(QStringLiteral("all")) > 0);

        model.switchListIndex(1);
        QVERIFY(model.rowCount() > 0);
        QVERIFY(role(model, 0, "picture_info").toMap().contains(QStringLiteral("picture_id")));
        model.switchListIndex(3);
        QVERIFY(role(model, 0, "badge_info").toMap().contains(QStringLiteral("path96x96")));
        model.switchListIndex(4);
        int waiting = -1;
        for (int row = 0; row < model.rowCount(); ++row) {
            if (role(model, row, "notificationType").toInt() == 7)
                waiting = row;
        }
        QVERIFY(waiting >= 0);
        const int asker = role(model, waiting, "action_user_id").toInt();
        model.answerFollowRequest(asker, true);
        QCOMPARE(role(model, waiting, "notificationType").toInt(), 4);
    }

    void profileViewReadsEveryKey()
    {
        ProfileViewManager manager;
        QVERIFY(manager.parseJSON(answer("user_select", "username=demo")));
        QCOMPARE(manager.getUsername(), QStringLiteral("demo"));
        QCOMPARE(manager.getUserId(), int(m_demo));
        QVERIFY(manager.getProtected());
        QVERIFY(manager.getNumOfPhoto() >= 3);
        QVERIFY(manager.getNumOfFollower() > 0);
        QVERIFY(manager.getBio() != QLatin1String("-"));
        QVERIFY(manager.getProfilePictureCode() != QLatin1String("null"));
        QCOMPARE(manager.getEmail(), QStringLiteral("demo@example.org"));
        QVERIFY(manager.badgeModel()->rowCount() >= 2);
        QVERIFY(role(*manager.badgeModel(), 0, "_badgeSource").toString().endsWith(QLatin1String("/96x96")));

        QVERIFY(manager.parseJSON(answer("user_select", "username=lena")));
        QVERIFY(manager.getFollowRequested());
        QVERIFY(!manager.getFollowed());
        QCOMPARE(manager.recentImagesModel()->rowCount(), 0);
    }

    void peopleListsReadTheirRows()
    {
        FriendListModel followers;
        QVERIFY(followers.parseJSON(answer("following_list", "username=demo&count=50")));
        QVERIFY(followers.rowCount() >= 8);
        bool sawProtected = false;
        for (int row = 0; row < followers.rowCount(); ++row) {
            QVERIFY(role(followers, row, "is_follow").toBool());
            sawProtected |= role(followers, row, "is_protected").toInt() == 1;
        }
        QVERIFY(sawProtected);
        QVERIFY(followers.getOldestId() > 0);

        FollowRequestListModel requests;
        QVERIFY(requests.parseJSON(answer("get_follow_request", "request_per_page=1&user_id=" + QByteArray::number(m_demo))));
        QCOMPARE(requests.rowCount(), 1);
        QVERIFY(requests.getHasMore());
        QVERIFY(requests.parseJSON(answer("get_follow_request", "request_per_page=5&before_id="
                                                                    + QByteArray::number(requests.getOldestId()))));
        QCOMPARE(requests.rowCount(), 2);
        QVERIFY(!requests.getHasMore());

        const qint64 anna = idOf("anna_k");
        TimelineModel annas;
        QVERIFY(annas.parseJSON(answer("picture_select", "page=1&picture_per_page=1&user_id=" + QByteArray::number(anna))));
        const int pictureId = role(annas, 0, "picture_id").toInt();
        CommentListModel comments;
        QVERIFY(comments.parseJSON(answer("comment_select", "comment_per_page=1&picture_id=" + QByteArray::number(pictureId))));
        QCOMPARE(comments.getLastParsedRowCount(), 1);
        QVERIFY(comments.getCommentCountFromStats() >= 1);
        QCOMPARE(comments.getHasMore(), comments.getCommentCountFromStats() > 1);
        QVERIFY(!role(comments, 0, "comment_text").toString().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestServiceModels)
#include "tst_servicemodels.moc"
