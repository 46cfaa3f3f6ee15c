#include "app/globalservices.h"
#include "app/qmltypes.h"
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

#include <QMetaMethod>
#include <QMetaProperty>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQmlListReference>
#include <QtTest>

Q_DECLARE_METATYPE(const QMetaObject *)

namespace {

// "result name(type parameter, ...)" for every invokable the class itself declares, in order.
QStringList invokables(const QMetaObject &meta)
{
    QStringList result;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.methodType() != QMetaMethod::Method)
            continue;
        QStringList parameters;
        for (int p = 0; p < method.parameterCount(); ++p)
            parameters.append(method.parameterTypes().at(p) + ' ' + method.parameterNames().at(p));
        result.append(QStringLiteral("%1 %2(%3)").arg(method.typeName(), method.name(), parameters.join(", ")));
    }
    return result;
}

// "type name [writable] notify" for every property the class itself declares.
QStringList properties(const QMetaObject &meta)
{
    QStringList result;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        result.append(QStringLiteral("%1 %2%3 %4")
                          .arg(property.typeName(), property.name(), property.isWritable() ? " writable" : "",
                               property.notifySignal().methodSignature()));
    }
    return result;
}

const QString kLoved = QStringLiteral("void setLovedData(int picture_id, int count, bool done_love)");
const QString kCommented = QStringLiteral("void setCommentedData(int picture_id, int count, bool done_comment)");
const QString kLovedCommented = QStringLiteral(
    "void setLovedCommentedData(int picture_id, int love_count, bool done_love, int comment_count, bool done_comment)");
const QString kPhotoName = QStringLiteral("void setPhotoName(int picture_id, QString name)");
const QString kAccess = QStringLiteral("void setAccessLevelSalt(int picture_id, QString access_level, QString salt)");
const QString kRefreshing = QStringLiteral("bool isRefreshing writable isRefreshingChanged(bool)");
const QString kLoadingMore = QStringLiteral("bool isLoadingMore writable isLoadingMoreChanged(bool)");

} // namespace

class TestModelsContract : public QObject
{
    Q_OBJECT
private slots:
    void interfaces_data();
    void interfaces();
    void qmlTypes();
    void sharedModels();
};

void TestModelsContract::interfaces_data()
{
    QTest::addColumn<const QMetaObject *>("meta");
    QTest::addColumn<QStringList>("expectedInvokables");
    QTest::addColumn<QStringList>("expectedProperties");

    QTest::newRow("TimelineModel")
        << &TimelineModel::staticMetaObject
        << QStringList{"bool parseJSON(QByteArray data, bool loadMore)", "bool parseJSON(QByteArray data)",
                       "bool parsePhotoSummaryJSON(QByteArray data)", "void saveJSON()", "void loadJSON()",
                       "void clear()", "int getNewestId()", "int getOldestId()", "int getCount()",
                       "int getLastParsedRowCount()", "QString getPictureIds()", "void removePictureById(int pictureId)",
                       kLoved, kCommented, kLovedCommented, kPhotoName, kAccess}
        << QStringList{kRefreshing, kLoadingMore};
    QTest::newRow("PopularModel")
        << &PopularModel::staticMetaObject
        << QStringList{"void parseJSON(QByteArray data)", "void clear()", "int getCount()",
                       "void removePictureById(int pictureId)", kLoved, kCommented, kLovedCommented, kPhotoName}
        << QStringList{kRefreshing};
    QTest::newRow("FrontPageModel")
        << &FrontPageModel::staticMetaObject
        << QStringList{"void parseJSON(QByteArray data)", "void clear()", "int getCount()", kLoved, kCommented,
                       kLovedCommented}
        << QStringList{kRefreshing};
    QTest::newRow("NotificationsModel")
        << &NotificationsModel::staticMetaObject
        << QStringList{"bool parseJSON(QByteArray data, bool loadMore)", "bool parseJSON(QByteArray data)",
                       "void saveJSON()", "void loadJSON()", "void clear()", "int getNewestId(QString listName)",
                       "int getOldestId(QString listName)", "int getStats(QString listName)",
                       "void switchListIndex(int listIndex)", "void switchListIndex(int listIndex, int contentY)",
                       "bool isBlank()", "int getContentY(int listIndex)", "void markAllAsRead()",
                       "void saveNotifications()", "bool isLoading()", "int getOldestId()",
                       "int decreaseFollowRequestCount()", "void removeFollowRequestItem()",
                       "void answerFollowRequest(int user_id, bool accepted)",
                       "void setFollow(QString username, bool followed)", kLoved, kCommented, kLovedCommented,
                       kPhotoName,
                       // Added for the offline start: the saved notifications read back.
                       "bool loadNotifications()"}
        << QStringList{kRefreshing, kLoadingMore,
                       "int lastReadNotificationId writable lastReadNotificationIdChanged(int)"};
    QTest::newRow("ProfileViewManager")
        << &ProfileViewManager::staticMetaObject
        << QStringList{"bool parseJSON(QByteArray data)", kLovedCommented, kPhotoName, "void setBio(QString bio)",
                       kAccess, "int getErrorCode()", "int getUserId()", "QString getUsername()", "int getNumOfPhoto()",
                       "int getNumOfFollower()", "int getNumOfFollowing()", "QString getBio()",
                       "QString getProfilePictureCode()", "QVariant getProfilePictureInfo()", "bool getFollowed()",
                       "bool getFollowRequested()", "bool getUseTwitter()", "bool getUseFacebook()",
                       "bool getUseTumblr()", "bool getUseFlickr()", "bool getUseWeibo()", "bool getUseVk()",
                       "bool getUseDropBox()", "bool getUseGDrive()", "bool getUsePicasa()", "bool getBlocked()",
                       "QString getEmail()", "bool getProtected()"}
        << QStringList{kRefreshing, "ProfileRecentImagesModel* recentImagesModel recentImagesModelChanged()",
                       "ProfileBadgeModel* badgeModel badgeModelChanged()"};
    QTest::newRow("ProfileRecentImagesModel") << &ProfileRecentImagesModel::staticMetaObject << QStringList{}
                                              << QStringList{};
    QTest::newRow("ProfileBadgeModel") << &ProfileBadgeModel::staticMetaObject << QStringList{} << QStringList{};
    QTest::newRow("UserTimelineModel")
        << &UserTimelineModel::staticMetaObject
        << QStringList{"void parseJSON(QByteArray data)", "int getOldestPictureId()",
                       "void removePictureById(int pictureId)", "int getLastParsedRowCount()", "int getErrorCode()",
                       kLoved, kCommented, kLovedCommented, kPhotoName, kAccess}
        << QStringList{};
    QTest::newRow("FriendListModel")
        << &FriendListModel::staticMetaObject
        << QStringList{"bool parseJSON(QByteArray data)", "void clear()", "int getCount()",
                       "int getLastParsedRowCount()", "void setFollowStatus(QString username, bool followed)",
                       "void setBlockedStatus(int user_id, bool blocked)", "int getOldestId()", "int getErrorCode()"}
        << QStringList{};
    QTest::newRow("CommentListModel")
        << &CommentListModel::staticMetaObject
        << QStringList{"bool parseJSON(QByteArray data)", "int getLastParsedRowCount()", "void clear()",
                       "int getOldestId()", "void deleteComment(int comment_id)", "int getLoveCountFromStats()",
                       "int getCommentCountFromStats()", "bool getIsLoveFromStats()", "int getErrorCode()",
                       "bool getHasMore()"}
        << QStringList{};
    QTest::newRow("FollowRequestListModel")
        << &FollowRequestListModel::staticMetaObject
        << QStringList{"bool parseJSON(QByteArray data)", "void clear()", "int getCount()",
                       "int getLastParsedRowCount()", "int getOldestId()", "bool getHasMore()"}
        << QStringList{};
}

void TestModelsContract::interfaces()
{
    QFETCH(const QMetaObject *, meta);
    QFETCH(QStringList, expectedInvokables);
    QFETCH(QStringList, expectedProperties);

    // The intermediate list classes add nothing QML could see.
    for (const QMetaObject *base = meta->superClass();
         base == &PhotoListModel::staticMetaObject || base == &RecordListModel::staticMetaObject;
         base = base->superClass()) {
        QCOMPARE(invokables(*base), QStringList());
        QCOMPARE(properties(*base), QStringList());
    }
    QCOMPARE(invokables(*meta), expectedInvokables);
    QCOMPARE(properties(*meta), expectedProperties);
}

void TestModelsContract::qmlTypes()
{
    registerQmlTypes();
    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData(R"(
        import QtQml 2.15
        import TAVIROLib 1.0
        QtObject {
            property list<QtObject> objects: [
                ProfileViewManager {}, ProfileRecentImagesModel {}, ProfileBadgeModel {}, UserTimelineModel {},
                FrontPageModel {}, FriendListModel {}, CommentListModel {}, FollowRequestListModel {}
            ]
            property int badgeRows: objects[0].badgeModel.rowCount()
        }
    )", QUrl());
    std::unique_ptr<QObject> root(component.create());
    QVERIFY2(root, qPrintable(component.errorString()));
    QStringList classes;
    QQmlListReference objects(root.get(), "objects");
    for (int i = 0; i < objects.count(); ++i)
        classes.append(objects.at(i)->metaObject()->className());
    QCOMPARE(classes, (QStringList{"ProfileViewManager", "ProfileRecentImagesModel", "ProfileBadgeModel",
                                   "UserTimelineModel", "FrontPageModel", "FriendListModel", "CommentListModel",
                                   "FollowRequestListModel"}));
    QCOMPARE(root->property("badgeRows"), QVariant(0));
}

void TestModelsContract::sharedModels()
{
    ScopedWorkingDir dir;
    {
        TimelineModel saved;
        QVERIFY(saved.parseJSON(fixture(QStringLiteral("timeline_5_4.json"))));
    }
    QVERIFY(!NotificationsModel::getInstance());

    QPointer<GlobalServices> hub = new GlobalServices;
    QObject *notifications = NotificationsModel::getInstance();
    QObject *popular = PopularModel::getInstance();
    TimelineModel *timeline = TimelineModel::getInstance();
    QVERIFY(notifications && popular && timeline);
    QCOMPARE(notifications->parent(), nullptr);
    QCOMPARE(popular->parent(), nullptr);
    QCOMPARE(timeline->parent(), nullptr);
    // The saved timeline shows before the first answer.
    QCOMPARE(timeline->getCount(), 2);

    hub->destroyObjects();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!hub);
    QVERIFY(!NotificationsModel::getInstance());
    QVERIFY(!PopularModel::getInstance());
    QVERIFY(!TimelineModel::getInstance());
}

QTEST_MAIN(TestModelsContract)
#include "tst_modelscontract.moc"
