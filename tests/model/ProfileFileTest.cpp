#include "ProfileFile.h"
#include "Archive.h"
#include "LogFont.h"
#include "PrivateProfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <memory>

class ProfileFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void inactiveTouchesNothing();
    void defaultsWithoutFile();
    void numbersRoundTrip();
    void windowsFormFile_data();
    void windowsFormFile();
    void stringsAreCut();
    void fontStruct();

private:
    QByteArray profileBytes() const
    {
        return readWholeFile(privateProfilePath(kProfileFileName)).bytes;
    }
    std::unique_ptr<QTemporaryDir> m_config;
};

void ProfileFileTest::init()
{
    m_config = std::make_unique<QTemporaryDir>();
    QVERIFY(m_config->isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path() + "/config"));
}

void ProfileFileTest::inactiveTouchesNothing()
{
    ProfileFile profile;
    QCOMPARE(profile.WriteString("s", "k", "v"), 0);
    QCOMPARE(profile.WriteInt("s", "k", 1), 0);
    QCOMPARE(profile.WriteDouble("s", "k", 1.0), 0);
    LOGFONT font;
    InitDefaultLogFont(font);
    QCOMPARE(profile.WriteStruct("s", "k", &font, sizeof font), 0);
    QCOMPARE(profile.GetString("s", "k", "dflt "), std::string("dflt "));
    QCOMPARE(profile.GetInt("s", "k", 7), 7);
    QCOMPARE(profile.GetDouble("s", "k", 1.5), 1.5);
    std::memset(&font, 0x33, sizeof font);
    QCOMPARE(profile.GetStruct("s", "k", &font, sizeof font), 0);
    QCOMPARE(font.lfHeight, 0x33333333);
    QVERIFY(QDir(m_config->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

void ProfileFileTest::defaultsWithoutFile()
{
    ProfileFile profile;
    profile.SetFileName(kProfileFileName);
    QCOMPARE(profile.GetInt("3okno", "propojit", 1), 1);
    QCOMPARE(profile.GetDouble("TRETI_OKNO", "left", 0.0), 0.0);
    QCOMPARE(profile.GetInt("TRETI_OKNO", "vfont", 120), 120);
    char buffer[60];
    QCOMPARE(profile.GetStruct("TRETI_OKNO", "font", buffer, 60), 0);
}

void ProfileFileTest::numbersRoundTrip()
{
    ProfileFile profile;
    profile.SetFileName(kProfileFileName);
    QVERIFY(profile.WriteInt("3okno", "propojit", 0));
    QVERIFY(profile.WriteDouble("TRETI_OKNO", "left", 2.5));
    QVERIFY(profile.WriteDouble("TRETI_OKNO", "up", -0.125));
    QVERIFY(profile.WriteInt("TRETI_OKNO", "vfont", -120));
    QCOMPARE(profileBytes(), QByteArray("[3okno]\r\npropojit=0\r\n[TRETI_OKNO]\r\nleft=2.500000\r\n"
                                        "up=-0.125000\r\nvfont=-120\r\n"));
    QCOMPARE(profile.GetInt("3okno", "propojit", 1), 0);
    QCOMPARE(profile.GetDouble("treti_okno", "LEFT", 0.0), 2.5);
    QCOMPARE(profile.GetDouble("TRETI_OKNO", "up", 0.0), -0.125);
    QCOMPARE(profile.GetInt("TRETI_OKNO", "vfont", 120), -120);

    // Hand-edited values that are no length: never NaN or infinity.
    QVERIFY(profile.WriteString("TRETI_OKNO", "sirka", "nan"));
    QVERIFY(profile.WriteString("TRETI_OKNO", "vyska", "1e999"));
    QCOMPARE(profile.GetDouble("TRETI_OKNO", "sirka", 3.0), 0.0);
    QCOMPARE(profile.GetDouble("TRETI_OKNO", "vyska", 3.0), 3.0);
}

void ProfileFileTest::windowsFormFile_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<double>("value");
    QTest::newRow("abc reads as 0") << QByteArray("3okno") << QByteArray("propojit") << 0.0;
    QTest::newRow("decimal comma") << QByteArray("TRETI_OKNO") << QByteArray("left") << 2.0;
    QTest::newRow("quoted") << QByteArray("TRETI_OKNO") << QByteArray("up") << 1.25;
    QTest::newRow("empty gives default") << QByteArray("TRETI_OKNO") << QByteArray("sirka") << -1.0;
    QTest::newRow("missing gives default")
        << QByteArray("TRETI_OKNO") << QByteArray("vyska") << -1.0;
    QTest::newRow("blanks around") << QByteArray("TRETI_OKNO") << QByteArray("vfont") << 96.0;
}

void ProfileFileTest::windowsFormFile()
{
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(double, value);
    ProfileFile profile;
    profile.SetFileName(TOBREL_TEST_DATA "/lerbot-windows.ini");
    QCOMPARE(profile.GetDouble(section.toStdString(), key.toStdString(), -1.0), value);
    QCOMPARE(profile.GetInt(section.toStdString(), key.toStdString(), -1), int(value));
}

void ProfileFileTest::stringsAreCut()
{
    ProfileFile profile;
    profile.SetFileName(kProfileFileName);
    const std::string text(300, 'x');
    QVERIFY(profile.WriteString("s", "long", text));
    QCOMPARE(profile.GetString("s", "long", ""), text.substr(0, 259));
    QCOMPARE(profile.GetString("s", "none", "default"), std::string("default"));
}

void ProfileFileTest::fontStruct()
{
    ProfileFile profile;
    profile.SetFileName(kProfileFileName);
    LOGFONT font;
    InitDefaultLogFont(font);
    font.lfWeight = FW_BOLD;
    std::strcpy(font.lfFaceName, "Arial");
    QVERIFY(profile.WriteStruct("TRETI_OKNO", "font", &font, sizeof font));
    QCOMPARE(profile.GetString("TRETI_OKNO", "font", "").size(), std::size_t(122));
    LOGFONT back;
    InitDefaultLogFont(back);
    QVERIFY(profile.GetStruct("TRETI_OKNO", "font", &back, sizeof back));
    QCOMPARE(std::memcmp(&back, &font, sizeof font), 0);

    // A record of another size, or a wrong checksum, is a failure and leaves the buffer be.
    std::string stored = profile.GetString("TRETI_OKNO", "font", "");
    stored[121] = stored[121] == '0' ? '1' : '0';
    QVERIFY(profile.WriteString("TRETI_OKNO", "font", stored));
    InitDefaultLogFont(back);
    QCOMPARE(profile.GetStruct("TRETI_OKNO", "font", &back, sizeof back), 0);
    QCOMPARE(back.lfWeight, 0);
    QVERIFY(profile.WriteStruct("TRETI_OKNO", "font", &font, 59));
    QCOMPARE(profile.GetStruct("TRETI_OKNO", "font", &back, sizeof back), 0);
    QCOMPARE(back.lfWeight, 0);
}

QTEST_GUILESS_MAIN(ProfileFileTest)
#include "ProfileFileTest.moc"
