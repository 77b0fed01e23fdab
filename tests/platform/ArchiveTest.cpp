#include "Archive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstring>

#include <sys/stat.h>

class ArchiveTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stringPrefix_data();
    void stringPrefix();
    void integersAreLittleEndian();
    void floatsKeepTheirBits();
    void readingStopsAtEveryShortString_data();
    void readingStopsAtEveryShortString();
    void hostileLengthCostsNothing();
    void rawBytesChecksCount();
    void readWholeFileStates();
    void safeWriteReplacesWhole();
    void safeWriteFailureKeepsOldFile();
    void safeWriteRefusesWhatIsNoFile_data();
    void safeWriteRefusesWhatIsNoFile();
};

void ArchiveTest::stringPrefix_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("prefix");
    QTest::newRow("empty") << 0 << QByteArray::fromHex("00");
    QTest::newRow("254") << 254 << QByteArray::fromHex("FE");
    QTest::newRow("255") << 255 << QByteArray::fromHex("FFFF00");
    QTest::newRow("256") << 256 << QByteArray::fromHex("FF0001");
    QTest::newRow("65533") << 65533 << QByteArray::fromHex("FFFDFF");
    QTest::newRow("65534") << 65534 << QByteArray::fromHex("FFFFFFFEFF0000");
    QTest::newRow("65535") << 65535 << QByteArray::fromHex("FFFFFFFFFF0000");
    QTest::newRow("70000") << 70000 << QByteArray::fromHex("FFFFFF70110100");
}

void ArchiveTest::stringPrefix()
{
    QFETCH(int, length);
    QFETCH(QByteArray, prefix);
    std::string text(std::size_t(length), 'x');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = char('a' + i % 26);
    ArchiveWriter out;
    out.writeString(text);
    QCOMPARE(out.bytes().left(prefix.size()), prefix);
    QCOMPARE(out.bytes().size(), prefix.size() + length);

    ArchiveReader in(out.bytes());
    std::string back;
    QVERIFY(in.readString(back));
    QVERIFY(back == text);
    QVERIFY(in.atEnd());
}

void ArchiveTest::integersAreLittleEndian()
{
    ArchiveWriter out;
    out.writeInt32(1);
    out.writeInt32(-2);
    out.writeByte(0xEE);
    QCOMPARE(out.bytes(), QByteArray::fromHex("01000000FEFFFFFFEE"));

    ArchiveReader in(QByteArray::fromHex("04030201FFFFFF7F"));
    std::int32_t value = 0;
    QVERIFY(in.readInt32(value));
    QCOMPARE(value, 0x01020304);
    QVERIFY(in.readInt32(value));
    QCOMPARE(value, 2147483647);
    QVERIFY(!in.readInt32(value));
    QCOMPARE(value, 2147483647);
}

void ArchiveTest::floatsKeepTheirBits()
{
    const QByteArray patterns = QByteArray::fromHex("0000D040"   // 6.5
                                                    "00000080"   // -0.0
                                                    "01000000"   // smallest denormal
                                                    "0100C07F"   // NaN with a payload
                                                    "0000807F"); // infinity
    ArchiveReader in(patterns);
    ArchiveWriter out;
    float value = 0.0f;
    while (in.readFloat(value))
        out.writeFloat(value);
    QCOMPARE(out.bytes(), patterns);

    ArchiveReader first(patterns);
    QVERIFY(first.readFloat(value));
    QCOMPARE(value, 6.5f);
}

void ArchiveTest::readingStopsAtEveryShortString_data()
{
    QTest::addColumn<QByteArray>("whole");
    ArchiveWriter shortString, wide, long_;
    shortString.writeString("abc");
    wide.writeString(std::string(300, 'w'));
    long_.writeString(std::string(70000, 'l'));
    QTest::newRow("one-byte prefix") << shortString.bytes();
    QTest::newRow("three-byte prefix") << wide.bytes();
    QTest::newRow("seven-byte prefix") << long_.bytes();
}

void ArchiveTest::readingStopsAtEveryShortString()
{
    QFETCH(QByteArray, whole);
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        const QByteArray part = whole.left(cut);
        ArchiveReader in(part);
        std::string text = "untouched";
        QVERIFY2(!in.readString(text), qPrintable(QString::number(cut)));
        QCOMPARE(in.remaining(), cut); // position unchanged
    }
}

void ArchiveTest::hostileLengthCostsNothing()
{
    // A 4 GB string announced in seven bytes, and one of 65534 bytes with two present.
    for (const char *hex : {"FFFFFFFFFFFFFF", "FFFFFFFEFF00006162"}) {
        const QByteArray bytes = QByteArray::fromHex(hex);
        ArchiveReader in(bytes);
        std::string text;
        QVERIFY(!in.readString(text));
        QVERIFY(text.empty());
        QCOMPARE(in.remaining(), bytes.size());
    }
}

void ArchiveTest::rawBytesChecksCount()
{
    const QByteArray bytes("abcdef");
    ArchiveReader in(bytes);
    std::string part;
    QVERIFY(!in.readRawBytes(-1, part));
    QVERIFY(!in.readRawBytes(7, part));
    QVERIFY(in.readRawBytes(4, part));
    QCOMPARE(part, std::string("abcd"));
    QCOMPARE(in.remaining(), 2);
}

void ArchiveTest::readWholeFileStates()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(readWholeFile(dir.filePath("none")).status, FileReadStatus::Missing);
    QCOMPARE(readWholeFile(dir.path()).status, FileReadStatus::Unreadable);
    // A pipe is refused at once instead of waited for.
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
    QCOMPARE(readWholeFile(dir.filePath("pipe")).status, FileReadStatus::Unreadable);
    // Nor is a name that cannot be opened missing, even for root: a link to itself.
    const QString loop = dir.filePath("loop");
    QVERIFY(QFile::link(loop, loop));
    QCOMPARE(readWholeFile(loop).status, FileReadStatus::Unreadable);

    QFile file(dir.filePath("bytes"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x00\x01\xFF", 3));
    file.close();
    const FileContents contents = readWholeFile(file.fileName());
    QCOMPARE(contents.status, FileReadStatus::Read);
    QCOMPARE(contents.bytes, QByteArray("\x00\x01\xFF", 3));
}

void ArchiveTest::safeWriteReplacesWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("store");
    QVERIFY(writeFileSafely(path, QByteArray("a much longer first content")));
    QVERIFY(writeFileSafely(path, QByteArray("short")));
    QCOMPARE(readWholeFile(path).bytes, QByteArray("short"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"store"});
    QString why;
    QVERIFY(!writeFileSafely(dir.filePath("no/such/folder/store"), QByteArray("x"), &why));
    QCOMPARE(why, QStringLiteral("Složka neexistuje."));
    // Through a link the file it points at is replaced, and the link stays.
    QVERIFY(QFile::link(path, dir.filePath("link")));
    QVERIFY(writeFileSafely(dir.filePath("link"), QByteArray("through")));
    QCOMPARE(readWholeFile(path).bytes, QByteArray("through"));
    QVERIFY(QFileInfo(dir.filePath("link")).isSymLink());
}

void ArchiveTest::safeWriteFailureKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("store");
    QVERIFY(writeFileSafely(path, QByteArray("old")));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool written = writeFileSafely(path, QByteArray("new"));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (written)
        QSKIP("the file system grants writes to a read-only folder here (root)");
    QCOMPARE(readWholeFile(path).bytes, QByteArray("old"));
}

void ArchiveTest::safeWriteRefusesWhatIsNoFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<Links>("links");
    QTest::addColumn<QString>("why");
    QTest::newRow("link, refused") << "link" << Links::Refuse << "symbolický odkaz";
    QTest::newRow("pipe") << "pipe" << Links::Follow << "není obyčejný soubor";
    QTest::newRow("link to a pipe") << "link to pipe" << Links::Follow << "není obyčejný soubor";
    QTest::newRow("folder") << "folder" << Links::Follow << "složka";
}

void ArchiveTest::safeWriteRefusesWhatIsNoFile()
{
    QFETCH(QString, kind);
    QFETCH(Links, links);
    QFETCH(QString, why);
    QTemporaryDir dir;
    const QString target = dir.filePath("target");
    const QString other = dir.filePath("other");
    QVERIFY(writeFileSafely(other, QByteArray("the user's")));
    if (kind == "folder")
        QVERIFY(QDir(dir.path()).mkdir("target"));
    if (kind.endsWith("pipe")) {
        const QString pipe = kind == "pipe" ? target : other;
        QFile::remove(pipe);
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    }
    if (kind.startsWith("link"))
        QVERIFY(QFile::link(other, target));
    const QFileInfo before(target);
    QString reason;
    QVERIFY(!writeFileSafely(target, QByteArray("new"), &reason, links));
    QVERIFY2(reason.contains(why), qPrintable(reason));
    const QFileInfo after(target);
    QCOMPARE(after.isSymLink(), before.isSymLink());
    QCOMPARE(after.isFile(), before.isFile());
    if (kind == "link")
        QCOMPARE(readWholeFile(other).bytes, QByteArray("the user's"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                        QDir::NoDotAndDotDot),
             QStringList({"other", "target"}));
}

QTEST_GUILESS_MAIN(ArchiveTest)
#include "ArchiveTest.moc"
