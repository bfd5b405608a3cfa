// The fixed display patterns, times of day and dates, each under an explicit
// locale so the results do not depend on the machine running the tests.
#include "common/formats.h"

#include <QTest>

using namespace lumora;

Q_DECLARE_METATYPE(lumora::NumberPattern)

namespace {
const QLocale kC = QLocale::c();
const QLocale kFrench(QLocale::French, QLocale::France);
// Seconds of the day as a fraction of a day.
double dayFraction(int h, int m, double s) { return (h * 3600 + m * 60 + s) / 86400.0; }
} // namespace

class TestFormats : public QObject {
    Q_OBJECT
private slots:
    void number_data();
    void number();
    void timeOfDay_data();
    void timeOfDay();
    void shortDate_data();
    void shortDate();
};

void TestFormats::number_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<NumberPattern>("pattern");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("###.00 0.5 has no integer digit") << 0.5 << kPatternHash_00 << kC << ".50";
    QTest::newRow("###.00 -3.25") << -3.25 << kPatternHash_00 << kC << "-3.25";
    QTest::newRow("###.00 5.5") << 5.5 << kPatternHash_00 << kC << "5.50";
    QTest::newRow("###.00 -0.25 keeps sign, drops zero") << -0.25 << kPatternHash_00 << kC << "-.25";
    QTest::newRow("###.00 359.999 carries to 360") << 359.999 << kPatternHash_00 << kC << "360.00";
    QTest::newRow("###.00 0.125 half away from zero") << 0.125 << kPatternHash_00 << kC << ".13";
    QTest::newRow("###.00 -0.004 rounds to unsigned zero") << -0.004 << kPatternHash_00 << kC << ".00";
    QTest::newRow("###.00 1234.5 French, no grouping") << 1234.5 << kPatternHash_00 << kFrench << "1234,50";
    QTest::newRow("###.0 French 0.46") << 0.46 << kPatternHash_0 << kFrench << ",5";
    QTest::newRow("00.0 French 5.34") << 5.34 << kPattern00_0 << kFrench << "05,3";
    QTest::newRow("00.0 French 0.04") << 0.04 << kPattern00_0 << kFrench << "00,0";
    QTest::newRow("00.0 French 123.45 wider than two digits") << 123.45 << kPattern00_0 << kFrench << "123,5";
    QTest::newRow("00 35.77") << 35.77 << kPattern00 << kC << "36";
    QTest::newRow("00 5") << 5.0 << kPattern00 << kC << "05";
    QTest::newRow("00 2.5 half away from zero") << 2.5 << kPattern00 << kC << "03";
    QTest::newRow("00 -4") << -4.0 << kPattern00 << kC << "-04";
    QTest::newRow("00.00 French 35.77") << 35.77 << kPattern00_00 << kFrench << "35,77";
}

void TestFormats::number()
{
    QFETCH(double, value);
    QFETCH(NumberPattern, pattern);
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(formatNumber(value, pattern, locale), expected);
}

void TestFormats::timeOfDay_data()
{
    QTest::addColumn<double>("fraction");
    QTest::addColumn<bool>("withSeconds");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("noon with seconds") << 0.5 << true << kC << "12:00:00";
    QTest::newRow("noon French") << 0.5 << false << kFrench << "12:00";
    QTest::newRow("13:45:30 with seconds") << dayFraction(13, 45, 30) << true << kFrench << "13:45:30";
    QTest::newRow("13:45:30 without seconds is not rounded up") << dayFraction(13, 45, 30) << false << kC << "13:45";
    QTest::newRow("13:45:29.6 rounds to the second") << dayFraction(13, 45, 29.6) << true << kC << "13:45:30";
    QTest::newRow("23:59:59.65 reduces into the day") << dayFraction(23, 59, 59.65) << false << kC << "00:00";
    QTest::newRow("23:59:59.4 stays") << dayFraction(23, 59, 59.4) << true << kC << "23:59:59";
    QTest::newRow("one whole day") << 1.0 << false << kC << "00:00";
    QTest::newRow("one minute before midnight, negative") << -1.0 / 1440 << false << kC << "23:59";
    QTest::newRow("Finnish uses a period") << 0.5 << false << QLocale(QLocale::Finnish, QLocale::Finland) << "12.00";
}

void TestFormats::timeOfDay()
{
    QFETCH(double, fraction);
    QFETCH(bool, withSeconds);
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(formatTimeOfDay(fraction, withSeconds, locale), expected);
}

void TestFormats::shortDate_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("twoDigitYearFormat");
    QTest::addColumn<QString>("expected");

    QTest::newRow("French") << kFrench << false << "21/06/2026";
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << true << "21.06.2026";
    QTest::newRow("US") << QLocale(QLocale::English, QLocale::UnitedStates) << true << "6/21/2026";
}

void TestFormats::shortDate()
{
    QFETCH(QLocale, locale);
    QFETCH(bool, twoDigitYearFormat);
    QFETCH(QString, expected);
    // The row only proves the widening if the locale really writes two digits.
    QCOMPARE(!locale.dateFormat(QLocale::ShortFormat).contains(QStringLiteral("yyyy")), twoDigitYearFormat);
    const QDate date(2026, 6, 21);
    QCOMPARE(formatShortDate(date, locale), expected);
    QCOMPARE(formatDateTime(date, 0.5, locale), expected + QStringLiteral(" 12:00:00"));
}

QTEST_APPLESS_MAIN(TestFormats)
#include "tst_formats.moc"
