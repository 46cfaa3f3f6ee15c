#include "app/desktopnotifier.h"

#include "app/globalservices.h"
#include "app/shelllog.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>
#include <QWindow>

namespace {
const QString kDesktopId = QStringLiteral("org.taviro.taviro");
} // namespace

DesktopNotifier::DesktopNotifier(GlobalServices *hub, QWindow *window, QObject *parent)
    : QObject(parent)
    , m_window(window)
{
    connect(hub, &GlobalServices::imageUploaded, this, &DesktopNotifier::photoPosted);
    connect(window, &QWindow::activeChanged, this, [this] {
        if (m_window->isActive())
            m_postedWhileAway = 0;
    });
}

void DesktopNotifier::photoPosted()
{
    if (m_window->isActive())
        return;
    ++m_postedWhileAway;
    notify(tr("%n photo(s) posted", nullptr, m_postedWhileAway),
           tr("Your friends can see them in their timeline now."), QStringLiteral("transfer.complete"));
}

void DesktopNotifier::notify(const QString &summary, const QString &body, const QString &category)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), kDesktopId},
                            {QStringLiteral("category"), category}};
    call << QStringLiteral("TAVIRO") << m_lastId << kDesktopId << summary << body << QStringList() << hints
         << -1;
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        const QDBusPendingReply<uint> reply = *finished;
        // Without a notification service the photo is still posted: nothing more to do.
        if (reply.isError())
            qCDebug(lcShell) << "Desktop notification not shown:" << reply.error().message();
        else
            m_lastId = reply.value();
        finished->deleteLater();
    });
}
