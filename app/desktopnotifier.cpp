#include "app/desktopnotifier.h"

#include "app/globalservices.h"
#include "app/shelllog.h"
#include "upload/uploaderqueuemodel.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>
#include <QWindow>

namespace {
const QString kDesktopId = QStringLiteral("org.taviro.taviro");
} // namespace

DesktopNotifier::DesktopNotifier(GlobalServices *hub, UploaderQueueModel *queue, QWindow *window, QObject *parent)
    : QObject(parent)
    , m_window(window)
{
    connect(hub, &GlobalServices::imageUploaded, this, &DesktopNotifier::photoPosted);
    connect(queue, &UploaderQueueModel::uploadFailed, this,
            [this](const QString &, const QString &reason) { photoFailed(reason); });
    connect(window, &QWindow::activeChanged, this, [this] {
        if (m_window->isActive()) {
            m_posted.count = 0;
            m_failed.count = 0;
        }
    });
}

void DesktopNotifier::photoPosted()
{
    if (m_window->isActive())
        return;
    ++m_posted.count;
    notify(&m_posted, tr("%n photo(s) posted", nullptr, m_posted.count),
           tr("Your friends can see them in their timeline now."), QStringLiteral("transfer.complete"));
}

void DesktopNotifier::photoFailed(const QString &reason)
{
    if (m_window->isActive())
        return;
    ++m_failed.count;
    notify(&m_failed, tr("%n photo(s) not posted", nullptr, m_failed.count),
           tr("%1 The photo waits in the queue until you try again or remove it.").arg(reason),
           QStringLiteral("transfer.error"));
}

void DesktopNotifier::notify(Notice *notice, const QString &summary, const QString &body, const QString &category)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), kDesktopId},
                            {QStringLiteral("category"), category}};
    call << QStringLiteral("TAVIRO") << notice->id << kDesktopId << summary << body << QStringList() << hints
         << -1;
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [notice](QDBusPendingCallWatcher *finished) {
        const QDBusPendingReply<uint> reply = *finished;
        // Without a notification service the photo is still posted: nothing more to do.
        if (reply.isError())
            qCDebug(lcShell) << "Desktop notification not shown:" << reply.error().message();
        else
            notice->id = reply.value();
        finished->deleteLater();
    });
}
