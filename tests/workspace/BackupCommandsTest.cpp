#include "BackupCommands.h"
#include "Cp1250.h"
#include "DialogStubs.h"
#include "FileBytes.h"
#include "MessageRecorder.h"
#include "ScopedDirectories.h"
#include "RecordListModel.h"
#include "Texts.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

namespace {

AddressEntry address(const std::string &label)
{
    AddressEntry entry;
    entry.label = label;
    entry.text = "Dlouh\xE1 5\r\nPraha";
    return entry;
}

EnvelopeFormat envelope(const std::string &label)
{
    EnvelopeFormat format;
    format.label = label;
    format.width = 22.0f;
    format.height = 11.0f;
    return format;
}

} // namespace

class BackupCommandsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void backupDialogs_data();
    void backupDialogs();
    void cancelledCommandsChangeNothing_data();
    void cancelledCommandsChangeNothing();
    void failedBackupTellsTheUser();
    void restoreDialog();
    void restoreRightAfterBackupListsEveryLabel();
    void capitalExtensionIsRefused_data();
    void capitalExtensionIsRefused();
    void unopenableFileIsReported();
    void senderBackupRenamedIsMergedIntoAddressees();
    void envelopesRestoreIntoEnvelopeList();
    void damagedBackupKeepsWholeEntriesAndSaysSo();
    void standardEnvelopesJoinTheCombo();

private:
    // The dialog stub: records the request, wanders off to another folder as a user
    // browsing would, and answers with the given path (nullopt: Cancel).
    void answerFileDialog(std::optional<QString> answer);
    BackupCommands commands();
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::optional<ScopedCurrentDirectory> m_dir;
    std::unique_ptr<QTemporaryDir> m_elsewhere;
    QString m_startDirectory;
    QWidget m_owner;
    EnvelopeFormatArray m_envelopes;
    AddressEntryArray m_senders;
    AddressEntryArray m_addressees;
    // The view's lists; reloaded after the tests change the collections behind their backs.
    std::unique_ptr<EnvelopeListModel> m_envelopeList;
    std::unique_ptr<AddressListModel> m_senderList;
    std::unique_ptr<AddressListModel> m_addresseeList;
    std::unique_ptr<QComboBox> m_envelopeCombo;
    std::unique_ptr<QComboBox> m_senderCombo;
    std::unique_ptr<QComboBox> m_addresseeCombo;
    std::optional<FileDialogStub> m_files;
    std::optional<MessageRecorder> m_recorder;
};

void BackupCommandsTest::init()
{
    m_dir.emplace();
    m_elsewhere = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid() && m_elsewhere->isValid());
    m_startDirectory = QDir::currentPath();

    m_envelopes = EnvelopeFormatArray();
    m_senders = AddressEntryArray();
    m_addressees = AddressEntryArray();
    m_envelopeList = std::make_unique<EnvelopeListModel>(m_envelopes);
    m_senderList = std::make_unique<AddressListModel>(m_senders, QStringLiteral("<Žádný>"));
    m_addresseeList = std::make_unique<AddressListModel>(m_addressees, QStringLiteral("<Žádný>"));
    m_envelopeCombo = std::make_unique<QComboBox>();
    m_envelopeCombo->setModel(m_envelopeList.get());
    m_senderCombo = std::make_unique<QComboBox>();
    m_senderCombo->setModel(m_senderList.get());
    m_addresseeCombo = std::make_unique<QComboBox>();
    m_addresseeCombo->setModel(m_addresseeList.get());
    m_files.emplace();
    m_recorder.emplace();
}

void BackupCommandsTest::cleanup()
{
    QCOMPARE(QDir::currentPath(), m_startDirectory);
    m_recorder.reset();
    m_files.reset();
    m_dir.reset();
}

void BackupCommandsTest::answerFileDialog(std::optional<QString> answer)
{
    m_files->answer = [this, answer](const FileDialogRequest &) {
        QDir::setCurrent(m_elsewhere->path());
        return answer;
    };
}

BackupCommands BackupCommandsTest::commands()
{
    return BackupCommands(&m_owner, {&m_envelopes, &m_senders, &m_addressees, m_envelopeList.get(),
                                     m_senderList.get(), m_addresseeList.get()});
}

void BackupCommandsTest::backupDialogs_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("defaultName");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("filter");

    QTest::newRow("senders") << 0 << "Vyberte soubor do kterého se má záloha odesílatelů uložit"
                             << "Zaloha odesílatelů"
                             << "zod"
                             << "Zálohy odesílatelů (*.zod)|*.zod||";
    QTest::newRow("addressees") << 1 << "Vyberte soubor do kterého se má záloha adresátů uložit"
                                << "Zaloha adresátů"
                                << "zad"
                                << "Zálohy adresátů (*.zad)|*.zad||";
    QTest::newRow("envelopes") << 2 << "Vyberte soubor do kterého se má záloha obálek uložit"
                               << "Zaloha obálek"
                               << "zob"
                               << "Zálohy obálek (*.zob)|*.zob||";
}

void BackupCommandsTest::backupDialogs()
{
    QFETCH(int, command);
    QFETCH(QString, title);
    QFETCH(QString, defaultName);
    QFETCH(QString, extension);
    QFETCH(QString, filter);

    m_senders.Append(address("Odes\xEDlatel"));
    m_addressees.Append(address("Adres\xE1t"));
    m_addressees.Append(address("Druh\xFD"));
    m_envelopes.Append(envelope("DL"));
    const QString target = m_elsewhere->filePath("b." + extension);
    answerFileDialog(target);

    BackupCommands backup = commands();
    const int expectedEntries[] = {1, 2, 1};
    switch (command) {
    case 0:
        backup.OnBackupSenders();
        break;
    case 1:
        backup.OnBackupAddressees();
        break;
    default:
        backup.OnBackupEnvelopes();
        break;
    }

    QCOMPARE(m_files->requests.size(), 1);
    const FileDialogRequest &request = m_files->requests.first();
    QCOMPARE(request.mode, FileDialogRequest::Mode::Save);
    QCOMPARE(request.title, title);
    QCOMPARE(request.defaultName, defaultName);
    QCOMPARE(request.defaultExtension, extension);
    QCOMPARE(request.filter, filter);
    QCOMPARE(nameFiltersFromWindowsFilter(request.filter), QStringList{filter.section('|', 0, 0)});
    QCOMPARE(request.directory, m_startDirectory);
    QVERIFY(m_recorder->messages.isEmpty());
    const QByteArray written = readFile(target);
    QCOMPARE(written.left(4), QByteArray(1, char(expectedEntries[command])) + QByteArray(3, 0));
}

void BackupCommandsTest::cancelledCommandsChangeNothing_data()
{
    QTest::addColumn<int>("command");
    QTest::newRow("senders") << 0;
    QTest::newRow("addressees") << 1;
    QTest::newRow("envelopes") << 2;
    QTest::newRow("restore") << 3;
}

void BackupCommandsTest::cancelledCommandsChangeNothing()
{
    QFETCH(int, command);
    m_addressees.Append(address("A"));
    answerFileDialog(std::nullopt);
    BackupCommands backup = commands();
    void (BackupCommands::*handlers[])() = {
        &BackupCommands::OnBackupSenders, &BackupCommands::OnBackupAddressees,
        &BackupCommands::OnBackupEnvelopes, &BackupCommands::OnRestoreBackup};
    (backup.*handlers[command])();

    QCOMPARE(m_files->requests.size(), 1);
    QVERIFY(m_recorder->messages.isEmpty());
    QCOMPARE(m_addressees.GetSize(), 1);
    QVERIFY(QDir(m_dir->path()).entryList(QDir::Files).isEmpty());
    QVERIFY(QDir(m_elsewhere->path()).entryList(QDir::Files).isEmpty());
    // cleanup() checks that the current directory came back.
}

void BackupCommandsTest::failedBackupTellsTheUser()
{
    m_envelopes.Append(envelope("C5"));
    answerFileDialog(path("missing folder/b.zob"));
    commands().OnBackupEnvelopes();
    QCOMPARE(m_recorder->messages.size(), 1);
    QCOMPARE(m_recorder->messages.first().icon, MessageIcon::Error);
    QCOMPARE(m_recorder->messages.first().caption, QStringLiteral("Chyba"));
    QVERIFY(m_recorder->messages.first().text.contains(QStringLiteral("b.zob")));
    QVERIFY(
        m_recorder->messages.first().text.endsWith(QStringLiteral("\nDůvod: Složka neexistuje.")));
}

void BackupCommandsTest::restoreDialog()
{
    answerFileDialog(std::nullopt);
    commands().OnRestoreBackup();
    QCOMPARE(m_files->requests.size(), 1);
    const FileDialogRequest &request = m_files->requests.first();
    QCOMPARE(request.mode, FileDialogRequest::Mode::Open);
    QCOMPARE(request.title, QStringLiteral("Vyberte soubor se zálohou"));
    QVERIFY(request.defaultName.isEmpty());
    QVERIFY(request.defaultExtension.isEmpty());
    QCOMPARE(request.directory, m_startDirectory);
    QCOMPARE(request.filter,
             QStringLiteral("Soubory záloh (*.zod;*.zad;*.zob)|*.zod;*.zad;*.zob|"
                            "Zálohy adresátů (*.zad)|*.zad|Zálohy odesílatelů (*.zod)|*.zod|"
                            "Zálohy obálek (*.zob)|*.zob||"));
    QCOMPARE(nameFiltersFromWindowsFilter(request.filter).first(),
             QStringLiteral("Soubory záloh (*.zod *.zad *.zob)"));
}

void BackupCommandsTest::restoreRightAfterBackupListsEveryLabel()
{
    for (const char *label : {"Nov\xE1k", "Adam", "\x8Atefan"})
        m_senders.Append(address(label));
    m_senderList->reload();
    const QStringList comboBefore = comboItems(m_senderCombo.get());
    answerFileDialog(path("s.zod"));
    commands().OnBackupSenders();
    answerFileDialog(path("s.zod"));
    commands().OnRestoreBackup();

    QCOMPARE(m_recorder->messages.size(), 1);
    QCOMPARE(m_recorder->messages.first().caption, QStringLiteral("Obnova odesílatelů"));
    QCOMPARE(m_recorder->messages.first().icon, MessageIcon::Information);
    QCOMPARE(m_recorder->messages.first().text,
             QStringLiteral("Odesílatelé byli úspěšně obnoveni.\n\nTito odesílatelé již "
                            "existovali a nebyli obnoveni ze zálohy:\nNovák\nAdam\nŠtefan\n"));
    QCOMPARE(m_senders.GetSize(), 3);
    QCOMPARE(comboItems(m_senderCombo.get()), comboBefore);
}

void BackupCommandsTest::capitalExtensionIsRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("capitals") << "a.ZAD";
    QTest::newRow("mixed") << "a.Zod";
    QTest::newRow("typed other extension") << "a.zad.bak";
    QTest::newRow("no extension") << "zad";
}

void BackupCommandsTest::capitalExtensionIsRefused()
{
    QFETCH(QString, name);
    m_addressees.Append(address("A"));
    answerFileDialog(path("a.zad"));
    commands().OnBackupAddressees();
    QVERIFY(QFile::rename(path("a.zad"), path(name)));
    m_addressees = AddressEntryArray();

    answerFileDialog(path(name));
    commands().OnRestoreBackup();
    QCOMPARE(m_recorder->messages.size(), 1);
    QCOMPARE(m_recorder->messages.first().text, QStringLiteral("Neznámý typ souboru."));
    QCOMPARE(m_recorder->messages.first().caption, QStringLiteral("CHYBA"));
    QCOMPARE(m_recorder->messages.first().icon, MessageIcon::Error);
    QCOMPARE(m_addressees.GetSize(), 0);
    QCOMPARE(m_addresseeCombo->count(), 1);
}

void BackupCommandsTest::unopenableFileIsReported()
{
    answerFileDialog(path("gone.zad"));
    commands().OnRestoreBackup();
    QCOMPARE(m_recorder->messages.size(), 1);
    QCOMPARE(m_recorder->messages.first().text,
             QStringLiteral("Nezdařilo se otevřít zadaný soubor."));
    QCOMPARE(m_recorder->messages.first().caption, QStringLiteral("Chyba"));
    QCOMPARE(m_recorder->messages.first().icon, MessageIcon::Error);
}

void BackupCommandsTest::senderBackupRenamedIsMergedIntoAddressees()
{
    m_senders.Append(address("Firma"));
    m_senders.Append(address("\xC8"
                             "EZ"));
    answerFileDialog(path("s.zod"));
    commands().OnBackupSenders();
    QVERIFY(QFile::rename(path("s.zod"), path("s.zad")));

    m_addressees.Append(address("Firma"));
    m_addressees.Append(address("Zeman"));
    m_addresseeList->reload();
    m_addresseeCombo->setCurrentIndex(1);
    answerFileDialog(path("s.zad"));
    commands().OnRestoreBackup();
    QCOMPARE(m_addresseeCombo->currentText(), QStringLiteral("Firma"));

    QCOMPARE(m_senders.GetSize(), 2);
    QCOMPARE(m_addressees.GetSize(), 3);
    QCOMPARE(m_addressees.ElementAt(2).label, std::string("\xC8"
                                                          "EZ"));
    QCOMPARE(m_addressees.ElementAt(2).text, std::string("Dlouh\xE1 5\r\nPraha"));
    QCOMPARE(comboItems(m_addresseeCombo.get()), (QStringList{"<Žádný>", "ČEZ", "Firma", "Zeman"}));
    QCOMPARE(m_senderCombo->count(), 1);
    QCOMPARE(m_recorder->messages.size(), 1);
    QCOMPARE(m_recorder->messages.first().caption, QStringLiteral("Obnova adresátů"));
    QCOMPARE(m_recorder->messages.first().text,
             QStringLiteral("Adresáti byli úspěšně obnoveni.\n\nTito adresáti již existovali "
                            "a nebyli obnoveni ze zálohy:\nFirma\n"));
}

void BackupCommandsTest::envelopesRestoreIntoEnvelopeList()
{
    m_envelopes.Append(envelope("C5"));
    m_envelopes.Append(envelope("DL"));
    answerFileDialog(path("e.zob"));
    commands().OnBackupEnvelopes();
    m_envelopes.RemoveAt(0);
    m_envelopeList->reload();

    answerFileDialog(path("e.zob"));
    commands().OnRestoreBackup();
    QCOMPARE(m_envelopes.GetSize(), 2);
    QCOMPARE(m_envelopes.ElementAt(1).label, std::string("C5"));
    QCOMPARE(m_envelopes.ElementAt(1).width, 22.0f);
    QCOMPARE(comboItems(m_envelopeCombo.get()), (QStringList{"C5", "DL"}));
    QCOMPARE(m_recorder->messages.first().caption, QStringLiteral("Obnova obálek"));
    QCOMPARE(m_recorder->messages.first().text,
             QStringLiteral("Obálky byly úspěšně obnoveny.\n\nTyto obálky již existovaly a "
                            "nebyly obnoveny ze zálohy:\nDL\n"));
}

void BackupCommandsTest::standardEnvelopesJoinTheCombo()
{
    m_envelopes.Append(envelope("DL"));
    m_envelopeList->reload();
    commands().OnAddStandardEnvelopes();
    QCOMPARE(m_envelopes.GetSize(), 11);
    QCOMPARE(comboItems(m_envelopeCombo.get()), (QStringList{"B4", "B5", "B6", "C4", "C5", "C6",
                                                             "C6/5", "DL", "E4", "Monarch",
                                                             "US #10"}));
    QCOMPARE(m_recorder->messages.first().caption, QStringLiteral("Standardní formáty obálek"));
    QCOMPARE(m_recorder->messages.first().text,
             QStringLiteral("Standardní formáty obálek byly přidány.\n\nTyto obálky již "
                            "existovaly a nebyly přidány:\nDL\n"));
    QCOMPARE(m_recorder->messages.first().icon, MessageIcon::Information);
    QCOMPARE(m_envelopes.ElementAt(0).senderLeft, 0.0f); // the user's own DL stays

    // Again: nothing new, every standard label listed.
    commands().OnAddStandardEnvelopes();
    QCOMPARE(m_envelopes.GetSize(), 11);
    QVERIFY(m_recorder->messages.last().text.endsWith(QStringLiteral("Monarch\n")));
}

void BackupCommandsTest::damagedBackupKeepsWholeEntriesAndSaysSo()
{
    m_addressees.Append(address("A"));
    m_addressees.Append(address("B"));
    answerFileDialog(path("a.zad"));
    commands().OnBackupAddressees();
    const QByteArray bytes = readFile(path("a.zad"));
    QVERIFY(writeFile(path("a.zad"), bytes.left(bytes.size() - 2)));
    m_addressees = AddressEntryArray();
    m_addresseeList->reload();

    answerFileDialog(path("a.zad"));
    commands().OnRestoreBackup();
    QCOMPARE(m_addressees.GetSize(), 1);
    QCOMPARE(comboItems(m_addresseeCombo.get()), (QStringList{"<Žádný>", "A"}));
    QCOMPARE(m_recorder->messages.size(), 1);
    QCOMPARE(m_recorder->messages.first().icon, MessageIcon::Error);
    QVERIFY(!m_recorder->messages.first().text.contains(QStringLiteral("úspěšně")));
}

QTEST_MAIN(BackupCommandsTest)
#include "BackupCommandsTest.moc"
