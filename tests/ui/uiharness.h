#pragma once

#include <QHash>
#include <QImage>
#include <QNetworkAccessManager>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class AppShell;
class ForwardingProxy;
class NetworkAccessManagerFactory;
class QQuickItem;
class QQuickWindow;
class TaviroService;

/**
 * The app's real start-up against a fresh seeded stand-in service on free
 * ports, in a temporary home folder, for driving the interface by hand from
 * a test: every request the app makes (service calls and pictures) goes
 * through a loopback proxy to the service.
 */
class UiHarness
{
public:
    UiHarness();
    ~UiHarness();

    // Starts the service; the app starts with startApp(), so a test can put
    // files in home() first.
    bool startService(QString *error);
    void startApp();
    void stopApp();
    QString home() const { return m_home.path(); }
    QQuickWindow *window() const;
    QQuickItem *root() const;

    // Items of the scene (popups included) by objectName, or by the text
    // they show, among the visible ones.
    QQuickItem *find(const QString &objectName) const;
    QQuickItem *findText(const QString &text) const;
    QList<QQuickItem *> findAll(const std::function<bool(QQuickItem *)> &match) const;

    void click(QQuickItem *item);
    // Focuses the field by a tap, replaces its text and types new text.
    void type(QQuickItem *field, const QString &text);
    void key(int key);

    // Waits for the condition, letting the app and the service run.
    bool waitFor(const std::function<bool()> &condition, int timeoutMs = 15000);
    // The whole window as it is now.
    QImage grab();

private:
    QTemporaryDir m_home;
    QString m_previousDir;
    std::unique_ptr<TaviroService> m_service;
    QNetworkAccessManager m_proxySetup;
    std::unique_ptr<ForwardingProxy> m_proxy;
    std::unique_ptr<NetworkAccessManagerFactory> m_managerFactory;
    std::unique_ptr<AppShell> m_shell;
};
