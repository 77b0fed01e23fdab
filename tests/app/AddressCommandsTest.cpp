#include "AddressFile.h"
#include "Cp1250.h"
#include "FileBytes.h"
#include "StoreFiles.h"

#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList labelsOf(const AddressEntryArray &list)
{
    QStringList labels;
    for (int i = 0; i < list.GetSize(); ++i)
        labels << fromCp1250(list.ElementAt(i).label);
    return labels;
}

} // namespace

// tobrel --import and --export as a user runs them in a folder with lists, without a display.
class AddressCommandsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandLine_data()
    {
        const QString samples = QStringLiteral(TOBREL_TEST_DATA "/import/");
        const QStringList addressees{"Pan Ščasný"};
        const QStringList senders{"Doma", "Firma"};
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("addresseesAfter");
        QTest::addColumn<QStringList>("sendersAfter");
        QTest::addColumn<QString>("said");
        QTest::newRow("import CSV") << QStringList{"--import", samples + "utf8-comma.csv"} << false
                                    << 0 << addressees + QStringList{"Šéf", "Malá Eva"} << senders
                                    << "Adresáti byli importováni.\n\nPřidáno 2, již v seznamu 0, "
                                       "bez adresy 0, upraveno 0\n";
        QTest::newRow("import vCard into senders")
            << QStringList{"--import", samples + "phone-21.vcf", "--senders"} << false << 0
            << addressees << senders + QStringList{"Jan Novák", "Šeťka"} << "Přidáno 2,";
        QTest::newRow("labels present are skipped")
            << QStringList{"--import", "znovu.csv"} << false << 0 << addressees + QStringList{"Nový"}
            << senders << "Tito adresáti již v seznamu byli a nebyli přidáni:\nPan Ščasný\n";
        QTest::newRow("nothing new")
            << QStringList{"--import", "stejne.csv"} << false << 0 << addressees << senders
            << "Nic nového: všichni adresáti ze souboru už v seznamu jsou.\n\nPřidáno 0, již v "
               "seznamu 1,";
        QTest::newRow("columns no header names")
            << QStringList{"--import", samples + "unknown-columns.csv"} << false << 2 << addressees
            << senders << "(sloupce: Kdo, Bydliště, Pošta).\nNic nebylo změněno.\nŘekněte";
        QTest::newRow("columns named on the command line")
            << QStringList{"--import", samples + "unknown-columns.csv", "--columns",
                           "Jméno,ulice,ADRESA"}
            << false << 0 << addressees + QStringList{"Jan Novák"} << senders << "Přidáno 1,";
        QTest::newRow("a column name unknown")
            << QStringList{"--import", samples + "unknown-columns.csv", "--columns", "Jméno,Kde"}
            << false << 2 << addressees << senders << "--columns SLOUPCE";
        QTest::newRow("export") << QStringList{"--export", "odesilatele.vcf", "--senders"} << false
                                << 0 << addressees << senders << "adres: 2.";
        QTest::newRow("export while locked") << QStringList{"--export", "adresati.csv"} << true << 0
                                             << addressees << senders << "adres: 1.";
        QTest::newRow("import while locked")
            << QStringList{"--import", samples + "utf8-comma.csv"} << true << 1 << addressees
            << senders << "je otevřená v jiném okně";
        QTest::newRow("malformed file")
            << QStringList{"--import", samples + "unclosed-quote.csv"} << false << 1 << addressees
            << senders << "Nic nebylo změněno.";
        QTest::newRow("unknown extension") << QStringList{"--export", "adresy.txt"} << false << 2
                                           << addressees << senders << "nemá příponu";
        QTest::newRow("no file") << QStringList{"--import"} << false << 2 << addressees << senders
                                 << "Chybějící hodnota po '--import'.\nPoužití:";
        QTest::newRow("missing file") << QStringList{"--import", "chybí.csv"} << false << 1
                                      << addressees << senders << "„chybí.csv“ neexistuje.";
        QTest::newRow("missing folder") << QStringList{"--export", "chybí/a.csv"} << false << 1
                                        << addressees << senders << ": Složka neexistuje.";
        QTest::newRow("both commands") << QStringList{"--import", "a.csv", "--export", "b.csv"}
                                       << false << 2 << addressees << senders << "Použití:";
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, locked);
        QFETCH(int, exitCode);
        QFETCH(QStringList, addresseesAfter);
        QFETCH(QStringList, sendersAfter);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QString store = dir.filePath(QStringLiteral("adresy.ar"));
        const QByteArray storeBefore = readFile(QStringLiteral(TOBREL_TEST_DATA "/adresy-small.ar"));
        QVERIFY(writeFile(store, storeBefore));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("znovu.csv")),
                          "Označení;Adresa\r\nPan Ščasný;x\r\nNový;y\r\n"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("stejne.csv")),
                          "Označení;Adresa\r\nPan Ščasný;x\r\n"));
        QLockFile lock(dir.filePath(QStringLiteral(".tobrel.lock")));
        QVERIFY(!locked || lock.tryLock(0));

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(display));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(TOBREL_EXECUTABLE), arguments);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), exitCode);
        const QString output = QString::fromLocal8Bit(
            exitCode == 0 ? process.readAllStandardOutput() : process.readAllStandardError());
        QVERIFY2(output.contains(said), qPrintable(output));

        AddressEntryArray senders, addressees;
        QCOMPARE(loadAddressStore(store, senders, addressees).state, LoadReport::State::Whole);
        QCOMPARE(labelsOf(addressees), addresseesAfter);
        QCOMPARE(labelsOf(senders), sendersAfter);
        if (exitCode != 0)
            QCOMPARE(readFile(store), storeBefore);
        if (exitCode == 0 && arguments.front() == u"--export") {
            const AddressFileImport exported = readAddressFile(dir.filePath(arguments[1]));
            AddressEntryArray readBack;
            for (const AddressEntry &entry : exported.entries)
                readBack.Append(entry);
            QCOMPARE(labelsOf(readBack), labelsOf(arguments.contains(u"--senders") ? senders
                                                                                 : addressees));
        }
    }
};

QTEST_GUILESS_MAIN(AddressCommandsTest)
#include "AddressCommandsTest.moc"
