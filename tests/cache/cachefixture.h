#pragma once

#include "app/globalservices.h"
#include "cache/imagecachemanager.h"
#include "tests/service/fakelargepictureservice.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <memory>

/**
 * A working directory of its own with the app's hub, whose image cache
 * fetches through a fake service; pictures are delivered by hand the way
 * the controller announces them.
 */
struct CacheFixture
{
    QTemporaryDir folder;
    QString previousDir;
    std::unique_ptr<GlobalServices> hub;
    FakeLargePictureService service;
    ImageCacheManager *manager = nullptr;

    void setUp()
    {
        previousDir = QDir::currentPath();
        QDir::setCurrent(folder.path());
        startHub();
    }

    // A new hub over the same folder: what the next run of the app sees.
    // Without the fake, the cache fetches through the hub's own controller.
    void startHub(bool fakeService = true)
    {
        hub.reset();
        hub = std::make_unique<GlobalServices>();
        GlobalServices::setInstance(hub.get());
        manager = ImageCacheManager::getInstance();
        if (fakeService)
            manager->setLargePictureService(&service);
        service.reset();
    }

    void tearDown()
    {
        hub.reset();
        GlobalServices::setInstance(nullptr);
        QDir::setCurrent(previousDir);
    }

    void deliver(const QString &url, const QByteArray &bytes) { hub->emitLargePictureLoadingCompleted(url, bytes); }

    static QByteArray picture(int width, int height, const char *format = "PNG")
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(30, 140, 200));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        return bytes;
    }
};
