#include "PrivateProfile.h"
#include "Archive.h"
#include "ScopedDirectories.h"

#include <QDir>
#include <QTest>

#include <cstring>
#include <optional>

class PrivateProfileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void bareNameLivesInConfigDirectory();
    void writesTheWindowsLayout();
    void rewritingKeepsOtherLines();
    void readsHandWrittenFile_data();
    void readsHandWrittenFile();
    void defaultsAndBufferSize();
    void lineBreaksCannotPlantKeys();
    void structEncoding();
    void damagedStructsFail_data();
    void damagedStructsFail();

private:
    QByteArray fileBytes() const;
    void setFileBytes(const QByteArray &bytes) const;
    std::optional<ScopedConfigHome> m_config;
    const QString m_name = QStringLiteral("profile.ini");
};

void PrivateProfileTest::init()
{
    m_config.emplace();
    QVERIFY(m_config->isValid());
}

void PrivateProfileTest::cleanup()
{
    m_config.reset();
}

QByteArray PrivateProfileTest::fileBytes() const
{
    return readWholeFile(m_config->filePath(m_name)).bytes;
}

void PrivateProfileTest::setFileBytes(const QByteArray &bytes) const
{
    QVERIFY(writeFileSafely(m_config->filePath(m_name), bytes));
}

void PrivateProfileTest::bareNameLivesInConfigDirectory()
{
    QCOMPARE(privateProfilePath("lerbot.ini"), m_config->filePath("lerbot.ini"));
    QCOMPARE(privateProfilePath("/etc/x/lerbot.ini"), QString("/etc/x/lerbot.ini"));
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(privateProfilePath("lerbot.ini"), QDir::homePath() + "/.config/lerbot.ini");
}

void PrivateProfileTest::writesTheWindowsLayout()
{
    QVERIFY(WritePrivateProfileStringA("3okno", "propojit", "1", m_name));
    QCOMPARE(fileBytes(), QByteArray("[3okno]\r\npropojit=1\r\n"));
    QVERIFY(WritePrivateProfileStringA("TRETI_OKNO", "left", "2.500000", m_name));
    QVERIFY(WritePrivateProfileStringA("3OKNO", "dalsi", "x", m_name));
    QVERIFY(WritePrivateProfileStringA("treti_okno", "LEFT", "3.000000", m_name));
    QCOMPARE(fileBytes(), QByteArray("[3okno]\r\npropojit=1\r\ndalsi=x\r\n"
                                     "[TRETI_OKNO]\r\nleft=3.000000\r\n"));
    QCOMPARE(GetPrivateProfileStringA("3okno", "DALSI", "", 260, m_name), std::string("x"));
}

void PrivateProfileTest::rewritingKeepsOtherLines()
{
    setFileBytes("; komentář\n[a]\nx=1\n\n[b]\r\ny=2");
    QVERIFY(WritePrivateProfileStringA("a", "z", "3", m_name));
    QVERIFY(WritePrivateProfileStringA("b", "y", "4", m_name));
    QCOMPARE(fileBytes(), QByteArray("; komentář\r\n[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=4\r\n"));
}

void PrivateProfileTest::readsHandWrittenFile_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("other letter case")
        << QByteArray("3okno") << QByteArray("propojit") << QByteArray("abc");
    QTest::newRow("blanks in brackets")
        << QByteArray("TRETI_OKNO") << QByteArray("left") << QByteArray("2,5");
    QTest::newRow("quotes removed")
        << QByteArray("treti_okno") << QByteArray("up") << QByteArray("1.25");
    QTest::newRow("empty value") << QByteArray("TRETI_OKNO") << QByteArray("sirka")
                                 << QByteArray("");
    QTest::newRow("blanks trimmed")
        << QByteArray("TRETI_OKNO") << QByteArray("vfont") << QByteArray("96");
    QTest::newRow("line without equals")
        << QByteArray("TRETI_OKNO") << QByteArray("no key on this line") << QByteArray("default");
    QTest::newRow("missing section")
        << QByteArray("none") << QByteArray("left") << QByteArray("default");
}

void PrivateProfileTest::readsHandWrittenFile()
{
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    const QString path = QStringLiteral(TOBREL_TEST_DATA "/lerbot-windows.ini");
    QCOMPARE(
        GetPrivateProfileStringA(section.toStdString(), key.toStdString(), "default  ", 260, path),
        value.toStdString());
}

void PrivateProfileTest::defaultsAndBufferSize()
{
    QCOMPARE(GetPrivateProfileStringA("s", "k", "dflt \t ", 260, m_name), std::string("dflt"));
    const std::string longValue(400, 'v');
    QVERIFY(WritePrivateProfileStringA("s", "k", longValue, m_name));
    QCOMPARE(GetPrivateProfileStringA("s", "k", "", 260, m_name).size(), std::size_t(259));
    QCOMPARE(GetPrivateProfileStringA("s", "k", "", 4, m_name), std::string("vvv"));
    QCOMPARE(GetPrivateProfileStringA("s", "k", "", 0, m_name), std::string());
    QVERIFY(WritePrivateProfileStringA("s", "k", "", m_name));
    QCOMPARE(GetPrivateProfileStringA("s", "k", "dflt", 260, m_name), std::string());
}

void PrivateProfileTest::lineBreaksCannotPlantKeys()
{
    QVERIFY(WritePrivateProfileStringA("s", "k", "1", m_name));
    const QByteArray before = fileBytes();
    QVERIFY(!WritePrivateProfileStringA("s", "k", "2\r\n[3okno]\r\npropojit=0", m_name));
    QVERIFY(!WritePrivateProfileStringA("s", "a=b", "2", m_name));
    QVERIFY(!WritePrivateProfileStringA("s]x", "k", "2", m_name));
    // Names the reader would never find again.
    for (const char *key : {";k", "[k", " k", "k\t"})
        QVERIFY(!WritePrivateProfileStringA("s", key, "2", m_name));
    QVERIFY(!WritePrivateProfileStringA(" s", "k", "2", m_name));
    QCOMPARE(fileBytes(), before);
}

void PrivateProfileTest::structEncoding()
{
    const char abacus[] = "abacus";
    QVERIFY(WritePrivateProfileStructA("s", "k", abacus, 7, m_name));
    QCOMPARE(GetPrivateProfileStringA("s", "k", "", 260, m_name), std::string("616261637573006F"));
    char back[7] = {};
    QVERIFY(GetPrivateProfileStructA("s", "k", back, 7, m_name));
    QCOMPARE(std::memcmp(back, abacus, 7), 0);

    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += char(byte);
    QVERIFY(WritePrivateProfileStructA("s", "all", all.data(), 256, m_name));
    std::string read(256, '\0');
    QVERIFY(GetPrivateProfileStructA("s", "all", read.data(), 256, m_name));
    QVERIFY(read == all);
}

void PrivateProfileTest::damagedStructsFail_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("size");
    QTest::newRow("wrong checksum") << QByteArray("616261637573006E") << 7;
    QTest::newRow("one byte short") << QByteArray("6162616375736F") << 7;
    QTest::newRow("odd length") << QByteArray("616261637573006F0") << 7;
    QTest::newRow("asked for more") << QByteArray("616261637573006F") << 8;
    QTest::newRow("not hex") << QByteArray("61626163757300G0") << 7;
    QTest::newRow("missing") << QByteArray() << 7;
}

void PrivateProfileTest::damagedStructsFail()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, size);
    if (!stored.isEmpty())
        QVERIFY(WritePrivateProfileStringA("s", "k", stored.toStdString(), m_name));
    char buffer[8];
    std::memset(buffer, 'u', sizeof buffer);
    QVERIFY(!GetPrivateProfileStructA("s", "k", buffer, size, m_name));
    QCOMPARE(QByteArray(buffer, 8), QByteArray(8, 'u'));
}

QTEST_GUILESS_MAIN(PrivateProfileTest)
#include "PrivateProfileTest.moc"
