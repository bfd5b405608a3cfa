// The kept windows' list in the settings store: every part of a window comes
// back after a restart, and damaged entries are left out with a French
// message while the others are kept.
#include "windows/keptwindows.h"

#include <QtTest>

using namespace lumora;

namespace {
KeptWindow window(const QString &name, const QByteArray &zone, bool measured)
{
    KeptWindow w;
    w.name = name;
    w.bars = {500, 3000, 2000, 8000};
    w.siteTexts = {QStringLiteral("46"), QStringLiteral("49"), QStringLiteral("71"), QStringLiteral("13")};
    w.hemispheres = {true, false, true, false};
    w.zoneId = zone;
    w.realView.measured.facing = 135;
    w.realView.measuredInForce = measured;
    w.realView.skyline = *Skyline::fromPoints({{90, 5}, {180, 12.5}});
    w.photo = {{QStringLiteral("Fichier"), QStringLiteral("/photos/salon.jpg")}, {QStringLiteral("Nord"), 12.5}};
    w.alerts = measured;
    return w;
}
} // namespace

class TestKeptWindows : public QObject
{
    Q_OBJECT

private slots:
    void survivesARestart()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Lumora.ini"));
        const std::vector<KeptWindow> kept{window(QStringLiteral("Salon"), "Europe/Paris", true),
                                           window(QStringLiteral("Maison à Québec / été"), {}, false)};
        {
            QSettings store(path, QSettings::IniFormat);
            QVERIFY(writeKeptWindows(store, kept, QStringLiteral("Maison à Québec / été")));
        }
        QSettings store(path, QSettings::IniFormat);
        const KeptWindowList read = readKeptWindows(store, 10065, 4335);
        QCOMPARE(read.problems, QStringList());
        QCOMPARE(read.inForce, QStringLiteral("Maison à Québec / été"));
        QCOMPARE(read.windows.size(), size_t(2));
        for (size_t i = 0; i < 2; ++i) {
            const KeptWindow &a = read.windows[i], &b = kept[i];
            QCOMPARE(a.name, b.name);
            QVERIFY(a.bars == b.bars && a.siteTexts == b.siteTexts && a.hemispheres == b.hemispheres);
            QCOMPARE(a.zoneId, b.zoneId);
            QVERIFY(a.realView.measured == b.realView.measured && a.realView.skyline == b.realView.skyline);
            QCOMPARE(a.realView.measuredInForce, b.realView.measuredInForce);
            QCOMPARE(a.photo, b.photo);
            QCOMPARE(a.alerts, b.alerts);
        }
        // What the window answers with: 46°49' N, 71°13' W, the frame from the bars.
        const Observation seen = *keptWindowObservation(read.windows[1], PictureSize{});
        QVERIFY(qAbs(seen.site.latitude - (46 + 49 / 60.0)) < 1e-12 && qAbs(seen.site.longitude - (71 + 13 / 60.0)) < 1e-12);
        QVERIFY(seen.frame.left == 2000 && seen.frame.right == 8000 && seen.frame.top == 500 && seen.frame.bottom == 3000);
        QVERIFY(!seen.zone.isValid()); // the computer's
    }

    void damagedEntriesSkipped_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("no name") << "Fenetre2/Nom" << "" << "sans nom";
        QTest::newRow("bar not a number") << "Fenetre2/DATA/HS2" << "huit mille" << "cadre illisible";
        QTest::newRow("bar missing") << "Fenetre2/DATA/VS1" << QString() << "cadre absent";
        QTest::newRow("unknown zone") << "Fenetre2/Fuseau" << "Mars/Olympus_Mons" << "fuseau horaire inconnu « Mars/Olympus_Mons »";
        QTest::newRow("name met before") << "Fenetre2/Nom" << "Salon" << "nom déjà pris";
    }
    void damagedEntriesSkipped()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QSettings store(dir.filePath(QStringLiteral("Lumora.ini")), QSettings::IniFormat);
        writeKeptWindows(store,
                         {window(QStringLiteral("Salon"), {}, false), window(QStringLiteral("Chambre"), {}, false),
                          window(QStringLiteral("Bureau"), "Asia/Kathmandu", false)},
                         QStringLiteral("Chambre"));
        if (value.isNull())
            store.remove(QStringLiteral("Fenetres/") + key);
        else
            store.setValue(QStringLiteral("Fenetres/") + key, value);
        const KeptWindowList read = readKeptWindows(store, 10065, 4335);
        QCOMPARE(read.windows.size(), size_t(2));
        QCOMPARE(read.windows[0].name, QStringLiteral("Salon"));
        QCOMPARE(read.windows[1].name, QStringLiteral("Bureau"));
        QCOMPARE(read.inForce, QString()); // the window in force was the damaged one
        QCOMPARE(read.problems.size(), 1);
        QVERIFY2(read.problems[0].startsWith(u"Fenêtre enregistrée ignorée (Fenetre2)") && read.problems[0].contains(message),
                 qPrintable(read.problems[0]));
    }
};

QTEST_GUILESS_MAIN(TestKeptWindows)
#include "tst_keptwindows.moc"
