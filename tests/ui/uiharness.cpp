#include "tests/ui/uiharness.h"

#include "app/appshell.h"
#include "cache/imagecachemanager.h"
#include "server/taviroservice.h"
#include "service/networkaccessmanagerfactory.h"
#include "service/taviroservicecontroller.h"
#include "taviroconfig.h"
#include "tests/server/forwardingproxy.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QNetworkProxy>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QQuickWindow>
#include <QTest>

namespace {

// Qt never asks a proxy factory about loopback hosts, so every manager the
// app makes gets the proxy set on it.
class ProxiedManagerFactory : public NetworkAccessManagerFactory
{
public:
    explicit ProxiedManagerFactory(quint16 port) : m_port(port) { }
    QNetworkAccessManager *create(QObject *parent) override
    {
        QNetworkAccessManager *manager = NetworkAccessManagerFactory::create(parent);
        manager->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), m_port));
        return manager;
    }

private:
    quint16 m_port;
};

void collect(QQuickItem *item, const std::function<bool(QQuickItem *)> &match, QList<QQuickItem *> &found)
{
    if (!item->isVisible())
        return;
    if (match(item))
        found.append(item);
    const auto children = item->childItems();
    for (QQuickItem *child : children)
        collect(child, match, found);
}

} // namespace

UiHarness::UiHarness() = default;

UiHarness::~UiHarness()
{
    stopApp();
    m_service.reset();
    if (!m_previousDir.isEmpty())
        QDir::setCurrent(m_previousDir);
}

bool UiHarness::startService(QString *error)
{
    if (!m_home.isValid()) {
        *error = QStringLiteral("no temporary home folder");
        return false;
    }
    m_previousDir = QDir::currentPath();
    QDir::setCurrent(m_home.path());

    ServiceOptions options;
    options.dataFolder = m_home.filePath(QStringLiteral("service"));
    options.certFolder = QFileInfo(QString::fromLatin1(TaviroConfig::kExtraCaCert)).absolutePath();
    options.photoFolder = QCoreApplication::applicationDirPath() + QStringLiteral("/../demo-photos");
    options.httpPort = 0;
    options.httpsPort = 0;
    m_service = std::make_unique<TaviroService>(options);
    if (!m_service->open(error))
        return false;
    m_service->seedDemoIfEmpty();
    m_service->start();

    QHash<int, int> ports;
    for (const char *base : {TaviroConfig::kApiBasePlain, TaviroConfig::kApiBaseSecure, TaviroConfig::kMainHost,
                             TaviroConfig::kReminderHost, TaviroConfig::kWebHost, TaviroConfig::kTwitterOAuthBase,
                             TaviroConfig::kTumblrOAuthBase, TaviroConfig::kFlickrOAuthBase,
                             TaviroConfig::kWeiboOAuthBase, TaviroConfig::kDropBoxOAuthBase}) {
        const QUrl url(QString::fromLatin1(base));
        const bool secure = url.scheme() == QLatin1String("https");
        ports.insert(url.port(secure ? 443 : 80), secure ? m_service->httpsPort() : m_service->httpPort());
    }
    m_proxy = std::make_unique<ForwardingProxy>(ports);
    if (!m_proxy->start(&m_proxySetup)) {
        *error = QStringLiteral("the proxy could not listen");
        return false;
    }
    m_managerFactory = std::make_unique<ProxiedManagerFactory>(m_proxy->serverPort());
    return true;
}

void UiHarness::startApp()
{
    m_shell = std::make_unique<AppShell>();
    m_shell->start();
    // Before the first request: the app starts signed out.
    m_shell->view().engine()->setNetworkAccessManagerFactory(m_managerFactory.get());
    const QNetworkProxy proxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), m_proxy->serverPort());
    for (QObject *owner : {static_cast<QObject *>(TAVIROServiceController::getInstance()),
                           static_cast<QObject *>(ImageCacheManager::getInstance())}) {
        const auto managers = owner->findChildren<QNetworkAccessManager *>();
        for (QNetworkAccessManager *manager : managers)
            manager->setProxy(proxy);
    }
    if (!QTest::qWaitForWindowExposed(window()))
        qWarning("the main view was not shown");
}

void UiHarness::stopApp()
{
    m_shell.reset();
}

QQuickWindow *UiHarness::window() const
{
    return m_shell ? &m_shell->view() : nullptr;
}

QQuickItem *UiHarness::root() const
{
    return window() ? window()->contentItem() : nullptr;
}

QList<QQuickItem *> UiHarness::findAll(const std::function<bool(QQuickItem *)> &match) const
{
    QList<QQuickItem *> found;
    if (root())
        collect(root(), match, found);
    return found;
}

QQuickItem *UiHarness::find(const QString &objectName) const
{
    const auto found = findAll([&](QQuickItem *item) { return item->objectName() == objectName; });
    return found.isEmpty() ? nullptr : found.last();
}

QQuickItem *UiHarness::findText(const QString &text) const
{
    const auto found = findAll([&](QQuickItem *item) {
        return item->property("text").toString() == text && item->isEnabled();
    });
    return found.isEmpty() ? nullptr : found.last();
}

void UiHarness::click(QQuickItem *item)
{
    // Pages slide in: a tap lands where the item is once they stand still.
    waitFor([this] {
        return findAll([](QQuickItem *candidate) {
            return candidate->inherits("QQuickStackView") && candidate->property("busy").toBool();
        }).isEmpty();
    });
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(window(), Qt::LeftButton, Qt::NoModifier, centre.toPoint());
}

void UiHarness::type(QQuickItem *field, const QString &text)
{
    click(field);
    field->forceActiveFocus();
    field->setProperty("text", QString());
    for (const QChar c : text)
        QTest::keyClick(window(), c.toLatin1());
}

void UiHarness::key(int key)
{
    QTest::keyClick(window(), Qt::Key(key));
}

bool UiHarness::waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QTest::qWait(20);
    }
    return true;
}

QImage UiHarness::grab()
{
    // The software renderer cannot read its window back: render the scene.
    QSharedPointer<QQuickItemGrabResult> result = root()->grabToImage();
    if (!result)
        return QImage();
    bool ready = false;
    QObject::connect(result.data(), &QQuickItemGrabResult::ready, [&ready] { ready = true; });
    waitFor([&ready] { return ready; }, 5000);
    return result->image();
}
