// A stand-in for the desktop's notification service, for the end-to-end
// suite: it takes the name org.freedesktop.Notifications on the session bus
// (DBUS_SESSION_BUS_ADDRESS) and writes each Notify call as one JSON line to
// the file given as its argument, with the wall-clock time it came. The suite
// plays the user's click with its own method:
//   org.lumora.StandIn.Invoke(uint32 id, string actionKey)
// which emits ActionInvoked(id, actionKey) as a real service does.
// Prints "ready" once the name is held; exits 2 when it cannot be had.
#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

class Service : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    explicit Service(QString logPath) : log_(std::move(logPath)) {}

public slots:
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int timeout)
    {
        const uint id = replacesId ? replacesId : ++lastId_;
        QJsonObject call{{QStringLiteral("id"), qint64(id)},
                         {QStringLiteral("app_name"), appName},
                         {QStringLiteral("replaces_id"), qint64(replacesId)},
                         {QStringLiteral("app_icon"), appIcon},
                         {QStringLiteral("summary"), summary},
                         {QStringLiteral("body"), body},
                         {QStringLiteral("actions"), QJsonArray::fromStringList(actions)},
                         {QStringLiteral("desktop_entry"), hints.value(QStringLiteral("desktop-entry")).toString()},
                         {QStringLiteral("expire_timeout"), timeout},
                         {QStringLiteral("time"), QDateTime::currentMSecsSinceEpoch() / 1000.0}};
        QFile file(log_);
        if (file.open(QIODevice::Append))
            file.write(QJsonDocument(call).toJson(QJsonDocument::Compact) + '\n');
        return id;
    }
    QStringList GetCapabilities() { return {QStringLiteral("body"), QStringLiteral("actions")}; }
    QString GetServerInformation(QString &vendor, QString &version, QString &specVersion)
    {
        vendor = QStringLiteral("Lumora tests");
        version = QStringLiteral("1");
        specVersion = QStringLiteral("1.2");
        return QStringLiteral("stand-in");
    }
    void CloseNotification(uint id)
    {
        QDBusMessage closed = QDBusMessage::createSignal(kPath, kInterface, QStringLiteral("NotificationClosed"));
        closed << id << 3u;
        QDBusConnection::sessionBus().send(closed);
    }

private:
    QString log_;
    uint lastId_ = 0;
};

// The suite's side door: a click on a notification's action.
class Clicks : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.lumora.StandIn")

public:
    explicit Clicks(QObject *parent) : QDBusAbstractAdaptor(parent) {}

public slots:
    void Invoke(uint id, const QString &actionKey)
    {
        QDBusMessage invoked = QDBusMessage::createSignal(kPath, kInterface, QStringLiteral("ActionInvoked"));
        invoked << id << actionKey;
        QDBusConnection::sessionBus().send(invoked);
    }
};
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s LOG_FILE\n", argv[0]);
        return 2;
    }
    Service service(QString::fromLocal8Bit(argv[1]));
    new Clicks(&service);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.registerObject(kPath, &service, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAdaptors)
        || !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        std::fprintf(stderr, "cannot hold org.freedesktop.Notifications: %s\n", qPrintable(bus.lastError().message()));
        return 2;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

#include "notification_standin.moc"
