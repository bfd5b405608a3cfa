// Reading the leading number of a text box, and the rounding into a 16-bit
// year that the date boxes rely on.
#include "common/numbers.h"

#include <QTest>

class TestNumbers : public QObject {
    Q_OBJECT
private slots:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("blank inside the digits") << "20 26" << 2026.0;
        QTest::newRow("tab and LF inside the digits") << "\t2\n0\t2 6" << 2026.0;
        QTest::newRow("blank between sign and digits") << "- 2" << -2.0;
        QTest::newRow("trailing letters") << "15abc" << 15.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("no integer digits") << ".5" << 0.5;
        QTest::newRow("exponent is not read") << "1e308" << 1.0;
        QTest::newRow("comma is not a decimal mark") << "1,5" << 1.0;
        QTest::newRow("600 decimals") << QStringLiteral("0.") + QString(600, u'3') << 1.0 / 3.0;
        QTest::newRow("too large to be finite") << QStringLiteral("1") + QString(400, u'0') << 0.0;
        QTest::newRow("non-breaking space is not a blank") << QStringLiteral("20\u00A026") << 20.0;
        QTest::newRow("full-width digits") << QStringLiteral("\uFF12\uFF10\uFF12\uFF16") << 0.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(lumora::leadingNumber(text), expected);
    }

    void roundToInt16_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected"); // -99999: refused
        QTest::newRow("2025.5 to even 2026") << 2025.5 << 2026;
        QTest::newRow("2024.5 to even 2024") << 2024.5 << 2024;
        QTest::newRow("-2.5 to even -2") << -2.5 << -2;
        QTest::newRow("32767.5 rounds past the range") << 32767.5 << -99999;
        QTest::newRow("-32768.5 to even -32768") << -32768.5 << -32768;
        QTest::newRow("NaN") << qQNaN() << -99999;
    }
    void roundToInt16()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        const auto year = lumora::roundToInt16(value);
        QCOMPARE(year ? int(*year) : -99999, expected);
    }
};

QTEST_APPLESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
