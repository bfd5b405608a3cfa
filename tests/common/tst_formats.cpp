// The fixed display patterns, times of day and dates, each under an explicit
// locale so the results do not depend on the machine running the tests.
#include "common/formats.h"

#include <QRegularExpression>
#include <QSet>
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
        const CivilDate june21{2026, 6, 21};
        const QLocale de(QLocale::German), us(QLocale::English);
        QTest::newRow("French date and time") << formatDateTime(june21, 0.5, fr) << "21/06/2026 12:00:00";
        // Both locales write a two-digit year in their short format.
        QTest::newRow("German, four-digit year") << formatShortDate(june21, de) << "21.06.2026";
        QTest::newRow("US, four-digit year") << formatShortDate(june21, us) << "6/21/2026";
        // Years are the date's own number, astronomical, at least four digits.
        QTest::newRow("French, year 0") << formatShortDate({0, 6, 21}, fr) << "21/06/0000";
        QTest::newRow("French, year -1") << formatShortDate({-1, 6, 1}, fr) << "01/06/-0001";
        QTest::newRow("German, year -584") << formatShortDate({-584, 5, 28}, de) << "28.05.-0584";
        QTest::newRow("US, year -1") << formatShortDate({-1, 6, 1}, us) << "6/1/-0001";
        QTest::newRow("French, year 333") << formatShortDate({333, 1, 27}, fr) << "27/01/0333";
        QTest::newRow("French, year 32767") << formatShortDate({32767, 12, 31}, fr) << "31/12/32767";
        QTest::newRow("French, year -32768") << formatShortDate({-32768, 3, 1}, fr) << "01/03/-32768";
        QTest::newRow("French, 4 October 1582, Julian") << formatDateTime({1582, 10, 4}, 0, fr) << "04/10/1582 00:00:00";
        QTest::newRow("quoted text and month names")
            << formatDate({-1, 2, 3}, u"d 'de' MMMM ''y'' (MMM)", QLocale::c()) << "3 de February '-0001' (Feb)";
    }
    void formats()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    // For the years Qt's calendar holds the same way, every locale writes a
    // date as Qt writes it with the locale's short format, a two-digit year
    // widened to four: the texts of ordinary dates do not change.
    void shortDateAsQtWritesIt_data()
    {
        QTest::addColumn<QLocale>("locale");
        QSet<QString> seen;
        for (const QLocale &locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                               QLocale::AnyTerritory))
            if (!seen.contains(locale.name())) {
                seen.insert(locale.name());
                QTest::newRow(qPrintable(locale.name())) << locale;
            }
    }
    void shortDateAsQtWritesIt()
    {
        QFETCH(QLocale, locale);
        QString format = locale.dateFormat(QLocale::ShortFormat);
        format.replace(QRegularExpression(QStringLiteral("(?<!y)yy(?!y)")), QStringLiteral("yyyy"));
        for (const QDate date : {QDate(2026, 6, 21), QDate(1583, 1, 1), QDate(9999, 12, 31), QDate(1999, 11, 5)}) {
            const QString ours = formatShortDate({date.year(), date.month(), date.day()}, locale);
            QCOMPARE(ours, locale.toString(date, format));
        }
    }
};

QTEST_APPLESS_MAIN(TestFormats)
#include "tst_formats.moc"
