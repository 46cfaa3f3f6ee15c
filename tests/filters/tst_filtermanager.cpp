#include "filters/filtermanager.h"

#include <QDir>
#include <QImage>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString workFolder = QStringLiteral(".TAVIRO/output/");

const QStringList strip{"Original", "Auto Level", "Town", "Surubu", "Butumo", "Zada", "Theel", "Chacha",
                        "Kabi", "Autumn", "Dacho", "Jiya", "Biki", "Wales", "Parlo", "Vivid",
                        "Rosy", "Crossy", "Cartoon", "Vintage", "Sunset", "Pastela", "Ale Sea", "Viridescent",
                        "Pie Hole", "Dreamy Vintage", "Rus", "Rusticana", "Charcoal", "Tilt Shift", "B&W Hi",
                        "Color Picker"};

QStringList names(const QVariantList &filters)
{
    QStringList list;
    for (const QVariant &f : filters)
        list << f.toMap().value("name").toString();
    return list;
}

void writeSource(const QString &name, int side, bool split)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(QColor(220, 60, 40));
    if (split) {
        for (int y = 0; y < side; ++y)
            for (int x = side / 2; x < side; ++x)
                image.setPixel(x, y, qRgb(30, 60, 220));
    }
    QVERIFY(image.save(workFolder + name, "jpg", 100));
}

} // namespace

class TestFilterManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }

    void init()
    {
        QDir(workFolder).removeRecursively();
        QVERIFY(QDir().mkpath(workFolder));
        writeSource("source_preview.jpg", 480, false);
        writeSource("source.jpg", 800, false);
    }

    void catalogue()
    {
        FilterManager manager;
        const QVariantList filters = manager.getFilters();
        QCOMPARE(names(filters), strip);
        const QVariantMap first = filters.first().toMap();
        QCOMPARE(first.keys(), (QStringList{"expensiveFilter", "filterId", "imagesToUnlock", "name", "thumbPath"}));
        QCOMPARE(first.value("filterId").toInt(), 0);
        QCOMPARE(first.value("thumbPath").toString(), QStringLiteral("qml/ui/filterRes/Normal/thumbnail.png"));
        const QVariantMap bw = filters.at(30).toMap();
        QCOMPARE(bw.value("filterId").toInt(), 16);
        QCOMPARE(bw.value("thumbPath").toString(), QStringLiteral("qml/ui/filterRes/BlackWhiteHigh/thumbnail.png"));
        QCOMPARE(filters.at(18).toMap().value("thumbPath").toString(),
                 QStringLiteral("qml/ui/filterRes/AutoLevel/thumbnail.png"));
        for (const QVariant &f : filters) {
            const QVariantMap map = f.toMap();
            QCOMPARE(map.value("imagesToUnlock").toInt(), 0);
            const bool expensive = map.value("name") == "Parlo" || map.value("name") == "Pastela";
            QCOMPARE(map.value("expensiveFilter").toBool(), expensive);
        }
    }

    void cleanAndClear()
    {
        FilterManager manager;
        manager.getFilters();
        manager.unregisterCleanAndClearFilter();
        QCOMPARE(manager.getFilters().size(), 32);
        manager.registerCleanAndClearFilter();
        manager.registerCleanAndClearFilter();
        QStringList expected = strip;
        expected.insert(2, "Clean&Clear");
        const QVariantList filters = manager.getFilters();
        QCOMPARE(names(filters), expected);
        QCOMPARE(filters.at(2).toMap().value("filterId").toInt(), 55);
        manager.unregisterCleanAndClearFilter();
        QCOMPARE(names(manager.getFilters()), strip);
    }

    void cleanAndClearBeforeTheFirstList()
    {
        FilterManager manager;
        manager.registerCleanAndClearFilter();
        const QStringList listed = names(manager.getFilters());
        QCOMPARE(listed.size(), 33);
        QCOMPARE(listed.at(2), QStringLiteral("Clean&Clear"));
    }

    void unknownNames_data()
    {
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("name");
        QTest::newRow("lower-case original") << true << "original";
        QTest::newRow("Original before the list") << false << "Original";
        QTest::newRow("Vivid before the list") << false << "Vivid";
        QTest::newRow("Parlo before the list") << false << "Parlo";
    }

    void unknownNames()
    {
        QFETCH(bool, listed);
        QFETCH(QString, name);
        FilterManager manager;
        if (listed)
            manager.getFilters();
        QSignalSpy errors(&manager, &FilterManager::filterApplyError);
        QSignalSpy previews(&manager, &FilterManager::filterApplyPreviewCompleted);
        manager.applyFilterByName(name, QVariantMap(), true);
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("No filter named ") + name);
        QCOMPARE(previews.count(), 0);
    }

    void cheapPreviewSignalsBeforeReturning()
    {
        FilterManager manager;
        manager.getFilters();
        QSignalSpy previews(&manager, &FilterManager::filterApplyPreviewCompleted);
        manager.applyFilterByName("Vivid", QVariantMap(), true);
        QCOMPARE(previews.count(), 1);
        QCOMPARE(previews.at(0).at(0).toString(), workFolder + "processed_preview_.jpg");
        QCOMPARE(QImage(workFolder + "processed_preview_.jpg").size(), QSize(480, 480));
    }

    void finalRenderSignalsLater()
    {
        FilterManager manager;
        manager.getFilters();
        QSignalSpy finals(&manager, &FilterManager::filterApplyCompleted);
        manager.applyFilterByName("Vivid", QVariantMap());
        QCOMPARE(finals.count(), 0);
        QVERIFY(finals.wait(10000));
        QCOMPARE(finals.at(0).at(0).toString(), workFolder + "processed.jpg");
        QCOMPARE(QImage(workFolder + "processed.jpg").size(), QSize(800, 800));
    }

    void finalResolution()
    {
        FilterManager manager;
        manager.getFilters();
        manager.setFinalImageResolution(1080);
        writeSource("source.jpg", 1080, false);
        QSignalSpy finals(&manager, &FilterManager::filterApplyCompleted);
        manager.applyFilterByName("B&W Hi", QVariantMap(), false, QVariant());
        QVERIFY(finals.wait(10000));
        manager.setFinalImageResolution(0);
        QCOMPARE(FilterManager::finalWidth(), 1080);
        manager.setFinalImageResolution(800);
        QCOMPARE(QImage(workFolder + "processed.jpg").size(), QSize(1080, 1080));
        QCOMPARE(FilterManager::finalPixelCount(), 640000);
    }

    void unavailableFiltersReportAnError_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("preview");
        QTest::newRow("cheap preview") << "Town" << true;
        QTest::newRow("expensive preview") << "Parlo" << true;
        QTest::newRow("final") << "Color Picker" << false;
    }

    void unavailableFiltersReportAnError()
    {
        QFETCH(QString, name);
        QFETCH(bool, preview);
        FilterManager manager;
        manager.getFilters();
        QSignalSpy errors(&manager, &FilterManager::filterApplyError);
        QSignalSpy previews(&manager, &FilterManager::filterApplyPreviewCompleted);
        QSignalSpy finals(&manager, &FilterManager::filterApplyCompleted);
        manager.applyFilterByName(name, QVariantMap(), preview);
        QTRY_COMPARE_WITH_TIMEOUT(errors.count(), 1, 10000);
        QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Filter %1 is not available").arg(name));
        // Unregistering waits for the running workers; their signals are then
        // all queued here, and delivered before the count.
        manager.unregisterCleanAndClearFilter();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(previews.count() + finals.count(), 0);
        QVERIFY(!QFile::exists(workFolder + (preview ? "processed_preview_.jpg" : "processed.jpg")));
    }

    void missingSourceReportsAnError()
    {
        QVERIFY(QFile::remove(workFolder + "source.jpg"));
        FilterManager manager;
        manager.getFilters();
        QSignalSpy errors(&manager, &FilterManager::filterApplyError);
        QSignalSpy finals(&manager, &FilterManager::filterApplyCompleted);
        manager.applyFilterByName("Rosy", QVariantMap());
        QVERIFY(errors.wait(10000));
        QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Cannot read .TAVIRO/output/source.jpg"));
        QCOMPARE(finals.count(), 0);
    }

    // A preview and several final renders of one filter at once share its
    // cached levels; the manager going away waits for its workers.
    void concurrentRuns()
    {
        auto manager = std::make_unique<FilterManager>();
        manager->getFilters();
        QSignalSpy finals(manager.get(), &FilterManager::filterApplyCompleted);
        QSignalSpy previews(manager.get(), &FilterManager::filterApplyPreviewCompleted);
        for (int i = 0; i < 3; ++i) {
            manager->applyFilterByName("Rusticana", QVariantMap());
            manager->applyFilterByName("Rusticana", QVariantMap(), true);
        }
        QTRY_COMPARE_WITH_TIMEOUT(finals.count(), 3, 20000);
        QCOMPARE(previews.count(), 3);

        manager->applyFilterByName("Auto Level", QVariantMap());
        manager->applyFilterByName("Auto Level", QVariantMap(), true);
        manager.reset();
    }

    // Final renders that finish together: each completion finds a whole file.
    void concurrentFinalsLeaveWholeFiles()
    {
        // Noise makes a large JPEG, written in many pieces.
        QImage noise(800, 800, QImage::Format_RGB32);
        QRandomGenerator random(11);
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < noise.width(); ++x)
                noise.setPixel(x, y, random.generate());
        QVERIFY(noise.save(workFolder + "source.jpg", "jpg", 100));

        FilterManager manager;
        manager.getFilters();
        QSignalSpy finals(&manager, &FilterManager::filterApplyCompleted);
        manager.applyFilterByName("Original", QVariantMap());
        QVERIFY(finals.wait(10000));
        QFile first(workFolder + "processed.jpg");
        QVERIFY(first.open(QIODevice::ReadOnly));
        const QByteArray whole = first.readAll();
        first.close();

        QList<QByteArray> found;
        connect(&manager, &FilterManager::filterApplyCompleted, this, [&found](const QString &path) {
            QFile file(path);
            found.append(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
        });
        for (int i = 0; i < 6; ++i)
            manager.applyFilterByName("Original", QVariantMap());
        QTRY_COMPARE_WITH_TIMEOUT(found.size(), 6, 30000);
        for (const QByteArray &bytes : qAsConst(found))
            QVERIFY(bytes == whole);
    }

    void rotateSourcePhoto()
    {
        writeSource("source_preview.jpg", 480, true);
        writeSource("source.jpg", 800, true);
        FilterManager manager;
        manager.rotateSourcePhoto(90);
        // A quarter turn clockwise: the red left half moves to the top.
        for (const auto &[name, side] : {std::pair<QString, int>{"source_preview.jpg", 480}, {"source.jpg", 800}}) {
            const QImage turned(workFolder + name);
            QCOMPARE(turned.size(), QSize(side, side));
            QVERIFY(qRed(turned.pixel(side / 2, side / 4)) > 180);
            QVERIFY(qBlue(turned.pixel(side / 2, 3 * side / 4)) > 180);
        }

        QDir(workFolder).removeRecursively();
        QVERIFY(QDir().mkpath(workFolder));
        manager.rotateSourcePhoto(90);
        QVERIFY(QDir(workFolder).isEmpty());
    }

    void workingPaths()
    {
        FilterManager manager;
        QCOMPARE(manager.getSourcePreviewPath(), QStringLiteral(".TAVIRO/output/source_preview.jpg"));
        QCOMPARE(manager.getSourceInitPath(), QStringLiteral(".TAVIRO/output/init.jpg"));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestFilterManager)
#include "tst_filtermanager.moc"
