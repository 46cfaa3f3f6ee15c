#pragma once

#include <QObject>
#include <QString>

class GlobalServices;
class QWindow;

/**
 * Tells the user through the desktop's notification service
 * (org.freedesktop.Notifications on the session bus) when a queued photo
 * has been posted while the app's window is not in front. Each notice
 * replaces the previous one, so a long queue leaves one notice that counts
 * the photos posted since the window was last active.
 */
class DesktopNotifier : public QObject
{
    Q_OBJECT
public:
    DesktopNotifier(GlobalServices *hub, QWindow *window, QObject *parent = nullptr);

private:
    void photoPosted();
    void notify(const QString &summary, const QString &body, const QString &category);

    QWindow *m_window;
    uint m_lastId = 0;
    int m_postedWhileAway = 0;
};
