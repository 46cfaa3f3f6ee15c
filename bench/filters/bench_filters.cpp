#include "filters/autolevelfilter.h"
#include "filters/bwhicontrastfilter.h"
#include "filters/cavalleriarusticanafilter.h"
#include "filters/filterapplier.h"
#include "filters/filtercommon.h"
#include "filters/filtermanager.h"
#include "filters/normalfilter.h"
#include "filters/rosyfilter.h"
#include "filters/rusfilter.h"
#include "filters/vividfilter.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace {

const QStringList implemented{"Original", "Auto Level", "Vivid", "Rosy", "Rus", "Rusticana", "B&W Hi"};

std::unique_ptr<Filter> makeFilter(const QString &name, const std::unique_ptr<FilterCommon> *common)
{
    if (name == QLatin1String("Original"))
        return std::make_unique<NormalFilter>(common);
    if (name == QLatin1String("Auto Level"))
        return std::make_unique<AutoLevelFilter>(common);
    if (name == QLatin1String("Vivid"))
        return std::make_unique<VividFilter>(common);
    if (name == QLatin1String("Rosy"))
        return std::make_unique<RosyFilter>(common);
    if (name == QLatin1String("Rus"))
        return std::make_unique<RusFilter>(common);
    if (name == QLatin1String("Rusticana"))
        return std::make_unique<CavalleriaRusticanaFilter>(common);
    return std::make_unique<BWHiContrastFilter>(common);
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
            for (const QString &name : implemented)
                QTest::addRow("%s %d", qPrintable(name), side) << name << side;
    }

    void filterPixels()
    {
        QFETCH(QString, name);
        QFETCH(int, side);
        FilterManager manager;
        manager.setFinalImageResolution(side == 480 ? 800 : side);
        auto filter = makeFilter(name, &m_common);
        QImage source = photo(side);
        QImage destination(side, side, QImage::Format_RGB32);
        const bool preview = side == Filter::previewWidth;
        // One run first: the pages of fresh buffers are not part of the work.
        filter->applyToPixels(source.bits(), destination.bits(), side * side, {}, {}, preview, {});
        QBENCHMARK {
            filter->applyToPixels(source.bits(), destination.bits(), side * side, {}, {}, preview, {});
        }
        manager.setFinalImageResolution(800);
    }

    void previewEndToEnd_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : implemented)
            QTest::newRow(qPrintable(name)) << name;
    }

    // Tap to file written, on the calling thread as the GUI runs it.
    void previewEndToEnd()
    {
        QFETCH(QString, name);
        FilterManager manager;
        manager.getFilters();
        int completed = 0;
        connect(&manager, &FilterManager::filterApplyPreviewCompleted, this, [&completed] { ++completed; });
        QBENCHMARK {
            manager.applyFilterByName(name, QVariantMap(), true);
        }
        QVERIFY(completed > 0);
    }

    void finalEndToEnd_data()
    {
        previewEndToEnd_data();
    }

    // The worker's whole run at 800 x 800, without the thread start.
    void finalEndToEnd()
    {
        QFETCH(QString, name);
        auto filter = makeFilter(name, &m_common);
        QBENCHMARK {
            FilterApplier applier(filter.get(), QVariantMap(), false, QVariant());
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
    std::unique_ptr<FilterCommon> m_common = std::make_unique<FilterCommon>();
};

QTEST_MAIN(BenchFilters)
#include "bench_filters.moc"
