// The alerts in the main window, on a fixed clock, with a notification area
// and a notifier that only record what they are asked: an entry alert sent at
// the tick that reaches the entry second in real time, and not in manual
// mode, not with the alerts off, not twice, not for what passed before
// start-up or in manual mode; the lead from the panorama's menu, the warning
// ahead and the exit; the icon kept beside a shown window while the alerts
// are on; the choices in the tray's and the panorama's menus, kept in the
// group "Alertes"; the tray menu's next event and "Quitter"; the autostart
// entry from the menu; a click on a notification.
#include "alerts/alertactions.h"
#include "alerts/sunalerts.h"
#include "analysis/alertschedule.h"
#include "analysis/dayintervals.h"
#include "astro/clock.h"
#include "mainwindow/mainwindow.h"
#include "support/windowcontrols.h"
#include "tray/traymenu.h"

#include <QtTest>
#include <QtWidgets>
#include <ctime>
#include <memory>

using namespace lumora;
using namespace lumora::testing;

namespace {
struct FakeTray : TrayBackend {
    bool isAvailable = true;
    bool isShown = false;
    QStringList messages;
    bool available() const override { return isAvailable; }
    void show(const QIcon &, const QString &) override { isShown = true; }
    void hide() override { isShown = false; }
    void showMessage(const QString &title, const QString &) override { messages << title; }
};

struct RecordingNotifier : Notifier {
    QList<AlertMessage> sent;
    void notify(const AlertMessage &message) override { sent << message; }
    QStringList summaries() const
    {
        QStringList list;
        for (const AlertMessage &m : sent)
            list << m.summary;
        return list;
    }
};

// 21 June 2026, Paris: the Sun comes into the frame 150°–210° azimuth,
// 50°–80° high late in the morning and leaves it early in the afternoon.
const QDate kDay(2026, 6, 21);

void fixClock(qint64 epochSeconds)
{
    setClockSource([epochSeconds] { return QDateTime::fromSecsSinceEpoch(epochSeconds, Qt::UTC); });
}

// A shown main window on its own settings file, seeded with keys of the group Alertes.
class TestWindow
{
public:
    explicit TestWindow(const QString &alertKeys = {}, bool show = true)
        : store_(dir_.filePath(QStringLiteral("Lumora.ini")), QSettings::IniFormat)
    {
        for (const QString &pair : alertKeys.split(u';', Qt::SkipEmptyParts))
            store_.setValue(QStringLiteral("Alertes/") + pair.section(u'=', 0, 0), pair.section(u'=', 1));
        store_.sync();
        open(show);
    }
    void open(bool show = true)
    {
        auto backend = std::make_unique<FakeTray>();
        auto recorder = std::make_unique<RecordingNotifier>();
        tray = backend.get();
        notifier = recorder.get();
        window_ = std::make_unique<MainWindow>(&store_, std::move(backend), std::move(recorder));
        // 150°..210° azimuth, 50°..80° high, opened fully first.
        const auto c = ui(*window_);
        c.frameRightBar->setValue(c.frameRightBar->maximum());
        c.frameBottomBar->setValue(c.frameBottomBar->maximum());
        c.frameLeftBar->setValue(4194);
        c.frameRightBar->setValue(5871);
        c.frameTopBar->setValue(482);
        c.frameBottomBar->setValue(1927);
        if (show)
            window_->show();
    }
    MainWindow *operator->() { return window_.get(); }
    MainWindow &operator*() { return *window_; }
    QSettings &store() { return store_; }
    void close() { window_.reset(); }

    // The frame's stretch that day, from the exact day scan: UT epoch seconds.
    std::pair<qint64, qint64> stretch()
    {
        const Observation o = window_->observation();
        const double jd0 = double(kDay.toJulianDay()) - 0.5;
        const auto intervals = sunIntervals(jd0, o.site, o.panorama, o.frame);
        const qint64 midnight = QDateTime(kDay, QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
        return {midnight + intervals.front().firstSecond, midnight + intervals.front().lastSecond + 1};
    }

    FakeTray *tray = nullptr;              // owned by the window
    RecordingNotifier *notifier = nullptr; // owned by the window

private:
    QTemporaryDir dir_;
    QSettings store_;
    std::unique_ptr<MainWindow> window_;
};

void tickAt(MainWindow &w, qint64 epochSeconds)
{
    fixClock(epochSeconds);
    tick(w);
}

// The item of a menu with that text (the panorama's holds other features' too).
QAction *menuItem(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions())
        if (action->text() == text)
            return action;
    std::fprintf(stderr, "no item %s in the menu\n", qPrintable(text));
    std::abort();
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
        qputenv("TZ", "Europe/Paris");
        tzset();
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        // Whatever a test does with the autostart entry stays in here.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome_.path()));
    }
    void init() { fixClock(QDateTime(kDay, QTime(6, 0), Qt::UTC).toSecsSinceEpoch()); }
    void cleanupTestCase() { setClockSource({}); }

    void entryAlert_data()
    {
        QTest::addColumn<QString>("stored");      // keys of the group Alertes
        QTest::addColumn<bool>("manual");         // the time bar moved after the first tick
        QTest::addColumn<QList<int>>("ticks");    // seconds from the entry
        QTest::addColumn<QList<int>>("sentAfter"); // notifications after each tick
        const QList<int> around{-2, -1, 0, 1, 1, 30};
        QTest::newRow("real time: at the entry's second, once") << "Actives=Vrai" << false << around << QList<int>{0, 0, 1, 1, 1, 1};
        QTest::newRow("a tick a few seconds late still tells") << "Actives=Vrai" << false << QList<int>{-2, 3} << QList<int>{0, 1};
        QTest::newRow("alerts off") << "Actives=Faux" << false << around << QList<int>{0, 0, 0, 0, 0, 0};
        QTest::newRow("no alerts kept: off") << "" << false << around << QList<int>{0, 0, 0, 0, 0, 0};
        QTest::newRow("manual mode") << "Actives=Vrai" << true << around << QList<int>{0, 0, 0, 0, 0, 0};
        QTest::newRow("started after the entry") << "Actives=Vrai" << false << QList<int>{1, 2, 60} << QList<int>{0, 0, 0};
        QTest::newRow("started at the entry's second") << "Actives=Vrai" << false << QList<int>{0, 1} << QList<int>{0, 0};
    }
    void entryAlert()
    {
        QFETCH(QString, stored);
        QFETCH(bool, manual);
        QFETCH(QList<int>, ticks);
        QFETCH(QList<int>, sentAfter);
        TestWindow w(stored);
        const qint64 entry = w.stretch().first;
        // The program starts at the first tick's instant.
        w.close();
        fixClock(entry + ticks[0]);
        w.open();
        QList<int> counts;
        for (int i = 0; i < ticks.size(); ++i) {
            tickAt(*w, entry + ticks[i]);
            if (i == 0 && manual)
                QTest::keyClick(ui(*w).timeBar, Qt::Key_Down);
            counts << int(w.notifier->sent.size());
        }
        QCOMPARE(counts, sentAfter);
        if (!w.notifier->sent.isEmpty()) {
            QCOMPARE(w.notifier->sent[0].summary, QStringLiteral("Le Soleil entre dans la fenêtre"));
            QVERIFY2(w.notifier->sent[0].body.startsWith(QStringLiteral("À ") + localClock(entry) + u','),
                     qPrintable(w.notifier->sent[0].body));
        }
    }

    // What passed in manual mode is not told when the clock is followed again.
    void nothingFromManualMode()
    {
        TestWindow w(QStringLiteral("Actives=Vrai"));
        const qint64 entry = w.stretch().first;
        tickAt(*w, entry - 60);
        QTest::keyClick(ui(*w).timeBar, Qt::Key_Down);
        fixClock(entry + 10);
        ui(*w).frameLeftBar->setValue(ui(*w).frameLeftBar->value() + 1); // an observation in manual mode
        ui(*w).frameLeftBar->setValue(ui(*w).frameLeftBar->value() - 1);
        QTest::mouseClick(ui(*w).nowButton, Qt::LeftButton);
        tickAt(*w, entry + 11);
        tickAt(*w, entry + 12);
        QCOMPARE(w.notifier->summaries(), QStringList{});
    }

    // The lead chosen in the window's menu, then the warning, the entry and the exit.
    void warningAndExit()
    {
        TestWindow w(QStringLiteral("Actives=Vrai"));
        const auto [entry, exit] = w.stretch();
        for (QAction *action : ui(*w).panorama->menu()->findChildren<QMenu *>(QStringLiteral("LeadMenu")).value(0)->actions())
            if (action->text() == u"15 minutes avant")
                action->trigger();
        QCOMPARE(w.store().value(QStringLiteral("Alertes/Avance")).toString(), QStringLiteral("15"));
        for (const qint64 t : {entry - 901, entry - 900, entry - 899, entry - 1, entry, exit - 1, exit, exit + 1})
            tickAt(*w, t);
        QCOMPARE(w.notifier->summaries(), (QStringList{QStringLiteral("Le Soleil entrera dans la fenêtre à ") + localClock(entry),
                                                       QStringLiteral("Le Soleil entre dans la fenêtre"),
                                                       QStringLiteral("Le Soleil quitte la fenêtre")}));
        QCOMPARE(w.notifier->sent[0].body.left(16), QStringLiteral("Dans 15 minutes,"));
        QVERIFY2(w.notifier->sent[2].body.startsWith(QStringLiteral("À ") + localClock(exit) + u'.'), qPrintable(w.notifier->sent[2].body));
    }

    // The icon stays beside a shown window while the alerts are on.
    void trayIcon_data()
    {
        QTest::addColumn<bool>("alertsOn");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("iconShown");
        QTest::newRow("alerts on, window shown") << true << false << true;
        QTest::newRow("alerts on, window hidden") << true << true << true;
        QTest::newRow("alerts off, window shown") << false << false << false;
        QTest::newRow("alerts off, window hidden") << false << true << true;
    }
    void trayIcon()
    {
        QFETCH(bool, alertsOn);
        QFETCH(bool, hidden);
        QFETCH(bool, iconShown);
        TestWindow w(alertsOn ? QStringLiteral("Actives=Vrai") : QString());
        const qint64 entry = w.stretch().first;
        if (hidden)
            QTest::mouseClick(ui(*w).hideButton, Qt::LeftButton);
        tickAt(*w, entry - 1);
        QCOMPARE(w.tray->isShown, iconShown);
        // The answer changes: the icon comes back with it where it was.
        tickAt(*w, entry);
        QCOMPARE(w.tray->isShown, iconShown);
        if (iconShown)
            QCOMPARE(w->tray()->toolTip(), QStringLiteral("Le Soleil est dans la fenêtre"));
        // A left click brings the window back; with the alerts on the icon stays.
        w->tray()->notifyActivated();
        QVERIFY(w->isVisible());
        QCOMPARE(w.tray->isShown, alertsOn);
    }

    void togglingAlertsShowsAndRemovesTheIcon()
    {
        TestWindow w;
        tick(*w);
        QVERIFY(!w.tray->isShown);
        QAction *alerts = menuItem(ui(*w).panorama->menu(), QStringLiteral("Alertes"));
        alerts->trigger();
        QVERIFY(w->alerts()->enabled() && w.tray->isShown);
        QVERIFY(w->trayMenu()->actions().contains(alerts) && alerts->isChecked());
        alerts->trigger();
        QVERIFY(!w->alerts()->enabled() && !w.tray->isShown);
        // Without a notification area there is no icon to show.
        w.tray->isAvailable = false;
        alerts->trigger();
        QVERIFY(!w.tray->isShown);
    }

    void choicesKeptInTheirOwnGroup()
    {
        TestWindow w;
        menuItem(ui(*w).panorama->menu(), QStringLiteral("Alertes"))->trigger();
        for (QAction *action : w->trayMenu()->findChildren<QMenu *>(QStringLiteral("LeadMenu")).value(0)->actions())
            if (action->text() == u"30 minutes avant")
                action->trigger();
        QTest::mouseClick(ui(*w).quitButton, Qt::LeftButton);
        QSettings saved(w.store().fileName(), QSettings::IniFormat);
        QCOMPARE(saved.value(QStringLiteral("Alertes/Actives")).toString(), QStringLiteral("Vrai"));
        QCOMPARE(saved.value(QStringLiteral("Alertes/Avance")).toString(), QStringLiteral("30"));
        saved.beginGroup(QStringLiteral("DATA"));
        QCOMPARE(saved.childKeys().size(), 12);
        saved.endGroup();
        w.close();
        w.open();
        QVERIFY(w->alerts()->enabled());
        QCOMPARE(w->alerts()->leadMinutes(), 30);
        const auto checked = [&](const QString &text) {
            for (QAction *a : w->trayMenu()->findChildren<QMenu *>(QStringLiteral("LeadMenu")).value(0)->actions())
                if (a->text() == text)
                    return a->isChecked();
            return false;
        };
        QVERIFY(checked(QStringLiteral("30 minutes avant")) && !checked(QStringLiteral("Non")));
    }

    void trayMenuNextEvent()
    {
        TestWindow w;
        const auto [entry, exit] = w.stretch();
        const auto nextEvent = [&](qint64 now) {
            fixClock(now);
            tick(*w);
            emit w->trayMenu()->aboutToShow();
            return w->trayMenu()->nextEventAction()->text();
        };
        QCOMPARE(nextEvent(entry - 3600), QStringLiteral("Entrée du Soleil à ") + localClock(entry));
        QCOMPARE(nextEvent(entry), QStringLiteral("Sortie du Soleil à ") + localClock(exit));
        QVERIFY(!w->trayMenu()->nextEventAction()->isEnabled());
        QVERIFY(nextEvent(exit).startsWith(QStringLiteral("Entrée du Soleil demain à ")));
        const QStringList texts = [&] {
            QStringList list;
            for (QAction *a : w->trayMenu()->actions())
                if (!a->isSeparator())
                    list << a->text();
            return list;
        }();
        QCOMPARE(texts.mid(2), (QStringList{"Alertes", "Prévenir à l'avance", "Démarrer avec la session", "Quitter"}));
        QCOMPARE(texts.first(), QStringLiteral("Afficher Lumora"));
    }

    void trayMenuShowAndQuit()
    {
        TestWindow w(QStringLiteral("Actives=Vrai"));
        QTest::mouseClick(ui(*w).hideButton, Qt::LeftButton);
        ui(*w).latitudeDegreesEdit->setText(QStringLiteral("45"));
        w->trayMenu()->showAction()->trigger();
        QVERIFY(w->isVisible());
        QTest::mouseClick(ui(*w).hideButton, Qt::LeftButton);
        w->trayMenu()->quitAction()->trigger();
        QSettings saved(w.store().fileName(), QSettings::IniFormat);
        QCOMPARE(saved.value(QStringLiteral("DATA/T1")).toString(), QStringLiteral("45"));
        QVERIFY(!w.tray->isShown);
    }

    void autostartFromTheMenu()
    {
        TestWindow w;
        QAction *autostart = menuItem(w->trayMenu(), QStringLiteral("Démarrer avec la session"));
        const QString entry = configHome_.filePath(QStringLiteral("autostart/lumora.desktop"));
        autostart->trigger();
        QVERIFY(QFile::exists(entry) && autostart->isChecked());
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains(" --tray\n"));
        file.close();
        autostart->trigger();
        QVERIFY(!QFile::exists(entry) && !autostart->isChecked());
        // Removed by other means: the menu shows it when it opens.
        autostart->trigger();
        QFile::remove(entry);
        emit ui(*w).panorama->menu()->aboutToShow();
        QVERIFY(!autostart->isChecked());
    }

    void autostartFailureIsTold()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("config")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocker.fileName()));
        TestWindow w;
        QAction *autostart = menuItem(w->trayMenu(), QStringLiteral("Démarrer avec la session"));
        autostart->trigger();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome_.path()));
        QVERIFY(!autostart->isChecked());
        QTRY_VERIFY(w->findChild<QMessageBox *>(QStringLiteral("AutostartMessage")));
    }

    // A click on a notification, or on the tray icon's message, brings the window back.
    void notificationClick_data()
    {
        QTest::addColumn<bool>("onMessage");
        QTest::newRow("desktop notification") << false;
        QTest::newRow("tray icon's message") << true;
    }
    void notificationClick()
    {
        QFETCH(bool, onMessage);
        TestWindow w(QStringLiteral("Actives=Vrai"));
        QTest::mouseClick(ui(*w).hideButton, Qt::LeftButton);
        QVERIFY(w->isHidden());
        if (onMessage)
            w->tray()->notifyMessageClicked();
        else
            emit w.notifier->activated();
        QVERIFY(w->isVisible());
    }

    // Started in the tray (never shown), the first tick puts the icon there.
    void startedHidden()
    {
        TestWindow w(QString(), false);
        tick(*w);
        QVERIFY(w.tray->isShown && w->isHidden());
        w->tray()->notifyActivated();
        QVERIFY(w->isVisible() && !w.tray->isShown);
    }

private:
    QTemporaryDir configHome_;
};

QTEST_MAIN(TestAlerts)
#include "tst_alerts.moc"
