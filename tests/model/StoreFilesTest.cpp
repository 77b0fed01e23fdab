#include "StoreFiles.h"
#include "Archive.h"
#include "FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <memory>

Q_DECLARE_METATYPE(LoadReport::State)

namespace {

const QString kData = QStringLiteral(TOBREL_TEST_DATA);

} // namespace

class StoreFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void exampleRecordIsByteExact();
    void emptyStoresAtExit();
    void addressStoreRoundTrip();
    void longStringsRoundTrip();
    void loadingAppends();
    void countsZeroOrNegative();
    void duplicateLabelsLoad();
    void truncatedStoresKeepWholeEntries_data();
    void truncatedStoresKeepWholeEntries();
    void hostileCountsAndLengths_data();
    void hostileCountsAndLengths();
    void trailingBytesAreReported();
    void printFontFile();
    void printFontFaceNames_data();
    void printFontFaceNames();
    void damagedPrintFontGivesDefault();
    void unreadableStore();
    void keepDamagedFileCopiesAside();

private:
    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void StoreFilesTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void StoreFilesTest::exampleRecordIsByteExact()
{
    EnvelopeFormatArray envelopes;
    envelopes.Append(exampleEnvelope());
    QVERIFY(saveEnvelopeStore(path(kEnvelopeStoreName), envelopes));
    const QByteArray expected = exampleEnvelopeStoreBytes();
    QCOMPARE(readFile(path(kEnvelopeStoreName)), expected);
    QCOMPARE(readFile(kData + "/tobrel-one-format.ar"), expected);

    EnvelopeFormatArray loaded;
    const LoadReport report = loadEnvelopeStore(kData + "/tobrel-one-format.ar", loaded);
    QCOMPARE(report.state, LoadReport::State::Whole);
    QCOMPARE(report.keptEntries, 1);
    QCOMPARE(loaded.GetSize(), 1);
    const EnvelopeFormat format = loaded.GetAt(0);
    QCOMPARE(format.label, std::string("abc"));
    QCOMPARE(format.width, 16.0f);
    QCOMPARE(format.height, 12.0f);
    QCOMPARE(format.addresseeLeft, 9.5f);
    QCOMPARE(format.addresseeTop, 6.5f);
    QCOMPARE(format.senderLeft, 1.0f);
    QCOMPARE(format.senderTop, 1.0f);
}

void StoreFilesTest::emptyStoresAtExit()
{
    EnvelopeFormatArray envelopes;
    AddressEntryArray senders, addressees;
    PrintFont font;
    QCOMPARE(loadEnvelopeStore(path(kEnvelopeStoreName), envelopes).state,
             LoadReport::State::Missing);
    QCOMPARE(loadAddressStore(path(kAddressStoreName), senders, addressees).state,
             LoadReport::State::Missing);
    QCOMPARE(loadPrintFont(path(kPrintFontFileName), font).state, LoadReport::State::Missing);
    QCOMPARE(font.pointSize, 12);

    QVERIFY(saveEnvelopeStore(path(kEnvelopeStoreName), envelopes));
    QVERIFY(saveAddressStore(path(kAddressStoreName), senders, addressees));
    QVERIFY(savePrintFont(path(kPrintFontFileName), font));
    QCOMPARE(readFile(path(kEnvelopeStoreName)), QByteArray(4, '\0'));
    QCOMPARE(readFile(path(kAddressStoreName)), QByteArray(8, '\0'));
    QCOMPARE(readFile(path(kPrintFontFileName)), defaultPrintFontBytes());
}

void StoreFilesTest::addressStoreRoundTrip()
{
    const QString sample = kData + "/adresy-small.ar";
    AddressEntryArray senders, addressees;
    const LoadReport report = loadAddressStore(sample, senders, addressees);
    QCOMPARE(report.state, LoadReport::State::Whole);
    QCOMPARE(report.keptEntries, 3);
    QCOMPARE(senders.GetSize(), 2);
    QCOMPARE(addressees.GetSize(), 1);
    QCOMPARE(senders.GetAt(1).label, std::string("Firma"));
    QCOMPARE(
        addressees.GetAt(0).text,
        std::string("Ing. Petr \x8A\xE8\x61sn\xFD\r\nK\xF8i\x9Eovnick\xE1 3\r\n301 00 Plze\xF2"));
    QVERIFY(saveAddressStore(path(kAddressStoreName), senders, addressees));
    QCOMPARE(readFile(path(kAddressStoreName)), readFile(sample));
}

void StoreFilesTest::longStringsRoundTrip()
{
    AddressEntryArray senders, addressees;
    // The last ones span several of the chunks the writer hands over.
    for (const std::size_t length : {254u, 255u, 65533u, 65534u, 70000u, 1500000u}) {
        std::string text(length, 'a');
        for (std::size_t i = 0; i < length; i += 7)
            text[i] = char(0x80 + i % 0x7F);
        senders.Append(AddressEntry{text, std::to_string(length)});
        addressees.Append(AddressEntry{"", std::string(length, 'L')});
    }
    QVERIFY(saveAddressStore(path(kAddressStoreName), senders, addressees));
    AddressEntryArray sendersBack, addresseesBack;
    const LoadReport report =
        loadAddressStore(path(kAddressStoreName), sendersBack, addresseesBack);
    QCOMPARE(report.state, LoadReport::State::Whole);
    QCOMPARE(report.keptEntries, 12);
    for (int i = 0; i < senders.GetSize(); ++i) {
        QVERIFY(sendersBack.GetAt(i).text == senders.GetAt(i).text);
        QVERIFY(addresseesBack.GetAt(i).label == addressees.GetAt(i).label);
    }
}

void StoreFilesTest::loadingAppends()
{
    EnvelopeFormatArray envelopes;
    EnvelopeFormat existing;
    existing.label = "existing";
    envelopes.Append(existing);
    loadEnvelopeStore(kData + "/tobrel-one-format.ar", envelopes);
    loadEnvelopeStore(kData + "/tobrel-one-format.ar", envelopes);
    QCOMPARE(envelopes.GetSize(), 3);
    QCOMPARE(envelopes.GetAt(0).label, std::string("existing"));
    QCOMPARE(envelopes.FindByLabel("abc"), 1);
}

void StoreFilesTest::countsZeroOrNegative()
{
    ArchiveWriter out;
    out.writeInt32(-5);
    out.writeInt32(1);
    out.writeString("Jan");
    out.writeString("Jan Novák");
    QVERIFY(writeFileSafely(path(kAddressStoreName), out.bytes()));
    AddressEntryArray senders, addressees;
    const LoadReport report = loadAddressStore(path(kAddressStoreName), senders, addressees);
    QCOMPARE(report.state, LoadReport::State::Whole);
    QCOMPARE(senders.GetSize(), 0);
    QCOMPARE(addressees.GetSize(), 1);
    QCOMPARE(addressees.GetAt(0).label, std::string("Jan"));
}

void StoreFilesTest::duplicateLabelsLoad()
{
    EnvelopeFormatArray envelopes;
    EnvelopeFormat first = exampleEnvelope(), second = exampleEnvelope();
    second.width = 22.0f;
    envelopes.Append(first);
    envelopes.Append(second);
    QVERIFY(saveEnvelopeStore(path(kEnvelopeStoreName), envelopes));
    EnvelopeFormatArray loaded;
    QCOMPARE(loadEnvelopeStore(path(kEnvelopeStoreName), loaded).keptEntries, 2);
    QCOMPARE(loaded.GetAt(loaded.FindByLabel("abc")).width, 16.0f);
}

void StoreFilesTest::truncatedStoresKeepWholeEntries_data()
{
    QTest::addColumn<QByteArray>("whole");
    QTest::addColumn<QList<int>>("entryEnds"); // offset after each entry, in file order
    QTest::addColumn<bool>("addresses");

    EnvelopeFormatArray envelopes;
    envelopes.Append(exampleEnvelope());
    EnvelopeFormat dl = exampleEnvelope();
    dl.label = "DL";
    envelopes.Append(dl);
    ArchiveWriter envelopeOut;
    writeEnvelopeList(envelopeOut, envelopes);
    QTest::newRow("tobrel.ar") << envelopeOut.bytes() << QList<int>{32, 32 + 24 + 1 + 2} << false;

    // Senders "Doma" (36-byte text) and "Firma" (37), then the count and "Pan Šťastný" (45).
    QTest::newRow("adresy.ar") << readFile(kData + "/adresy-small.ar")
                               << QList<int>{4 + 5 + 37, 46 + 6 + 38, 90 + 4 + 11 + 46} << true;
}

void StoreFilesTest::truncatedStoresKeepWholeEntries()
{
    QFETCH(QByteArray, whole);
    QFETCH(QList<int>, entryEnds);
    QFETCH(bool, addresses);
    QCOMPARE(entryEnds.last(), whole.size());
    const QString file = path("store.ar");
    for (int cut = 0; cut < whole.size(); ++cut) {
        QVERIFY(writeFileSafely(file, whole.left(cut)));
        int expectedKept = 0;
        for (int end : entryEnds)
            expectedKept += end <= cut ? 1 : 0;
        LoadReport report;
        int inCollections = 0;
        if (addresses) {
            AddressEntryArray senders, addressees;
            report = loadAddressStore(file, senders, addressees);
            inCollections = senders.GetSize() + addressees.GetSize();
        } else {
            EnvelopeFormatArray envelopes;
            report = loadEnvelopeStore(file, envelopes);
            inCollections = envelopes.GetSize();
        }
        const QByteArray where = "cut at " + QByteArray::number(cut);
        QVERIFY2(report.state == LoadReport::State::Damaged, where);
        QVERIFY2(report.keptEntries == expectedKept, where);
        QVERIFY2(inCollections == expectedKept, where);
    }
}

void StoreFilesTest::hostileCountsAndLengths_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("kept");
    QTest::newRow("huge count, nothing behind") << QByteArray::fromHex("FFFFFF7F") << 0;
    QTest::newRow("4 GB label") << QByteArray::fromHex("01000000FFFFFFFFFFFFFF616263") << 0;
    QTest::newRow("label longer than the rest") << QByteArray::fromHex("02000000"
                                                                       "03414141"
                                                                       "00"
                                                                       "FF0001"
                                                                       "4242")
                                                << 1;
    QTest::newRow("senders fine, addressee count cut") << QByteArray::fromHex("01000000"
                                                                              "0141"
                                                                              "0142"
                                                                              "0000")
                                                       << 1;
}

void StoreFilesTest::hostileCountsAndLengths()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, kept);
    QVERIFY(writeFileSafely(path(kAddressStoreName), bytes));
    AddressEntryArray senders, addressees;
    const LoadReport report = loadAddressStore(path(kAddressStoreName), senders, addressees);
    QCOMPARE(report.state, LoadReport::State::Damaged);
    QCOMPARE(report.keptEntries, kept);
    QCOMPARE(senders.GetSize() + addressees.GetSize(), kept);
    QVERIFY(senders.GetCapacity() <= 1);
}

void StoreFilesTest::trailingBytesAreReported()
{
    QByteArray bytes = readFile(kData + "/tobrel-one-format.ar");
    bytes.append("junk");
    QVERIFY(writeFileSafely(path(kEnvelopeStoreName), bytes));
    EnvelopeFormatArray envelopes;
    const LoadReport report = loadEnvelopeStore(path(kEnvelopeStoreName), envelopes);
    QCOMPARE(report.state, LoadReport::State::Damaged);
    QCOMPARE(report.keptEntries, 1);
    QCOMPARE(envelopes.GetSize(), 1);
}

void StoreFilesTest::printFontFile()
{
    PrintFont font;
    const LoadReport report = loadPrintFont(kData + "/pismo-arial.bin", font);
    QCOMPARE(report.state, LoadReport::State::Whole);
    QCOMPARE(font.pointSize, 14);
    QCOMPARE(font.font.lfCharSet, EASTEUROPE_CHARSET);
    QCOMPARE(font.font.lfHeight, -19);
    QCOMPARE(font.font.lfStrikeOut, std::uint8_t(1));
    QCOMPARE(font.font.lfUnderline, std::uint8_t(0));
    QCOMPARE(QByteArray(font.font.lfFaceName, LF_FACESIZE),
             QByteArray("Arial") + QByteArray(27, '\0'));

    // Bold and italic are not kept: after a round trip the other fields are zero.
    font.font.lfWeight = FW_BOLD;
    font.font.lfItalic = 1;
    QVERIFY(savePrintFont(path(kPrintFontFileName), font));
    QCOMPARE(readFile(path(kPrintFontFileName)), readFile(kData + "/pismo-arial.bin"));
    PrintFont back;
    loadPrintFont(path(kPrintFontFileName), back);
    QCOMPARE(back.font.lfWeight, 0);
    QCOMPARE(back.font.lfItalic, std::uint8_t(0));
}

void StoreFilesTest::printFontFaceNames_data()
{
    QTest::addColumn<QByteArray>("storedFace");
    QTest::addColumn<QByteArray>("face");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("31 bytes") << QByteArray(31, 'f') << QByteArray(31, 'f');
    QTest::newRow("32 bytes cut") << QByteArray(32, 'g') << QByteArray(31, 'g');
    QTest::newRow("200 bytes cut") << QByteArray(200, 'h') << QByteArray(31, 'h');
    QTest::newRow("zero inside") << QByteArray("Ari\0al", 6) << QByteArray("Ari");
}

void StoreFilesTest::printFontFaceNames()
{
    QFETCH(QByteArray, storedFace);
    QFETCH(QByteArray, face);
    ArchiveWriter out;
    out.writeInt32(10);
    out.writeByte(0);
    out.writeInt32(-13);
    out.writeByte(0);
    out.writeByte(1);
    out.writeInt32(std::int32_t(storedFace.size()));
    out.writeRawBytes(storedFace.toStdString());
    QVERIFY(writeFileSafely(path(kPrintFontFileName), out.bytes()));
    PrintFont font;
    QCOMPARE(loadPrintFont(path(kPrintFontFileName), font).state, LoadReport::State::Whole);
    QCOMPARE(QByteArray(font.font.lfFaceName), face);
    QCOMPARE(font.font.lfFaceName[LF_FACESIZE - 1], '\0');
    QCOMPARE(font.font.lfUnderline, std::uint8_t(1));
    QVERIFY(savePrintFont(path(kPrintFontFileName), font));
    QCOMPARE(readFile(path(kPrintFontFileName)).mid(15), face);
}

void StoreFilesTest::damagedPrintFontGivesDefault()
{
    const QByteArray whole = readFile(kData + "/pismo-arial.bin");
    const PrintFont standard = defaultPrintFont();
    QList<QByteArray> damaged;
    for (int cut = 0; cut < whole.size(); ++cut)
        damaged.append(whole.left(cut));
    damaged.append(QByteArray::fromHex("0C000000EE1000000000FFFFFFFF"));   // negative length
    damaged.append(QByteArray::fromHex("0C000000EE1000000000FFFFFF7F41")); // past the end
    damaged.append(whole + '\0');                                          // bytes after it
    for (const QByteArray &bytes : damaged) {
        QVERIFY(writeFileSafely(path(kPrintFontFileName), bytes));
        PrintFont font;
        font.pointSize = 99;
        std::memset(&font.font, 0x5A, sizeof font.font);
        const LoadReport report = loadPrintFont(path(kPrintFontFileName), font);
        QVERIFY2(report.state == LoadReport::State::Damaged, bytes.toHex().constData());
        QCOMPARE(font.pointSize, 12);
        QCOMPARE(logFontBytes(font.font), logFontBytes(standard.font));
    }
}

void StoreFilesTest::unreadableStore()
{
    // A folder where the file should be: it exists, but cannot be read.
    QVERIFY(QDir(m_dir->path()).mkdir(kEnvelopeStoreName));
    EnvelopeFormatArray envelopes;
    const LoadReport report = loadEnvelopeStore(path(kEnvelopeStoreName), envelopes);
    QCOMPARE(report.state, LoadReport::State::Damaged);
    QCOMPARE(report.keptEntries, 0);
    QVERIFY(!saveEnvelopeStore(path(kEnvelopeStoreName), envelopes));
    QVERIFY(!saveEnvelopeStore(path("missing/folder/tobrel.ar"), envelopes));
}

void StoreFilesTest::keepDamagedFileCopiesAside()
{
    const QString store = path(kEnvelopeStoreName);
    QVERIFY(writeFileSafely(store, QByteArray("damaged")));
    const QString first = keepDamagedFile(store);
    QCOMPARE(first, store + ".poskozeny");
    QVERIFY(writeFileSafely(store, QByteArray("damaged again")));
    const QString second = keepDamagedFile(store);
    QVERIFY(!second.isEmpty());
    QVERIFY(second != first);
    QCOMPARE(readFile(first), QByteArray("damaged"));
    QCOMPARE(readFile(second), QByteArray("damaged again"));
    QCOMPARE(readFile(store), QByteArray("damaged again"));
    QVERIFY(keepDamagedFile(path("no such file")).isEmpty());
}

QTEST_GUILESS_MAIN(StoreFilesTest)
#include "StoreFilesTest.moc"
