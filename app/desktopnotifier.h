#pragma once

#include <QObject>
#include <QString>

class GlobalServices;
class QWindow;
class UploaderQueueModel;

/**
 * Tells the user through the desktop's notification service
 * (org.freedesktop.Notifications on the session bus) when a queued photo
 * has been posted, or has failed for good, while the app's window is not in
 * front. Each notice replaces the previous one of its kind and counts the
 * photos since the window was last active, so a long queue leaves one
 * notice of each kind, not a pile.
 */
class DesktopNotifier : public QObject
{
    Q_OBJECT
public:
    DesktopNotifier(GlobalServices *hub, UploaderQueueModel *queue, QWindow *window, QObject *parent = nullptr);

private:
    struct Notice
    {
        uint id = 0;
        int count = 0;
    };

    void photoPosted();
    void photoFailed(const QString &reason);
    void notify(Notice *notice, const QString &summary, const QString &body, const QString &category);

    QWindow *m_window;
    Notice m_posted;
    Notice m_failed;
};
