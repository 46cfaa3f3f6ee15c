#include "filters/filter.h"
#include "filters/filterapplier.h"
#include "filters/filtermanager.h"

#include <QDir>
#include <QImage>
#include <QJSEngine>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstring>
#include <mutex>

Q_DECLARE_METATYPE(QRect)

namespace {

// Records what the worker hands over and inverts the picture.
class RecordingFilter : public Filter
{
public:
    RecordingFilter()
        : Filter(nullptr)
    {
    }

    int applyToPixels(uchar *source, uchar *destination, int pixelCount, QRect a, QRect b, bool preview,
                      QVariant param) override
    {
        const std::lock_guard<std::mutex> guard(lock);
        count = pixelCount;
        regionA = a;
        regionB = b;
        wasPreview = preview;
        parameter = param;
        firstSource = *reinterpret_cast<const quint32 *>(source);
        for (int i = 0; i < pixelCount * 4; ++i)
            destination[i] = i % 4 == 3 ? 255 : uchar(255 - source[i]);
        return 0;
    }
    int filterId() const override { return 99; }
    QString name() const override { return QStringLiteral("Recording"); }
    QString thumbPath() const override { return {}; }

    int count = 0;
    QRect regionA;
    QRect regionB;
    bool wasPreview = false;
    QVariant parameter;
    quint32 firstSource = 0;
    // QThread::wait() orders these writes through Qt's own locks, which
    // ThreadSanitizer cannot see; this one it can.
    std::mutex lock;
};

QVariantMap rect(int x, int y, int width, int height)
{
    return {{"x", x}, {"y", y}, {"width", width}, {"height", height}};
}

const QString workFolder = QStringLiteral(".TAVIRO/output/");

void writeSource(const QString &name, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(workFolder + name, "jpg", 100));
}

} // namespace

class TestFilterApplier : public QObject
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
        writeSource(QStringLiteral("source_preview.jpg"), QSize(480, 480), QColor(10, 20, 30));
        writeSource(QStringLiteral("source.jpg"), QSize(800, 800), QColor(200, 100, 50));
    }

    void regions_data()
    {
        QTest::addColumn<QVariant>("darkAreas");
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QRect>("regionA");
        QTest::addColumn<QRect>("regionB");
        const QRect null;
        QTest::newRow("empty map") << QVariant(QVariantMap()) << true << null << null;
        QTest::newRow("not a map") << QVariant(QStringLiteral("bars")) << true << null << null;
        QTest::newRow("one rectangle")
            << QVariant(QVariantMap{{"preview", QVariantList{rect(10, 20, 100, 50)}}}) << true
            << QRect(QPoint(10, 20), QPoint(109, 69)) << null;
        const QVariantMap both{{"preview", QVariantList{rect(0, 0, 60, 480), rect(420, 0, 60, 480)}},
                               {"large", QVariantList{rect(0, 0, 100, 800), rect(700, 0, 100, 800)}}};
        QTest::newRow("preview bars") << QVariant(both) << true << QRect(0, 0, 60, 480) << QRect(420, 0, 60, 480);
        QTest::newRow("final bars") << QVariant(both) << false << QRect(0, 0, 100, 800) << QRect(700, 0, 100, 800);
        QTest::newRow("missing entries read as 0")
            << QVariant(QVariantMap{{"large", QVariantList{QVariantMap{{"width", 5}}}}}) << false << QRect(0, 0, 5, 0)
            << null;
    }

    void regions()
    {
        QFETCH(QVariant, darkAreas);
        QFETCH(bool, preview);
        RecordingFilter filter;
        FilterApplier applier(&filter, darkAreas, preview, QVariant(7));
        const QString path = applier.applyFilterSync();
        QCOMPARE(path, workFolder + (preview ? "processed_preview_.jpg" : "processed.jpg"));
        QTEST(filter.regionA, "regionA");
        QTEST(filter.regionB, "regionB");
        QCOMPARE(filter.wasPreview, preview);
        QCOMPARE(filter.parameter, QVariant(7));
        QCOMPARE(filter.count, preview ? 480 * 480 : 800 * 800);
        const QImage written(path);
        QCOMPARE(written.size(), preview ? QSize(480, 480) : QSize(800, 800));
        // The filter's work reached the file: the source inverted.
        const QRgb centre = written.pixel(written.width() / 2, written.height() / 2);
        QVERIFY2(std::abs(qRed(centre) - (preview ? 245 : 55)) <= 3, qPrintable(QString::number(centre, 16)));
    }

    void sourceOfWrongSizeIsScaledFirst()
    {
        writeSource(QStringLiteral("source_preview.jpg"), QSize(300, 200), QColor(255, 255, 255));
        RecordingFilter filter;
        FilterApplier applier(&filter, {}, true, {});
        QVERIFY(!applier.applyFilterSync().isEmpty());
        QCOMPARE(filter.count, 480 * 480);
        QCOMPARE(QImage(workFolder + "processed_preview_.jpg").size(), QSize(480, 480));
    }

    void failuresAreReported_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QString>("sabotage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing preview source") << true << "remove source_preview.jpg"
                                                << "Cannot read .TAVIRO/output/source_preview.jpg";
        QTest::newRow("unreadable final source") << false << "garble source.jpg"
                                                 << "Cannot read .TAVIRO/output/source.jpg";
        QTest::newRow("preview cannot be written") << true << "block processed_preview_.jpg"
                                                   << "Cannot write .TAVIRO/output/processed_preview_.jpg";
        QTest::newRow("final cannot be written") << false << "block processed.jpg"
                                                 << "Cannot write .TAVIRO/output/processed.jpg";
    }

    void failuresAreReported()
    {
        QFETCH(bool, preview);
        QFETCH(QString, sabotage);
        const QString file = workFolder + sabotage.section(' ', 1);
        if (sabotage.startsWith("remove"))
            QVERIFY(QFile::remove(file));
        else if (sabotage.startsWith("garble")) {
            QFile garbled(file);
            QVERIFY(garbled.open(QIODevice::WriteOnly));
            garbled.write("not a picture");
        } else {
            QVERIFY(QDir().mkpath(file));
        }

        RecordingFilter filter;
        FilterApplier applier(&filter, {}, preview, {});
        QSignalSpy errors(&applier, &FilterApplier::error);
        QSignalSpy previews(&applier, &FilterApplier::previewCompleted);
        QSignalSpy finals(&applier, &FilterApplier::applyCompleted);
        QSignalSpy finished(&applier, &FilterApplier::finished);
        QCOMPARE(applier.applyFilterSync(), QString());
        QCOMPARE(errors.count(), 1);
        QTEST(errors.at(0).at(0).toString(), "reason");
        QCOMPARE(previews.count() + finals.count(), 0);
        QCOMPARE(finished.count(), 1);
    }

    void noFilterStillFinishes()
    {
        FilterApplier applier(nullptr, {}, true, {});
        QSignalSpy errors(&applier, &FilterApplier::error);
        QSignalSpy finished(&applier, &FilterApplier::finished);
        applier.applyFilter();
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("No filter"));
        QCOMPARE(finished.count(), 1);
    }

    // What QML passes arrives as script values, read here on the worker.
    void runsOnItsOwnThread()
    {
        QJSEngine engine;
        const QJSValue darkAreas = engine.evaluate(
            "({large: [{x: 0, y: 0, width: 100, height: 800}, {x: 700, y: 0, width: 100, height: 800}]})");
        const QJSValue param = engine.evaluate("[true, false]");
        RecordingFilter filter;
        auto *thread = new QThread;
        auto *applier = new FilterApplier(&filter, QVariant::fromValue(darkAreas), false, QVariant::fromValue(param));
        applier->moveToThread(thread);
        QString completed;
        connect(applier, &FilterApplier::applyCompleted, this, [&completed](const QString &path) { completed = path; });
        connect(thread, &QThread::started, applier, &FilterApplier::applyFilter);
        connect(applier, &FilterApplier::finished, applier, &QObject::deleteLater);
        connect(applier, &FilterApplier::finished, thread, &QThread::quit, Qt::DirectConnection);
        thread->start();
        QTRY_COMPARE_WITH_TIMEOUT(completed, workFolder + "processed.jpg", 5000);
        QVERIFY(thread->wait(5000));
        delete thread;
        const std::lock_guard<std::mutex> guard(filter.lock);
        QCOMPARE(filter.count, 800 * 800);
        QCOMPARE(filter.firstSource & 0xff000000u, 0xff000000u);
        QCOMPARE(filter.regionA, QRect(0, 0, 100, 800));
        QCOMPARE(filter.regionB, QRect(700, 0, 100, 800));
        QCOMPARE(filter.parameter.toList(), (QVariantList{true, false}));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestFilterApplier)
#include "tst_filterapplier.moc"
