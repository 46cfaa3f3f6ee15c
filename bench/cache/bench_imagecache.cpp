// Scrolls a 500-photo home timeline through delegates like the app's (a
// CacheableImageLoader beside an asynchronous Image), first with the
// pictures arriving from a service that answers at once, then back up
// with the service gone, so only cached pictures appear. Reports the
// process's resident memory along the way and, for the way back, the time
// from a delegate's creation to its picture being on screen.
#include "app/globalservices.h"
#include "app/qmltypes.h"
#include "app/smartimageprovider.h"
#include "cache/imagecachemanager.h"
#include "models/timelinemodel.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QPainter>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <ctime>

namespace {

constexpr int kPhotos = 500;

qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// A 480-pixel photo-like JPEG (gradients and noise, about the size the
// service sends for "medium").
QByteArray photoJpeg(int seed)
{
    QImage image(480, 480, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 480, 480);
    gradient.setColorAt(0, QColor::fromHsv(seed * 37 % 360, 160, 220));
    gradient.setColorAt(1, QColor::fromHsv(seed * 91 % 360, 200, 90));
    painter.fillRect(image.rect(), gradient);
    painter.end();
    QRandomGenerator noise{quint32(seed)};
    for (int y = 0; y < 480; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < 480; ++x) {
            const int n = int(noise.bounded(24)) - 12;
            const QRgb p = line[x];
            line[x] = qRgb(qBound(0, qRed(p) + n, 255), qBound(0, qGreen(p) + n, 255), qBound(0, qBlue(p) + n, 255));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return bytes;
}

QByteArray timelinePage()
{
    QVariantList records;
    for (int i = 0; i < kPhotos; ++i) {
        const QString code = QStringLiteral("p%1").arg(i, 4, 10, QLatin1Char('0'));
        records.append(QVariantMap{
            {"picture_id", kPhotos - i},
            {"picture_code", code},
            {"username", QStringLiteral("member%1").arg(i % 13)},
            {"name", QStringLiteral("Photo %1 of the long scroll").arg(i)},
            {"love_count", i % 17},
            {"image_url_medium", QStringLiteral("http://127.0.0.1:8480/photos/%1/medium").arg(code)},
        });
    }
    return QJsonDocument::fromVariant(QVariantMap{{"success", true}, {"data", records}}).toJson();
}

} // namespace

/** The service's large-picture download, answering on the next turn of the loop. */
class InstantService : public QObject
{
    Q_OBJECT
public:
    bool online = true;
    int requests = 0;
    QVector<QByteArray> pictures;

    Q_INVOKABLE int getLargePicture(QString url)
    {
        ++requests;
        if (online) {
            const QByteArray bytes = pictures.at(requests % pictures.size());
            QTimer::singleShot(0, this, [url, bytes] {
                GlobalServices::getInstance()->emitLargePictureLoadingCompleted(url, bytes);
            });
        }
        return requests;
    }
    Q_INVOKABLE void cancelTransactionByTransactionID(int uid) { Q_UNUSED(uid) }
};

/** Delegates report when their picture is on screen. */
class Clock : public QObject
{
    Q_OBJECT
public:
    QElapsedTimer timer;
    int frame = 0;
    QVector<double> shownAfterMs;
    QVector<int> shownAfterFrames;

    QVector<double> shownAfterCpuMs;

    Q_INVOKABLE double now() const { return double(timer.nsecsElapsed()) / 1e6; }
    // Processor time of the GUI thread: on a shared machine the wall time
    // also counts the turns other processes get.
    Q_INVOKABLE double cpuNow() const
    {
        timespec time;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
        return time.tv_sec * 1e3 + time.tv_nsec / 1e6;
    }
    Q_INVOKABLE int currentFrame() const { return frame; }
    Q_INVOKABLE void shown(double bornMs, double bornCpuMs, int bornFrame)
    {
        shownAfterMs.append(now() - bornMs);
        shownAfterCpuMs.append(cpuNow() - bornCpuMs);
        shownAfterFrames.append(frame - bornFrame);
    }
};

class BenchImageCache : public QObject
{
    Q_OBJECT
private slots:
    void scrollFiveHundredPhotos_data();
    void scrollFiveHundredPhotos();
};

void BenchImageCache::scrollFiveHundredPhotos_data()
{
    QTest::addColumn<bool>("readerThread");
    QTest::newRow("Image loads on the reader thread") << true;
    QTest::newRow("Image loads on the GUI thread") << false;
}

void BenchImageCache::scrollFiveHundredPhotos()
{
    QFETCH(bool, readerThread);
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    QDir().mkpath(QStringLiteral(".TAVIRO"));
    registerQmlTypes();

    GlobalServices hub;
    GlobalServices::setInstance(&hub);
    InstantService service;
    for (int i = 0; i < 8; ++i)
        service.pictures.append(photoJpeg(i));
    ImageCacheManager::getInstance()->setLargePictureService(&service);
    TimelineModel::getInstance()->parseJSON(timelinePage(), false);

    Clock clock;
    clock.timer.start();
    QQuickView view;
    view.engine()->addImageProvider(QStringLiteral("smartimageprovider"), new SmartImageProvider);
    view.rootContext()->setContextProperty(QStringLiteral("timelineModel"), TimelineModel::getInstance());
    view.rootContext()->setContextProperty(QStringLiteral("clock"), &clock);
    view.rootContext()->setContextProperty(QStringLiteral("readerThread"), readerThread);
    connect(&view, &QQuickWindow::frameSwapped, &clock, [&clock] { ++clock.frame; });
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    view.resize(480, 854);
    QFile qml(QStringLiteral("timeline.qml"));
    QVERIFY(qml.open(QIODevice::WriteOnly));
    qml.write(R"(
import QtQuick 2.15
import TAVIROLib 1.0
ListView {
    id: list
    model: timelineModel
    spacing: 18
    delegate: Column {
        property double born: clock.now()
        property int bornFrame: clock.currentFrame()
        property double bornCpu: clock.cpuNow()
        width: list.width
        spacing: 8
        Text { text: username; font.pixelSize: 18; font.bold: true }
        Image {
            id: photo
            width: list.width
            height: width
            fillMode: Image.PreserveAspectCrop
            asynchronous: readerThread
            onStatusChanged: if (status === Image.Ready) clock.shown(born, bornCpu, bornFrame)
            CacheableImageLoader {
                cacheMode: ImageCacheMode.CacheThumbnail
                needOAuth: true
                sourceImagePath: picture_info.image_url_medium
                onImageLoaded: photo.source = path
            }
        }
        Text { text: picture_info.name; font.pixelSize: 17 }
    }
}
)");
    qml.close();
    view.setSource(QUrl::fromLocalFile(folder.filePath(QStringLiteral("timeline.qml"))));
    QVERIFY2(view.status() == QQuickView::Ready, qPrintable(view.errors().value(0).toString()));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QObject *list = view.rootObject();

    // Moves the view one step, lets the frame render and the pictures come in.
    auto scrollBy = [&](double step) {
        list->setProperty("contentY", list->property("contentY").toDouble() + step);
        QSignalSpy frame(&view, &QQuickWindow::frameSwapped);
        frame.wait(200);
        QCoreApplication::processEvents();
    };

    const qint64 startKiB = residentKiB();
    qint64 peakKiB = startKiB;
    QElapsedTimer down;
    down.start();
    int steps = 0;
    while (!list->property("atYEnd").toBool() && steps < 20000) {
        scrollBy(160);
        peakKiB = std::max(peakKiB, residentKiB());
        ++steps;
    }
    const qint64 downMs = down.elapsed();
    const qint64 bottomKiB = residentKiB();
    const int downloads = service.requests;

    // The way back, with the service gone: only cached pictures appear.
    service.online = false;
    clock.shownAfterMs.clear();
    clock.shownAfterFrames.clear();
    clock.shownAfterCpuMs.clear();
    int backSteps = 0;
    while (!list->property("atYBeginning").toBool() && backSteps < 20000) {
        scrollBy(-160);
        peakKiB = std::max(peakKiB, residentKiB());
        ++backSteps;
    }
    QVector<double> shown = clock.shownAfterMs;
    std::sort(shown.begin(), shown.end());
    const int laterFrames = int(std::count_if(clock.shownAfterFrames.cbegin(), clock.shownAfterFrames.cend(),
                                              [](int frames) { return frames > 1; }));
    QVector<double> cpu = clock.shownAfterCpuMs;
    std::sort(cpu.begin(), cpu.end());
    auto at = [](const QVector<double> &sorted, double q) {
        return sorted.isEmpty() ? -1.0 : sorted.at(int(q * (sorted.size() - 1)));
    };

    qInfo("scroll down: %d rows, %d steps in %lld ms, %d pictures fetched", kPhotos, steps, downMs, downloads);
    qInfo("resident memory: start %.1f MB, bottom %.1f MB, peak %.1f MB", startKiB / 1024.0, bottomKiB / 1024.0,
          peakKiB / 1024.0);
    qInfo("way back offline: %d cached pictures shown; creation to picture ready: median %.1f ms, "
          "90th %.1f ms, max %.1f ms (GUI thread busy median %.1f ms, max %.1f ms); %d of them later than "
          "the next frame",
          int(shown.size()), at(shown, 0.5), at(shown, 0.9), at(shown, 1.0), at(cpu, 0.5), at(cpu, 1.0), laterFrames);
    QDir::setCurrent(previous);
}

QTEST_MAIN(BenchImageCache)
#include "bench_imagecache.moc"
