// The map address: coordinate texts and the query, whatever the locale.
#include "maptools/mapaddress.h"

#include <QLocale>
#include <QTest>

using namespace lumora;

namespace {
double dm(double degrees, double minutes) { return degrees + minutes / 60.0; }
} // namespace

class TestMapAddress : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void latitudeText_data()
    {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<QString>("expected");
        QTest::newRow("49°00' N") << dm(49, 0) << "49.0000000";
        QTest::newRow("48°50' N") << dm(48, 50) << "48.8333333";
        QTest::newRow("33°30' S") << -dm(33, 30) << "-33.5000000";
        QTest::newRow("0°30' S keeps its sign") << -dm(0, 30) << "-0.5000000";
        QTest::newRow("fraction rounding up to a whole degree") << 48.99999999 << "49.0000000";
    }
    void latitudeText()
    {
        QFETCH(double, latitude);
        QFETCH(QString, expected);
        QCOMPARE(mapLatitudeText(latitude), expected);
    }

    void longitudeText_data()
    {
        QTest::addColumn<double>("eastLongitude");
        QTest::addColumn<QString>("expected");
        QTest::newRow("2°20' E") << dm(2, 20) << "2.3333333";
        QTest::newRow("2°30' E drops trailing zeros") << dm(2, 30) << "2.5";
        QTest::newRow("2°00' E keeps only the point") << dm(2, 0) << "2.";
        QTest::newRow("1°30' W") << -dm(1, 30) << "-1.5";
        QTest::newRow("0°30' W keeps its sign") << -dm(0, 30) << "-0.5";
    }
    void longitudeText()
    {
        QFETCH(double, eastLongitude);
        QFETCH(QString, expected);
        QCOMPARE(mapLongitudeText(eastLongitude), expected);
    }

    // The site keeps west positive; the map gets east positive.
    void addressNegatesTheSiteLongitude()
    {
        const QUrl url = mapAddress(dm(49, 0), -dm(2, 20));
        QCOMPARE(url.toString(), QLatin1String(kMapServiceAddress) + "/maps?ll=49.0000000,2.3333333&spn=0.099583,0.219830&t=h&hl=fr");
        QVERIFY(mapQuery(dm(49, 0), dm(0, 45)).contains(QStringLiteral(",-0.")));
    }

    void frenchLocaleGivesTheSameText()
    {
        const QString expected = mapQuery(-dm(33, 30), -dm(2, 30));
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        QCOMPARE(mapQuery(-dm(33, 30), -dm(2, 30)), expected);
        QCOMPARE(expected, QStringLiteral("?ll=-33.5000000,2.5&spn=0.099583,0.219830&t=h&hl=fr"));
    }
};

QTEST_GUILESS_MAIN(TestMapAddress)
#include "tst_mapaddress.moc"
