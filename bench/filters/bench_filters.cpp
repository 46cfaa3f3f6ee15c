#include "filters/filter.h"
#include "filters/filterapplier.h"
#include "filters/filtermanager.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every filter of the strip, "Clean&Clear" included.
QStringList filterNames()
{
    FilterManager manager;
    manager.registerCleanAndClearFilter();
    QStringList names;
    for (const QVariant &entry : manager.getFilters())
        names.append(entry.toMap().value(QStringLiteral("name")).toString());
    return names;
}

// Something like a photo: a sky, a horizon, soft shapes and sensor noise.
QImage photo(int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, side);
    sky.setColorAt(0, QColor(70, 120, 200));
    sky.setColorAt(0.55, QColor(230, 200, 160));
    sky.setColorAt(0.56, QColor(60, 90, 40));
    sky.setColorAt(1, QColor(30, 40, 20));
    painter.fillRect(image.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(200, 60, 50));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(side * 0.3, side * 0.65), side * 0.12, side * 0.2);
    painter.end();
    QRandomGenerator random(7);
    for (int y = 0; y < side; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < side; ++x) {
            const int n = int(random.bounded(9)) - 4;
            line[x] = qRgb(qBound(0, qRed(line[x]) + n, 255), qBound(0, qGreen(line[x]) + n, 255),
                           qBound(0, qBlue(line[x]) + n, 255));
        }
    }
    return image;
}

} // namespace

class BenchFilters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_manager.registerCleanAndClearFilter();
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir::setCurrent(m_dir.path()));
        QVERIFY(QDir().mkpath(FilterManager::workFolder()));
        QVERIFY(photo(480).save(FilterManager::workFolder() + "source_preview.jpg", "jpg", 100));
        QVERIFY(photo(800).save(FilterManager::workFolder() + "source.jpg", "jpg", 100));
    }

    void filterPixels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("side");
        for (int side : {480, 800, 2048})
            for (const QString &name : filterNames())
                QTest::addRow("%s %d", qPrintable(name), side) << name << side;
    }

    void filterPixels()
    {
        QFETCH(QString, name);
        QFETCH(int, side);
        // The pictures of the final sizes are those of the side at hand.
        m_manager.setFinalImageResolution(side == 480 ? 800 : side);
        Filter *filter = m_manager.filterNamed(name);
        QImage source = photo(side);
        QImage destination(side, side, QImage::Format_RGB32);
        const bool preview = side == Filter::previewWidth;
        // One run first: the pages of fresh buffers are not part of the work.
        filter->applyToPixels(source.bits(), destination.bits(), side * side, {}, {}, preview, {});
        QBENCHMARK {
            filter->applyToPixels(source.bits(), destination.bits(), side * side, {}, {}, preview, {});
        }
        m_manager.setFinalImageResolution(800);
    }

    void previewEndToEnd_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : filterNames())
            QTest::newRow(qPrintable(name)) << name;
    }

    // Tap to file written, on the calling thread as the GUI runs it; an
    // expensive filter's worker thread is waited for.
    void previewEndToEnd()
    {
        QFETCH(QString, name);
        FilterManager manager;
        manager.registerCleanAndClearFilter();
        manager.getFilters();
        int completed = 0;
        connect(&manager, &FilterManager::filterApplyPreviewCompleted, this, [&completed] { ++completed; });
        // One run first: the filter's pictures are decoded once per process.
        const auto tap = [&] {
            const int before = completed;
            manager.applyFilterByName(name, QVariantMap(), true);
            return QTest::qWaitFor([&] { return completed > before; }, 10000);
        };
        QVERIFY(tap());
        QBENCHMARK {
            QVERIFY(tap());
        }
    }

    void finalEndToEnd_data()
    {
        previewEndToEnd_data();
    }

    // The worker's whole run at 800 x 800, without the thread start.
    void finalEndToEnd()
    {
        QFETCH(QString, name);
        Filter *filter = m_manager.filterNamed(name);
        QVERIFY(!FilterApplier(filter, QVariantMap(), false, QVariant()).applyFilterSync().isEmpty());
        QBENCHMARK {
            FilterApplier applier(filter, QVariantMap(), false, QVariant());
            QVERIFY(!applier.applyFilterSync().isEmpty());
        }
    }

    void jpegFloor_data()
    {
        QTest::addColumn<int>("side");
        QTest::newRow("480") << 480;
        QTest::newRow("800") << 800;
    }

    // Decoding the source and encoding the result: the part no filter can save.
    void jpegFloor()
    {
        QFETCH(int, side);
        const QString path = FilterManager::workFolder() + (side == 480 ? "source_preview.jpg" : "source.jpg");
        const QString out = FilterManager::workFolder() + "floor.jpg";
        QBENCHMARK {
            const QImage image(path, "JPG");
            QVERIFY(image.save(out, "jpg", 90));
        }
    }

private:
    QTemporaryDir m_dir;
    FilterManager m_manager;
};

QTEST_MAIN(BenchFilters)
#include "bench_filters.moc"
