#include "app/applicationroot.h"
#include "app/qmlapplicationviewer.h"
#include "app/qmltypes.h"
#include "app/screenmanager.h"
#include "app/startup.h"

#include <QDir>
#include <QFile>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QTest>

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void applicationRootIsAboveTheExecutable();
    void installedPathOrWorkingDirectory_data();
    void installedPathOrWorkingDirectory();
    void dataFolderCreatedOrLeftAlone();
    void isThai_data();
    void isThai();
    void registeredTypesCreate_data();
    void registeredTypesCreate();
    void orientation_data();
    void orientation();
};

void TestStartup::initTestCase()
{
    registerQmlTypes();
}

void TestStartup::applicationRootIsAboveTheExecutable()
{
    const QString root = applicationRootPath();
    QVERIFY(root.endsWith(QLatin1Char('/')));
    QVERIFY(!root.contains(QLatin1String("..")));
    QCOMPARE(QDir(root).absolutePath(), QDir(QCoreApplication::applicationDirPath() + "/..").canonicalPath());
}

void TestStartup::installedPathOrWorkingDirectory_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("installed");
    // Tests live in <build>/tests, beside <build>/qml/ui as an installed program's bin/.
    QTest::newRow("installed root QML") << "qml/ui/mainM.qml" << true;
    QTest::newRow("installed splash") << "qml/ui/res/splashscreen.jpg" << true;
    QTest::newRow("not installed") << "qml/ui/nowhere.qml" << false;
}

void TestStartup::installedPathOrWorkingDirectory()
{
    QFETCH(QString, path);
    QFETCH(bool, installed);
    const QString resolved = QmlApplicationViewer::resolveInstalledPath(path);
    if (installed) {
        QCOMPARE(resolved, QCoreApplication::applicationDirPath() + "/../" + path);
        QVERIFY(QFileInfo::exists(resolved));
    } else {
        QCOMPARE(resolved, path);
    }
}

void TestStartup::dataFolderCreatedOrLeftAlone()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());

    ensureDataFolder();
    const bool created = QFileInfo(QStringLiteral(".TAVIRO")).isDir();
    QFile keep(QStringLiteral(".TAVIRO/trash"));
    keep.open(QIODevice::WriteOnly);
    keep.write("1\n");
    keep.close();
    ensureDataFolder();
    QFile again(QStringLiteral(".TAVIRO/trash"));
    again.open(QIODevice::ReadOnly);
    const QByteArray kept = again.readAll();

    QDir::setCurrent(previous);
    QVERIFY(created);
    QCOMPARE(kept, QByteArray("1\n"));
}

void TestStartup::isThai_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("thai");
    QTest::newRow("Thailand") << "520" << true;
    QTest::newRow("China") << "460" << false;
    QTest::newRow("China 461") << "461" << false;
    QTest::newRow("no network") << "" << false;
    QTest::newRow("padded") << " 520" << false;
}

void TestStartup::isThai()
{
    QFETCH(QString, code);
    QFETCH(bool, thai);
    QCOMPARE(isThaiCountryCode(code), thai);
}

void TestStartup::registeredTypesCreate_data()
{
    QTest::addColumn<QString>("import");
    QTest::addColumn<QString>("type");
    for (const char *type : {"CommonCPP", "UserManager", "ImageProcessor", "ImageCacheMode", "ScreenManager",
                             "DateTimeModel", "FilterManager", "PhotoPicker", "TAVIROCamera", "SimpleImage",
                             "CacheableImageLoader", "StorageManager", "SymbianCameraCapturer", "FocusZoneItem",
                             "TaviroServiceHandler", "UploaderQueueModel"})
        QTest::newRow(type) << "TAVIROLib 1.0" << type;
    QTest::newRow("PhotoItem") << "PhotoPicker 1.0" << "PhotoItem";
}

void TestStartup::registeredTypesCreate()
{
    QFETCH(QString, import);
    QFETCH(QString, type);

    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData(QStringLiteral("import QtQuick 2.15\nimport %1\n%2 {}\n").arg(import, type).toUtf8(), QUrl());
    QScopedPointer<QObject> object(component.create());
    QDir::setCurrent(previous);
    QVERIFY2(object, qPrintable(component.errorString()));
}

void TestStartup::orientation_data()
{
    QTest::addColumn<QList<int>>("calls");
    QTest::addColumn<int>("mode");
    QTest::newRow("free") << QList<int>{1, 0} << int(QmlApplicationViewer::AutoRotate);
    QTest::newRow("portrait") << QList<int>{1} << int(QmlApplicationViewer::PortraitLocked);
    QTest::newRow("landscape") << QList<int>{2} << int(QmlApplicationViewer::LandscapeLocked);
    QTest::newRow("portrait after landscape") << QList<int>{2, 1} << int(QmlApplicationViewer::PortraitLocked);
    QTest::newRow("3 changes nothing") << QList<int>{2, 3} << int(QmlApplicationViewer::LandscapeLocked);
    QTest::newRow("-1 changes nothing") << QList<int>{1, -1} << int(QmlApplicationViewer::PortraitLocked);
}

void TestStartup::orientation()
{
    QFETCH(QList<int>, calls);
    QFETCH(int, mode);

    QmlApplicationViewer view;
    ScreenManager::mainView = &view;
    ScreenManager screens;
    for (int call : calls)
        screens.setOrientation(call);
    ScreenManager::mainView = nullptr;
    QCOMPARE(int(view.orientationMode()), mode);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
