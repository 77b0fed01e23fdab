#include "Cp1250.h"

#include <QTest>

class Cp1250Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyByteRoundTrips();
    void czechLetters();
    void outsideCharactersAreReported_data();
    void outsideCharactersAreReported();
    void storedLineBreaks_data();
    void storedLineBreaks();
    void nearestLetters_data();
    void nearestLetters();
};

void Cp1250Test::nearestLetters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("nearest");
    QTest::addColumn<QString>("replaced");
    QTest::newRow("Czech stays") << QStringLiteral("Žluťoučký kůň") << QStringLiteral("Žluťoučký kůň")
                                 << QString();
    QTest::newRow("marks go") << QStringLiteral("Jõgi Ñandú Łódź") << QStringLiteral("Jogi Nandú Łódź")
                              << QStringLiteral("õÑ");
    QTest::newRow("spelled letters") << QStringLiteral("Æsa Ørsted Щукин")
                                     << QStringLiteral("Aesa Orsted Ščukin")
                                     << QStringLiteral("ÆØЩукин");
    QTest::newRow("a bad byte, an emoji") << QStringLiteral("Jan\uFFFD 😀!") << QStringLiteral("Jan? !")
                                          << QStringLiteral("\uFFFD😀");
}

void Cp1250Test::nearestLetters()
{
    QFETCH(QString, text);
    QFETCH(QString, nearest);
    QFETCH(QString, replaced);
    const NearestText result = nearestCp1250(text);
    QCOMPARE(result.text, nearest);
    QCOMPARE(result.replaced, replaced);
}

void Cp1250Test::everyByteRoundTrips()
{
    std::string all;
    for (int byte = 1; byte <= 0xFF; ++byte)
        all += char(byte);
    const QString text = fromCp1250(all);
    QCOMPARE(text.size(), 255);
    const std::optional<std::string> back = toCp1250(text);
    QVERIFY(back);
    QVERIFY(*back == all);
    QVERIFY(charactersOutsideCp1250(text).isEmpty());
}

void Cp1250Test::czechLetters()
{
    const QString text = QStringLiteral("Žluťoučký kůň ŠČŘ");
    const std::string bytes = "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2 \x8A\xC8\xD8";
    QCOMPARE(fromCp1250(bytes), text);
    QVERIFY(toCp1250(text) == bytes);
}

void Cp1250Test::outsideCharactersAreReported_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("outside");
    QTest::newRow("cyrillic") << QStringLiteral("Иван Петров") << QStringLiteral("ИванПетро");
    QTest::newRow("mixed, repeated") << QStringLiteral("aЖbЖ") << QStringLiteral("Ж");
    QTest::newRow("emoji as one character") << QStringLiteral("x😀y😀") << QStringLiteral("😀");
    QTest::newRow("euro sign fits") << QStringLiteral("5 €") << QString();
}

void Cp1250Test::outsideCharactersAreReported()
{
    QFETCH(QString, text);
    QFETCH(QString, outside);
    QCOMPARE(charactersOutsideCp1250(text), outside);
    QCOMPARE(toCp1250(text).has_value(), outside.isEmpty());
    QCOMPARE(toStoredText(text).has_value(), outside.isEmpty());
}

void Cp1250Test::storedLineBreaks_data()
{
    QTest::addColumn<QString>("widgetText");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("two lines") << QStringLiteral("Jan\nPraha") << QByteArray("Jan\r\nPraha");
    QTest::newRow("empty lines") << QStringLiteral("\n\n") << QByteArray("\r\n\r\n");
    QTest::newRow("no break") << QStringLiteral("Brno") << QByteArray("Brno");
}

void Cp1250Test::storedLineBreaks()
{
    QFETCH(QString, widgetText);
    QFETCH(QByteArray, stored);
    QVERIFY(toStoredText(widgetText) == stored.toStdString());
    QCOMPARE(fromStoredText(stored.toStdString()), widgetText);
    // Text that already holds CR LF is not doubled.
    QString crlf = widgetText;
    crlf.replace(u'\n', QLatin1String("\r\n"));
    QVERIFY(toStoredText(crlf) == stored.toStdString());
}

QTEST_GUILESS_MAIN(Cp1250Test)
#include "Cp1250Test.moc"
