#include "LogFontQt.h"

#include <QTest>

#include <cstring>

class LogFontQtTest : public QObject
{
    Q_OBJECT

private:
    static LOGFONT record(const char *face, int weight, bool italic, bool underline, bool strikeOut)
    {
        LOGFONT font;
        std::memset(&font, 0, sizeof font);
        std::strncpy(font.lfFaceName, face, sizeof font.lfFaceName - 1);
        font.lfWeight = weight;
        font.lfItalic = italic ? 1 : 0;
        font.lfUnderline = underline ? 1 : 0;
        font.lfStrikeOut = strikeOut ? 1 : 0;
        return font;
    }

private slots:
    void toQFont_data()
    {
        QTest::addColumn<int>("weight");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<bool>("strikeOut");
        QTest::addColumn<int>("qtWeight");
        QTest::newRow("don't care is normal") << 0 << false << false << false << int(QFont::Normal);
        QTest::newRow("bold") << 700 << false << false << false << int(QFont::Bold);
        QTest::newRow("light italic") << 300 << true << false << false << int(QFont::Light);
        QTest::newRow("heavy underlined") << 900 << false << true << false << int(QFont::Black);
        QTest::newRow("struck out") << 400 << false << false << true << int(QFont::Normal);
    }

    void toQFont()
    {
        QFETCH(int, weight);
        QFETCH(bool, italic);
        QFETCH(bool, underline);
        QFETCH(bool, strikeOut);
        QFETCH(int, qtWeight);
        const QFont font = fontFromLogFont(record("Arial", weight, italic, underline, strikeOut));
        QCOMPARE(font.family(), QStringLiteral("Arial"));
        QCOMPARE(int(font.weight()), qtWeight);
        QCOMPARE(font.italic(), italic);
        QCOMPARE(font.underline(), underline);
        QCOMPARE(font.strikeOut(), strikeOut);
    }

    void faceNameIsCodePage1250()
    {
        // "Písmo" in code page 1250: í is 0xED.
        const QFont font = fontFromLogFont(record("P\xEDsmo", 0, false, false, false));
        QCOMPARE(font.family(), QStringLiteral("Písmo"));

        QFont back;
        back.setFamily(QStringLiteral("Písmo"));
        const LOGFONT stored = logFontFromFont(back);
        QCOMPARE(QByteArray(stored.lfFaceName), QByteArray("P\xEDsmo"));
    }

    void fromQFont()
    {
        QFont font;
        font.setFamily(QStringLiteral("DejaVu Serif"));
        font.setWeight(QFont::Bold);
        font.setItalic(true);
        font.setUnderline(true);
        font.setStrikeOut(false);
        const LOGFONT stored = logFontFromFont(font);
        QCOMPARE(stored.lfWeight, FW_BOLD);
        QCOMPARE(stored.lfItalic, 1);
        QCOMPARE(stored.lfUnderline, 1);
        QCOMPARE(stored.lfStrikeOut, 0);
        QCOMPARE(stored.lfCharSet, EASTEUROPE_CHARSET);
        QCOMPARE(stored.lfHeight, 0);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&stored.lfOutPrecision), 4),
                 QByteArray("\x03\x02\x01\x12"));
        QCOMPARE(QByteArray(stored.lfFaceName), QByteArray("DejaVu Serif"));
    }

    void longFaceNameIsCutAndTerminated()
    {
        QFont font;
        font.setFamily(QString(40, QLatin1Char('x')));
        const LOGFONT stored = logFontFromFont(font);
        QCOMPARE(QByteArray(stored.lfFaceName, sizeof stored.lfFaceName),
                 QByteArray(31, 'x') + QByteArray(1, '\0'));
    }

    void charactersOutsideTheCodePageAreLeftOut()
    {
        QFont font;
        font.setFamily(QStringLiteral("Шрифт Sans"));
        const LOGFONT stored = logFontFromFont(font);
        QCOMPARE(QByteArray(stored.lfFaceName), QByteArray(" Sans"));
    }

    void roundTripKeepsEffects()
    {
        const LOGFONT original = record("Times New Roman", 700, true, true, true);
        const LOGFONT back = logFontFromFont(fontFromLogFont(original));
        QCOMPARE(QByteArray(back.lfFaceName), QByteArray("Times New Roman"));
        QCOMPARE(back.lfWeight, 700);
        QVERIFY(back.lfItalic && back.lfUnderline && back.lfStrikeOut);
    }
};

QTEST_MAIN(LogFontQtTest)
#include "LogFontQtTest.moc"
