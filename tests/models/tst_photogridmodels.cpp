#include "models/frontpagemodel.h"
#include "models/popularmodel.h"
#include "tests/models/modelstesthelpers.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

constexpr int kPictureId = 34;
constexpr int kLoveCount = 45;
constexpr int kAccessLevel = 53;
constexpr int kSalt = 54;

// The two grids behind one interface, so that each case runs on both.
struct Grid {
    std::unique_ptr<QAbstractItemModel> model;
    std::function<void(const QByteArray &)> parse;
    std::function<void()> clear;
    std::function<void(int, int, bool)> setLovedData;
};

Grid makeGrid(const QString &kind)
{
    if (kind == QLatin1String("popular")) {
        auto model = std::make_unique<PopularModel>();
        PopularModel *grid = model.get();
        return {std::move(model), [grid](const QByteArray &data) { grid->parseJSON(data); }, [grid] { grid->clear(); },
                [grid](int id, int count, bool done) { grid->setLovedData(id, count, done); }};
    }
    auto model = std::make_unique<FrontPageModel>();
    FrontPageModel *grid = model.get();
    return {std::move(model), [grid](const QByteArray &data) { grid->parseJSON(data); }, [grid] { grid->clear(); },
            [grid](int id, int count, bool done) { grid->setLovedData(id, count, done); }};
}

} // namespace

class TestPhotoGridModels : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { registerModelSignalTypes(); }
    void answers_data();
    void answers();
    void lovedData_data();
    void lovedData();
    void accessRoles_data();
    void accessRoles();
    void popularRemovalAndCaption();
};

void TestPhotoGridModels::answers_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QList<int>>("ids");

    for (const QString kind : {"popular", "front page"}) {
        QTest::addRow("%s: one answer", qPrintable(kind)) << kind << QStringList{"popular.json"} << QList<int>{11, 12, 13};
        QTest::addRow("%s: second answer replaces the first", qPrintable(kind))
            << kind << QStringList{"popular.json", "popular_second.json"} << QList<int>{21, 22};
        QTest::addRow("%s: failed answer keeps the grid", qPrintable(kind))
            << kind << QStringList{"popular.json", "timeline_failed.json"} << QList<int>{11, 12, 13};
        QTest::addRow("%s: truncated answer keeps the grid", qPrintable(kind))
            << kind << QStringList{"frontpage.json", "wrong_truncated.json"} << QList<int>{31, 12, 22};
        QTest::addRow("%s: empty answer empties the grid", qPrintable(kind))
            << kind << QStringList{"popular.json", "timeline_empty.json"} << QList<int>{};
        QTest::addRow("%s: clear", qPrintable(kind)) << kind << QStringList{"popular.json", "clear"} << QList<int>{};
    }
}

void TestPhotoGridModels::answers()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, answers);
    QFETCH(QList<int>, ids);

    Grid grid = makeGrid(kind);
    attachTester(grid.model.get());
    for (const QString &answer : answers) {
        if (answer == QLatin1String("clear"))
            grid.clear();
        else
            grid.parse(fixture(answer));
    }
    QCOMPARE(intColumn(*grid.model, kPictureId), ids);
}

void TestPhotoGridModels::lovedData_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addRow("popular") << "popular";
    QTest::addRow("front page") << "front page";
}

void TestPhotoGridModels::lovedData()
{
    QFETCH(QString, kind);

    Grid grid = makeGrid(kind);
    attachTester(grid.model.get());
    grid.parse(R"({"success":true,"data":[{"picture_id":12,"love_count":3},{"picture_id":13,"love_count":4},
                                          {"picture_id":12,"love_count":3}]})");
    QSignalSpy layouts(grid.model.get(), &QAbstractItemModel::layoutChanged);
    grid.setLovedData(12, 5, true);
    QCOMPARE(intColumn(*grid.model, kLoveCount), (QList<int>{5, 4, 5}));
    grid.setLovedData(99, 5, true);
    QCOMPARE(layouts.count(), 2);
}

void TestPhotoGridModels::accessRoles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QVariant>("accessLevel");
    QTest::addColumn<QVariant>("salt");

    const QVariantMap photo = fixtureObject(QStringLiteral("frontpage.json"))
                                  .value(QStringLiteral("data")).toList().at(1).toMap();
    QTest::addRow("popular") << "popular" << photo.value("access_level") << photo.value("salt");
    // The front page has no access roles: they answer the row number.
    QTest::addRow("front page") << "front page" << QVariant(1) << QVariant(1);
}

void TestPhotoGridModels::accessRoles()
{
    QFETCH(QString, kind);
    QFETCH(QVariant, accessLevel);
    QFETCH(QVariant, salt);

    Grid grid = makeGrid(kind);
    grid.parse(fixture(QStringLiteral("frontpage.json")));
    const QModelIndex second = grid.model->index(1, 0);
    QCOMPARE(grid.model->data(second, kAccessLevel), accessLevel);
    QCOMPARE(grid.model->data(second, kSalt), salt);
    QCOMPARE(grid.model->roleNames().contains(kAccessLevel), kind == QLatin1String("popular"));
    QCOMPARE(grid.model->roleNames().size(), kind == QLatin1String("popular") ? 11 : 9);
}

void TestPhotoGridModels::popularRemovalAndCaption()
{
    PopularModel model;
    attachTester(&model);
    model.parseJSON(fixture(QStringLiteral("popular.json")));
    QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);

    model.setPhotoName(12, QStringLiteral("Lanterns at night"));
    QCOMPARE(layouts.count(), 0);
    QCOMPARE(model.rows().at(1).toMap().value("name").toString(), QStringLiteral("Lanterns at night"));

    model.removePictureById(12);
    QCOMPARE(layouts.count(), 1);
    QCOMPARE(intColumn(model, kPictureId), (QList<int>{11, 13}));
    QCOMPARE(model.getCount(), 2);
}

QTEST_MAIN(TestPhotoGridModels)
#include "tst_photogridmodels.moc"
