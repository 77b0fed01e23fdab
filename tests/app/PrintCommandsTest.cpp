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

// The words of each page of a PDF with their top-left corners in points.
QList<QMultiHash<QString, QPointF>> pdfWords(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    static const QRegularExpression word(
        QStringLiteral(R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"));
    QList<QMultiHash<QString, QPointF>> pages;
    for (const auto &match : word.globalMatch(QString::fromUtf8(process.readAllStandardOutput()))) {
        if (match.captured(3).isEmpty())
            pages.append(QMultiHash<QString, QPointF>());
        else
            pages.last().insert(match.captured(3),
                                {match.captured(1).toDouble(), match.captured(2).toDouble()});
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
    QTest::addColumn<QString>("word"); // on the last page
    QTest::addColumn<QPointF>("at");
    QTest::newRow("nothing chosen: one page, first format")
        << QStringList{} << 1 << QString() << QPointF();
    QTest::newRow("first format of the sorted list")
        << QStringList{"--addressee", "Novák"} << 1 << "Jan" << onPage(12, 8);
    QTest::newRow("addressees in the order given")
        << QStringList{"--format", "DL", "--addressee", "Svoboda", "--addressee", "Novák"} << 2
        << "Jan" << onPage(11, 5.5);
    QTest::newRow("all addressees in list order")
        << QStringList{"--format", "DL", "--all-addressees"} << 2 << "Petr" << onPage(11, 5.5);
    QTest::newRow("sender") << QStringList{"--format", "DL", "--sender", "Firma"} << 1 << "Firma"
                            << onPage(1, 1);
    QTest::newRow("third field with the addressee's text")
        << QStringList{"--format", "DL", "--addressee", "Novák", "--third-field"} << 1 << "Jan"
        << onPage(2, 3);
}

void PrintCommandsTest::writesOnePagePerAddressee()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, pages);
    QFETCH(QString, word);
    QFETCH(QPointF, at);
    Folder folder;
    const QString pdf = folder.current.filePath(QStringLiteral("out.pdf"));
    QCOMPARE(folder.run(QStringList{"--pdf", pdf} + arguments), 0);

    const auto words = pdfWords(pdf);
    QCOMPARE(words.size(), pages);
    if (word.isEmpty())
        return;
    const QList<QPointF> found = words.last().values(word);
    QVERIFY2(std::any_of(
                 found.cbegin(), found.cend(),
                 [at](QPointF p) { return qAbs(p.x() - at.x()) < 1 && qAbs(p.y() - at.y()) < 1; }),
             qPrintable(QStringLiteral("%1 not near %2,%3").arg(word).arg(at.x()).arg(at.y())));
}

void PrintCommandsTest::refusesWithoutWriting_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("damagedList");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("named");
    QTest::newRow("unknown format") << QStringList{"--format", "B4"} << QByteArray() << 2 << "B4";
    QTest::newRow("unknown addressee")
        << QStringList{"--addressee", "Novák", "--addressee", "Dvořák"} << QByteArray() << 2
        << "Dvořák";
    QTest::newRow("unknown printer")
        << QStringList{"--print", "--printer", "Nikde"} << QByteArray() << 2 << "Nikde";
    QTest::newRow("damaged list") << QStringList{} << QByteArray("tobrel.ar") << 1 << "tobrel.ar";
    QTest::newRow("unwritable output")
        << QStringList{"--pdf", "chybí/out.pdf"} << QByteArray() << 1 << "chybí/out.pdf";
}

void PrintCommandsTest::refusesWithoutWriting()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, damagedList);
    QFETCH(int, exitCode);
    QFETCH(QString, named);
    Folder folder;
    if (!damagedList.isEmpty()) {
        QFile list(folder.current.filePath(damagedList));
        QVERIFY(list.open(QIODevice::Append) && list.write("\x01", 1) == 1);
    }
    QFile previous(folder.current.filePath(QStringLiteral("out.pdf")));
    QVERIFY(previous.open(QIODevice::WriteOnly) && previous.write("old") == 3);
    previous.close();
    const QStringList before = QDir(folder.current.path()).entryList(QDir::Files);

    if (!arguments.contains("--pdf") && !arguments.contains("--print"))
        arguments << "--pdf"
                  << "out.pdf";
    QCOMPARE(folder.run(arguments), exitCode);
    QVERIFY2(folder.errors.contains(named), qPrintable(folder.errors));
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
