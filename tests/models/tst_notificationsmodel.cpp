#include "models/notificationsmodel.h"
#include "tests/models/modelstesthelpers.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

enum Role { PictureInfo = 33, UserId = 37, Username = 38, ProfilePictureCode = 40, PictureCode = 43, Timestamp = 62,
            Pinned = 63, NotificationText = 64, IsLoadMore = 65, NotificationType = 66, Follow = 67, BeFollowed = 69,
            ActionUserId = 70, Action = 71, BadgeInfo = 72, Url = 73, IsNew = 74 };
enum List { All, Loved, Commented, Badged, Followed };

QList<int> ids(const NotificationsModel &model, int list)
{
    return idsOf(model.list(list), QStringLiteral("id"));
}

QVariantMap rowWithId(const NotificationsModel &model, int list, int id)
{
    for (const QVariant &row : model.list(list)) {
        if (row.toMap().value(QStringLiteral("id")).toInt() == id)
            return row.toMap();
    }
    return {};
}

int rowsOfType(const NotificationsModel &model, int type)
{
    int count = 0;
    for (int list = All; list <= Followed; ++list) {
        for (const QVariant &row : model.list(list))
            count += row.toMap().value(QStringLiteral("notification_type")).toInt() == type;
    }
    return count;
}

} // namespace

class TestNotificationsModel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { registerModelSignalTypes(); }
    void init();
    void cleanup();

    void parse_data();
    void parse();
    void newestAndOldest_data();
    void newestAndOldest();
    void stats();
    void isNew();
    void markAllAsRead_data();
    void markAllAsRead();
    void switchListIndex();
    void decreaseFollowRequestCount_data();
    void decreaseFollowRequestCount();
    void followRequestCountFromAnswer_data();
    void followRequestCountFromAnswer();
    void removeFollowRequestItem();
    void answerFollowRequest_data();
    void answerFollowRequest();
    void setFollow();
    void photoUpdates();
    void saveNotifications();
    void loadNotifications();
    void loadNotificationsRefused_data();
    void loadNotificationsRefused();
    void clear();
    void roles();

private:
    std::unique_ptr<NotificationsModel> m_model;
};

void TestNotificationsModel::init()
{
    m_model = std::make_unique<NotificationsModel>();
    attachTester(m_model.get());
}

void TestNotificationsModel::cleanup()
{
    m_model.reset();
}

void TestNotificationsModel::parse_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("lastResult");
    QTest::addColumn<QList<int>>("all");
    QTest::addColumn<QList<int>>("loved");
    QTest::addColumn<QList<int>>("commented");
    QTest::addColumn<QList<int>>("badged");
    QTest::addColumn<QList<int>>("followed");

    const QList<int> all{109, 108, 107, 106, 105, 104, 103, 102, 101, 100};
    const QList<int> loved{108, 104, 101};
    const QList<int> commented{107, 100};
    const QList<int> badged{103};
    const QList<int> followed{109, 106, 105, 102};
    // Pinned: 90 then 110 in the answer's "all"; the last met ends first.
    QTest::newRow("five lists, pinned on top")
        << QStringList{"refresh:notifications.json"} << true << QList<int>{110, 90} + all << loved << commented
        << badged << QList<int>{110} + followed;
    QTest::newRow("refresh of one list; old pinned rows go")
        << QStringList{"refresh:notifications.json", "refresh:notifications_loved_only.json"} << true << all
        << QList<int>{112} + loved << commented << badged << followed;
    QTest::newRow("load more appends")
        << QStringList{"refresh:notifications.json", "more:notifications_more.json"} << true
        << all + QList<int>{80, 79} << loved << commented << badged << followed;
    QTest::newRow("no de-duplication")
        << QStringList{"refresh:notifications.json", "refresh:notifications.json"} << true
        << QList<int>{110, 90} + all + all << loved + loved << commented + commented << badged + badged
        << QList<int>{110} + followed + followed;
    QTest::newRow("failed answer changes nothing")
        << QStringList{"refresh:notifications.json", "refresh:notifications_failed.json"} << false
        << QList<int>{110, 90} + all << loved << commented << badged << QList<int>{110} + followed;
    QTest::newRow("truncated answer changes nothing")
        << QStringList{"refresh:notifications.json", "more:wrong_truncated.json"} << false
        << QList<int>{110, 90} + all << loved << commented << badged << QList<int>{110} + followed;
}

void TestNotificationsModel::parse()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, lastResult);
    QFETCH(QList<int>, all);
    QFETCH(QList<int>, loved);
    QFETCH(QList<int>, commented);
    QFETCH(QList<int>, badged);
    QFETCH(QList<int>, followed);

    QSignalSpy resets(m_model.get(), &QAbstractItemModel::modelReset);
    bool result = false;
    for (const QString &step : steps) {
        resets.clear();
        const QStringList parts = step.split(QLatin1Char(':'));
        result = m_model->parseJSON(fixture(parts.at(1)), parts.at(0) == QLatin1String("more"));
    }
    QCOMPARE(result, lastResult);
    QCOMPARE(resets.count(), lastResult ? 1 : 0);
    QCOMPARE(ids(*m_model, All), all);
    QCOMPARE(ids(*m_model, Loved), loved);
    QCOMPARE(ids(*m_model, Commented), commented);
    QCOMPARE(ids(*m_model, Badged), badged);
    QCOMPARE(ids(*m_model, Followed), followed);
    QCOMPARE(m_model->rowCount(), all.size());
}

void TestNotificationsModel::newestAndOldest_data()
{
    QTest::addColumn<QString>("listName");
    QTest::addColumn<int>("newest");
    QTest::addColumn<int>("oldest");

    // "all" skips pinned rows at both ends, "followed" only for the newest.
    QTest::newRow("all") << "all" << 109 << 100;
    QTest::newRow("loved") << "loved" << 108 << 101;
    QTest::newRow("commented") << "commented" << 107 << 100;
    QTest::newRow("badged") << "badged" << 103 << 103;
    QTest::newRow("followed") << "followed" << 109 << 102;
    QTest::newRow("unknown list") << "mentioned" << 0 << 0;
    QTest::newRow("saved-file key is no list name") << "love" << 0 << 0;
}

void TestNotificationsModel::newestAndOldest()
{
    QFETCH(QString, listName);
    QFETCH(int, newest);
    QFETCH(int, oldest);

    QCOMPARE(m_model->getNewestId(listName), 0);
    QCOMPARE(m_model->getOldestId(listName), 0);
    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("notifications.json"))));
    QCOMPARE(m_model->getNewestId(listName), newest);
    QCOMPARE(m_model->getOldestId(listName), oldest);
    QCOMPARE(m_model->getOldestId(), 0);
    QCOMPARE(m_model->isLoading(), false);
}

void TestNotificationsModel::stats()
{
    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("notifications.json"))));
    QCOMPARE(m_model->getStats(QStringLiteral("total_count")), 9);
    QCOMPARE(m_model->getStats(QStringLiteral("follow_request_count")), 3);
    QCOMPARE(m_model->getStats(QStringLiteral("mention_count")), 0);
    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("notifications_loved_only.json"))));
    QCOMPARE(m_model->getStats(QStringLiteral("total_count")), 10);
}

void TestNotificationsModel::isNew()
{
    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("notifications.json"))));
    QSignalSpy changes(m_model.get(), &NotificationsModel::lastReadNotificationIdChanged);
    QSignalSpy layouts(m_model.get(), &QAbstractItemModel::layoutChanged);

    m_model->setLastReadNotificationId(100);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(layouts.count(), 1);
    m_model->setLastReadNotificationId(100);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(layouts.count(), 1);

    m_model->switchListIndex(Loved);
    QCOMPARE(column(*m_model, IsNew), (QVariantList{true, true, true}));
    m_model->switchListIndex(Commented);
    QCOMPARE(column(*m_model, IsNew), (QVariantList{true, false}));
}

void TestNotificationsModel::markAllAsRead_data()
{
    QTest::addColumn<int>("lastRead");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QVariantList>("stillNew");

    // The pinned summary (110) does not count as read: it stays new.
    const QVariantList noneNew = QVector<QVariant>(12, false).toList();
    QVariantList summaryOnly = noneNew;
    summaryOnly[0] = true;
    QTest::newRow("nothing read") << 0 << 109 << summaryOnly;
    QTest::newRow("some read") << 104 << 109 << summaryOnly;
    QTest::newRow("read beyond the lists") << 200 << 200 << noneNew;
}

void TestNotificationsModel::markAllAsRead()
{
    QFETCH(int, lastRead);
    QFETCH(int, expected);
    QFETCH(QVariantList, stillNew);

    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("notifications.json"))));
    m_model->setLastReadNotificationId(lastRead);
    QSignalSpy changes(m_model.get(), &NotificationsModel::lastReadNotificationIdChanged);

    m_model->markAllAsRead();
    QCOMPARE(m_model->lastReadNotificationId(), expected);
    QCOMPARE(changes.count(), lastRead == expected ? 0 : 1);
    for (const char *key : {"total_count", "love_count", "comment_count", "badge_count", "follow_count"})
        QCOMPARE(m_model->getStats(QLatin1String(key)), 0);
    QCOMPARE(m_model->getStats(QStringLiteral("follow_request_count")), 3);
    QCOMPARE(column(*m_model, IsNew), stillNew);
}

void TestNotificationsModel::switchListIndex()
{
    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("notifications.json"))));
    QSignalSpy resets(m_model.get(), &QAbstractItemModel::modelReset);

    m_model->switchListIndex(Commented, 350);
    QCOMPARE(resets.count(), 1);
    QCOMPARE(m_model->getContentY(All), 350);
    QCOMPARE(m_model->getContentY(Commented), 0);
    QCOMPARE(m_model->rowCount(), 2);
    QCOMPARE(column(*m_model, NotificationText).first().toString(), QStringLiteral("lena.h commented: so good!"));

    m_model->switchListIndex(Followed, 120);
    QCOMPARE(m_model->getContentY(Commented), 120);
    QCOMPARE(m_model->getContentY(All), 350);
    QCOMPARE(m_model->rowCount(), 5);

    m_model->switchListIndex(7, 80);
    QCOMPARE(m_model->getContentY(Followed), 80);
    QCOMPARE(m_model->rowCount(), 0);
    m_model->switchListIndex(Loved, 60);
    QCOMPARE(m_model->rowCount(), 3);
    QCOMPARE(m_model->getContentY(7), 0);
    QCOMPARE(m_model->getContentY(-1), 0);
}

void TestNotificationsModel::decreaseFollowRequestCount_data()
{
    QTest::addColumn<int>("decreases");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("followedText");
    QTest::addColumn<int>("summaryRows");

    QTest::newRow("3 to 2") << 1 << 2 << "2 Pending Friend Requests" << 2;
    QTest::newRow("2 to 1") << 2 << 1 << "1 Pending Friend Requests" << 2;
    QTest::newRow("1 to 0 removes the summary") << 3 << 0 << QString() << 0;
    QTest::newRow("never below 0") << 5 << 0 << QString() << 0;
}

// Whatever number the service sends, the count stays within 0 and the
// largest int, also after a decrease.
void TestNotificationsModel::followRequestCountFromAnswer_data()
{
    QTest::addColumn<QByteArray>("count");
    QTest::addColumn<int>("afterDecrease");
    QTest::newRow("smallest int") << QByteArray("-2147483648") << 0;
    QTest::newRow("negative") << QByteArray("-3") << 0;
    QTest::newRow("zero") << QByteArray("0") << 0;
    QTest::newRow("past the largest int") << QByteArray("1e12") << 2147483646;
    QTest::newRow("largest int") << QByteArray("2147483647") << 2147483646;
    QTest::newRow("text") << QByteArray("\"4\"") << 3;
    QTest::newRow("not a number") << QByteArray("\"many\"") << 0;
    QTest::newRow("missing") << QByteArray() << 0;
}

void TestNotificationsModel::followRequestCountFromAnswer()
{
    QFETCH(QByteArray, count);
    QFETCH(int, afterDecrease);
    const QByteArray stats = count.isEmpty() ? QByteArray("{}") : "{\"follow_request_count\":" + count + "}";
    QVERIFY(m_model->parseJSON("{\"success\":true,\"stats\":" + stats + ",\"data\":[]}"));
    QCOMPARE(m_model->decreaseFollowRequestCount(), afterDecrease);
}

void TestNotificationsModel::decreaseFollowRequestCount()
{
    QFETCH(int, decreases);
    QFETCH(int, count);
    QFETCH(QString, followedText);
    QFETCH(int, summaryRows);

    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("notifications.json"))));
    QSignalSpy resets(m_model.get(), &QAbstractItemModel::modelReset);
    int result = -1;
    for (int i = 0; i < decreases; ++i)
        result = m_model->decreaseFollowRequestCount();
    QCOMPARE(result, count);
    QCOMPARE(resets.count(), decreases);
    QCOMPARE(rowsOfType(*m_model, 9), summaryRows);
    if (summaryRows > 0) {
        QCOMPARE(rowWithId(*m_model, Followed, 110).value("text").toString(), followedText);
        // Only the follow tab's summary is rewritten.
        QCOMPARE(rowWithId(*m_model, All, 110).value("text").toString(), QStringLiteral("3 Pending Friend Requests"));
    } else {
        QCOMPARE(ids(*m_model, Followed), (QList<int>{109, 106, 105, 102}));
        QCOMPARE(ids(*m_model, All).first(), 90);
    }
}

void TestNotificationsModel::removeFollowRequestItem()
{
    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("notifications.json"))));
    m_model->switchListIndex(Followed);
    QSignalSpy resets(m_model.get(), &QAbstractItemModel::modelReset);

    m_model->removeFollowRequestItem();
    QCOMPARE(resets.count(), 1);
    QCOMPARE(rowsOfType(*m_model, 9), 0);
    QCOMPARE(m_model->rowCount(), 4);
    QCOMPARE(ids(*m_model, All).size(), 11);
}

void TestNotificationsModel::answerFollowRequest_data()
{
    QTest::addColumn<int>("userId");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("rowId");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("text");

    QTest::newRow("rejected") << 42 << false << 109 << 8 << "sunny_42's request is rejected";
    QTest::newRow("accepted") << 42 << true << 109 << 4 << "sunny_42 is now following you";
    QTest::newRow("another user") << 1205 << true << 105 << 4 << "pablo is now following you";
    QTest::newRow("already following: no request") << 77 << false << 106 << 4 << "owl is now following you";
}

void TestNotificationsModel::answerFollowRequest()
{
    QFETCH(int, userId);
    QFETCH(bool, accepted);
    QFETCH(int, rowId);
    QFETCH(int, type);
    QFETCH(QString, text);

    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("notifications.json"))));
    QSignalSpy resets(m_model.get(), &QAbstractItemModel::modelReset);
    m_model->answerFollowRequest(userId, accepted);
    QCOMPARE(resets.count(), 1);
    for (int list : {All, Followed}) {
        const QVariantMap row = rowWithId(*m_model, list, rowId);
        QCOMPARE(row.value("notification_type").toInt(), type);
        QCOMPARE(row.value("text").toString(), text);
    }
    // The other request waits on.
    const int otherRequest = rowId == 109 ? 105 : 109;
    QCOMPARE(rowWithId(*m_model, All, otherRequest).value("notification_type").toInt(), 7);
}

void TestNotificationsModel::setFollow()
{
    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("notifications.json"))));
    QSignalSpy layouts(m_model.get(), &QAbstractItemModel::layoutChanged);

    m_model->setFollow(QStringLiteral("owl"), true);
    QCOMPARE(layouts.count(), 1);
    QCOMPARE(rowWithId(*m_model, All, 106).value("follow").toBool(), true);
    QCOMPARE(rowWithId(*m_model, Followed, 106).value("follow").toBool(), true);

    // Only rows of someone following the user (type 4) change.
    m_model->setFollow(QStringLiteral("sunny_42"), true);
    QCOMPARE(rowWithId(*m_model, Followed, 109).value("follow").toBool(), false);
    m_model->setFollow(QStringLiteral("kofi_b"), false);
    QCOMPARE(rowWithId(*m_model, Followed, 102).value("follow").toBool(), false);
    QCOMPARE(rowWithId(*m_model, Loved, 108).value("follow").toBool(), false);
    QCOMPARE(layouts.count(), 3);
}

void TestNotificationsModel::photoUpdates()
{
    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("notifications.json"))));
    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("wrong_notifications.json")), true));
    QSignalSpy layouts(m_model.get(), &QAbstractItemModel::layoutChanged);
    const auto photo = [this](int list, int id) {
        return rowWithId(*m_model, list, id).value("picture_info").toList().value(0).toMap();
    };
    const QVariantMap photoFour = photo(Loved, 104);

    m_model->setLovedCommentedData(5, 30, true, 8, true);
    QCOMPARE(layouts.count(), 1);
    for (const auto &[list, id] : {std::pair{All, 108}, {Loved, 108}, {Loved, 101}, {Commented, 107}, {All, 107}}) {
        QCOMPARE(photo(list, id).value("love_count"), QVariant(30));
        QCOMPARE(photo(list, id).value("done_love"), QVariant(true));
        QCOMPARE(photo(list, id).value("comment_count"), QVariant(8));
        QCOMPARE(photo(list, id).value("done_comment"), QVariant(true));
    }
    QCOMPARE(photo(Loved, 104), photoFour);

    m_model->setLovedData(4, 2, false);
    m_model->setCommentedData(4, 6, true);
    QCOMPARE(layouts.count(), 3);
    QCOMPARE(photo(Loved, 104).value("love_count"), QVariant(2));
    QCOMPARE(photo(Loved, 104).value("comment_count"), QVariant(6));

    m_model->setPhotoName(5, QStringLiteral("Morning light, again"));
    QCOMPARE(layouts.count(), 3);
    QCOMPARE(photo(Commented, 107).value("name").toString(), QStringLiteral("Morning light, again"));
    m_model->switchListIndex(Loved);
    QCOMPARE(m_model->data(m_model->index(0, 0), PictureInfo).toMap().value("name").toString(),
             QStringLiteral("Morning light, again"));
}

void TestNotificationsModel::saveNotifications()
{
    ScopedWorkingDir dir;
    QVariantList many;
    for (int id = 60; id > 35; --id)
        many.append(QVariantMap{{"id", id}, {"notification_type", 1}, {"text", QStringLiteral("note %1").arg(id)}});
    const QByteArray page = QJsonDocument::fromVariant(QVariantMap{
        {"success", true}, {"data", QVariantList{QVariantMap{{"type", "all"}, {"result", many}}}}}).toJson();
    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("notifications.json"))));
    QVERIFY(m_model->parseJSON(page, true));

    m_model->saveJSON();
    m_model->loadJSON();
    SaveFileWriter::waitForWrites();
    QVERIFY(!QFile::exists(QStringLiteral("notifications.sav")));

    m_model->saveNotifications();
    SaveFileWriter::waitForWrites();
    QFile file(QStringLiteral("notifications.sav"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QVariantMap saved = QJsonDocument::fromJson(file.readAll()).toVariant().toMap();
    QCOMPARE(saved.keys(), (QStringList{"all", "badged", "comment", "follow", "love"}));
    QCOMPARE(idsOf(saved.value("all").toList(), "id"), ids(*m_model, All).mid(0, 20));
    QCOMPARE(idsOf(saved.value("love").toList(), "id"), ids(*m_model, Loved));
    QCOMPARE(idsOf(saved.value("comment").toList(), "id"), ids(*m_model, Commented));
    QCOMPARE(idsOf(saved.value("badged").toList(), "id"), ids(*m_model, Badged));
    QCOMPARE(idsOf(saved.value("follow").toList(), "id"), ids(*m_model, Followed));
    QCOMPARE(saved.value("all").toList().first().toMap(), m_model->list(All).first().toMap());
}

void TestNotificationsModel::loadNotifications()
{
    ScopedWorkingDir dir;
    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("notifications.json"))));
    m_model->saveNotifications();

    // A later start: a fresh model finds the same five lists.
    NotificationsModel restarted;
    attachTester(&restarted);
    QSignalSpy resets(&restarted, &QAbstractItemModel::modelReset);
    QVERIFY(restarted.isBlank());
    QVERIFY(restarted.loadNotifications());
    QCOMPARE(resets.count(), 1);
    for (int list : {All, Loved, Commented, Badged, Followed}) {
        QCOMPARE(ids(restarted, list), ids(*m_model, list));
        QCOMPARE(restarted.list(list), m_model->list(list));
    }
    QCOMPARE(restarted.rowCount(), m_model->list(All).size());
}

void TestNotificationsModel::loadNotificationsRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");
    QTest::newRow("no file") << QByteArray() << false;
    QTest::newRow("not JSON") << QByteArray("{\"all\": [") << true;
    QTest::newRow("an array") << QByteArray("[{\"id\": 1}]") << true;
}

void TestNotificationsModel::loadNotificationsRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    ScopedWorkingDir dir;
    if (exists) {
        QFile file(QStringLiteral("notifications.sav"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("notifications.json"))));
    const QList<int> before = ids(*m_model, All);
    QSignalSpy resets(m_model.get(), &QAbstractItemModel::modelReset);

    QVERIFY(!m_model->loadNotifications());
    QCOMPARE(resets.count(), 0);
    QCOMPARE(ids(*m_model, All), before);
}

void TestNotificationsModel::clear()
{
    QVERIFY(m_model->isBlank());
    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("notifications.json"))));
    m_model->setLastReadNotificationId(104);
    QVERIFY(!m_model->isBlank());

    m_model->clear();
    QVERIFY(m_model->isBlank());
    QCOMPARE(m_model->rowCount(), 0);
    QCOMPARE(m_model->getStats(QStringLiteral("total_count")), 9);
    QCOMPARE(m_model->lastReadNotificationId(), 104);
}

void TestNotificationsModel::roles()
{
    const QHash<int, QByteArray> names{
        {33, "picture_info"}, {37, "user_id"}, {38, "username"}, {40, "profile_picture_code"}, {43, "picture_code"},
        {62, "timestamp"}, {63, "pinned"}, {64, "notificationText"}, {65, "isLoadMore"}, {66, "notificationType"},
        {67, "follow"}, {69, "be_followed"}, {70, "action_user_id"}, {71, "action"}, {72, "badge_info"}, {73, "url"},
        {74, "is_new"}};
    QCOMPARE(m_model->roleNames(), names);

    QVERIFY(m_model->parseJSON(fixture(QStringLiteral("notifications.json"))));
    m_model->switchListIndex(Badged);
    const QModelIndex badge = m_model->index(0, 0);
    const QVariantMap expected = fixtureObject(QStringLiteral("notifications.json")).value("data").toList().at(3)
                                     .toMap().value("result").toList().first().toMap();
    QCOMPARE(m_model->data(badge, BadgeInfo), expected.value("badge_info").toList().first());
    QCOMPARE(m_model->data(badge, PictureInfo), QVariant(QVariantMap()));
    QCOMPARE(m_model->data(badge, Username), expected.value("username"));
    QCOMPARE(m_model->data(badge, UserId), QVariant(1201));
    QCOMPARE(m_model->data(badge, ProfilePictureCode), expected.value("profile_picture_code"));
    QCOMPARE(m_model->data(badge, PictureCode), QVariant(QString()));
    QCOMPARE(m_model->data(badge, Timestamp), expected.value("timestamp"));
    QCOMPARE(m_model->data(badge, Pinned), QVariant(false));
    QCOMPARE(m_model->data(badge, NotificationText), expected.value("text"));
    QCOMPARE(m_model->data(badge, IsLoadMore), QVariant(false));
    QCOMPARE(m_model->data(badge, NotificationType), QVariant(3));
    QCOMPARE(m_model->data(badge, Follow), QVariant(false));
    QCOMPARE(m_model->data(badge, BeFollowed), QVariant(false));
    QCOMPARE(m_model->data(badge, ActionUserId), QVariant(1201));
    QCOMPARE(m_model->data(badge, Action), QVariant(3));
    QCOMPARE(m_model->data(badge, Url), expected.value("url"));
    QCOMPARE(m_model->data(badge, IsNew), QVariant(true));
    QCOMPARE(m_model->data(badge, 99), QVariant(0));

    m_model->switchListIndex(Loved);
    const QModelIndex loved = m_model->index(2, 0);
    QCOMPARE(m_model->data(loved, PictureInfo).toMap().value("picture_id"), QVariant(5.0));
    QCOMPARE(m_model->data(loved, PictureCode), QVariant(QStringLiteral("p0005xq")));
    QCOMPARE(m_model->data(loved, 99), QVariant(2));
    QCOMPARE(m_model->data(loved, Qt::SizeHintRole), QVariant());
}

QTEST_MAIN(TestNotificationsModel)
#include "tst_notificationsmodel.moc"
