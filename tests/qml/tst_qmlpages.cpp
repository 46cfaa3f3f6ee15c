// The pages' logic with the native types and a stand-in controller that
// answers what each test expects (tests/qml/FakeController.qml).
#include "app/globalservices.h"
#include "app/qmaputils.h"
#include "app/qmltypes.h"
#include "models/notificationsmodel.h"
#include "models/popularmodel.h"
#include "models/timelinemodel.h"
#include "service/networkaccessmanagerinteractor.h"

#include <QDesktopServices>
#include <QDir>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QUrl>
#include <QtQuickTest>

// Catches the addresses the pages open in the system browser.
class UrlRecorder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString last READ last NOTIFY opened)
public:
    QString last() const { return m_last; }
public slots:
    void open(const QUrl &url)
    {
        m_last = url.toString(QUrl::FullyEncoded);
        emit opened();
    }
signals:
    void opened();

private:
    QString m_last;
};

class Setup : public QObject
{
    Q_OBJECT
public slots:
    void applicationAvailable()
    {
        QDir::setCurrent(m_home.path());
        QDir().mkdir(QStringLiteral(".TAVIRO"));
        qputenv("QT_QUICK_CONTROLS_CONF", QByteArray(TAVIRO_QML_SOURCE "/ui/qtquickcontrols2.conf"));
        registerQmlTypes();
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_urls, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_urls, "open");
    }

    void qmlEngineAvailable(QQmlEngine *engine)
    {
        // Each test file gets its own engine and its own shared models.
        auto *services = new GlobalServices(engine);
        GlobalServices::setInstance(services);
        QQmlContext *context = engine->rootContext();
        context->setContextProperty(QStringLiteral("globalServices"), services);
        context->setContextProperty(QStringLiteral("notificationModel"), NotificationsModel::getInstance());
        context->setContextProperty(QStringLiteral("popularModel"), PopularModel::getInstance());
        context->setContextProperty(QStringLiteral("timelineModel"), TimelineModel::getInstance());
        context->setContextProperty(QStringLiteral("QMapUtils"), new QMapUtils(engine));
        context->setContextProperty(QStringLiteral("nami"), new NetworkAccessManagerInteractor(engine, engine));
        context->setContextProperty(QStringLiteral("urlRecorder"), &m_urls);

        QQmlComponent fake(engine, QUrl::fromLocalFile(QStringLiteral(TAVIRO_QML_TESTS "/FakeController.qml")));
        QObject *controller = fake.create();
        if (!controller)
            qFatal("FakeController.qml: %s", qPrintable(fake.errorString()));
        controller->setParent(engine);
        context->setContextProperty(QStringLiteral("taviroServiceController"), controller);
    }

private:
    QTemporaryDir m_home;
    UrlRecorder m_urls;
};

QUICK_TEST_MAIN_WITH_SETUP(qmlpages, Setup)

#include "tst_qmlpages.moc"
