// The notification-area icon driven by the tray rule over a run of
// evaluations, as the main window drives it: which icons the platform is
// asked to show and hide, with the alerts on or off and the window shown or
// hidden, and the answer staying or changing; a start hidden in the
// notification area that waits a little for one to come up.
#include "tray/trayicon.h"

#include <QElapsedTimer>
#include <QTest>
#include <QWidget>

using namespace lumora;

namespace {
const QString kIn = QStringLiteral("Le Soleil est dans la fenêtre");
const QString kOut = QStringLiteral("Il n'y a pas de Soleil dans la fenêtre");

struct RecordingTray : TrayBackend {
    QStringList *calls;
    bool *isAvailable = nullptr; // always available when not given
    explicit RecordingTray(QStringList *c, bool *available = nullptr) : calls(c), isAvailable(available) {}
    bool available() const override { return !isAvailable || *isAvailable; }
    void show(const QIcon &, const QString &tip) override { *calls << tip; }
    void hide() override { *calls << QStringLiteral("hide"); }
};
} // namespace

class TestTray : public QObject {
    Q_OBJECT
private slots:
    void evaluations_data()
    {
        QTest::addColumn<bool>("alertsOn");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<QString>("answers"); // one letter per evaluation: i in the frame, o out
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("shown, alerts off: no icon") << false << false << "oiio" << QStringList{};
        QTest::newRow("hidden, alerts off: one icon per answer")
            << false << true << "ooiio" << QStringList{kOut, "hide", kIn, "hide", kOut};
        QTest::newRow("shown, alerts on: the icon follows the answer")
            << true << false << "oiio" << QStringList{kOut, "hide", kIn, "hide", kOut};
        QTest::newRow("hidden, alerts on: the same") << true << true << "iii" << QStringList{kIn};
    }
    void evaluations()
    {
        QFETCH(bool, alertsOn);
        QFETCH(bool, hidden);
        QFETCH(QString, answers);
        QFETCH(QStringList, calls);
        QStringList made;
        TrayIcon tray(std::make_unique<RecordingTray>(&made));
        bool previous = false; // the window's answer before its first evaluation
        for (const QChar answer : answers) {
            const bool in = answer == u'i';
            const TrayActions actions = trayActionsFor(in != previous, hidden, alertsOn);
            if (actions.remove)
                tray.removeIcon();
            if (actions.add)
                tray.showIcon(in);
            previous = in;
        }
        QCOMPARE(made, calls);
    }

    void messageOnlyBesideAnIcon()
    {
        QStringList made;
        TrayIcon tray(std::make_unique<RecordingTray>(&made));
        QVERIFY(!tray.showMessage(QStringLiteral("Le Soleil entre dans la fenêtre"), {}));
        QVERIFY(tray.lastMessageTitle().isEmpty());
        tray.showIcon(true);
        QVERIFY(tray.showMessage(QStringLiteral("Le Soleil entre dans la fenêtre"), {}));
        QCOMPARE(tray.lastMessageTitle(), QStringLiteral("Le Soleil entre dans la fenêtre"));
    }

    // --tray: hidden while there is a notification area, or one comes up in
    // time; shown when none does.
    void startInNotificationArea_data()
    {
        QTest::addColumn<int>("comesAfterMs"); // -1: never
        QTest::addColumn<bool>("shown");
        QTest::newRow("there from the start") << 0 << false;
        QTest::newRow("comes up within the patience") << 400 << false;
        QTest::newRow("never comes") << -1 << true;
    }
    void startInNotificationArea()
    {
        QFETCH(int, comesAfterMs);
        QFETCH(bool, shown);
        QStringList made;
        bool available = comesAfterMs == 0;
        TrayIcon tray(std::make_unique<RecordingTray>(&made, &available));
        QWidget window;
        lumora::startInNotificationArea(window, tray, std::chrono::milliseconds(1000));
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 1600) {
            if (comesAfterMs > 0 && clock.elapsed() >= comesAfterMs)
                available = true;
            QTest::qWait(20);
        }
        QCOMPARE(window.isVisible(), shown);
    }
};

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
