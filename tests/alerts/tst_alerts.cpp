// The alerts in the main window on a fixed clock, with a notification area
// and a notifier that record what they are asked: which alerts a run of clock
// readings sends (at their second, once, not in manual mode, not with the
// alerts off, nothing from before start-up, and on after the clock is set
// back), the UT day followed for days on end, the icon and the menus, the
// choices kept in the group "Alertes", the autostart entry from the menu, a
// click on a notification. Then the desktop's notifications on a private
// session bus with a stand-in service, and the window's own message when
// there is neither a service nor a notification area.
#include "alerts/sunalerts.h"
#include "analysis/dayintervals.h"
#include "session/autostart.h"
#include "support/rows.h"
#include "support/testwindow.h"
#include "tray/traymenu.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <ctime>

using namespace lumora;
using namespace lumora::testing;

namespace {
const QString kName = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
// 21 June 2026, Paris: the Sun comes into the frame 150°–210° azimuth,
// 50°–80° high late in the morning and leaves it early in the afternoon.
const QDate kDay(2026, 6, 21);

// Each alert as a letter: W a warning, E an entry, X an exit.
struct RecordingNotifier : Notifier {
    QString sent;
    void notify(const AlertMessage &m) override
    {
        sent += m.summary == u"Le Soleil entre dans la fenêtre" ? u'E'
              : m.summary == u"Le Soleil quitte la fenêtre"     ? u'X'
              : m.summary.startsWith(u"Le Soleil entrera dans la fenêtre à ") ? u'W' : u'?';
    }
};

// What a desktop's notification service receives: Notify's arguments, hints reduced to desktop-entry.
class StandInService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QList<QVariantList> calls;
    uint lastId = 40;
public slots:
    uint Notify(const QString &app, uint replaces, const QString &icon, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &hints, int timeout)
    {
        calls << QVariantList{app, replaces, icon, summary, body, actions, hints.value(QStringLiteral("desktop-entry")), timeout};
        return replaces ? replaces : ++lastId;
    }
};

void at(qint64 epochSeconds) { fixClock(QDateTime::fromSecsSinceEpoch(epochSeconds, Qt::UTC)); }

// A main window on its own settings file, seeded with keys of the group
// Alertes ("Actives=Vrai;Avance=15"), the frame set; recording: a notifier
// that records, else the desktop's.
struct AlertWindow {
    QTemporaryDir dir;
    QSettings store{dir.filePath(QStringLiteral("Lumora.ini")), QSettings::IniFormat};
    FakeTray *tray = nullptr;
    RecordingNotifier *notifier = nullptr;
    std::unique_ptr<MainWindow> window;

    explicit AlertWindow(const QString &alertKeys = {}, bool recording = true, bool show = true)
    {
        for (const QString &pair : alertKeys.split(u';', Qt::SkipEmptyParts))
            store.setValue(QStringLiteral("Alertes/") + pair.section(u'=', 0, 0), pair.section(u'=', 1));
        open(recording, show);
    }
    void open(bool recording = true, bool show = true)
    {
        window.reset();
        auto backend = std::make_unique<FakeTray>();
        tray = backend.get();
        auto recorder = recording ? std::make_unique<RecordingNotifier>() : nullptr;
        notifier = recorder.get();
        window = std::make_unique<MainWindow>(&store, std::move(backend), std::move(recorder));
        setFrame(*window, 4194, 5871, 482, 1927);
        if (show)
            window->show();
    }
    MainWindow *operator->() { return window.get(); }
    void tickAt(qint64 epochSeconds) { at(epochSeconds); tick(*window); }
    // The frame's stretch on a day from the exact day scan: its entry and exit, UT epoch seconds.
    std::pair<qint64, qint64> stretch(const QDate &day = kDay) const
    {
        const Observation o = window->observation();
        const auto intervals = sunIntervals(double(day.toJulianDay()) - 0.5, o.site, o.panorama, o.frame);
        const qint64 midnight = QDateTime(day, QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
        return {midnight + intervals.front().firstSecond, midnight + intervals.front().lastSecond + 1};
    }
    // Runs the steps: a clock reading in seconds from `entry` ("x5": from
    // `exit`) and a tick ("c5": no tick); M: the time bar moved (manual mode); N: "Maintenant".
    // Gives what each sent (letters of RecordingNotifier, "." for nothing).
    QString run(const QString &steps, qint64 entry, qint64 exit)
    {
        QStringList sent;
        for (const QString &t : steps.split(u' ')) {
            if (t == u"M")
                QTest::keyClick(ui(*window).timeBar, Qt::Key_Down);
            else if (t == u"N")
                QTest::mouseClick(ui(*window).nowButton, Qt::LeftButton);
            else if (t.startsWith(u'c'))
                at(entry + t.mid(1).toInt());
            else
                tickAt(t.startsWith(u'x') ? exit + t.mid(1).toInt() : entry + t.toInt());
            sent << (notifier->sent.isEmpty() ? QStringLiteral(".") : std::exchange(notifier->sent, {}));
        }
        return sent.join(u' ');
    }
};

QAction *menuItem(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions() + menu->findChild<QMenu *>(QStringLiteral("LeadMenu"))->actions())
        if (action->text() == text)
            return action;
    qFatal("no item %s in the menu", qPrintable(text));
}

QString localClock(qint64 epochSeconds)
{
    return QDateTime::fromSecsSinceEpoch(epochSeconds, Qt::LocalTime).toString(QStringLiteral("HH:mm"));
}
} // namespace

class TestAlerts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        setZone("Europe/Paris");
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        // Whatever a test does with the autostart entry stays in here.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome_.path()));
        // The program's notifications go to a bus of the test's own, when there can be one.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            return;
        bus_.start(QStringLiteral("dbus-daemon"), {"--session", "--print-address", "--nofork"});
        QTRY_VERIFY_WITH_TIMEOUT(bus_.canReadLine(), 5000);
        const QString address = QString::fromUtf8(bus_.readLine()).trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
        service_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, QStringLiteral("service")));
        QVERIFY(service_->registerObject(kPath, &standIn_, QDBusConnection::ExportAllSlots));
    }
    void init() { fixClock(utc(2026, 6, 21, 6, 0)); }
    void cleanup() { if (service_) service_->unregisterService(kName); }
    void cleanupTestCase()
    {
        setClockSource({});
        service_.reset();
        bus_.terminate();
        bus_.waitForFinished(5000);
    }

    void watch_data()
    {
        // stored: keys of the group Alertes
        // steps: as AlertWindow::run takes them; the program starts at the first reading
        addColumns<QString, QString, QString>("stored", "steps", "sent");
        const QString on = QStringLiteral("Actives=Vrai");
        QTest::newRow("at the entry's second, once") << on << "-2 -1 0 1 1 30" << ". . E . . .";
        QTest::newRow("a tick a few seconds late still tells") << on << "-2 3" << ". E";
        QTest::newRow("alerts off") << "Actives=Faux" << "-2 -1 0 1" << ". . . .";
        QTest::newRow("no alerts kept: off") << "" << "-1 0" << ". .";
        QTest::newRow("manual mode") << on << "-2 M -1 0 1" << ". . . . .";
        QTest::newRow("back to the clock after the entry") << on << "-60 M c10 N 11 12" << ". . . . . .";
        QTest::newRow("started after the entry") << on << "1 2 60" << ". . .";
        QTest::newRow("started at the entry's second") << on << "0 1" << ". .";
        QTest::newRow("warning 15 minutes ahead, exit") << on + ";Avance=15" << "-901 -900 -899 -1 0 x-1 x0 x1" << ". W . . E . X .";
        // A clock that ran ahead is set back: the watch goes on from the new now.
        QTest::newRow("set back 10 minutes") << on << "595 596 -5 -1 0 1" << ". . . . E .";
        QTest::newRow("set back 2 hours") << on << "7195 7196 -5 -1 0 1" << ". . . . E .";
        QTest::newRow("set back over a told entry: told at its second") << on << "-1 0 600 -5 0 1" << ". E . . E .";
        QTest::newRow("set back to just after the entry: nothing resent") << on << "-1 0 1 603 3 4" << ". E . . . .";
    }
    void watch()
    {
        const auto [stored, steps, sent] = fetchColumns<QString, QString, QString>("stored", "steps", "sent");
        AlertWindow w(stored);
        const auto [entry, exit] = w.stretch();
        at(entry + steps.section(u' ', 0, 0).toInt());
        w.open();
        QCOMPARE(w.run(steps, entry, exit), sent);
    }

    // Left running for days: across UT midnight the alerts and the tray's next event follow the day.
    void followsTheUtDay_data() { addNamedRows<int>("days", {{"1 day on", 1}, {"2 days on", 2}, {"9 days on", 9}}); }
    void followsTheUtDay()
    {
        QFETCH(int, days);
        AlertWindow w(QStringLiteral("Actives=Vrai"));
        tick(*w.window);
        const auto [entry, exit] = w.stretch(kDay.addDays(days));
        const qint64 midnight = QDateTime(kDay.addDays(days), QTime(0, 0), Qt::UTC).toSecsSinceEpoch() - entry;
        QCOMPARE(w.run(QStringLiteral("%1 %2 -3600").arg(midnight - 1).arg(midnight), entry, exit), QStringLiteral(". . ."));
        emit w->trayMenu()->aboutToShow();
        QCOMPARE(w->trayMenu()->nextEventAction()->text(), QStringLiteral("Entrée du Soleil à ") + localClock(entry));
        QCOMPARE(w.run(QStringLiteral("-1 0 1 x0"), entry, exit), QStringLiteral(". E . X"));
    }

    // The icon stays beside a shown window while the alerts are on, whatever
    // brings the window back; "Alertes" brings and removes it at once.
    void trayIcon_data()
    {
        // hidden: how the window was hidden
        // back: what brings it back
        addColumns<bool, QString, QString>("alertsOn", "hidden", "back");
        QTest::newRow("alerts on, window hidden") << true << "button" << "notification";
        QTest::newRow("alerts off, window hidden") << false << "button" << "tray message";
        QTest::newRow("alerts off, started in the tray") << false << "never shown" << "icon";
    }
    void trayIcon()
    {
        const auto [alertsOn, hidden, back] = fetchColumns<bool, QString, QString>("alertsOn", "hidden", "back");
        AlertWindow w(alertsOn ? QStringLiteral("Actives=Vrai") : QString(), true, hidden != u"never shown");
        const qint64 entry = w.stretch().first;
        if (hidden == u"button")
            QTest::mouseClick(ui(*w.window).hideButton, Qt::LeftButton);
        for (const qint64 t : {entry - 1, entry}) {
            w.tickAt(t);
            QCOMPARE(w.tray->shown(), alertsOn || !hidden.isEmpty());
        }
        if (back == u"icon")
            w->tray()->notifyActivated();
        else if (back == u"notification")
            emit w.notifier->activated();
        else
            w->tray()->notifyMessageClicked();
        QVERIFY(w->isVisible());
        QCOMPARE(w.tray->shown(), alertsOn);
        QAction *alerts = menuItem(w->trayMenu(), QStringLiteral("Alertes"));
        alerts->trigger();
        QCOMPARE(w->alerts()->enabled(), !alertsOn);
        QCOMPARE(w.tray->shown(), !alertsOn);
        w.tray->isAvailable = false; // without a notification area there is no icon to show
        alerts->trigger();
        alerts->trigger();
        QCOMPARE(w.tray->shown(), false);
    }

    // The tray menu's items, also in the panorama's menu; its "Quitter" saves ("Afficher Lumora": tests/mainwindow).
    void menusAndChoices()
    {
        AlertWindow w;
        QStringList texts;
        for (QAction *a : w->trayMenu()->actions() + w->trayMenu()->findChild<QMenu *>(QStringLiteral("LeadMenu"))->actions())
            if (a->isVisible() && !a->isSeparator())
                texts << a->text();
        QCOMPARE(texts, (QStringList{"Afficher Lumora", "Alertes", "Prévenir à l'avance", "Démarrer avec la session", "Quitter",
                                     "Non", "5 minutes avant", "15 minutes avant", "30 minutes avant"}));
        // The same items in the panorama's menu (what they write: tests/mainwindow).
        QMenu *panoramaMenu = ui(*w.window).panorama->menu();
        QVERIFY(menuItem(panoramaMenu, QStringLiteral("Alertes")) && menuItem(panoramaMenu, QStringLiteral("30 minutes avant")));
        ui(*w.window).latitudeDegreesEdit->setText(QStringLiteral("45"));
        w->trayMenu()->quitAction()->trigger();
        QCOMPARE(QSettings(w.store.fileName(), QSettings::IniFormat).value(QStringLiteral("DATA/T1")).toString(), "45");
    }

    // Ticked: the entry written; unticked: removed; removed by other means, or
    // not made (a file where its folder should be): unticked, and told.
    void autostartFromTheMenu()
    {
        AlertWindow w;
        QAction *autostart = menuItem(w->trayMenu(), QStringLiteral("Démarrer avec la session"));
        autostart->trigger();
        QVERIFY(autostartEnabled() && autostart->isChecked());
        autostart->trigger();
        QVERIFY(!autostartEnabled() && !autostart->isChecked());
        autostart->trigger();
        QFile::remove(autostartFilePath());
        emit ui(*w.window).panorama->menu()->aboutToShow();
        QVERIFY(!autostart->isChecked());
        QFile blocker(configHome_.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocker.fileName()));
        autostart->trigger();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome_.path()));
        QVERIFY(!autostart->isChecked());
        QMessageBox *box = nullptr;
        QTRY_VERIFY((box = w->findChild<QMessageBox *>(QStringLiteral("AutostartMessage"))));
        QCOMPARE(box->text(), QStringLiteral("Le démarrage avec la session n'a pas pu être réglé."));
        QVERIFY(box->informativeText().startsWith(QStringLiteral("Le dossier ")));
    }

    // What Notify is given; one notification of ours on show at a time: the
    // next replaces it, unless the user closed it; a click on ours (only) asks for the window.
    void desktopNotifications()
    {
        if (!service_)
            QSKIP("dbus-daemon is not installed");
        QVERIFY(service_->registerService(kName));
        DesktopNotifier notifier([](const AlertMessage &) { QFAIL("fell back"); });
        QSignalSpy activated(&notifier, &Notifier::activated);
        const auto send = [&](const char *signal, QVariantList args) {
            QDBusMessage message = QDBusMessage::createSignal(kPath, kName, QLatin1String(signal));
            message.setArguments(args);
            QVERIFY(service_->send(message));
            QTest::qWait(100);
        };
        notifier.notify({QStringLiteral("Le Soleil entrera dans la fenêtre à 14:32"), QStringLiteral("Dans 15 minutes.")});
        QTRY_COMPARE(standIn_.calls.size(), 1);
        QCOMPARE(standIn_.calls[0], (QVariantList{"Lumora", 0u, "org.lumora.Lumora", "Le Soleil entrera dans la fenêtre à 14:32",
                                                  "Dans 15 minutes.", QStringList{"default", "Afficher Lumora"},
                                                  "org.lumora.Lumora", -1}));
        const uint first = standIn_.lastId;
        send("ActionInvoked", {first + 1, "default"});
        send("ActionInvoked", {first, "other"});
        QCOMPARE(activated.count(), 0);
        send("ActionInvoked", {first, "default"});
        QCOMPARE(activated.count(), 1);
        notifier.notify({QStringLiteral("Le Soleil entre dans la fenêtre"), {}});
        QTRY_COMPARE(standIn_.calls.size(), 2);
        QCOMPARE(standIn_.calls[1][1].toUInt(), first);
        send("NotificationClosed", {first, 2u});
        notifier.notify({QStringLiteral("Le Soleil quitte la fenêtre"), {}});
        QTRY_COMPARE(standIn_.calls.size(), 3);
        QCOMPARE(standIn_.calls[2][1].toUInt(), 0u);
    }

    // Neither a notification service nor a notification area: the window
    // shows the alert itself, without blocking, and says so once on standard error.
    void noServiceNoTray()
    {
        AlertWindow w(QStringLiteral("Actives=Vrai"), false);
        w.tray->isAvailable = false;
        const auto [entry, exit] = w.stretch();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no notification area")));
        QTest::failOnWarning(QRegularExpression(QStringLiteral("no notification area")));
        w.tickAt(entry - 1);
        w.tickAt(entry);
        QMessageBox *box = nullptr;
        QTRY_VERIFY((box = w->findChild<QMessageBox *>(QStringLiteral("AlertMessage"))));
        QCOMPARE(box->text(), QStringLiteral("Le Soleil entre dans la fenêtre"));
        QVERIFY(box->isVisible() && !box->isModal());
        w.tickAt(exit);
        QTRY_COMPARE(box->text(), QStringLiteral("Le Soleil quitte la fenêtre"));
        QVERIFY(box->informativeText().startsWith(QStringLiteral("À ") + localClock(exit)));
        QCOMPARE(w->findChildren<QMessageBox *>(QStringLiteral("AlertMessage")).size(), 1);
    }

private:
    QTemporaryDir configHome_;
    QProcess bus_;
    std::unique_ptr<QDBusConnection> service_;
    StandInService standIn_;
};

QTEST_MAIN(TestAlerts)
#include "tst_alerts.moc"
