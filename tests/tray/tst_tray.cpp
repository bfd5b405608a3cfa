// The notification-area icon on its own: a message only beside an icon, and a
// start hidden in the notification area that waits a little for one to come
// up. (The icon as the window drives it is tested with the window.)
#include "support/rows.h"
#include "tray/trayicon.h"

#include <QElapsedTimer>
#include <QTest>
#include <QWidget>

using namespace lumora;

namespace {
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
        // comesAfterMs: -1: never
        addColumns<int, bool>("comesAfterMs", "shown");
        QTest::newRow("there from the start") << 0 << false;
        QTest::newRow("comes up within the patience") << 400 << false;
        QTest::newRow("never comes") << -1 << true;
    }
    void startInNotificationArea()
    {
        const auto [comesAfterMs, shown] = fetchColumns<int, bool>("comesAfterMs", "shown");
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
