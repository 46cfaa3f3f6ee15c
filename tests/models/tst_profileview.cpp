#include "app/globalservices.h"
#include "models/profileviewmanager.h"
#include "models/usertimelinemodel.h"
#include "tests/models/modelstesthelpers.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

constexpr int kPictureId = 34;
constexpr int kLoveCount = 45;
constexpr int kCommentCount = 46;
constexpr int kDoneLove = 51;
constexpr int kAccessLevel = 53;
constexpr int kSalt = 54;

// Calls a getter by its QML name.
QVariant get(ProfileViewManager &manager, const char *getter)
{
    const QMetaObject *meta = manager.metaObject();
    const QMetaMethod method = meta->method(meta->indexOfMethod(QByteArray(getter) + "()"));
    if (!method.isValid())
        qFatal("no getter %s", getter);
    QVariant result;
    if (method.returnType() == QMetaType::QVariant) {
        method.invoke(&manager, Qt::DirectConnection, Q_RETURN_ARG(QVariant, result));
    } else {
        result = QVariant(method.returnType(), nullptr);
        method.invoke(&manager, Qt::DirectConnection, QGenericReturnArgument(method.typeName(), result.data()));
    }
    return result;
}

} // namespace

class TestProfileView : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { registerModelSignalTypes(); }

    void getters_data();
    void getters();
    void recentPhotosAndBadges();
    void failedProfileKeepsPhotos();
    void photoEdits();
    void userTimeline_data();
    void userTimeline();
    void userTimelineEdits();
};

void TestProfileView::getters_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QByteArray>("getter");
    QTest::addColumn<QVariant>("value");

    const QVariantMap full = fixtureObject(QStringLiteral("profile.json"));
    const std::pair<const char *, const char *> keys[] = {
        {"getErrorCode", "error_code"}, {"getUserId", "user_id"}, {"getUsername", "username"},
        {"getNumOfPhoto", "photo_cnt"}, {"getNumOfFollower", "follower_cnt"}, {"getNumOfFollowing", "following_cnt"},
        {"getBio", "description"}, {"getProfilePictureCode", "profile_picture_code"},
        {"getProfilePictureInfo", "profile_picture_info"}, {"getFollowed", "followed"},
        {"getFollowRequested", "follow_requested"}, {"getUseTwitter", "use_twitter"},
        {"getUseFacebook", "use_facebook"}, {"getUseTumblr", "use_tumblr"}, {"getUseFlickr", "use_flickr"},
        {"getUseWeibo", "use_weibo"}, {"getUseVk", "use_vk"}, {"getUseDropBox", "use_dropbox"},
        {"getUseGDrive", "use_gdrive"}, {"getUsePicasa", "use_picasa"}, {"getBlocked", "blocked"},
        {"getEmail", "email"}, {"getProtected", "protected"}};
    for (const auto &[getter, key] : keys) {
        QVariant value = full.value(QLatin1String(key));
        if (qstrcmp(key, "error_code") == 0)
            value = 0;
        QTest::addRow("full profile: %s", getter) << "profile.json" << QByteArray(getter) << value;
    }

    // Absent values.
    QTest::newRow("no error code") << "profile_sparse.json" << QByteArray("getErrorCode") << QVariant(0);
    QTest::newRow("empty bio") << "profile_sparse.json" << QByteArray("getBio") << QVariant("-");
    QTest::newRow("no bio") << "profile_failed.json" << QByteArray("getBio") << QVariant("-");
    QTest::newRow("no picture code") << "profile_sparse.json" << QByteArray("getProfilePictureCode") << QVariant("null");
    QTest::newRow("null picture code") << "profile_null_picture.json" << QByteArray("getProfilePictureCode")
                                       << QVariant("null");
    QTest::newRow("null picture info") << "profile_sparse.json" << QByteArray("getProfilePictureInfo")
                                       << QVariant(QVariantMap());
    QTest::newRow("no e-mail") << "profile_sparse.json" << QByteArray("getEmail") << QVariant(QString());
    QTest::newRow("no flags") << "profile_sparse.json" << QByteArray("getUseVk") << QVariant(false);
    QTest::newRow("no counter") << "profile_null_picture.json" << QByteArray("getNumOfPhoto") << QVariant(0);
    QTest::newRow("unreadable answer") << "wrong_truncated.json" << QByteArray("getUsername") << QVariant(QString());
    // A failed answer is kept: its error code tells the page why.
    QTest::newRow("failed answer's error code") << "profile_failed.json" << QByteArray("getErrorCode") << QVariant(7);
}

void TestProfileView::getters()
{
    QFETCH(QString, answer);
    QFETCH(QByteArray, getter);
    QFETCH(QVariant, value);

    ProfileViewManager manager;
    manager.parseJSON(fixture(answer));
    QCOMPARE(get(manager, getter), value);
}

void TestProfileView::recentPhotosAndBadges()
{
    ScopedWorkingDir dir;
    GlobalServices hub;
    GlobalServices::setInstance(&hub);
    const auto forgetHub = qScopeGuard([] { GlobalServices::setInstance(nullptr); });

    ProfileViewManager manager;
    ProfileRecentImagesModel *recent = manager.recentImagesModel();
    ProfileBadgeModel *badges = manager.badgeModel();
    QCOMPARE(recent->parent(), &manager);
    QCOMPARE(badges->parent(), &manager);
    attachTester(recent);
    attachTester(badges);
    QSignalSpy accessChanges(&hub, &GlobalServices::accessLevelSaltChanged);

    QVERIFY(manager.parseJSON(fixture(QStringLiteral("profile.json"))));
    QCOMPARE(intColumn(*recent, kPictureId), (QList<int>{7, 4, 3}));
    // Other screens take over the access data of every recent photo.
    QCOMPARE(accessChanges.count(), 3);
    for (int row = 0; row < 3; ++row) {
        const QModelIndex index = recent->index(row, 0);
        QCOMPARE(accessChanges.at(row), (QVariantList{recent->data(index, kPictureId), recent->data(index, kAccessLevel),
                                                       recent->data(index, kSalt)}));
    }

    const QHash<int, QByteArray> badgeRoles{{56, "_badgeSource"}, {57, "_badge_id"}, {58, "_badgeName"},
                                            {59, "_description"}, {60, "_bigBadgeSource"}, {61, "_smallBadgeSource"}};
    QCOMPARE(badges->roleNames(), badgeRoles);
    QCOMPARE(badges->rowCount(), 2);
    const QModelIndex second = badges->index(1, 0);
    QCOMPARE(badges->data(second, 56), QVariant("http://127.0.0.1/badges/7_96.png"));
    QCOMPARE(badges->data(second, 60), QVariant("http://127.0.0.1/badges/7_96.png"));
    QCOMPARE(badges->data(second, 61), QVariant("http://127.0.0.1/badges/7.png"));
    QCOMPARE(badges->data(second, 57), QVariant(7));
    QCOMPARE(badges->data(second, 58), QVariant("Globetrotter"));
    QCOMPARE(badges->data(second, 59), QVariant("Posted from five countries"));
    QCOMPARE(badges->data(second, 99), QVariant(1));

    // The next profile replaces both lists.
    QVERIFY(manager.parseJSON(fixture(QStringLiteral("profile_sparse.json"))));
    QCOMPARE(recent->rowCount(), 0);
    QCOMPARE(badges->rowCount(), 0);
}

void TestProfileView::failedProfileKeepsPhotos()
{
    ProfileViewManager manager;
    attachTester(manager.recentImagesModel());
    attachTester(manager.badgeModel());
    QVERIFY(manager.parseJSON(fixture(QStringLiteral("profile.json"))));

    for (const char *answer : {"profile_failed.json", "wrong_truncated.json"}) {
        QVERIFY(!manager.parseJSON(fixture(answer)));
        QCOMPARE(manager.recentImagesModel()->rowCount(), 3);
        QCOMPARE(manager.badgeModel()->rowCount(), 2);
    }
    QVERIFY(!manager.parseJSON(fixture(QStringLiteral("profile_failed.json"))));
    QCOMPARE(manager.getErrorCode(), 7);
    QCOMPARE(manager.getUsername(), QString());
}

void TestProfileView::photoEdits()
{
    ProfileViewManager manager;
    ProfileRecentImagesModel *recent = manager.recentImagesModel();
    attachTester(recent);
    QVERIFY(manager.parseJSON(fixture(QStringLiteral("profile.json"))));
    QSignalSpy layouts(recent, &QAbstractItemModel::layoutChanged);

    manager.setLovedCommentedData(4, 20, true, 6, true);
    QCOMPARE(layouts.count(), 1);
    const QModelIndex four = recent->index(1, 0);
    QCOMPARE(recent->data(four, kLoveCount), QVariant(20));
    QCOMPARE(recent->data(four, kDoneLove), QVariant(true));
    QCOMPARE(recent->data(four, kCommentCount), QVariant(6));

    manager.setPhotoName(4, QStringLiteral("Old tram, 1962"));
    QCOMPARE(layouts.count(), 1);
    QCOMPARE(recent->rows().at(1).toMap().value("name").toString(), QStringLiteral("Old tram, 1962"));

    manager.setAccessLevelSalt(4, QStringLiteral("2"), QStringLiteral("snew"));
    QCOMPARE(layouts.count(), 2);
    QCOMPARE(recent->data(four, kSalt), QVariant("snew"));

    manager.setBio(QStringLiteral("Trams and trains."));
    QCOMPARE(manager.getBio(), QStringLiteral("Trams and trains."));
    manager.setBio(QString());
    QCOMPARE(manager.getBio(), QStringLiteral("-"));
}

void TestProfileView::userTimeline_data()
{
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QList<int>>("ids");
    QTest::addColumn<int>("lastParsedRowCount");
    QTest::addColumn<int>("errorCode");

    QTest::newRow("one page") << QStringList{"user_timeline_1.json"} << QList<int>{31, 7, 4} << 3 << 0;
    QTest::newRow("two pages") << QStringList{"user_timeline_1.json", "user_timeline_2.json"}
                               << QList<int>{31, 7, 4, 3, 2} << 2 << 0;
    QTest::newRow("failed page") << QStringList{"user_timeline_1.json", "user_timeline_failed.json"}
                                 << QList<int>{31, 7, 4} << 3 << 7;
    QTest::newRow("failed, then a page") << QStringList{"user_timeline_failed.json", "user_timeline_2.json"}
                                         << QList<int>{3, 2} << 2 << 0;
    QTest::newRow("unreadable page keeps the error code")
        << QStringList{"user_timeline_failed.json", "wrong_truncated.json"} << QList<int>{} << 0 << 7;
    QTest::newRow("empty page") << QStringList{"user_timeline_1.json", "timeline_empty.json"} << QList<int>{31, 7, 4}
                                << 0 << 0;
}

void TestProfileView::userTimeline()
{
    QFETCH(QStringList, pages);
    QFETCH(QList<int>, ids);
    QFETCH(int, lastParsedRowCount);
    QFETCH(int, errorCode);

    UserTimelineModel model;
    attachTester(&model);
    for (const QString &page : pages)
        model.parseJSON(fixture(page));
    QCOMPARE(intColumn(model, kPictureId), ids);
    QCOMPARE(model.getLastParsedRowCount(), lastParsedRowCount);
    QCOMPARE(model.getErrorCode(), errorCode);
    QCOMPARE(model.getOldestPictureId(), ids.isEmpty() ? 0 : ids.last());
}

void TestProfileView::userTimelineEdits()
{
    UserTimelineModel model;
    attachTester(&model);
    model.parseJSON(fixture(QStringLiteral("user_timeline_1.json")));
    model.parseJSON(fixture(QStringLiteral("user_timeline_2.json")));
    QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);

    model.setLovedData(7, 11, true);
    model.setCommentedData(7, 2, true);
    QCOMPARE(model.data(model.index(1, 0), kLoveCount), QVariant(11));
    QCOMPARE(model.data(model.index(1, 0), kCommentCount), QVariant(2));
    model.setAccessLevelSalt(3, QStringLiteral("1"), QStringLiteral("s3"));
    QCOMPARE(model.data(model.index(3, 0), kAccessLevel), QVariant("1"));
    QCOMPARE(layouts.count(), 3);

    model.removePictureById(2);
    QCOMPARE(intColumn(model, kPictureId), (QList<int>{31, 7, 4, 3}));
    QCOMPARE(model.getOldestPictureId(), 3);
}

QTEST_MAIN(TestProfileView)
#include "tst_profileview.moc"
