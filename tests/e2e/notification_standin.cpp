// A stand-in for the desktop's notification service, for the end-to-end
// suite: it takes the name org.freedesktop.Notifications on the session bus
// and writes each Notify call as one JSON line to the file given as its
// argument, with the wall-clock time it came. The suite plays the user's click
// with a method of its own, Invoke(uint32 id, string actionKey), which emits
// ActionInvoked(id, actionKey) as a real service does.
// Prints "ready" once the name is held; exits 2 when it cannot be had.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {
const QString kName = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

class Service : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    explicit Service(QString logPath) : log_(std::move(logPath)) {}

public slots:
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &, int)
    {
        const uint id = replacesId ? replacesId : ++lastId_;
        const QJsonObject call{{"id", qint64(id)}, {"app_name", appName}, {"app_icon", appIcon}, {"summary", summary},
                               {"body", body}, {"actions", QJsonArray::fromStringList(actions)},
                               {"time", QDateTime::currentMSecsSinceEpoch() / 1000.0}};
        QFile file(log_);
        if (file.open(QIODevice::Append))
            file.write(QJsonDocument(call).toJson(QJsonDocument::Compact) + '\n');
        return id;
    }
    void Invoke(uint id, const QString &actionKey)
    {
        QDBusMessage invoked = QDBusMessage::createSignal(kPath, kName, QStringLiteral("ActionInvoked"));
        invoked << id << actionKey;
        QDBusConnection::sessionBus().send(invoked);
    }

private:
    QString log_;
    uint lastId_ = 0;
};
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    Service service(QString::fromLocal8Bit(argv[1]));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(kPath, &service, QDBusConnection::ExportAllSlots) || !bus.registerService(kName)) {
        std::fprintf(stderr, "cannot hold %s: %s\n", qPrintable(kName), qPrintable(bus.lastError().message()));
        return 2;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

#include "notification_standin.moc"
