// The fixed display patterns, times of day and dates, each under an explicit
// locale so the results do not depend on the machine running the tests.
#include "common/formats.h"

#include <QTest>

using namespace lumora;

class TestFormats : public QObject {
    Q_OBJECT
private slots:
    // Each row formats one value; the columns are the text made and the text wanted.
    void formats_data()
    {
        const QLocale c = QLocale::c(), fr(QLocale::French, QLocale::France);
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        QTest::newRow("###.00 0.5 has no integer digit") << formatNumber(0.5, kPatternHash_00, c) << ".50";
        QTest::newRow("###.00 -3.25") << formatNumber(-3.25, kPatternHash_00, c) << "-3.25";
        QTest::newRow("###.00 -0.25 keeps the sign") << formatNumber(-0.25, kPatternHash_00, c) << "-.25";
        QTest::newRow("###.00 359.999 carries") << formatNumber(359.999, kPatternHash_00, c) << "360.00";
        QTest::newRow("###.00 0.125 half away from zero") << formatNumber(0.125, kPatternHash_00, c) << ".13";
        QTest::newRow("###.00 -0.004 unsigned zero") << formatNumber(-0.004, kPatternHash_00, c) << ".00";
        QTest::newRow("###.00 French, no grouping") << formatNumber(1234.5, kPatternHash_00, fr) << "1234,50";
        QTest::newRow("###.0 French 0.46") << formatNumber(0.46, kPatternHash_0, fr) << ",5";
        QTest::newRow("00.0 French 5.34") << formatNumber(5.34, kPattern00_0, fr) << "05,3";
        QTest::newRow("00 2.5 half away from zero") << formatNumber(2.5, kPattern00, c) << "03";
        QTest::newRow("13:45:30 without seconds, not rounded up")
            << formatTimeOfDay((13 * 3600 + 45 * 60 + 30) / 86400.0, false, c) << "13:45";
        QTest::newRow("23:59:59.65 reduces into the day") << formatTimeOfDay(1 - 0.35 / 86400, false, c) << "00:00";
        QTest::newRow("one minute before 0h, negative") << formatTimeOfDay(-1.0 / 1440, false, c) << "23:59";
        QTest::newRow("Finnish time separator") << formatTimeOfDay(0.5, false, QLocale(QLocale::Finnish)) << "12.00";
        const QDate june21(2026, 6, 21);
        QTest::newRow("French date and time") << formatDateTime(june21, 0.5, fr) << "21/06/2026 12:00:00";
        // Both locales write a two-digit year in their short format.
        QTest::newRow("German, four-digit year") << formatShortDate(june21, QLocale(QLocale::German)) << "21.06.2026";
        QTest::newRow("US, four-digit year") << formatShortDate(june21, QLocale(QLocale::English)) << "6/21/2026";
    }
    void formats()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }
};

QTEST_APPLESS_MAIN(TestFormats)
#include "tst_formats.moc"
