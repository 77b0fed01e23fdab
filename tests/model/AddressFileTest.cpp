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

// What the import changed and left out: "label: change", then "-label" per contact left out.
QStringList notesOf(const AddressFileImport &file)
{
    QStringList notes;
    for (const auto &[label, what] : file.changes)
        notes << fromCp1250(label) + QStringLiteral(": ") + what;
    for (const QString &label : file.withoutAddress)
        notes << u'-' + label;
    return notes;
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
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<QString>("error");
        QTest::newRow("UTF-8 with BOM, semicolons, Czech header")
            << "utf8-bom-semicolon.csv"
            << QStringList{"Nováková|Jana Nováková/Dlouhá 5/byt 12/110 00 Praha 1",
                           "Dvořák Petr|Stavby s.r.o./Petr Dvořák/Nádražní 1/602 00 Brno",
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
            << QStringList{"Petrov Ivan|Ivan Petrov/Tverská 1/Moskva",
                           "Novák Jan|Jan Novák/Lipová 2/  zadní trakt/370 01 České Budějovice"}
            << QStringList{"Petrov Ivan: znaky Петров nahrazeny nejbližšími písmeny"} << QString();
        QTest::newRow("vCard 2.1, quoted-printable, charsets")
            << "phone-21.vcf"
            << QStringList{"Jan Novák|Jan Novák/Dlouhá 12/110 00 Praha",
                           "Šeťka|Pek?rna/Šeťka/Náměstí 1/Kolín"}
            << QStringList{"Šeťka: neplatný bajt nahrazen otazníkem"} << QString();
        QTest::newRow("vCard 3.0, groups, escapes, folding")
            << "book-30.vcf"
            << QStringList{"Ing. Marie Svobodová|Úřad, odbor, Podatelna/Ing. Marie Svobodová/"
                           "Náměstí Míru 1, 2. patro/Budova B/301 00 Plzeň",
                           "Hotel U Lípy|Hotel U Lípy/Lipová 3/543 01 Vrchlabí"}
            << QStringList() << QString();
        QTest::newRow("vCard 4.0") << "contacts-40.vcf"
                                   << QStringList{"Tomáš Beneš|Tomáš Beneš/Polní 4/280 02 Kolín"}
                                   << QStringList() << QString();
        QTest::newRow("Google Contacts: the home address, titles, names twice, no address")
            << "google.csv"
            << QStringList{"Novotný Karel|Stavby Brno s.r.o./Ing. Karel Novotný, Ph.D./"
                           "Nádražní 1183/4/702 00 Brno",
                           "Svoboda Petr|Petr Svoboda/Polní 4/280 02 Kolín",
                           "Svoboda Petr (2)|Petr Svoboda/Lesní 9/266 01 Beroun",
                           "Smith John|John Smith/12 Main Street/Springfield, IL 62701/USA"}
            << QStringList{"Svoboda Petr (2): stejné označení už v souboru bylo", "-Malá Eva"}
            << QString();
        QTest::newRow("Outlook in English: home street lines, Slovak region left out")
            << "outlook-en.csv"
            << QStringList{"Veselá Jana|Poliklinika Tábor/MUDr. Jana Veselá/Lipová 7/byt 4/"
                           "391 01 Sezimovo Ústí",
                           "Kováčová Anna|Anna Kováčová/Hlavná 10/040 01 Košice/Slovakia"}
            << QStringList() << QString();
        QTest::newRow("Outlook in Czech, code page 1250")
            << "outlook-cs.csv"
            << QStringList{"Beneš Tomáš|Úřad městské části/Mgr. Tomáš Beneš, MBA/"
                           "Náměstí Míru 1/301 00 Plzeň"}
            << QStringList() << QString();
        QTest::newRow("Thunderbird: the work address when there is no other")
            << "thunderbird.csv"
            << QStringList{"Dvořák Jiří|Elektro Dvořák a.s./Jiří Dvořák/Průmyslová 1187/hala C/"
                           "530 03 Pardubice"}
            << QStringList() << QString();
        QTest::newRow("Czech sheet: house numbers, parts of towns")
            << "sheet-cs.csv"
            << QStringList{"Novotný Karel|Ing. Karel Novotný, Ph.D./Nádražní 1183/4/702 00 Brno",
                           "Malá Marie|Marie Malá/Lhota 15/250 01 Dolní Lhota",
                           "Pekárna Novák s.r.o.|Pekárna Novák s.r.o./Husova 12/Staré Město/"
                           "110 00 Praha"}
            << QStringList() << QString();
        QTest::newRow("UTF-16 with a byte order mark")
            << "excel-unicode.csv"
            << QStringList{"Řeháková Žofie|Žofie Řeháková/Krátká 2/370 01 České Budějovice"}
            << QStringList() << QString();
        QTest::newRow("one invalid UTF-8 byte, control characters")
            << "one-bad-byte.csv"
            << QStringList{"Šťastný|Jan Šťastn?/Úzká 7/261 01 Příbram",
                           "Říha|Ondřej Říha/Dlouhá 1/110 00 Praha"}
            << QStringList{"Šťastný: neplatný bajt nahrazen otazníkem"} << QString();
        QTest::newRow("iPhone: the preferred home address, a letter code page 1250 lacks")
            << "iphone.vcf"
            << QStringList{"Karel Novotný|Stavby Brno s.r.o./Ing. Karel Novotný, Ph.D./"
                           "Nádražní 1183/4/702 00 Brno",
                           "Jogi Tamm|Jogi Tamm/Pikk 5/10123 Tallinn/Estonsko"}
            << QStringList{"Jogi Tamm: znaky õ nahrazeny nejbližšími písmeny"} << QString();
        QTest::newRow("Android: base64 home address, a contact with a phone only")
            << "android.vcf"
            << QStringList{"MUDr. Jana Veselá|MUDr. Jana Veselá/Lipová 7/390 01 Tábor"}
            << QStringList{"-Eva"} << QString();
        QTest::newRow("Thunderbird vCard 4.0: a label with carets")
            << "thunderbird-40.vcf"
            << QStringList{"Hana Králová|Hana Králová/Na Příkopě 3/byt \"B\"/110 00 Praha 1"}
            << QStringList() << QString();
        QTest::newRow("no column a header word names")
            << "unknown-columns.csv" << QStringList() << QStringList()
            << "žádný sloupec neobsahuje adresu (sloupce: Kdo, Bydliště, Pošta).";
        QTest::newRow("unclosed quote") << "unclosed-quote.csv" << QStringList() << QStringList()
                                        << "uvozovky otevřené na řádku 2 nejsou uzavřeny.";
        QTest::newRow("text after a quote")
            << "text-after-quote.csv" << QStringList() << QStringList()
            << "za uzavírací uvozovkou na řádku 2 následuje další text.";
        QTest::newRow("header only") << "header-only.csv" << QStringList() << QStringList()
                                     << "neobsahuje žádnou adresu.";
        QTest::newRow("card without end") << "no-end.vcf" << QStringList() << QStringList()
                                          << "vizitka začínající na řádku 1 nemá konec";
        QTest::newRow("unknown charset") << "unknown-charset.vcf" << QStringList() << QStringList()
                                         << "neznámá znaková sada „X-NONE“.";
        QTest::newRow("missing file")
            << "none.csv" << QStringList() << QStringList() << "neexistuje.";
        QTest::newRow("other extension")
            << "adresy-small.ar" << QStringList() << QStringList() << "nemá příponu .csv ani .vcf";
    }

    void importsSampleFiles()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, notes);
        QFETCH(QString, error);
        const AddressFileImport result =
            readAddressFile(QStringLiteral(TOBREL_TEST_DATA "/import/") + file);
        QCOMPARE(entriesOf(result.entries), entries);
        QCOMPARE(notesOf(result), notes);
        QCOMPARE(result.error.isEmpty(), error.isEmpty());
        QVERIFY2(result.error.contains(error), qPrintable(result.error));
    }

    void exportReadsBackTheSame_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("structured");
        QTest::newRow("CSV") << "adresy.csv"
                             << QByteArray("\xEF\xBB\xBFOznačení;Titul před;Jméno;Příjmení;Titul za;"
                                           "Firma;Ulice;PSČ;Obec;Země;Adresa\r\n")
                             + "Novotný;Ing.;Karel;Novotný;Ph.D.;Stavby s.r.o.;Nádražní 1183/4;"
                               "702 00;Brno;;\"Stavby s.r.o.\r\nIng. Karel Novotný, Ph.D.\r\n"
                               "Nádražní 1183/4\r\n702 00 Brno\"\r\n";
        QTest::newRow("vCard") << "adresy.VCF"
                               << QByteArray("FN:Novotný\r\nN:Novotný;Karel;;Ing.;Ph.D.\r\n"
                                             "ORG:Stavby s.r.o.\r\nADR:;;Nádražní 1183/4;Brno;;"
                                             "702 00;\r\nLABEL:Stavby s.r.o.\\nIng. Karel Novotný"
                                             "\\, Ph.D.\\n");
    }

    void exportReadsBackTheSame()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, structured);
        AddressEntryArray list;
        for (const auto &[label, text] : std::initializer_list<std::pair<const char *, const char *>>{
                 {"Novotný", "Stavby s.r.o.\r\nIng. Karel Novotný, Ph.D.\r\nNádražní 1183/4\r\n"
                             "702 00 Brno"},
                 {"Firma; \"Jih\", s.r.o.", "Husova 3\r\n\r\n  390 01 Tábor\\"},
                 {"Bez textu", ""},
                 {"Dlouhé označení, které se ve vizitce musí zalomit, až za hranicí pětasedmdesáti "
                  "bajtů: žluťoučký kůň úpěl ďábelské ódy",
                  "Řádek\r\nŘádek"}})
            list.Append(address(label, text));
        // More than one part of the file is written at a time.
        std::vector<AddressEntry> expected{list.GetAt(0), list.GetAt(1), list.GetAt(3)};
        for (int i = 0; i < 2500; ++i) {
            const std::string n = std::to_string(i);
            list.Append(address(("Adresát " + n).c_str(), ("Ulice " + n + "\r\n110 00 Praha").c_str()));
            expected.push_back(list.GetAt(list.GetSize() - 1));
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(fileName);
        QCOMPARE(writeAddressFile(path, list), QString());
        QVERIFY(readFile(path).contains(structured));
        QCOMPARE(readFile(path).count("\xEF\xBB\xBF"), qsizetype(fileName.endsWith(u"csv")));

        // Byte for byte, but a text without any address is no contact to import.
        const AddressFileImport back = readAddressFile(path);
        QCOMPARE(back.error, QString());
        QCOMPARE(entriesOf(back.entries), entriesOf(expected));
        QCOMPARE(notesOf(back), QStringList{"-Bez textu"});
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
        for (const char *formula : {"=SUM(A1)", "+420 777", "-1", "@kontakt", "'=x"})
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
