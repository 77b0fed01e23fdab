#include "ProfileFile.h"
#include "ScopedDirectories.h"
#include "StoreFiles.h"
#include "Texts.h"
#include "ThirdFieldSettings.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>

namespace {

// A folder with two formats, a sender and two addressees (stored out of their sorted order),
// and the third field at (2, 3) cm following the addressee.
struct Folder
{
    Folder()
    {
        EnvelopeFormatArray formats;
        formats.Append(envelope("DL", 22.9f, 11.4f, 1, 1, 11, 5.5f));
        formats.Append(envelope("C5", 22.9f, 16.2f, 2, 2, 12, 8));
        AddressEntryArray senders, addressees;
        senders.Append(address("Firma", "Firma s.r.o.\r\nDlouhá 1\r\nPraha"));
        addressees.Append(address("Svoboda", "Petr Svoboda\r\nNová 7\r\nPlzeň"));
        addressees.Append(address("Novák", "Jan Novák\r\nKrátká 5\r\nBrno"));
        saveEnvelopeStore(current.filePath(kEnvelopeStoreName), formats);
        saveAddressStore(current.filePath(kAddressStoreName), senders, addressees);
        ThirdFieldValues field;
        InitDefaultLogFont(field.font);
        field.left = 2;
        field.top = 3;
        field.width = 8;
        field.height = 4;
        writeThirdFieldSettings(field);
    }

    // Runs tobrel here; its exit code.
    int run(const QStringList &arguments)
    {
        QProcess process;
        // Where Qt would complain that it has no runtime folder.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(current.path());
        process.start(QStringLiteral(TOBREL_EXECUTABLE), arguments);
        if (!process.waitForFinished(60000))
            return -1;
        errors = QString::fromUtf8(process.readAllStandardError());
        return process.exitCode();
    }

    ScopedCurrentDirectory current;
    ScopedConfigHome config;
    QString errors;
};

// The pages of a PDF, in points: each one's far corner and its words' top-left corners.
struct PdfPage
{
    QPointF size;
    QMultiHash<QString, QPointF> words;
};

QList<PdfPage> pdfPages(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    static const QRegularExpression item(QStringLiteral(
        R"re(<(page width|word xMin)="([\d.]+)" (?:height|yMin)="([\d.]+)"[^>]*>([^<]*))re"));
    QList<PdfPage> pages;
    for (const auto &match : item.globalMatch(QString::fromUtf8(process.readAllStandardOutput()))) {
        const QPointF numbers(match.captured(2).toDouble(), match.captured(3).toDouble());
        if (match.captured(1) == u"page width")
            pages.append({numbers, {}});
        else
            pages.last().words.insert(match.captured(4), numbers);
    }
    return pages;
}

// A position on the envelope in points of the page, which is the envelope itself.
QPointF onPage(double leftCm, double topCm)
{
    return {leftCm * 72 / 2.54, topCm * 72 / 2.54};
}

} // namespace

class PrintCommandsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }
    void writesOnePagePerAddressee_data();
    void writesOnePagePerAddressee();
    void refusesWithoutWriting_data();
    void refusesWithoutWriting();
    void warnsOfCutText_data();
    void warnsOfCutText();
};

void PrintCommandsTest::writesOnePagePerAddressee_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QPointF>("size"); // of the last page: its far corner
    QTest::addColumn<QString>("word"); // on the last page; none: a blank page
    QTest::addColumn<QPointF>("at");
    const QPointF c5 = onPage(22.9, 16.2), dl = onPage(22.9, 11.4);
    QTest::newRow("nothing chosen: one page, first format")
        << QStringList{} << 1 << c5 << QString() << QPointF();
    QTest::newRow("first format of the sorted list")
        << QStringList{"--addressee", "Novák"} << 1 << c5 << "Jan" << onPage(12, 8);
    QTest::newRow("addressees in the order given")
        << QStringList{"--format", "DL", "--addressee", "Svoboda", "--addressee", "Novák"} << 2
        << dl << "Jan" << onPage(11, 5.5);
    QTest::newRow("labels in another case")
        << QStringList{"--format", "dl", "--addressee", "NOVÁK"} << 1 << dl << "Jan"
        << onPage(11, 5.5);
    QTest::newRow("all addressees in list order")
        << QStringList{"--format", "DL", "--all-addressees"} << 2 << dl << "Petr"
        << onPage(11, 5.5);
    QTest::newRow("sender") << QStringList{"--format", "DL", "--sender", "Firma"} << 1 << dl
                            << "Firma" << onPage(1, 1);
    QTest::newRow("third field with the addressee's text")
        << QStringList{"--format", "DL", "--addressee", "Novák", "--third-field"} << 1 << dl
        << "Jan" << onPage(2, 3);
}

void PrintCommandsTest::writesOnePagePerAddressee()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, pages);
    QFETCH(QPointF, size);
    QFETCH(QString, word);
    QFETCH(QPointF, at);
    Folder folder;
    const QString pdf = folder.current.filePath(QStringLiteral("out.pdf"));
    QCOMPARE(folder.run(QStringList{"--pdf", pdf} + arguments), 0);

    const QList<PdfPage> read = pdfPages(pdf);
    QCOMPARE(read.size(), pages);
    const PdfPage &last = read.last();
    // The envelope, or the standard size within 0.5 mm of it.
    const QPointF off = last.size - size;
    QVERIFY2(qAbs(off.x()) < 1.5 && qAbs(off.y()) < 1.5,
             qPrintable(QStringLiteral("%1 x %2").arg(last.size.x()).arg(last.size.y())));
    if (word.isEmpty()) {
        QVERIFY2(last.words.isEmpty(), qPrintable(last.words.keys().join(u' ')));
        return;
    }
    const QList<QPointF> found = last.words.values(word);
    QVERIFY2(std::any_of(
                 found.cbegin(), found.cend(),
                 [at](QPointF p) { return qAbs(p.x() - at.x()) < 1 && qAbs(p.y() - at.y()) < 1; }),
             qPrintable(QStringLiteral("%1 not near %2,%3").arg(word).arg(at.x()).arg(at.y())));
}

void PrintCommandsTest::refusesWithoutWriting_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("change"); // done to the folder first
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said"); // the whole of standard error
    QTest::newRow("unknown format")
        << QStringList{"--format", "B4"} << QString() << 2
        << "Formát obálky „B4“ v seznamu není. Seznam obsahuje: C5, DL.\n";
    QTest::newRow("unknown addressee")
        << QStringList{"--addressee", "Novák", "--addressee", "Dvořák"} << QString() << 2
        << "Adresát „Dvořák“ v seznamu není. Seznam obsahuje: Novák, Svoboda.\n";
    QTest::newRow("unknown printer") << QStringList{"--print", "--printer", "Nikde"} << QString()
                                     << 2 << "Tiskárna „Nikde“ neexistuje.\n";
    QTest::newRow("damaged list") << QStringList{} << "damage tobrel.ar" << 1
                                  << "Soubor „tobrel.ar“ nelze celý přečíst, nic se netiskne.\n";
    QTest::newRow("damaged addresses") << QStringList{"--all-addressees"} << "damage adresy.ar" << 1
                                       << "Soubor „adresy.ar“ nelze celý přečíst, nic se netiskne.\n";
    QTest::newRow("no formats") << QStringList{"--all-addressees"} << "remove tobrel.ar" << 2
                                << "není žádný formát obálky";
    QTest::newRow("unwritable output")
        << QStringList{"--pdf", "chybí/out.pdf"} << QString() << 1
        << "Soubor „chybí/out.pdf“ nelze zapsat: Složka neexistuje.\n";
    QTest::newRow("option without its value")
        << QStringList{"--format", "DL", "--pdf"} << QString() << 2
        << "Chybný příkazový řádek: Chybějící hodnota po '--pdf'.\n";
}

void PrintCommandsTest::refusesWithoutWriting()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, change);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    Folder folder;
    QFile list(folder.current.filePath(change.section(u' ', 1)));
    if (change.startsWith(u"damage"))
        QVERIFY(list.open(QIODevice::Append) && list.write("\x01", 1) == 1);
    if (change.startsWith(u"remove"))
        QVERIFY(list.remove());
    list.close();
    QFile previous(folder.current.filePath(QStringLiteral("out.pdf")));
    QVERIFY(previous.open(QIODevice::WriteOnly) && previous.write("old") == 3);
    previous.close();
    const QStringList before = QDir(folder.current.path()).entryList(QDir::Files);

    if (!arguments.contains("--pdf") && !arguments.contains("--print"))
        arguments << "--pdf"
                  << "out.pdf";
    QCOMPARE(folder.run(arguments), exitCode);
    // One line, ours: nothing of Qt's in English, no complaint about the environment.
    QVERIFY2(said.endsWith(u'\n') ? folder.errors == said
                                  : folder.errors.contains(said) && folder.errors.count(u'\n') == 1,
             qPrintable(folder.errors));
    QCOMPARE(QDir(folder.current.path()).entryList(QDir::Files), before);
    QVERIFY(previous.open(QIODevice::ReadOnly));
    QCOMPARE(previous.readAll(), QByteArray("old"));
}

void PrintCommandsTest::warnsOfCutText_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("warning"); // empty: none
    const QString cut = QStringLiteral("Varování: obálka 2 – adresát: řádek 2 „%1“ se nevejde")
                            .arg(QString(40, u'W'));
    QTest::newRow("cut line: said, printed")
        << QStringList{"--addressee", "Novák", "--addressee", "Dlouhý"} << 0 << cut;
    QTest::newRow("--strict: nothing printed")
        << QStringList{"--addressee", "Novák", "--addressee", "Dlouhý", "--strict"} << 3 << cut;
    QTest::newRow("--strict, everything fits")
        << QStringList{"--addressee", "Novák", "--strict"} << 0 << QString();
}

void PrintCommandsTest::warnsOfCutText()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, warning);
    Folder folder;
    AddressEntryArray senders, addressees;
    addressees.Append(address("Novák", "Jan Novák\r\nKrátká 5\r\nBrno"));
    addressees.Append(address("Dlouhý", ("Jan Dlouhý\r\n" + QByteArray(40, 'W')).constData()));
    QVERIFY(saveAddressStore(folder.current.filePath(kAddressStoreName), senders, addressees));

    const QString pdf = folder.current.filePath(QStringLiteral("out.pdf"));
    QCOMPARE(folder.run(QStringList{"--format", "DL", "--pdf", pdf} + arguments), exitCode);
    QCOMPARE(folder.errors.contains(QStringLiteral("Varování")), !warning.isEmpty());
    QVERIFY2(folder.errors.contains(warning), qPrintable(folder.errors));
    QCOMPARE(QFile::exists(pdf), exitCode == 0);
}

QTEST_GUILESS_MAIN(PrintCommandsTest)
#include "PrintCommandsTest.moc"
