#pragma once

#include <QHash>
#include <QMediaService>
#include <QMediaServiceProviderPlugin>

class FakeCameraService : public QMediaService
{
    Q_OBJECT
public:
    explicit FakeCameraService(QObject *parent = nullptr);
    QMediaControl *requestControl(const char *name) override;
    void releaseControl(QMediaControl *) override {}

private:
    QHash<QByteArray, QMediaControl *> m_controls;
};

// Loaded from the tests' plugin folder ahead of the platform's backends.
class FakeCameraPlugin : public QMediaServiceProviderPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.qt.mediaserviceproviderfactory/5.0" FILE "fakecamera.json")
public:
    QMediaService *create(const QString &key) override;
    void release(QMediaService *service) override { delete service; }
};
