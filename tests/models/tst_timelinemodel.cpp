#include "app/globalservices.h"
#include "models/timelinemodel.h"
#include "tests/models/modelstesthelpers.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <unistd.h>

namespace {

enum Role { PictureInfo = 33, PictureId = 34, Name = 35, Username = 38, PictureCode = 43, LoveCount = 45,
            CommentCount = 46, CreateTime = 48, DoneLove = 51, AccessLevel = 53, Salt = 54 };

const QString kSaveFile = QStringLiteral("sav/timeline.sav");

QVariantList savedRows()
{
    QFile file(kSaveFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).toVariant().toList();
}

QByteArray savedBytes()
{
    QFile file(kSaveFile);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<int> descending(int from, int count)
{
    QList<int> ids;
    for (int i = 0; i < count; ++i)
        ids.append(from - i);
    return ids;
}

} // namespace

class TestTimelineModel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { registerModelSignalTypes(); }
    void init() { m_dir = std::make_unique<ScopedWorkingDir>(); }
    void cleanup() { m_dir.reset(); }

    void merge_data();
    void merge();
    void saveAndRestore_data();
    void saveAndRestore();
    void unreadableSaveFile_data();
    void unreadableSaveFile();
    void saveReplacesFileWhole();
    void failedSaveLeavesNoTrace();
    void clear();
    void fieldUpdates_data();
    void fieldUpdates();
    void removePictureById();
    void photoSummary();
    void roles();

private:
    std::unique_ptr<ScopedWorkingDir> m_dir;
};

void TestTimelineModel::merge_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("lastResult");
    QTest::addColumn<QList<int>>("ids");
    QTest::addColumn<int>("lastParsedRowCount");

    QTest::newRow("first page") << QStringList{"refresh:timeline_5_4.json"} << true << QList<int>{5, 4} << 2;
    QTest::newRow("refresh goes on top")
        << QStringList{"refresh:timeline_5_4.json", "refresh:timeline_7_6.json"} << true << QList<int>{7, 6, 5, 4} << 2;
    QTest::newRow("then load more goes below")
        << QStringList{"refresh:timeline_5_4.json", "refresh:timeline_7_6.json", "more:timeline_3_2.json"} << true
        << QList<int>{7, 6, 5, 4, 3, 2} << 2;
    QTest::newRow("empty refresh") << QStringList{"refresh:timeline_5_4.json", "refresh:timeline_empty.json"} << true
                                   << QList<int>{5, 4} << 0;
    QTest::newRow("empty load more") << QStringList{"refresh:timeline_5_4.json", "more:timeline_empty.json"} << true
                                     << QList<int>{5, 4} << 0;
    QTest::newRow("failed answer") << QStringList{"refresh:timeline_5_4.json", "refresh:timeline_failed.json"} << false
                                   << QList<int>{5, 4} << 2;
    QTest::newRow("truncated answer") << QStringList{"refresh:timeline_5_4.json", "more:wrong_truncated.json"} << false
                                      << QList<int>{5, 4} << 2;
    QTest::newRow("no de-duplication") << QStringList{"refresh:timeline_7_6.json", "refresh:timeline_7_6.json"} << true
                                       << QList<int>{7, 6, 7, 6} << 2;
    QTest::newRow("failed first answer") << QStringList{"refresh:timeline_failed.json"} << false << QList<int>{} << 0;
}

void TestTimelineModel::merge()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, lastResult);
    QFETCH(QList<int>, ids);
    QFETCH(int, lastParsedRowCount);

    TimelineModel model;
    attachTester(&model);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    bool result = false;
    for (const QString &step : steps) {
        resets.clear();
        const QStringList parts = step.split(QLatin1Char(':'));
        result = model.parseJSON(fixture(parts.at(1)), parts.at(0) == QLatin1String("more"));
    }
    QCOMPARE(result, lastResult);
    QCOMPARE(resets.count(), lastResult ? 1 : 0);
    QCOMPARE(intColumn(model, PictureId), ids);
    QCOMPARE(model.getCount(), ids.size());
    QCOMPARE(model.getLastParsedRowCount(), lastParsedRowCount);
    QCOMPARE(model.getNewestId(), ids.isEmpty() ? 0 : ids.first());
    QCOMPARE(model.getOldestId(), ids.isEmpty() ? 0 : ids.last());
    QStringList codes;
    for (const QVariant &code : column(model, PictureCode))
        codes.append(code.toString());
    QCOMPARE(model.getPictureIds(), codes.join(QLatin1Char(',')));
    QCOMPARE(idsOf(savedRows(), QStringLiteral("picture_id")), ids);
}

void TestTimelineModel::saveAndRestore_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("savedRows");

    QTest::newRow("45 rows") << 45 << 30;
    QTest::newRow("31 rows") << 31 << 30;
    QTest::newRow("30 rows") << 30 << 30;
    QTest::newRow("10 rows") << 10 << 10;
    QTest::newRow("none") << 0 << 0;
}

void TestTimelineModel::saveAndRestore()
{
    QFETCH(int, rows);
    QFETCH(int, savedRows);

    const QList<int> ids = descending(100, rows);
    {
        TimelineModel model;
        attachTester(&model);
        QVERIFY(model.parseJSON(photoPage(ids)));
        QCOMPARE(model.getCount(), rows);
    }
    QCOMPARE(::savedRows().size(), savedRows);

    TimelineModel restored;
    attachTester(&restored);
    QCOMPARE(intColumn(restored, PictureId), ids.mid(0, savedRows));
    QCOMPARE(restored.getLastParsedRowCount(), savedRows);
    // Every field of a saved record comes back.
    if (savedRows > 0) {
        const QVariantMap original = fixtureObject(QStringLiteral("timeline_5_4.json"))
                                         .value(QStringLiteral("data")).toList().first().toMap();
        const QVariantMap back = restored.data(restored.index(0, 0), PictureInfo).toMap();
        QCOMPARE(back.keys(), original.keys());
        QCOMPARE(back.value(QStringLiteral("salt")), original.value(QStringLiteral("salt")));
    }

    QSignalSpy resets(&restored, &QAbstractItemModel::modelReset);
    restored.loadJSON();
    QCOMPARE(resets.count(), 1);
    QCOMPARE(restored.getCount(), savedRows);
}

void TestTimelineModel::unreadableSaveFile_data()
{
    QTest::addColumn<QByteArray>("content");

    QTest::newRow("cut short") << fixture(QStringLiteral("timeline_5_4.json")).left(200);
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("object instead of list") << QByteArray(R"({"success":true,"data":[]})");
    QTest::newRow("not JSON") << QByteArray("timeline");
    QTest::newRow("list of non-objects") << QByteArray(R"([5, "x", null, [1]])");
}

void TestTimelineModel::unreadableSaveFile()
{
    QFETCH(QByteArray, content);

    QVERIFY(QDir().mkdir(QStringLiteral("sav")));
    QFile file(kSaveFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    TimelineModel model;
    attachTester(&model);
    QCOMPARE(model.getCount(), 0);
    QCOMPARE(model.getLastParsedRowCount(), 0);

    QVERIFY(model.parseJSON(fixture(QStringLiteral("timeline_5_4.json"))));
    TimelineModel restored;
    QCOMPARE(intColumn(restored, PictureId), (QList<int>{5, 4}));
}

// The save file is replaced, never rewritten in place: a reader (or a crash)
// sees the old content or the new one, never a mix or an empty file.
void TestTimelineModel::saveReplacesFileWhole()
{
    TimelineModel model;
    QVERIFY(model.parseJSON(fixture(QStringLiteral("timeline_5_4.json"))));
    const QByteArray before = savedBytes();
    QVERIFY(!before.isEmpty());
    QCOMPARE(::link(qPrintable(kSaveFile), "sav/previous.sav"), 0);

    QVERIFY(model.parseJSON(fixture(QStringLiteral("timeline_7_6.json"))));

    QFile previous(QStringLiteral("sav/previous.sav"));
    QVERIFY(previous.open(QIODevice::ReadOnly));
    QCOMPARE(previous.readAll(), before);
    QCOMPARE(idsOf(savedRows(), QStringLiteral("picture_id")), (QList<int>{7, 6, 5, 4}));
    QCOMPARE(QDir(QStringLiteral("sav")).entryList(QDir::Files), (QStringList{"previous.sav", "timeline.sav"}));
}

void TestTimelineModel::failedSaveLeavesNoTrace()
{
    // A folder in the save file's place makes every save fail.
    QVERIFY(QDir().mkpath(kSaveFile));
    TimelineModel model;
    attachTester(&model);
    QVERIFY(model.parseJSON(fixture(QStringLiteral("timeline_5_4.json"))));
    QCOMPARE(model.getCount(), 2);
    QCOMPARE(QDir(QStringLiteral("sav")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"timeline.sav"});
}

void TestTimelineModel::clear()
{
    TimelineModel model;
    attachTester(&model);
    QVERIFY(model.parseJSON(fixture(QStringLiteral("timeline_5_4.json"))));
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    model.clear();
    QCOMPARE(resets.count(), 1);
    QCOMPARE(model.getCount(), 0);
    QCOMPARE(savedBytes(), QByteArray("[]"));
    QCOMPARE(model.getNewestId(), 0);
    QCOMPARE(model.getOldestId(), 0);
    QCOMPARE(model.getPictureIds(), QString());
}

void TestTimelineModel::fieldUpdates_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("pictureId");
    QTest::addColumn<QVariantMap>("expected");
    QTest::addColumn<int>("layoutChanges");

    const QVariantMap seven = fixtureObject(QStringLiteral("timeline_duplicate.json"))
                                  .value(QStringLiteral("data")).toList().first().toMap();
    QTest::newRow("loved") << "setLovedData" << 7
                           << QVariantMap{{"love_count", 40}, {"done_love", true}} << 1;
    QTest::newRow("commented") << "setCommentedData" << 7
                               << QVariantMap{{"comment_count", 9}, {"done_comment", true}} << 1;
    QTest::newRow("loved and commented")
        << "setLovedCommentedData" << 7
        << QVariantMap{{"love_count", 41}, {"done_love", true}, {"comment_count", 10}, {"done_comment", true}} << 1;
    QTest::newRow("caption") << "setPhotoName" << 7 << QVariantMap{{"name", "Night market, Bangkok"}} << 0;
    QTest::newRow("access level") << "setAccessLevelSalt" << 7 << QVariantMap{{"access_level", "2"}, {"salt", "s9"}} << 1;
    QTest::newRow("same access level")
        << "setAccessLevelSalt" << 7
        << QVariantMap{{"access_level", seven.value("access_level")}, {"salt", seven.value("salt")}} << 0;
    QTest::newRow("loved, photo not listed") << "setLovedData" << 55
                                             << QVariantMap{{"love_count", 1}, {"done_love", true}} << 1;
    QTest::newRow("access level, photo not listed")
        << "setAccessLevelSalt" << 55 << QVariantMap{{"access_level", "2"}, {"salt", "s9"}} << 0;
}

void TestTimelineModel::fieldUpdates()
{
    QFETCH(QString, operation);
    QFETCH(int, pictureId);
    QFETCH(QVariantMap, expected);
    QFETCH(int, layoutChanges);

    TimelineModel model;
    attachTester(&model);
    QVERIFY(model.parseJSON(fixture(QStringLiteral("timeline_duplicate.json"))));
    const QVariantList before = model.rows();
    const QByteArray saved = savedBytes();
    QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);

    const auto value = [&expected](const char *key) { return expected.value(QLatin1String(key)); };
    if (operation == QLatin1String("setLovedData"))
        model.setLovedData(pictureId, value("love_count").toInt(), value("done_love").toBool());
    else if (operation == QLatin1String("setCommentedData"))
        model.setCommentedData(pictureId, value("comment_count").toInt(), value("done_comment").toBool());
    else if (operation == QLatin1String("setLovedCommentedData"))
        model.setLovedCommentedData(pictureId, value("love_count").toInt(), value("done_love").toBool(),
                                    value("comment_count").toInt(), value("done_comment").toBool());
    else if (operation == QLatin1String("setPhotoName"))
        model.setPhotoName(pictureId, value("name").toString());
    else
        model.setAccessLevelSalt(pictureId, value("access_level").toString(), value("salt").toString());

    QCOMPARE(layouts.count(), layoutChanges);
    QCOMPARE(model.getCount(), before.size());
    for (int row = 0; row < model.getCount(); ++row) {
        QVariantMap expectedRow = before.at(row).toMap();
        if (expectedRow.value(QStringLiteral("picture_id")).toInt() == pictureId)
            expectedRow.insert(expected);
        QCOMPARE(model.rows().at(row).toMap(), expectedRow);
    }
    QCOMPARE(savedBytes(), saved);
}

void TestTimelineModel::removePictureById()
{
    TimelineModel model;
    attachTester(&model);
    QVERIFY(model.parseJSON(fixture(QStringLiteral("timeline_duplicate.json"))));
    const QByteArray saved = savedBytes();
    QPersistentModelIndex six(model.index(1, 0));
    QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);

    model.removePictureById(7);
    QCOMPARE(layouts.count(), 1);
    QCOMPARE(intColumn(model, PictureId), QList<int>{6});
    QCOMPARE(six.row(), 0);
    QCOMPARE(savedBytes(), saved);

    model.removePictureById(55);
    QCOMPARE(model.getCount(), 1);
}

void TestTimelineModel::photoSummary()
{
    GlobalServices hub;
    GlobalServices::setInstance(&hub);
    const auto forgetHub = qScopeGuard([] { GlobalServices::setInstance(nullptr); });
    QSignalSpy accessChanges(&hub, &GlobalServices::accessLevelSaltChanged);

    TimelineModel model;
    attachTester(&model);
    QVERIFY(model.parseJSON(fixture(QStringLiteral("timeline_7_6.json"))));
    const QVariantList before = model.rows();
    QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);

    QVERIFY(model.parsePhotoSummaryJSON(fixture(QStringLiteral("photo_summary.json"))));

    // Photo 7: counters equal, salt differs; photo 6: counters differ only.
    QCOMPARE(accessChanges.count(), 1);
    QCOMPARE(accessChanges.first(), (QVariantList{7, before.at(0).toMap().value("access_level").toString(), "s7new"}));
    QCOMPARE(layouts.count(), 1);
    const QModelIndex seven = model.index(0, 0);
    const QModelIndex six = model.index(1, 0);
    QCOMPARE(model.data(seven, Salt).toString(), QStringLiteral("s7new"));
    QCOMPARE(model.data(seven, LoveCount), before.at(0).toMap().value("love_count").toInt());
    QCOMPARE(model.data(six, LoveCount).toInt(), before.at(1).toMap().value("love_count").toInt() + 4);
    QCOMPARE(model.data(six, CommentCount).toInt(), before.at(1).toMap().value("comment_count").toInt() + 1);
    QCOMPARE(model.data(six, DoneLove).toBool(), true);
    QCOMPARE(model.data(six, Salt), before.at(1).toMap().value("salt"));
    QCOMPARE(savedRows().first().toMap().value("salt").toString(), QStringLiteral("s7new"));

    QVERIFY(!model.parsePhotoSummaryJSON(fixture(QStringLiteral("timeline_failed.json"))));
    QVERIFY(!model.parsePhotoSummaryJSON(fixture(QStringLiteral("wrong_truncated.json"))));
    QCOMPARE(accessChanges.count(), 1);
}

void TestTimelineModel::roles()
{
    TimelineModel model;
    attachTester(&model);
    QVERIFY(model.parseJSON(R"({"success":true,"data":[{"picture_id":9,"name":"Harbour"},
                                                       {"picture_id":8,"name":"Pier","username":"mira"}]})"));

    const QHash<int, QByteArray> names{{33, "picture_info"}, {34, "picture_id"}, {35, "name"}, {38, "username"},
                                       {43, "picture_code"}, {45, "love_count"}, {46, "comment_count"},
                                       {48, "create_time"}, {51, "done_love"}, {53, "access_level"}, {54, "salt"}};
    QCOMPARE(model.roleNames(), names);

    const QModelIndex second = model.index(1, 0);
    QCOMPARE(model.data(second, Name), QVariant(1));
    QCOMPARE(model.data(second, 99), QVariant(1));
    QCOMPARE(model.data(second, Username), QVariant(QStringLiteral("mira")));
    QCOMPARE(model.data(model.index(0, 0), Username), QVariant(QString()));
    QCOMPARE(model.data(model.index(0, 0), LoveCount), QVariant(0));
    QCOMPARE(model.data(model.index(0, 0), DoneLove), QVariant(false));
    QCOMPARE(model.data(second, PictureInfo).toMap().value("name"), QVariant("Pier"));
    QCOMPARE(model.data(second, Qt::DisplayRole), QVariant());
    QCOMPARE(model.data(model.index(2, 0), PictureId), QVariant());
}

QTEST_MAIN(TestTimelineModel)
#include "tst_timelinemodel.moc"
