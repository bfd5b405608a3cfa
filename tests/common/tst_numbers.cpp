// Reading the leading number of a text box, and the rounding into a 16-bit
// year that the date boxes rely on.
#include "common/numbers.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace lumora;

class TestNumbers : public QObject {
    Q_OBJECT
private slots:
    void leadingNumber_data();
    void leadingNumber();
    void roundToInt16_data();
    void roundToInt16();
};

void TestNumbers::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("plain year") << "2026" << 2026.0;
    QTest::newRow("blank inside the digits") << "20 26" << 2026.0;
    QTest::newRow("tab and LF inside the digits") << "\t2\n0\t2 6" << 2026.0;
    QTest::newRow("blank between sign and digits") << "- 2" << -2.0;
    QTest::newRow("blank around the point") << "1 . 5" << 1.5;
    QTest::newRow("trailing letters") << "15abc" << 15.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("negative") << "-2" << -2.0;
    QTest::newRow("plus sign and decimals") << "+3.5" << 3.5;
    QTest::newRow("no integer digits") << ".5" << 0.5;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("two signs") << "--2" << 0.0;
    QTest::newRow("sign after digits ends the number") << "2-3" << 2.0;
    QTest::newRow("second point ends the number") << "1.2.3" << 1.2;
    QTest::newRow("exponent is not read") << "1e308" << 1.0;
    QTest::newRow("comma is not a decimal mark") << "1,5" << 1.0;
    QTest::newRow("600 leading zeros") << QString(600, u'0') + QStringLiteral("42") << 42.0;
    QTest::newRow("600 decimals") << QStringLiteral("0.") + QString(600, u'3') << 1.0 / 3.0;
    QTest::newRow("400 digits, too large to be finite") << QStringLiteral("1") + QString(400, u'0') << 0.0;
    QTest::newRow("accented letters") << QStringLiteral("été") << 0.0;
    QTest::newRow("non-breaking space is not a blank") << QStringLiteral("20\u00A026") << 20.0;
    QTest::newRow("full-width digits") << QStringLiteral("\uFF12\uFF10\uFF12\uFF16") << 0.0;
    QTest::newRow("Arabic-Indic digits") << QStringLiteral("\u0662\u0660\u0662\u0666") << 0.0;
}

void TestNumbers::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double actual = lumora::leadingNumber(text);
    QVERIFY2(actual == expected,
             qPrintable(QStringLiteral("got %1, expected %2").arg(actual, 0, 'g', 17).arg(expected, 0, 'g', 17)));
}

void TestNumbers::roundToInt16_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("expected");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("2025.5 to even 2026") << 2025.5 << true << 2026;
    QTest::newRow("2024.5 to even 2024") << 2024.5 << true << 2024;
    QTest::newRow("0.5 to even 0") << 0.5 << true << 0;
    QTest::newRow("-2.5 to even -2") << -2.5 << true << -2;
    QTest::newRow("32767.4 fits") << 32767.4 << true << 32767;
    QTest::newRow("32767.5 rounds to 32768") << 32767.5 << false << 0;
    QTest::newRow("-32768.5 to even -32768") << -32768.5 << true << -32768;
    QTest::newRow("-32768.6 below range") << -32768.6 << false << 0;
    QTest::newRow("NaN") << std::nan("") << false << 0;
    QTest::newRow("+inf") << inf << false << 0;
    QTest::newRow("-inf") << -inf << false << 0;
}

void TestNumbers::roundToInt16()
{
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(int, expected);
    const auto actual = lumora::roundToInt16(value);
    QCOMPARE(actual.has_value(), fits);
    if (fits)
        QCOMPARE(int(*actual), expected);
}

QTEST_APPLESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
