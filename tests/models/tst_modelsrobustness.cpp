#include "models/commentlistmodel.h"
#include "models/followrequestlistmodel.h"
#include "models/friendlistmodel.h"
#include "models/frontpagemodel.h"
#include "models/notificationsmodel.h"
#include "models/popularmodel.h"
#include "models/profileviewmanager.h"
#include "models/timelinemodel.h"
#include "models/usertimelinemodel.h"
#include "tests/models/modelstesthelpers.h"

#include <QStandardItemModel>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// One model behind a uniform face: its owner, the list it shows, and its parse.
struct Subject {
    std::unique_ptr<QObject> owner;
    QAbstractItemModel *model = nullptr;
    std::function<bool(const QByteArray &)> parse;
};

template<typename T>
Subject subjectOf(std::function<bool(T *, const QByteArray &)> parse)
{
    auto owner = std::make_unique<T>();
    T *model = owner.get();
    return {std::move(owner), model, [model, parse](const QByteArray &data) { return parse(model, data); }};
}

Subject makeSubject(const QString &kind)
{
    if (kind == QLatin1String("timeline"))
        return subjectOf<TimelineModel>([](TimelineModel *m, const QByteArray &d) { return m->parseJSON(d); });
    if (kind == QLatin1String("popular"))
        return subjectOf<PopularModel>([](PopularModel *m, const QByteArray &d) { m->parseJSON(d); return true; });
    if (kind == QLatin1String("front page"))
        return subjectOf<FrontPageModel>([](FrontPageModel *m, const QByteArray &d) { m->parseJSON(d); return true; });
    if (kind == QLatin1String("user timeline"))
        return subjectOf<UserTimelineModel>([](UserTimelineModel *m, const QByteArray &d) { m->parseJSON(d); return true; });
    if (kind == QLatin1String("friends"))
        return subjectOf<FriendListModel>([](FriendListModel *m, const QByteArray &d) { return m->parseJSON(d); });
    if (kind == QLatin1String("comments"))
        return subjectOf<CommentListModel>([](CommentListModel *m, const QByteArray &d) { return m->parseJSON(d); });
    if (kind == QLatin1String("follow requests"))
        return subjectOf<FollowRequestListModel>([](FollowRequestListModel *m, const QByteArray &d) { return m->parseJSON(d); });
    if (kind == QLatin1String("notifications"))
        return subjectOf<NotificationsModel>([](NotificationsModel *m, const QByteArray &d) { return m->parseJSON(d); });
    auto manager = std::make_unique<ProfileViewManager>();
    ProfileViewManager *profile = manager.get();
    return {std::move(manager), profile->recentImagesModel(),
            [profile](const QByteArray &data) { return profile->parseJSON(data); }};
}

const QStringList kKinds{"timeline", "popular", "front page", "user timeline", "friends", "comments",
                         "follow requests", "notifications", "profile"};

int roleId(const QAbstractItemModel &model, const QByteArray &name)
{
    return model.roleNames().key(name, -1);
}

// Reads every role of every row, and of a row past the end.
void readEverything(const QAbstractItemModel &model)
{
    const QList<int> roles = model.roleNames().keys();
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int role : roles)
            model.data(model.index(row, 0), role);
    }
    QStandardItemModel longer(model.rowCount() + 1, 1);
    const QModelIndex pastTheEnd = longer.index(model.rowCount(), 0);
    for (int role : roles) {
        const QVariant value = model.data(pastTheEnd, role);
        QVERIFY2(!value.isValid() || value.toString().isEmpty() || value.toBool(), model.roleNames().value(role));
    }
}

} // namespace

class TestModelsRobustness : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { registerModelSignalTypes(); }
    void init() { m_dir = std::make_unique<ScopedWorkingDir>(); }
    void cleanup() { m_dir.reset(); }

    void wrongShapes_data();
    void wrongShapes();
    void wrongNotifications();

private:
    std::unique_ptr<ScopedWorkingDir> m_dir;
};

void TestModelsRobustness::wrongShapes_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QByteArray>("role");
    QTest::addColumn<QVariant>("value");

    for (const QString &kind : kKinds) {
        const bool lists = kind != QLatin1String("notifications") && kind != QLatin1String("profile");
        const bool reportsFailure = kind != QLatin1String("popular") && kind != QLatin1String("front page")
                                    && kind != QLatin1String("user timeline");
        const QByteArray name = kind.toUtf8();
        QTest::addRow("%s: \"data\" not a list", name.constData())
            << kind << "wrong_data_not_list.json" << true << 0 << QByteArray() << QVariant();
        QTest::addRow("%s: records not objects", name.constData())
            << kind << "wrong_records.json" << true << (lists ? 1 : 0) << QByteArray() << QVariant();
        QTest::addRow("%s: cut short", name.constData())
            << kind << "wrong_truncated.json" << !reportsFailure << 0 << QByteArray() << QVariant();
        QTest::addRow("%s: not an object", name.constData())
            << kind << "wrong_not_object" << !reportsFailure << 0 << QByteArray() << QVariant();
        // The later value of a repeated key counts (the earlier one is what
        // Qt's parser leaks; see tests/data/lsan.supp).
        QTest::addRow("%s: keys repeated", name.constData())
            << kind << "wrong_repeated_key.json" << true << 0 << QByteArray() << QVariant();
    }

    // Strings where numbers are expected read as numbers, or 0 when they are none.
    const std::tuple<const char *, const char *, QVariant> typed[] = {
        {"timeline", "picture_id", 8}, {"timeline", "love_count", 12}, {"timeline", "comment_count", 0},
        {"timeline", "done_love", true}, {"timeline", "salt", "77"}, {"popular", "picture_id", 8},
        {"front page", "love_count", 12}, {"user timeline", "picture_id", 8}, {"friends", "user_id", 1201},
        {"comments", "comment_id", 9010}, {"comments", "user_id", 1201}, {"follow requests", "user_id", 1201}};
    for (const auto &[kind, role, value] : typed) {
        QTest::addRow("%s: %s from a string", kind, role)
            << kind << "wrong_types.json" << true << 1 << QByteArray(role) << value;
    }
}

void TestModelsRobustness::wrongShapes()
{
    QFETCH(QString, kind);
    QFETCH(QString, answer);
    QFETCH(bool, result);
    QFETCH(int, rows);
    QFETCH(QByteArray, role);
    QFETCH(QVariant, value);

    Subject subject = makeSubject(kind);
    attachTester(subject.model);
    const QByteArray data = answer == QLatin1String("wrong_not_object") ? QByteArray(R"([{"success":true}])")
                                                                        : fixture(answer);
    QCOMPARE(subject.parse(data), result);
    QCOMPARE(subject.model->rowCount(), rows);
    readEverything(*subject.model);
    if (!role.isEmpty())
        QCOMPARE(subject.model->data(subject.model->index(0, 0), roleId(*subject.model, role)), value);
}

void TestModelsRobustness::wrongNotifications()
{
    NotificationsModel model;
    attachTester(&model);
    QVERIFY(model.parseJSON(fixture(QStringLiteral("wrong_notifications.json"))));
    QCOMPARE(model.getStats(QStringLiteral("total_count")), 0);
    const QList<int> expectedRows{0, 1, 1, 1, 1};
    for (int list = 0; list < NotificationsModel::kListCount; ++list) {
        model.switchListIndex(list);
        QCOMPARE(model.rowCount(), expectedRows.at(list));
        readEverything(model);
    }

    // Photo edits pass over rows whose "picture_info" is no list of photos.
    model.setLovedData(5, 3, true);
    model.setPhotoName(3, QStringLiteral("x"));
    QCOMPARE(model.list(2).first().toMap().value("picture_info"), QVariant("p0005xk"));
    QCOMPARE(model.list(3).first().toMap().value("picture_info"), QVariant(QVariantList{3.0}));
    const QVariantMap photo = model.list(4).first().toMap().value("picture_info").toList().first().toMap();
    QCOMPARE(photo.value("love_count"), QVariant(3));

    // Numbers sent as strings still count.
    model.setLastReadNotificationId(100);
    const QModelIndex request = model.index(0, 0);
    QCOMPARE(model.data(request, roleId(model, "is_new")), QVariant(true));
    QCOMPARE(model.data(request, roleId(model, "notificationType")), QVariant(7));
    QCOMPARE(model.getNewestId(QStringLiteral("followed")), 120);
    model.answerFollowRequest(42, true);
    QCOMPARE(model.data(model.index(0, 0), roleId(model, "notificationText")),
             QVariant("sunny_42 is now following you"));
    QCOMPARE(model.decreaseFollowRequestCount(), 0);
}

QTEST_MAIN(TestModelsRobustness)
#include "tst_modelsrobustness.moc"
