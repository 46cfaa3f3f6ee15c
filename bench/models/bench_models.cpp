#include "models/popularmodel.h"
#include "models/timelinemodel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

constexpr int kRuns = 201;

// A photo-list answer of `count` realistic records, ids falling from `newestId`.
QByteArray photoPage(int newestId, int count)
{
    QFile file(QStringLiteral(TAVIRO_TEST_DATA "/models/timeline_5_4.json"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture");
    const QVariantList models = QJsonDocument::fromJson(file.readAll()).toVariant().toMap().value("data").toList();
    QVariantList records;
    for (int i = 0; i < count; ++i) {
        QVariantMap record = models.at(i % models.size()).toMap();
        const int id = newestId - i;
        record.insert(QStringLiteral("picture_id"), id);
        record.insert(QStringLiteral("picture_code"), QStringLiteral("p%1x").arg(id, 6, 10, QLatin1Char('0')));
        record.insert(QStringLiteral("name"), QStringLiteral("Photo number %1 of the day").arg(id));
        record.insert(QStringLiteral("love_count"), id % 97);
        records.append(record);
    }
    return QJsonDocument::fromVariant(QVariantMap{{"success", true}, {"data", records}}).toJson(QJsonDocument::Compact);
}

// Reads every role of every row, as the delegates of a view showing them do.
void showAll(const QAbstractItemModel &model)
{
    const QList<int> roles = model.roleNames().keys();
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row, 0);
        for (int role : roles)
            model.data(index, role);
    }
}

// The median wall time of a step over fresh states, the preparation untimed.
template<typename Prepare, typename Step>
void reportMedian(Prepare prepare, Step step)
{
    QVector<qint64> times;
    times.reserve(kRuns);
    for (int run = 0; run < kRuns; ++run) {
        auto state = prepare();
        QElapsedTimer timer;
        timer.start();
        step(*state);
        times.append(timer.nsecsElapsed());
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    QTest::setBenchmarkResult(times.at(kRuns / 2), QTest::WalltimeNanoseconds);
}

} // namespace

class BenchModels : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void refreshPage_data();
    void refreshPage();
    void loadMorePage();
    void parseOnly();
    void saveOnly();
    void popularPage();
    void showPage();
    void showTimeline1000();
    void lovedTimeline1000();
    void restoreTimeline();

private:
    std::unique_ptr<TimelineModel> timelineWith(int rows);

    QTemporaryDir m_dir;
    QString m_previousDir;
    QByteArray m_page;
};

void BenchModels::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_previousDir = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    m_page = photoPage(100000, 30);
}

void BenchModels::cleanupTestCase()
{
    QDir::setCurrent(m_previousDir);
}

std::unique_ptr<TimelineModel> BenchModels::timelineWith(int rows)
{
    auto model = std::make_unique<TimelineModel>();
    model->clear();
    if (rows > 0)
        model->parseJSON(photoPage(rows, rows), true);
    return model;
}

void BenchModels::refreshPage_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("onto 30 restored rows") << 30;
    QTest::newRow("onto 1000 rows") << 1000;
}

// The whole road of a refresh: parse, put on top, save the first 30, reset.
void BenchModels::refreshPage()
{
    QFETCH(int, rows);
    reportMedian([this, rows] { return timelineWith(rows); },
                 [this](TimelineModel &model) { model.parseJSON(m_page, false); });
}

void BenchModels::loadMorePage()
{
    reportMedian([this] { return timelineWith(1000); },
                 [this](TimelineModel &model) { model.parseJSON(m_page, true); });
}

void BenchModels::parseOnly()
{
    QBENCHMARK {
        QJsonDocument::fromJson(m_page).toVariant();
    }
}

void BenchModels::saveOnly()
{
    const auto model = timelineWith(30);
    QBENCHMARK {
        model->saveJSON();
    }
}

void BenchModels::popularPage()
{
    PopularModel model;
    QBENCHMARK {
        model.parseJSON(m_page);
    }
}

void BenchModels::showPage()
{
    PopularModel model;
    model.parseJSON(m_page);
    QBENCHMARK {
        showAll(model);
    }
}

void BenchModels::showTimeline1000()
{
    const auto model = timelineWith(1000);
    QBENCHMARK {
        showAll(*model);
    }
}

void BenchModels::lovedTimeline1000()
{
    const auto model = timelineWith(1000);
    int count = 0;
    QBENCHMARK {
        model->setLovedData(500, ++count, true);
    }
}

void BenchModels::restoreTimeline()
{
    const auto model = timelineWith(30);
    QBENCHMARK {
        model->loadJSON();
    }
}

QTEST_MAIN(BenchModels)
#include "bench_models.moc"
