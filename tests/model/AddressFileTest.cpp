#include "AddressFile.h"
#include "Cp1250.h"
#include "FileBytes.h"
#include "Texts.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// Each address as "label|text", lines of the text joined with "/".
QStringList entriesOf(const std::vector<AddressEntry> &entries)
{
    QStringList texts;
    for (const AddressEntry &entry : entries)
        texts << fromCp1250(entry.label) + u'|' +
                     fromStoredText(entry.text).replace(u'\n', u'/');
    return texts;
}

} // namespace

class AddressFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void importsSampleFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("unstorable");
        QTest::addColumn<QString>("error");
        QTest::newRow("UTF-8 with BOM, semicolons, Czech header")
            << "utf8-bom-semicolon.csv"
            << QStringList{"Nováková|Jana Nováková/Dlouhá 5/byt 12/110 00 Praha 1",
                           "Dvořák Petr|Stavby s.r.o./Petr Dvořák/Nádražní 1/602 00 Brno/"
                           "Česká republika",
                           "Sklárna a.s.|Sklárna a.s./543 71 Hostinné"}
            << QStringList() << QString();
        QTest::newRow("UTF-8, commas, English header")
            << "utf8-comma.csv"
            << QStringList{"Šéf|Firma \"Jih\"/Karel Černý, ml./Husova 3/390 01 Tábor",
                           "Malá Eva|Eva Malá/Krátká 1/Dvůr/397 01 Písek"}
            << QStringList() << QString();
        QTest::newRow("code page 1250, tabs, no header")
            << "cp1250-tab.csv"
            << QStringList{"Žluťoučký kůň|Pan Kůň/Úzká 7/Příbram/261 01",
                           "Štěpán|Štěpán Řehoř/Hradec Králové"}
            << QStringList() << QString();
        QTest::newRow("address column, a name outside code page 1250")
            << "address-column.csv"
            << QStringList{"Novák Jan|Jan Novák/Lipová 2/  zadní trakt/370 01 České Budějovice"}
            << QStringList{"Петров Ivan (Петров)"} << QString();
        QTest::newRow("vCard 2.1, quoted-printable, charsets")
            << "phone-21.vcf"
            << QStringList{"Jan Novák|Jan Novák/Dlouhá 12/110 00 Praha/Česká republika",
                           "Šeťka|Pekárna/Šeťka/Náměstí 1/Kolín"}
            << QStringList() << QString();
        QTest::newRow("vCard 3.0, groups, escapes, folding")
            << "book-30.vcf"
            << QStringList{"Ing. Marie Svobodová|Úřad, odbor, Podatelna/Marie Svobodová/"
                           "Náměstí Míru 1, 2. patro/Budova B/301 00 Plzeň",
                           "Hotel U Lípy|Hotel U Lípy/Lipová 3/543 01 Vrchlabí"}
            << QStringList() << QString();
        QTest::newRow("vCard 4.0") << "contacts-40.vcf"
                                   << QStringList{"Tomáš Beneš|Tomáš Beneš/Polní 4/280 02 Kolín/Česko"}
                                   << QStringList() << QString();
        QTest::newRow("unclosed quote") << "unclosed-quote.csv" << QStringList() << QStringList()
                                        << "uvozovky otevřené na řádku 2 nejsou uzavřeny.";
        QTest::newRow("text after a quote")
            << "text-after-quote.csv" << QStringList() << QStringList()
            << "za uzavírací uvozovkou na řádku 2 následuje další text.";
        QTest::newRow("header only") << "header-only.csv" << QStringList() << QStringList()
                                     << "neobsahuje žádnou adresu.";
        QTest::newRow("card without end") << "no-end.vcf" << QStringList() << QStringList()
                                          << "vizitka začínající na řádku 1 nemá konec";
        QTest::newRow("unknown charset") << "unknown-charset.vcf" << QStringList()
                                         << QStringList() << "neznámá znaková sada „X-NONE“.";
        QTest::newRow("missing file") << "none.csv" << QStringList() << QStringList()
                                      << "se nepodařilo otevřít.";
        QTest::newRow("other extension") << "adresy-small.ar" << QStringList() << QStringList()
                                         << "nemá příponu .csv ani .vcf";
    }

    void importsSampleFiles()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, unstorable);
        QFETCH(QString, error);
        const AddressFileImport result =
            readAddressFile(QStringLiteral(TOBREL_TEST_DATA "/import/") + file);
        QCOMPARE(entriesOf(result.entries), entries);
        QCOMPARE(result.unstorable, unstorable);
        QCOMPARE(result.error.isEmpty(), error.isEmpty());
        QVERIFY2(result.error.contains(error), qPrintable(result.error));
    }

    void exportReadsBackTheSame_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("CSV") << "adresy.csv";
        QTest::newRow("vCard") << "adresy.VCF";
    }

    void exportReadsBackTheSame()
    {
        QFETCH(QString, fileName);
        AddressEntryArray list;
        for (const auto &[label, text] : std::initializer_list<std::pair<const char *, const char *>>{
                 {"Firma; \"Jih\", s.r.o.", "Husova 3\r\n\r\n  390 01 Tábor\\"},
                 {"Bez textu", ""},
                 {"Dlouhé označení, které se ve vizitce musí zalomit, až za hranicí pětasedmdesáti "
                  "bajtů: žluťoučký kůň úpěl ďábelské ódy",
                  "Řádek\r\nŘádek"}})
            list.Append(address(label, text));
        QTemporaryDir dir;
        const QString path = dir.filePath(fileName);
        QCOMPARE(writeAddressFile(path, list), QString());

        const AddressFileImport back = readAddressFile(path);
        QCOMPARE(back.error, QString());
        QCOMPARE(entriesOf(back.entries),
                 entriesOf({list.GetAt(0), list.GetAt(1), list.GetAt(2)}));
    }

    // What other programs read, not only what our own reader accepts.
    void exportBytes_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("label");
        QTest::addColumn<QByteArray>("written"); // a vCard unfolded
        QTest::newRow("CSV quotes a semicolon")
            << "a.csv" << QByteArray("Novák; Praha") << QByteArray("\r\n\"Novák; Praha\";");
        QTest::newRow("vCard escapes a backslash")
            << "a.vcf" << QByteArray("C:\\novy") << QByteArray("\r\nFN:C:\\\\novy\r\n");
        // Two-byte letters from the 5th byte on: a fold after 75 bytes would split one.
        const QByteArray label = "a" + QByteArray("ž").repeated(40);
        QTest::newRow("vCard folds between characters")
            << "a.vcf" << label << "\r\nFN:" + label + "\r\n";
        // A spreadsheet shows a field behind an apostrophe as text, never as a formula.
        for (const char *formula : {"=SUM(A1)", "+420 777", "-1", "@kontakt", "\tx", "'=x"})
            QTest::addRow("CSV keeps %s text", formula)
                << "a.csv" << QByteArray(formula) << "\r\n'" + QByteArray(formula) + ';';
        QTest::newRow("CSV keeps an apostrophe") << "a.csv" << QByteArray("'ahoj")
                                                 << QByteArray("\r\n'ahoj;");
    }

    void exportBytes()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, label);
        QFETCH(QByteArray, written);
        AddressEntryArray list;
        list.Append(address(label.constData(), "x"));
        QTemporaryDir dir;
        const QString path = dir.filePath(fileName);
        QCOMPARE(writeAddressFile(path, list), QString());
        QByteArray bytes = readFile(path);
        if (fileName.endsWith(".vcf")) {
            // Lines of at most 75 bytes, folded between characters (RFC 6350, 3.2).
            for (const QByteArray &line : bytes.split('\n')) {
                QVERIFY2(line.size() <= 76, line.constData());
                QVERIFY2(line.isValidUtf8(), line.toHex(' ').constData());
            }
            bytes.replace("\r\n ", "");
        }
        QVERIFY2(bytes.contains(written), bytes.constData());
        QCOMPARE(entriesOf(readAddressFile(path).entries), entriesOf({list.GetAt(0)}));
    }
};

QTEST_GUILESS_MAIN(AddressFileTest)
#include "AddressFileTest.moc"
