// Desktop notifications on a private session bus (a dbus-daemon of the
// test's own), with a stand-in notification service in the test: what Notify
// is given, a new notification replacing ours while it is on show, the click
// on ours (and only ours) asking for the window, and the fallback when no
// service answers.
#include "alerts/notifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

using namespace lumora;

namespace {
const QString kName = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

// What a desktop's notification service receives.
class StandInService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Call {
        QString appName;
        uint replacesId;
        QString appIcon, summary, body;
        QStringList actions;
        QVariantMap hints;
        int timeout;
    };
    QList<Call> calls;
    uint lastId = 40;

public slots:
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int timeout)
    {
        calls.append({appName, replacesId, appIcon, summary, body, actions, hints, timeout});
        return replacesId ? replacesId : ++lastId;
    }
};
} // namespace

class TestDesktopNotifier : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed");
        bus_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--print-address"),
                                                   QStringLiteral("--nofork")});
        QVERIFY(bus_.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(bus_.canReadLine(), 5000);
        address_ = QString::fromUtf8(bus_.readLine()).trimmed();
        // The program's own connection goes to the test's bus.
        qputenv("DBUS_SESSION_BUS_ADDRESS", address_.toUtf8());
        service_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address_, QStringLiteral("service")));
        QVERIFY(service_->isConnected());
        QVERIFY(service_->registerObject(kPath, &standIn_, QDBusConnection::ExportAllSlots));
    }
    void init()
    {
        QVERIFY(service_->registerService(kName));
        standIn_.calls.clear();
    }
    void cleanup() { service_->unregisterService(kName); }
    void cleanupTestCase()
    {
        service_.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("service"));
        bus_.terminate();
        bus_.waitForFinished(5000);
    }

    // What Notify is given; one notification of ours on show at a time: the
    // next replaces it, unless the user closed it.
    void replacesOursWhileShown()
    {
        int fallbacks = 0;
        DesktopNotifier notifier([&](const AlertMessage &) { ++fallbacks; });
        notifier.notify({QStringLiteral("Le Soleil entrera dans la fenêtre à 14:32"), QStringLiteral("Dans 15 minutes.")});
        QTRY_COMPARE(standIn_.calls.size(), 1);
        const StandInService::Call &call = standIn_.calls[0];
        QCOMPARE(QStringList({call.appName, call.appIcon, call.summary, call.body}),
                 QStringList({"Lumora", "org.lumora.Lumora", "Le Soleil entrera dans la fenêtre à 14:32", "Dans 15 minutes."}));
        QCOMPARE(call.actions, (QStringList{QStringLiteral("default"), QStringLiteral("Afficher Lumora")}));
        QCOMPARE(call.hints.value(QStringLiteral("desktop-entry")).toString(), QStringLiteral("org.lumora.Lumora"));
        QCOMPARE(call.replacesId, 0u);
        QCOMPARE(call.timeout, -1);
        QCOMPARE(fallbacks, 0);
        const uint first = standIn_.lastId;
        QTest::qWait(50); // the answer reaches the notifier
        notifier.notify({QStringLiteral("Le Soleil entre dans la fenêtre"), {}});
        QTRY_COMPARE(standIn_.calls.size(), 2);
        QCOMPARE(standIn_.calls[1].replacesId, first);
        QDBusMessage closed = QDBusMessage::createSignal(kPath, kName, QStringLiteral("NotificationClosed"));
        closed << first << 2u;
        QVERIFY(service_->send(closed));
        QTest::qWait(100);
        notifier.notify({QStringLiteral("Le Soleil quitte la fenêtre"), {}});
        QTRY_COMPARE(standIn_.calls.size(), 3);
        QCOMPARE(standIn_.calls[2].replacesId, 0u);
    }

    void clickOnOursOnly_data()
    {
        QTest::addColumn<bool>("ours");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("activations");
        QTest::newRow("ours, default action") << true << "default" << 1;
        QTest::newRow("ours, another action") << true << "other" << 0;
        QTest::newRow("another program's") << false << "default" << 0;
    }
    void clickOnOursOnly()
    {
        QFETCH(bool, ours);
        QFETCH(QString, action);
        QFETCH(int, activations);
        DesktopNotifier notifier([](const AlertMessage &) {});
        QSignalSpy activated(&notifier, &Notifier::activated);
        notifier.notify({QStringLiteral("Le Soleil entre dans la fenêtre"), {}});
        QTRY_COMPARE(standIn_.calls.size(), 1);
        QTest::qWait(50);
        QDBusMessage invoked = QDBusMessage::createSignal(kPath, kName, QStringLiteral("ActionInvoked"));
        invoked << (ours ? standIn_.lastId : standIn_.lastId + 100) << action;
        QVERIFY(service_->send(invoked));
        QTest::qWait(200);
        QCOMPARE(activated.count(), activations);
    }

    void fallbackWithoutService()
    {
        service_->unregisterService(kName);
        QList<AlertMessage> fallen;
        DesktopNotifier notifier([&](const AlertMessage &m) { fallen << m; });
        const AlertMessage message{QStringLiteral("Le Soleil quitte la fenêtre"), QStringLiteral("À 16:37.")};
        notifier.notify(message);
        QTRY_COMPARE(fallen.size(), 1);
        QCOMPARE(fallen[0], message);
        QVERIFY(standIn_.calls.isEmpty());
    }

private:
    QProcess bus_;
    QString address_;
    std::unique_ptr<QDBusConnection> service_;
    StandInService standIn_;
};

QTEST_GUILESS_MAIN(TestDesktopNotifier)
#include "tst_desktopnotifier.moc"
