#include "NumberText.h"

#include <QTest>

#include <clocale>

class NumberTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void formatting();
    void dialogNumbers_data();
    void dialogNumbers();
    void runtimeConversions_data();
    void runtimeConversions();
};

void NumberTextTest::initTestCase()
{
    // Qt does this too; a decimal-comma locale must not change any result below.
    for (const char *name : {"cs_CZ.UTF-8", "de_DE.UTF-8", ""})
        if (std::setlocale(LC_ALL, name))
            break;
}

void NumberTextTest::formatting()
{
    QCOMPARE(formatFloat(9.5f), std::string("9.5"));
    QCOMPARE(formatFloat(0.1f), std::string("0.1"));
    QCOMPARE(formatFloat(16.0f), std::string("16"));
    QCOMPARE(formatFloat(123456789.0f), std::string("1.23457e+08"));
    QCOMPARE(formatFloat(-0.000012f), std::string("-1.2e-05"));
    QCOMPARE(formatDouble(0.1), std::string("0.1"));
    QCOMPARE(formatDouble(1.0 / 3.0), std::string("0.333333333333333"));
    QCOMPARE(formatDouble(2.5e100), std::string("2.5e+100"));
    QCOMPARE(formatFixed(2.5), std::string("2.500000"));
    QCOMPARE(formatFixed(-0.0000004), std::string("-0.000000"));
    QCOMPARE(formatFixed(1e20), std::string("100000000000000000000.000000"));
    QCOMPARE(formatFixed(1.0e300).size(), std::size_t(301 + 7));
}

void NumberTextTest::dialogNumbers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << QByteArray("12.5") << true << 12.5;
    QTest::newRow("blanks around") << QByteArray(" \t7  ") << true << 7.0;
    QTest::newRow("negative") << QByteArray("-3.25") << true << -3.25;
    QTest::newRow("exponent") << QByteArray("1e3") << true << 1000.0;
    QTest::newRow("zero") << QByteArray("0") << true << 0.0;
    QTest::newRow("zero point zero") << QByteArray("0.0") << true << 0.0;
    QTest::newRow("empty") << QByteArray("") << false << 0.0;
    QTest::newRow("letters") << QByteArray("abc") << false << 0.0;
    QTest::newRow("minus zero") << QByteArray("-0") << false << 0.0;
    QTest::newRow("plus zero") << QByteArray("+0") << false << 0.0;
    QTest::newRow("point zero") << QByteArray(".0") << false << 0.0;
    QTest::newRow("decimal comma") << QByteArray("1,5") << false << 0.0;
    QTest::newRow("trailing letters") << QByteArray("12abc") << false << 0.0;
    QTest::newRow("hexadecimal") << QByteArray("0x10") << false << 0.0;
    QTest::newRow("infinity") << QByteArray("inf") << false << 0.0;
    QTest::newRow("nan") << QByteArray("nan") << false << 0.0;
    QTest::newRow("newline after") << QByteArray("5\n") << false << 0.0;
    QTest::newRow("cut at 31") << QByteArray("1" + QByteArray(30, ' ') + "x") << true << 1.0;
}

void NumberTextTest::dialogNumbers()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const std::optional<double> parsed = parseDialogNumber(text.toStdString());
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, value);
}

void NumberTextTest::runtimeConversions_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("integer");
    QTest::addColumn<double>("real");
    QTest::newRow("number") << QByteArray("42") << 42 << 42.0;
    QTest::newRow("decimal comma") << QByteArray("2,5") << 2 << 2.0;
    QTest::newRow("decimal point") << QByteArray("2.5") << 2 << 2.5;
    QTest::newRow("letters") << QByteArray("abc") << 0 << 0.0;
    QTest::newRow("leading blanks, sign") << QByteArray(" \n\t-7x") << -7 << -7.0;
    QTest::newRow("plus") << QByteArray("+5") << 5 << 5.0;
    QTest::newRow("exponent") << QByteArray("1e2") << 1 << 100.0;
    QTest::newRow("too large") << QByteArray("99999999999") << 2147483647 << 99999999999.0;
    QTest::newRow("too small") << QByteArray("-99999999999") << int(-2147483647 - 1)
                               << -99999999999.0;
    QTest::newRow("infinity") << QByteArray("inf") << 0 << 0.0;
    QTest::newRow("nan") << QByteArray(" nan") << 0 << 0.0;
    QTest::newRow("hexadecimal") << QByteArray("0x10") << 0 << 0.0;
    QTest::newRow("point only") << QByteArray(".e5") << 0 << 0.0;
    QTest::newRow("fraction, bare exponent") << QByteArray("-.5e") << 0 << -0.5;
}

void NumberTextTest::runtimeConversions()
{
    QFETCH(QByteArray, text);
    QFETCH(int, integer);
    QFETCH(double, real);
    QCOMPARE(atoiC(text.toStdString()), integer);
    QCOMPARE(atofC(text.toStdString()), real);
}

QTEST_GUILESS_MAIN(NumberTextTest)
#include "NumberTextTest.moc"
