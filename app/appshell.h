#pragma once

#include "app/eventfilter.h"
#include "app/qmaputils.h"
#include "app/qmlapplicationviewer.h"
#include "app/screenmanager.h"
#include "service/networkaccessmanagerfactory.h"

#include <QPixmap>
#include <QSplashScreen>

#include <memory>

/**
 * Everything start-up builds around the event loop: splash, QML types, the
 * main view with its providers and context properties, the root QML file.
 * The executable runs one; the end-to-end tests run one in their own process.
 */
class AppShell
{
public:
    AppShell();
    ~AppShell();
    AppShell(const AppShell &) = delete;
    AppShell &operator=(const AppShell &) = delete;

    // Steps from the splash to showing the loaded root QML full screen.
    void start();
    QmlApplicationViewer &view() { return *m_viewer; }

private:
    std::unique_ptr<QPixmap> m_splashPixmap;
    std::unique_ptr<QSplashScreen> m_splash;
    void showSplash();
    // Outlives the view, so the engine never holds a dangling factory.
    NetworkAccessManagerFactory m_networkAccessManagerFactory;
    std::unique_ptr<QmlApplicationViewer> m_viewer;
    ScreenManager m_screenManager;
    QMapUtils m_mapUtils;
    EventFilter m_eventFilter;
};
