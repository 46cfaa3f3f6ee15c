#include "models/commentlistmodel.h"
#include "models/followrequestlistmodel.h"
#include "models/friendlistmodel.h"
#include "tests/models/modelstesthelpers.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

enum FriendRole { UserId = 37, Username = 38, Blocked = 39, ProfilePictureCode = 40, ErrorCode = 55, IsFollow = 67,
                  IsFollowRequested = 68, PhotoCount = 76, FollowerCount = 77, FollowingCount = 78, FollowId = 79,
                  IsProtected = 80 };
enum CommentRole { Timestamp = 62, CommentText = 81, CommentId = 82, CommentSource = 83, CommentUserId = 84,
                   CannotAccessProfile = 85 };
constexpr int kHasMore = 75;

QVariantMap rowOf(const RecordListModel &model, const QString &username)
{
    for (const QVariant &row : model.rows()) {
        if (row.toMap().value(QStringLiteral("username")).toString() == username)
            return row.toMap();
    }
    return {};
}

} // namespace

class TestPeopleLists : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { registerModelSignalTypes(); }

    void friendPages_data();
    void friendPages();
    void friendRoles();
    void setFollowStatus_data();
    void setFollowStatus();
    void setBlockedStatus();

    void commentPages();
    void commentFailures_data();
    void commentFailures();
    void deleteComment();
    void commentRoles();

    void followRequests_data();
    void followRequests();
};

void TestPeopleLists::friendPages_data()
{
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<bool>("lastResult");
    QTest::addColumn<QList<int>>("userIds");
    QTest::addColumn<int>("lastParsedRowCount");
    QTest::addColumn<int>("errorCode");

    QTest::newRow("one page") << QStringList{"followers.json"} << true << QList<int>{1203, 1204, 1202, 1205} << 4 << 0;
    QTest::newRow("pages append") << QStringList{"followers.json", "followers_more.json"} << true
                                  << QList<int>{1203, 1204, 1202, 1205, 77, 42} << 2 << 0;
    QTest::newRow("failed page") << QStringList{"followers.json", "followers_failed.json"} << false
                                 << QList<int>{1203, 1204, 1202, 1205} << 4 << 0;
    QTest::newRow("empty page") << QStringList{"followers.json", "timeline_empty.json"} << true
                                << QList<int>{1203, 1204, 1202, 1205} << 0 << 0;
    QTest::newRow("clear") << QStringList{"followers.json", "clear"} << true << QList<int>{} << 4 << 0;
}

void TestPeopleLists::friendPages()
{
    QFETCH(QStringList, pages);
    QFETCH(bool, lastResult);
    QFETCH(QList<int>, userIds);
    QFETCH(int, lastParsedRowCount);
    QFETCH(int, errorCode);

    FriendListModel model;
    attachTester(&model);
    bool result = true;
    for (const QString &page : pages) {
        if (page == QLatin1String("clear"))
            model.clear();
        else
            result = model.parseJSON(fixture(page));
    }
    QCOMPARE(result, lastResult);
    QCOMPARE(intColumn(model, UserId), userIds);
    QCOMPARE(model.getCount(), userIds.size());
    QCOMPARE(model.getLastParsedRowCount(), lastParsedRowCount);
    QCOMPARE(model.getErrorCode(), errorCode);
    QCOMPARE(model.getOldestId(), userIds.isEmpty() ? 0 : idsOf(model.rows(), QStringLiteral("id")).last());
}

void TestPeopleLists::friendRoles()
{
    FriendListModel model;
    QVERIFY(model.parseJSON(fixture(QStringLiteral("followers.json"))));
    const QHash<int, QByteArray> names{{37, "user_id"}, {38, "username"}, {39, "blocked"}, {40, "profile_picture_code"},
                                       {55, "error_code"}, {67, "is_follow"}, {68, "is_follow_requested"},
                                       {76, "photo_cnt"}, {77, "follower_cnt"}, {78, "following_cnt"},
                                       {79, "follow_id"}, {80, "is_protected"}};
    QCOMPARE(model.roleNames(), names);

    const QModelIndex pablo = model.index(3, 0);
    const QVariantMap row = model.rows().at(3).toMap();
    QCOMPARE(model.data(pablo, Username), row.value("username"));
    QCOMPARE(model.data(pablo, Blocked), QVariant(false));
    QCOMPARE(model.data(pablo, ProfilePictureCode), QVariant(QString()));
    QCOMPARE(model.data(pablo, ErrorCode), QVariant(0));
    QCOMPARE(model.data(pablo, IsFollow), QVariant(false));
    QCOMPARE(model.data(pablo, IsFollowRequested), QVariant(true));
    QCOMPARE(model.data(pablo, PhotoCount), QVariant(row.value("photo_cnt").toInt()));
    QCOMPARE(model.data(pablo, FollowerCount), QVariant(row.value("follower_cnt").toInt()));
    QCOMPARE(model.data(pablo, FollowingCount), QVariant(row.value("following_cnt").toInt()));
    QCOMPARE(model.data(pablo, FollowId), QVariant(4990));
    QCOMPARE(model.data(pablo, IsProtected), QVariant(1));
    QCOMPARE(model.data(model.index(1, 0), IsProtected), QVariant(0));
    QCOMPARE(model.data(pablo, 99), QVariant(0));
    QCOMPARE(model.data(pablo, 35), QVariant(0));
}

void TestPeopleLists::setFollowStatus_data()
{
    QTest::addColumn<QString>("username");
    QTest::addColumn<bool>("followed");
    QTest::addColumn<bool>("follow");
    QTest::addColumn<bool>("followRequested");
    QTest::addColumn<int>("layoutChanges");

    QTest::newRow("protected user: a request") << "lena.h" << true << false << true << 1;
    QTest::newRow("open user: followed") << "tanaka" << true << true << false << 1;
    QTest::newRow("unfollow clears both") << "pablo" << false << false << false << 1;
    QTest::newRow("unfollow a followed user") << "kofi_b" << false << false << false << 1;
    QTest::newRow("no change") << "tanaka" << false << false << false << 0;
    QTest::newRow("unknown user") << "nobody" << true << false << false << 0;
}

void TestPeopleLists::setFollowStatus()
{
    QFETCH(QString, username);
    QFETCH(bool, followed);
    QFETCH(bool, follow);
    QFETCH(bool, followRequested);
    QFETCH(int, layoutChanges);

    FriendListModel model;
    attachTester(&model);
    QVERIFY(model.parseJSON(fixture(QStringLiteral("followers.json"))));
    const QVariantList before = model.rows();
    QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);

    model.setFollowStatus(username, followed);
    QCOMPARE(layouts.count(), layoutChanges);
    const QVariantMap row = rowOf(model, username);
    QCOMPARE(row.value("follow").toBool(), follow);
    QCOMPARE(row.value("follow_requested").toBool(), followRequested);
    for (int i = 0; i < before.size(); ++i) {
        if (before.at(i).toMap().value("username").toString() != username)
            QCOMPARE(model.rows().at(i), before.at(i));
    }
}

void TestPeopleLists::setBlockedStatus()
{
    FriendListModel model;
    attachTester(&model);
    QVERIFY(model.parseJSON(fixture(QStringLiteral("followers.json"))));
    QVERIFY(model.parseJSON(fixture(QStringLiteral("followers_more.json"))));
    QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);

    model.setBlockedStatus(1204, true);
    QCOMPARE(model.data(model.index(1, 0), Blocked), QVariant(true));
    model.setBlockedStatus(42, false);
    QCOMPARE(model.data(model.index(5, 0), Blocked), QVariant(false));
    model.setBlockedStatus(42, false);
    model.setBlockedStatus(9999, true);
    QCOMPARE(layouts.count(), 2);
}

void TestPeopleLists::commentPages()
{
    CommentListModel model;
    attachTester(&model);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QCOMPARE(model.getHasMore(), true);

    QVERIFY(model.parseJSON(fixture(QStringLiteral("comments_1.json"))));
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.takeFirst().mid(1), (QVariantList{0, 2}));
    QCOMPARE(model.getLastParsedRowCount(), 3);
    QCOMPARE(model.getLoveCountFromStats(), 14);
    QCOMPARE(model.getCommentCountFromStats(), 5);
    QCOMPARE(model.getIsLoveFromStats(), true);
    QCOMPARE(model.getHasMore(), true);
    QCOMPARE(model.getOldestId(), 9003);

    QVERIFY(model.parseJSON(fixture(QStringLiteral("comments_2.json"))));
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.takeFirst().mid(1), (QVariantList{3, 4}));
    QCOMPARE(intColumn(model, CommentId), (QList<int>{9005, 9004, 9003, 9002, 9001}));
    QCOMPARE(model.getLastParsedRowCount(), 2);
    QCOMPARE(model.getLoveCountFromStats(), 15);
    QCOMPARE(model.getHasMore(), false);
    QCOMPARE(model.getOldestId(), 9001);

    // An empty page announces nothing but still takes the stats.
    QVERIFY(model.parseJSON(R"({"success":true,"has_more":false,"stats":{"love_count":16,"comment_count":5}})"));
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(model.getLastParsedRowCount(), 0);
    QCOMPARE(model.getLoveCountFromStats(), 16);
    QCOMPARE(model.getIsLoveFromStats(), false);
    QCOMPARE(resets.count(), 0);

    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.getOldestId(), 0);
    QCOMPARE(model.getLoveCountFromStats(), 16);
}

void TestPeopleLists::commentFailures_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("errorCode");

    QTest::newRow("failed answer") << fixture(QStringLiteral("comments_failed.json")) << 12;
    QTest::newRow("failed without code") << QByteArray(R"({"success":false})") << 0;
    QTest::newRow("unreadable answer") << fixture(QStringLiteral("wrong_truncated.json")) << 0;
}

void TestPeopleLists::commentFailures()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, errorCode);

    CommentListModel model;
    attachTester(&model);
    QVERIFY(model.parseJSON(fixture(QStringLiteral("comments_1.json"))));
    QVERIFY(!model.parseJSON(answer));
    QCOMPARE(model.getErrorCode(), errorCode);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.getLastParsedRowCount(), 3);
    QCOMPARE(model.getHasMore(), true);

    // A later good page leaves the error code as it was.
    QVERIFY(model.parseJSON(fixture(QStringLiteral("comments_2.json"))));
    QCOMPARE(model.getErrorCode(), errorCode);
}

void TestPeopleLists::deleteComment()
{
    CommentListModel model;
    attachTester(&model);
    QVERIFY(model.parseJSON(fixture(QStringLiteral("comments_1.json"))));
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

    model.deleteComment(4242);
    QCOMPARE(resets.count(), 0);
    QCOMPARE(model.rowCount(), 3);

    model.deleteComment(9004);
    QCOMPARE(resets.count(), 1);
    QCOMPARE(intColumn(model, CommentId), (QList<int>{9005, 9003}));
    QCOMPARE(model.getCommentCountFromStats(), 5);
}

void TestPeopleLists::commentRoles()
{
    CommentListModel model;
    QVERIFY(model.parseJSON(fixture(QStringLiteral("comments_1.json"))));
    const QHash<int, QByteArray> names{{37, "user_id"}, {38, "username"}, {40, "profile_picture_code"},
                                       {62, "timestamp"}, {81, "comment_text"}, {82, "comment_id"},
                                       {83, "comment_source"}, {84, "comment_user_id"}, {85, "cannot_access_profile"}};
    QCOMPARE(model.roleNames(), names);

    const QModelIndex second = model.index(1, 0);
    QCOMPARE(model.data(second, UserId), QVariant(1203));
    QCOMPARE(model.data(second, Username), QVariant("lena.h"));
    QCOMPARE(model.data(second, ProfilePictureCode), QVariant("u5e2b1203"));
    QCOMPARE(model.data(second, Timestamp), QVariant("2012-03-06 09:40:00"));
    QCOMPARE(model.data(second, CommentText), QVariant("so good!"));
    QCOMPARE(model.data(second, CommentId), QVariant(9004));
    QCOMPARE(model.data(second, CommentSource), QVariant("web"));
    QCOMPARE(model.data(second, CommentUserId), QVariant(1203));
    QCOMPARE(model.data(second, CannotAccessProfile), QVariant(true));
    QCOMPARE(model.data(second, 99), QVariant(0));
}

void TestPeopleLists::followRequests_data()
{
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<bool>("lastResult");
    QTest::addColumn<QList<int>>("userIds");
    QTest::addColumn<bool>("hasMore");
    QTest::addColumn<int>("oldestId");

    QTest::newRow("nothing yet") << QStringList{} << true << QList<int>{} << false << 0;
    QTest::newRow("has more") << QStringList{"follow_requests.json"} << true << QList<int>{42, 1205} << true << 321;
    QTest::newRow("last page") << QStringList{"follow_requests.json", "follow_requests_last.json"} << true
                               << QList<int>{42, 1205, 77} << false << 305;
    QTest::newRow("has-more kept when absent")
        << QStringList{"follow_requests.json", "follow_requests_no_has_more.json"} << true
        << QList<int>{42, 1205, 1204} << true << 300;
    QTest::newRow("failed answer") << QStringList{"follow_requests.json", "followers_failed.json"} << false
                                   << QList<int>{42, 1205} << true << 321;
}

void TestPeopleLists::followRequests()
{
    QFETCH(QStringList, pages);
    QFETCH(bool, lastResult);
    QFETCH(QList<int>, userIds);
    QFETCH(bool, hasMore);
    QFETCH(int, oldestId);

    FollowRequestListModel model;
    attachTester(&model);
    bool result = true;
    for (const QString &page : pages)
        result = model.parseJSON(fixture(page));
    QCOMPARE(result, lastResult);
    QCOMPARE(intColumn(model, UserId), userIds);
    QCOMPARE(model.getCount(), userIds.size());
    QCOMPARE(model.getHasMore(), hasMore);
    QCOMPARE(model.getOldestId(), oldestId);

    const QHash<int, QByteArray> names{{37, "user_id"}, {38, "username"}, {40, "profile_picture_code"},
                                       {67, "follow"}, {75, "has_more"}};
    QCOMPARE(model.roleNames(), names);
    if (!userIds.isEmpty()) {
        const QModelIndex first = model.index(0, 0);
        QCOMPARE(model.data(first, kHasMore), QVariant(hasMore));
        QCOMPARE(model.data(first, Username), QVariant("sunny_42"));
        QCOMPARE(model.data(first, ProfilePictureCode), QVariant("u4242abcd"));
        QCOMPARE(model.data(first, IsFollow), QVariant(false));
        QCOMPARE(model.data(first, 99), QVariant(0));
    }
    model.clear();
    QCOMPARE(model.getCount(), 0);
    QCOMPARE(model.getHasMore(), hasMore);
}

QTEST_MAIN(TestPeopleLists)
#include "tst_peoplelists.moc"
