// Desktop notifications over the session D-Bus, with a fallback.
#include "alerts/notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace lumora {

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kDefaultAction = QStringLiteral("default");
// A service that does not answer by then is taken for absent.
constexpr int kReplyTimeoutMs = 5000;
} // namespace

DesktopNotifier::DesktopNotifier(Fallback fallback, QObject *parent)
    : Notifier(parent), fallback_(std::move(fallback))
{
}

bool DesktopNotifier::listen()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    if (!listening_) {
        // The service's signals, whoever owns the name at the time.
        bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                    SLOT(onActionInvoked(uint, QString)));
        bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                    SLOT(onNotificationClosed(uint, uint)));
        listening_ = true;
    }
    return true;
}

void DesktopNotifier::notify(const AlertMessage &message)
{
    if (!listen()) {
        if (fallback_)
            fallback_(message);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("org.lumora.Lumora")},
                            {QStringLiteral("urgency"), QVariant::fromValue(uchar(1))}};
    call << QStringLiteral("Lumora") << (ours_.contains(lastId_) ? lastId_ : 0u) << QStringLiteral("org.lumora.Lumora")
         << message.summary << message.body << QStringList{kDefaultAction, tr("Afficher Lumora")} << hints
         << qint32(-1);
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, kReplyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, message](QDBusPendingCallWatcher *finished) {
        const QDBusPendingReply<uint> reply = *finished;
        finished->deleteLater();
        if (reply.isError()) {
            qWarning("Lumora: no desktop notification (%s): %s", qPrintable(reply.error().name()),
                     qPrintable(reply.error().message()));
            if (fallback_)
                fallback_(message);
            return;
        }
        lastId_ = reply.value();
        ours_.insert(lastId_);
    });
}

void DesktopNotifier::onActionInvoked(uint id, const QString &actionKey)
{
    if (ours_.contains(id) && actionKey == kDefaultAction)
        emit activated();
}

void DesktopNotifier::onNotificationClosed(uint id, uint /*reason*/) { ours_.remove(id); }

} // namespace lumora
