// How an alert reaches the user: through the desktop's notification service
// (the freedesktop notifications interface on the session D-Bus), or, where
// there is none, through a fallback (the notification-area icon's message, or
// without one the window's own).
// Tests put a notifier of their own in its place to record what is sent.
#pragma once

#include "analysis/alerttexts.h"

#include <QObject>
#include <QSet>
#include <functional>

namespace lumora {

class Notifier : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    // Shows the message now; never blocks (an answer comes later, if at all).
    virtual void notify(const AlertMessage &message) = 0;

signals:
    // The user clicked one of our notifications or its "Afficher Lumora" action.
    void activated();
};

// org.freedesktop.Notifications on the session bus: Notify with the
// application name "Lumora", the program's icon, the default action and its
// caption "Afficher Lumora"; each new notification replaces our previous one
// while that one is still on show. ActionInvoked for one of ours emits
// activated(). Without a session bus, or when the call fails (no service, an
// error, no answer within a few seconds), the message goes to the fallback.
class DesktopNotifier : public Notifier
{
    Q_OBJECT

public:
    using Fallback = std::function<void(const AlertMessage &)>;
    explicit DesktopNotifier(Fallback fallback, QObject *parent = nullptr);

    void notify(const AlertMessage &message) override;

private slots:
    void onActionInvoked(uint id, const QString &actionKey);
    void onNotificationClosed(uint id, uint reason);

private:
    bool listen();

    Fallback fallback_;
    bool listening_ = false;
    QSet<uint> ours_;  // ids of our notifications still on show
    uint lastId_ = 0;  // the one a new notification replaces
};

} // namespace lumora
