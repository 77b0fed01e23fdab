#include "LogFont.h"

#include <QTest>

#include <cstring>

class LogFontTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultOverwritesEverything();
    void bytesFollowTheWindowsOffsets();
    void wrongSizeIsRejected();
};

void LogFontTest::defaultOverwritesEverything()
{
    LOGFONT font;
    std::memset(&font, 0xA5, sizeof font);
    InitDefaultLogFont(font);
    QByteArray expected(60, '\0');
    expected[0] = 16;
    expected[23] = char(238);
    expected.replace(28, 15, "Times New Roman");
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(&font), sizeof font), expected);
    QCOMPARE(logFontBytes(font), expected);
}

void LogFontTest::bytesFollowTheWindowsOffsets()
{
    LOGFONT font;
    InitDefaultLogFont(font);
    font.lfHeight = -19;
    font.lfWidth = 0x01020304;
    font.lfEscapement = 900;
    font.lfOrientation = -900;
    font.lfWeight = FW_BOLD;
    font.lfItalic = 1;
    font.lfUnderline = 2;
    font.lfStrikeOut = 3;
    font.lfOutPrecision = 4;
    font.lfClipPrecision = 5;
    font.lfQuality = 6;
    font.lfPitchAndFamily = 7;
    std::strcpy(font.lfFaceName, "Arial");
    const QByteArray bytes = logFontBytes(font);
    QCOMPARE(bytes.size(), 60);
    QCOMPARE(bytes.left(28), QByteArray::fromHex("EDFFFFFF"
                                                 "04030201"
                                                 "84030000"
                                                 "7CFCFFFF"
                                                 "BC020000"
                                                 "010203EE04050607"));
    QCOMPARE(bytes.mid(28, 6), QByteArray("Arial\0", 6));

    LOGFONT back;
    InitDefaultLogFont(back);
    QVERIFY(logFontFromBytes(bytes, back));
    QCOMPARE(std::memcmp(&back, &font, sizeof font), 0);
}

void LogFontTest::wrongSizeIsRejected()
{
    LOGFONT font;
    InitDefaultLogFont(font);
    const QByteArray before = logFontBytes(font);
    QVERIFY(!logFontFromBytes(QByteArray(59, '\x11'), font));
    QVERIFY(!logFontFromBytes(QByteArray(61, '\x11'), font));
    QCOMPARE(logFontBytes(font), before);
}

QTEST_GUILESS_MAIN(LogFontTest)
#include "LogFontTest.moc"
