#include "app/startup.h"

#include "app/applicationroot.h"
#include "app/desktopnotifier.h"
#include "app/eventfilter.h"
#include "app/firstframeshot.h"
#include "app/globalservices.h"
#include "app/imageprovider.h"
#include "app/qmaputils.h"
#include "app/qmlapplicationviewer.h"
#include "app/qmltypes.h"
#include "app/qsysteminfomanager.h"
#include "app/screenmanager.h"
#include "app/smartimageprovider.h"
#include "app/translationloader.h"
#include "camera/photomodelbuilder.h"
#include "camera/tavirocamera.h"
#include "models/notificationsmodel.h"
#include "models/popularmodel.h"
#include "models/timelinemodel.h"
#include "service/networkaccessmanagerfactory.h"
#include "service/networkaccessmanagerinteractor.h"
#include "service/taviroservicecontroller.h"
#include "upload/uploaderqueuemodel.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QPixmap>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSplashScreen>

#include <memory>

void ensureDataFolder()
{
    QDir().mkdir(QStringLiteral(".TAVIRO/"));
}

bool isThaiCountryCode(const QString &mobileCountryCode)
{
    return mobileCountryCode == QLatin1String("520");
}

int runTaviro(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installTranslations(QLocale::system());

    auto splashPixmap = std::make_unique<QPixmap>(applicationRootPath() + QStringLiteral("qml/ui/res/splashscreen.jpg"));
    auto splash = std::make_unique<QSplashScreen>(*splashPixmap);
    splash->showFullScreen();
    app.processEvents();

    registerQmlTypes();
    ensureDataFolder();

    // Outlives the view, so the engine never holds a dangling factory.
    NetworkAccessManagerFactory networkAccessManagerFactory;
    QmlApplicationViewer viewer;
    // The engine owns and deletes its image providers.
    viewer.engine()->addImageProvider(QStringLiteral("imageprovider"), new ImageProvider);
    viewer.engine()->addImageProvider(QStringLiteral("smartimageprovider"), new SmartImageProvider);
    viewer.engine()->setNetworkAccessManagerFactory(&networkAccessManagerFactory);
    QQmlContext *context = viewer.rootContext();

    auto *globalServices = new GlobalServices;
    GlobalServices::setInstance(globalServices);
    context->setContextProperty(QStringLiteral("globalServices"), globalServices);
    DesktopNotifier desktopNotifier(globalServices, UploaderQueueModel::getInstance(), &viewer);

    ScreenManager screenManager;
    ScreenManager::mainView = &viewer;
    context->setContextProperty(QStringLiteral("screenManager"), &screenManager);

    TAVIROCamera::repaintTarget = &viewer;

    context->setContextProperty(QStringLiteral("notificationModel"), NotificationsModel::getInstance());
    context->setContextProperty(QStringLiteral("popularModel"), PopularModel::getInstance());
    context->setContextProperty(QStringLiteral("timelineModel"), TimelineModel::getInstance());
    context->setContextProperty(QStringLiteral("uploaderQueueModel"), UploaderQueueModel::getInstance());
    context->setContextProperty(QStringLiteral("taviroServiceController"), TAVIROServiceController::getInstance());

    QMapUtils mapUtils;
    context->setContextProperty(QStringLiteral("QMapUtils"), &mapUtils);
    context->setContextProperty(QStringLiteral("isChina"), QVariant::fromValue<QObject *>(nullptr));
    context->setContextProperty(
        QStringLiteral("isThai"),
        isThaiCountryCode(QSystemInfoManager::getInstance()->getCurrentMobileCountryCode()));
    context->setContextProperty(QStringLiteral("nami"), new NetworkAccessManagerInteractor(viewer.engine(), &viewer));
    context->setContextProperty(QStringLiteral("photomodel"), PhotoModelBuilder::getInstance()->model());

    EventFilter eventFilter;
    viewer.installEventFilter(&eventFilter);

    viewer.setResizeMode(QQuickView::SizeRootObjectToView);
    viewer.lockOrientation(QmlApplicationViewer::PortraitLocked);
    viewer.loadMainQml(QStringLiteral("qml/ui/mainM.qml"));

    // A splash screen can only finish() on a widget: close it once the view
    // has put its first frame on screen.
    QObject::connect(&viewer, &QQuickWindow::frameSwapped, splash.get(), [&splash, &splashPixmap] {
        splash.reset();
        splashPixmap.reset();
    }, Qt::QueuedConnection);
    FirstFrameShot::armFromEnvironment(&viewer);
    viewer.showFullScreen();

    return app.exec();
}
