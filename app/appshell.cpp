#include "app/appshell.h"

#include "app/applicationroot.h"
#include "app/globalservices.h"
#include "app/imageprovider.h"
#include "app/qmltypes.h"
#include "app/qsysteminfomanager.h"
#include "app/smartimageprovider.h"
#include "app/startup.h"
#include "camera/photomodelbuilder.h"
#include "camera/tavirocamera.h"
#include "models/notificationsmodel.h"
#include "models/popularmodel.h"
#include "models/timelinemodel.h"
#include "service/networkaccessmanagerinteractor.h"
#include "service/taviroservicecontroller.h"
#include "upload/uploaderqueuemodel.h"

#include <QCoreApplication>
#include <QQmlContext>
#include <QQmlEngine>

// The splash must be on screen while the types register, so it comes first.
AppShell::AppShell()
{
    showSplash();
}

void AppShell::showSplash()
{
    m_splashPixmap = std::make_unique<QPixmap>(applicationRootPath() + QStringLiteral("qml/ui/res/splashscreen.jpg"));
    m_splash = std::make_unique<QSplashScreen>(*m_splashPixmap);
    m_splash->showFullScreen();
    QCoreApplication::processEvents();
}

AppShell::~AppShell() = default;

void AppShell::start()
{
    registerQmlTypes();
    ensureDataFolder();
    m_viewer = std::make_unique<QmlApplicationViewer>();

    // The controls' style travels with the QML it belongs to.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_CONTROLS_CONF"))
        qputenv("QT_QUICK_CONTROLS_CONF", (applicationRootPath() + QStringLiteral("qml/ui/qtquickcontrols2.conf")).toUtf8());

    // The engine owns and deletes its image providers.
    m_viewer->engine()->addImageProvider(QStringLiteral("imageprovider"), new ImageProvider);
    m_viewer->engine()->addImageProvider(QStringLiteral("smartimageprovider"), new SmartImageProvider);
    m_viewer->engine()->setNetworkAccessManagerFactory(&m_networkAccessManagerFactory);
    QQmlContext *context = m_viewer->rootContext();

    auto *globalServices = new GlobalServices;
    GlobalServices::setInstance(globalServices);
    context->setContextProperty(QStringLiteral("globalServices"), globalServices);

    ScreenManager::mainView = m_viewer.get();
    context->setContextProperty(QStringLiteral("screenManager"), &m_screenManager);

    TAVIROCamera::repaintTarget = m_viewer.get();

    context->setContextProperty(QStringLiteral("notificationModel"), NotificationsModel::getInstance());
    context->setContextProperty(QStringLiteral("popularModel"), PopularModel::getInstance());
    context->setContextProperty(QStringLiteral("timelineModel"), TimelineModel::getInstance());
    context->setContextProperty(QStringLiteral("uploaderQueueModel"), UploaderQueueModel::getInstance());
    context->setContextProperty(QStringLiteral("taviroServiceController"), TAVIROServiceController::getInstance());

    context->setContextProperty(QStringLiteral("QMapUtils"), &m_mapUtils);
    context->setContextProperty(QStringLiteral("isChina"), QVariant::fromValue<QObject *>(nullptr));
    context->setContextProperty(
        QStringLiteral("isThai"),
        isThaiCountryCode(QSystemInfoManager::getInstance()->getCurrentMobileCountryCode()));
    context->setContextProperty(QStringLiteral("nami"), new NetworkAccessManagerInteractor(m_viewer->engine(), m_viewer.get()));
    context->setContextProperty(QStringLiteral("photomodel"), PhotoModelBuilder::getInstance()->model());

    m_viewer->installEventFilter(&m_eventFilter);

    m_viewer->setResizeMode(QQuickView::SizeRootObjectToView);
    m_viewer->lockOrientation(QmlApplicationViewer::PortraitLocked);
    m_viewer->loadMainQml(QStringLiteral("qml/ui/mainM.qml"));

    // A splash screen can only finish() on a widget: close it once the view
    // has put its first frame on screen.
    QObject::connect(m_viewer.get(), &QQuickWindow::frameSwapped, m_splash.get(), [this] {
        m_splash.reset();
        m_splashPixmap.reset();
    }, Qt::QueuedConnection);
    m_viewer->showFullScreen();
}
