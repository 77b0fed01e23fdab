#include "MulDiv.h"

#include <QTest>

#include <climits>

class MulDivTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mulDiv_data();
    void mulDiv();
    void himetricToDevice();
};

void MulDivTest::mulDiv_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("result");
    QTest::newRow("exact") << 2540 << 96 << 2540 << 96;
    QTest::newRow("half up") << 5 << 1 << 2 << 3;
    QTest::newRow("half away from zero, negative") << -5 << 1 << 2 << -3;
    QTest::newRow("below half") << 10 << 1 << 3 << 3;
    QTest::newRow("negative divisor") << 10 << 3 << -4 << -8;
    QTest::newRow("both negative") << -10 << 3 << -4 << 8;
    QTest::newRow("64-bit product") << 2000000000 << 3 << 4 << 1500000000;
    QTest::newRow("division by zero") << 1 << 1 << 0 << -1;
    QTest::newRow("overflow") << INT_MAX << 2 << 1 << -1;
    QTest::newRow("largest") << INT_MAX << INT_MAX << INT_MAX << INT_MAX;
    QTest::newRow("INT_MIN does not fit") << INT_MIN << 1 << 1 << -1;
    QTest::newRow("INT_MIN halved") << INT_MIN << 1 << 2 << -1073741824;
}

void MulDivTest::mulDiv()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, result);
    QCOMPARE(MulDiv(a, b, c), result);
}

void MulDivTest::himetricToDevice()
{
    QCOMPARE(HIMETRICtoDP(QPoint(2540, -1270), 96, 600), QPoint(96, -300));
    QCOMPARE(HIMETRICtoDP(QPoint(1000, 9500), 96, 96), QPoint(38, 359));
}

QTEST_GUILESS_MAIN(MulDivTest)
#include "MulDivTest.moc"
