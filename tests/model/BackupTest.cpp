#include "Backup.h"
#include "FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using Labels = std::vector<std::string>;

namespace {

AddressEntry address(const std::string &label, const std::string &text = "Ulice 1\r\nM\xECsto")
{
    AddressEntry entry;
    entry.label = label;
    entry.text = text;
    return entry;
}

AddressEntryArray addresses(const Labels &labels)
{
    AddressEntryArray list;
    for (const std::string &label : labels)
        list.Append(address(label));
    return list;
}

Labels labelsOf(const AddressEntryArray &list)
{
    Labels labels;
    for (int i = 0; i < list.GetSize(); ++i)
        labels.emplace_back(list.ElementAt(i).label);
    return labels;
}

} // namespace

class BackupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void kindFromExactExtension_data();
    void kindFromExactExtension();
    void emptyListIsFourZeroBytes();
    void envelopeBackupHasStoreLayout();
    void restoreRightAfterBackupSkipsEveryLabel();
    void mergeAppendsOnlyNewLabels();
    void longMergesFindEveryRepeat();
    void damagedFileKeepsOnlyWholeEntries_data();
    void damagedFileKeepsOnlyWholeEntries();
    void missingFileIsNotOpened();
    void failedWriteReportsFalseAndKeepsOldFile();
    void reportText_data();
    void reportText();
    void unreadableReportHasNoSuccessLine();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void BackupTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void BackupTest::kindFromExactExtension_data()
{
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("kind"); // -1: none

    QTest::newRow("zob") << "zob" << int(BackupKind::Envelopes);
    QTest::newRow("zod") << "zod" << int(BackupKind::Senders);
    QTest::newRow("zad") << "zad" << int(BackupKind::Addressees);
    QTest::newRow("capitals") << "ZAD" << -1;
    QTest::newRow("one capital") << "Zob" << -1;
    QTest::newRow("none") << "" << -1;
    QTest::newRow("longer") << "zadx" << -1;
    QTest::newRow("with dot") << ".zad" << -1;
}

void BackupTest::kindFromExactExtension()
{
    QFETCH(QString, extension);
    QFETCH(int, kind);
    const auto found = backupKindFromExtension(extension);
    QCOMPARE(found ? int(*found) : -1, kind);
}

void BackupTest::emptyListIsFourZeroBytes()
{
    QVERIFY(writeAddressBackup(path("a.zad"), AddressEntryArray()));
    QVERIFY(writeEnvelopeBackup(path("e.zob"), EnvelopeFormatArray()));
    QCOMPARE(readFile(path("a.zad")), QByteArray(4, '\0'));
    QCOMPARE(readFile(path("e.zob")), QByteArray(4, '\0'));

    AddressEntryArray list = addresses({"X"});
    const RestoreOutcome outcome = restoreAddressBackup(path("a.zad"), list);
    QVERIFY(outcome.opened && outcome.whole);
    QVERIFY(outcome.addedLabels.empty() && outcome.skippedLabels.empty());
    QCOMPARE(list.GetSize(), 1);
}

void BackupTest::envelopeBackupHasStoreLayout()
{
    EnvelopeFormatArray list;
    list.Append(exampleEnvelope());
    QVERIFY(writeEnvelopeBackup(path("e.zob"), list));
    QCOMPARE(readFile(path("e.zob")), exampleEnvelopeStoreBytes());

    AddressEntryArray senders;
    senders.Append(address("J\xE1", "A\r\nB"));
    QVERIFY(writeAddressBackup(path("s.zod"), senders));
    QCOMPARE(readFile(path("s.zod")), QByteArray("\x01\0\0\0\x02J\xE1\x04"
                                                 "A\r\nB",
                                                 12));
}

void BackupTest::restoreRightAfterBackupSkipsEveryLabel()
{
    AddressEntryArray list = addresses({"Nov\xE1k", "Adam",
                                        "\xC8"
                                        "erm\xE1k"});
    QVERIFY(writeAddressBackup(path("a.zad"), list));
    const RestoreOutcome outcome = restoreAddressBackup(path("a.zad"), list);
    QVERIFY(outcome.opened && outcome.whole);
    QVERIFY(outcome.addedLabels.empty());
    QCOMPARE(outcome.skippedLabels, (Labels{"Nov\xE1k", "Adam",
                                            "\xC8"
                                            "erm\xE1k"}));
    QCOMPARE(list.GetSize(), 3);
}

void BackupTest::mergeAppendsOnlyNewLabels()
{
    AddressEntryArray file;
    file.Append(address("A", "first A"));
    file.Append(address("B", "from file"));
    file.Append(address("b", "lower case is another label"));
    file.Append(address("A", "second A"));
    file.Append(address("C"));
    QVERIFY(writeAddressBackup(path("a.zad"), file));

    AddressEntryArray list;
    list.Append(address("B", "kept"));
    const RestoreOutcome outcome = restoreAddressBackup(path("a.zad"), list);

    QVERIFY(outcome.whole);
    QCOMPARE(outcome.addedLabels, (Labels{"A", "b", "C"}));
    QCOMPARE(outcome.skippedLabels, (Labels{"B", "A"}));
    QCOMPARE(labelsOf(list), (Labels{"B", "A", "b", "C"}));
    QCOMPARE(list.ElementAt(0).text, std::string("kept"));
    QCOMPARE(list.ElementAt(1).text, std::string("first A"));
}

// Lists long enough that the labels' table grows while entries are appended.
void BackupTest::longMergesFindEveryRepeat()
{
    Labels held, incoming, added, skipped;
    for (int i = 0; i < 50; ++i)
        held.push_back(std::to_string(i));
    for (int i = 0; i < 200; ++i)
        incoming.push_back(std::to_string(i % 130));
    for (const std::string &label : incoming) {
        const bool known = std::find(held.cbegin(), held.cend(), label) != held.cend() ||
                           std::find(added.cbegin(), added.cend(), label) != added.cend();
        (known ? skipped : added).push_back(label);
    }
    AddressEntryArray list = addresses(held);
    std::vector<AddressEntry> entries;
    EnvelopeFormatArray envelopes;
    std::vector<EnvelopeFormat> formats;
    for (const std::string &label : held)
        envelopes.Append(EnvelopeFormat{.label = label});
    for (const std::string &label : incoming) {
        entries.push_back(address(label));
        formats.push_back(EnvelopeFormat{.label = label});
    }
    for (const RestoreOutcome &outcome : {mergeAddressEntries(list, std::move(entries)),
                                          mergeEnvelopeFormats(envelopes, std::move(formats))}) {
        QCOMPARE(outcome.addedLabels, added);
        QCOMPARE(outcome.skippedLabels, skipped);
    }
    QCOMPARE(list.GetSize(), 130);
    QCOMPARE(envelopes.GetSize(), 130);
}

void BackupTest::damagedFileKeepsOnlyWholeEntries_data()
{
    AddressEntryArray two = addresses({"A", "B"});
    QTemporaryDir scratch;
    writeAddressBackup(scratch.filePath("x"), two);
    const QByteArray whole = readFile(scratch.filePath("x"));

    EnvelopeFormatArray envelopes;
    envelopes.Append(exampleEnvelope());
    writeEnvelopeBackup(scratch.filePath("y"), envelopes);
    const QByteArray envelopeBytes = readFile(scratch.filePath("y"));

    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Labels>("added");

    QTest::newRow("cut in second text") << whole.left(whole.size() - 3) << Labels{"A"};
    QTest::newRow("cut before second text") << whole.left(whole.size() - 15) << Labels{"A"};
    QTest::newRow("count larger than entries")
        << QByteArray("\x05\0\0\0", 4) + whole.mid(4) << Labels{"A", "B"};
    QTest::newRow("count cut") << QByteArray("\x01\0", 2) << Labels{};
    QTest::newRow("bytes after the list") << whole + "xyz" << Labels{"A", "B"};
    QTest::newRow("string length past the end")
        << QByteArray("\x01\0\0\0\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 11) << Labels{};
    // Read as addresses, the first bytes make one entry with an empty label and text; the
    // bytes left over give the mismatch away.
    QTest::newRow("envelope backup named as addresses") << envelopeBytes << Labels{""};
}

void BackupTest::damagedFileKeepsOnlyWholeEntries()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Labels, added);

    QVERIFY(writeFile(path("d.zod"), bytes));
    AddressEntryArray list;
    const RestoreOutcome outcome = restoreAddressBackup(path("d.zod"), list);
    QVERIFY(outcome.opened);
    QVERIFY(!outcome.whole);
    QCOMPARE(outcome.addedLabels, added);
    QCOMPARE(labelsOf(list), added);
}

void BackupTest::missingFileIsNotOpened()
{
    AddressEntryArray list = addresses({"A"});
    const RestoreOutcome outcome = restoreAddressBackup(path("missing.zad"), list);
    QVERIFY(!outcome.opened);
    QCOMPARE(list.GetSize(), 1);
}

void BackupTest::failedWriteReportsFalseAndKeepsOldFile()
{
    QVERIFY(!writeAddressBackup(path("no/such/folder/a.zad"), addresses({"A"})));
    QVERIFY(!QFile::exists(path("no/such/folder/a.zad")));

    // A folder in the way: the write fails and nothing else changes.
    QVERIFY(QDir(m_dir->path()).mkdir("taken.zob"));
    QVERIFY(!writeEnvelopeBackup(path("taken.zob"), EnvelopeFormatArray()));
    QVERIFY(QFileInfo(path("taken.zob")).isDir());
}

void BackupTest::reportText_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<Labels>("skipped");
    QTest::addColumn<QString>("expected");

    QTest::newRow("envelopes, nothing skipped")
        << int(BackupKind::Envelopes) << Labels{} << "Obálky byly úspěšně obnoveny.\n\n";
    QTest::newRow("senders, nothing skipped")
        << int(BackupKind::Senders) << Labels{} << "Odesílatelé byli úspěšně obnoveni.\n\n";
    QTest::newRow("addressees, nothing skipped")
        << int(BackupKind::Addressees) << Labels{} << "Adresáti byli úspěšně obnoveni.\n\n";
    QTest::newRow("envelopes, two skipped")
        << int(BackupKind::Envelopes) << Labels{"C5", "DL"}
        << "Obálky byly úspěšně obnoveny.\n\nTyto obálky již existovaly a nebyly obnoveny ze "
           "zálohy:\nC5\nDL\n";
    QTest::newRow("senders, one skipped")
        << int(BackupKind::Senders) << Labels{"Firma"}
        << "Odesílatelé byli úspěšně obnoveni.\n\nTito odesílatelé již existovali a nebyli "
           "obnoveni ze zálohy:\nFirma\n";
    // Labels are code page 1250 bytes: \xC8 is "Č", \x9A is "š".
    QTest::newRow("addressees, Czech labels")
        << int(BackupKind::Addressees)
        << Labels{"\xC8"
                  "ech",
                  "Ma\x9A"
                  "ek"}
        << "Adresáti byli úspěšně obnoveni.\n\nTito adresáti již existovali a nebyli obnoveni "
           "ze zálohy:\nČech\nMašek\n";
    // A message box lists the first 500 and says how many more there are.
    Labels many;
    QString listed;
    for (int i = 0; i < 502; ++i) {
        many.push_back(std::to_string(i));
        listed += i < 500 ? QString::number(i) + u'\n' : QString();
    }
    QTest::newRow("senders, more than a message box lists")
        << int(BackupKind::Senders) << many
        << "Odesílatelé byli úspěšně obnoveni.\n\nTito odesílatelé již existovali a nebyli "
           "obnoveni ze zálohy:\n" + listed + "… a dalších 2\n";
}

void BackupTest::reportText()
{
    QFETCH(int, kind);
    QFETCH(Labels, skipped);
    QFETCH(QString, expected);
    QCOMPARE(restoreReport(BackupKind(kind), skipped), expected);
}

void BackupTest::unreadableReportHasNoSuccessLine()
{
    RestoreOutcome outcome;
    outcome.opened = true;
    outcome.whole = false;
    outcome.addedLabels = {"A", "B"};
    outcome.skippedLabels = {"C"};
    const QString text = unreadableBackupReport(BackupKind::Senders, outcome);
    QVERIFY(!text.contains(QStringLiteral("úspěšně")));
    QVERIFY(text.contains(QStringLiteral("2")));
    QVERIFY(text.endsWith(
        QStringLiteral("Tito odesílatelé již existovali a nebyli obnoveni ze zálohy:\nC\n")));
}

QTEST_GUILESS_MAIN(BackupTest)
#include "BackupTest.moc"
