// The notification-area icon driven by the tray rule over a run of
// evaluations, as the main window drives it: which icons the platform is
// asked to show and hide, with the alerts on or off and the window shown or
// hidden, and the answer staying or changing.
#include "tray/trayicon.h"

#include <QTest>

using namespace lumora;

namespace {
const QString kIn = QStringLiteral("Le Soleil est dans la fenêtre");
const QString kOut = QStringLiteral("Il n'y a pas de Soleil dans la fenêtre");

struct RecordingTray : TrayBackend {
    QStringList *calls;
    explicit RecordingTray(QStringList *c) : calls(c) {}
    bool available() const override { return true; }
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
};

QTEST_GUILESS_MAIN(TestTray)
#include "tst_tray.moc"
