// The shared helpers: the leading number of a text box and the rounding into a
// 16-bit year, the fixed display patterns, times of day and dates (each under
// an explicit locale), and the interface language chosen from the desktop's
// environment, the English translation really replacing the French texts.
#include "analysis/dayintervals.h"
#include "common/formats.h"
#include "common/language.h"
#include "common/numbers.h"
#include "support/rows.h"
#include "tray/trayicon.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace lumora;

class TestCommon : public QObject {
    Q_OBJECT
private slots:
    // Each row is a text made and the text wanted.
    void texts_data()
    {
        const QLocale c = QLocale::c(), fr(QLocale::French, QLocale::France), de(QLocale::German);
        const auto number = [](const QString &text) { return QString::number(leadingNumber(text), 'g', 17); };
        const auto year = [](double v) { const auto y = roundToInt16(v); return y ? QString::number(*y) : "refused"; };
        addColumns<QString, QString>("actual", "expected");
        QTest::newRow("blank inside the digits") << number("20 26") << "2026";
        QTest::newRow("tab and LF inside the digits") << number("\t2\n0\t2 6") << "2026";
        QTest::newRow("blank between sign and digits") << number("- 2") << "-2";
        QTest::newRow("trailing letters") << number("15abc") << "15";
        QTest::newRow("empty") << number("") << "0";
        QTest::newRow("no integer digits") << number(".5") << "0.5";
        QTest::newRow("exponent is not read") << number("1e308") << "1";
        QTest::newRow("comma is not a decimal mark") << number("1,5") << "1";
        QTest::newRow("600 decimals") << number("0." + QString(600, u'3')) << QString::number(1.0 / 3, 'g', 17);
        QTest::newRow("too large to be finite") << number("1" + QString(400, u'0')) << "0";
        QTest::newRow("non-breaking space is not a blank") << number(QStringLiteral("20\u00A026")) << "20";
        QTest::newRow("full-width digits") << number(QStringLiteral("\uFF12\uFF10\uFF12\uFF16")) << "0";
        QTest::newRow("2025.5 to even 2026") << year(2025.5) << "2026";
        QTest::newRow("2024.5 to even 2024") << year(2024.5) << "2024";
        QTest::newRow("-2.5 to even -2") << year(-2.5) << "-2";
        QTest::newRow("32767.5 rounds past the range") << year(32767.5) << "refused";
        QTest::newRow("-32768.5 to even -32768") << year(-32768.5) << "-32768";
        QTest::newRow("NaN year") << year(qQNaN()) << "refused";
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
        QTest::newRow("French date and time") << formatDateTime({2026, 6, 21}, 0.5, fr) << "21/06/2026 12:00:00";
        // Four-digit years where a locale's short format has two: shortDateAsQtWritesIt.
        // Years are the date's own number, astronomical, at least four digits.
        QTest::newRow("French, year 0") << formatShortDate({0, 6, 21}, fr) << "21/06/0000";
        QTest::newRow("French, year -1") << formatShortDate({-1, 6, 1}, fr) << "01/06/-0001";
        QTest::newRow("German, year -584") << formatShortDate({-584, 5, 28}, de) << "28.05.-0584";
        QTest::newRow("French, year 333") << formatShortDate({333, 1, 27}, fr) << "27/01/0333";
        QTest::newRow("French, year 32767") << formatShortDate({32767, 12, 31}, fr) << "31/12/32767";
        QTest::newRow("French, year -32768") << formatShortDate({-32768, 3, 1}, fr) << "01/03/-32768";
        QTest::newRow("French, 4 October 1582, Julian") << formatDateTime({1582, 10, 4}, 0, fr) << "04/10/1582 00:00:00";
        QTest::newRow("quoted text and month names")
            << formatDate({-1, 2, 3}, u"d 'de' MMMM ''y'' (MMM)", QLocale::c()) << "3 de February '-0001' (Feb)";
    }
    void texts()
    {
        const auto [actual, expected] = fetchColumns<QString, QString>("actual", "expected");
        QCOMPARE(actual, expected);
    }

    // For the years Qt's calendar holds the same way, every locale writes a
    // date as Qt writes it with the locale's short format, a two-digit year
    // widened to four: the texts of ordinary dates do not change.
    void shortDateAsQtWritesIt()
    {
        QSet<QString> seen;
        for (const QLocale &locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                               QLocale::AnyTerritory)) {
            if (seen.contains(locale.name()))
                continue;
            seen.insert(locale.name());
            QString format = locale.dateFormat(QLocale::ShortFormat);
            format.replace(QRegularExpression("(?<!y)yy(?!y)"), "yyyy");
            for (const QDate date : {QDate(2026, 6, 21), QDate(1583, 1, 1), QDate(9999, 12, 31), QDate(1999, 11, 5)})
                QCOMPARE(formatShortDate({date.year(), date.month(), date.day()}, locale), locale.toString(date, format));
        }
    }

    void languageFromEnvironment_data()
    {
        // variables: NAME=value
        addColumns<QStringList, bool>("variables", "english");
        QTest::newRow("nothing set") << QStringList{} << false;
        QTest::newRow("LANG=en_GB.UTF-8") << QStringList{"LANG=en_GB.UTF-8"} << true;
        QTest::newRow("LANG=de_DE: French, not German") << QStringList{"LANG=de_DE.UTF-8"} << false;
        QTest::newRow("C locale") << QStringList{"LC_ALL=C.UTF-8"} << false;
        QTest::newRow("LC_MESSAGES over LANG") << QStringList{"LANG=fr_FR.UTF-8", "LC_MESSAGES=en_US.UTF-8"} << true;
        QTest::newRow("LC_ALL over LC_MESSAGES") << QStringList{"LC_ALL=fr_FR.UTF-8", "LC_MESSAGES=en_US.UTF-8"} << false;
        QTest::newRow("LANGUAGE first entry wins") << QStringList{"LANG=fr_FR.UTF-8", "LANGUAGE=en_GB:fr"} << true;
        QTest::newRow("LANGUAGE French first") << QStringList{"LANG=en_US.UTF-8", "LANGUAGE=fr:en"} << false;
        QTest::newRow("empty LANGUAGE ignored") << QStringList{"LANG=en_US.UTF-8", "LANGUAGE="} << true;
    }
    void languageFromEnvironment()
    {
        const auto [variables, english] = fetchColumns<QStringList, bool>("variables", "english");
        QProcessEnvironment environment;
        for (const QString &variable : variables)
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        QCOMPARE(desktopLanguage(environment) == UiLanguage::English, english);
    }

    void englishReplacesTheFrenchTexts()
    {
        const auto texts = [] {
            return sunInWindowTip() + " / " + sunIntervalsText(QDate(2026, 6, 21), std::vector<LocalSunInterval>{});
        };
        QVERIFY(setUiLanguage(UiLanguage::English));
        QCOMPARE(texts(), QStringLiteral("The Sun is in the window / No Sun in the window this day"));
        setUiLanguage(UiLanguage::French);
        QCOMPARE(uiLanguage(), UiLanguage::French);
        QCOMPARE(texts(), QStringLiteral("Le Soleil est dans la fenêtre / Pas de Soleil dans la fenêtre ce jour"));
    }
};

QTEST_GUILESS_MAIN(TestCommon)
#include "tst_common.moc"
