#include "BatchPrintDialog.h"
#include "BatchPrintJob.h"
#include "Cp1250.h"
#include "EnvelopePage.h"

#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
AddressEntryArray addressees(const QStringList &labels)
{
    AddressEntryArray entries;
    for (const QString &label : labels)
        entries.Append({*toCp1250(label + QStringLiteral(" ulice")), *toCp1250(label)});
    return entries;
}

// The text of each page of a PDF.
QStringList pdfPages(const QString &file)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), file, QStringLiteral("-")});
    process.waitForFinished();
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    pages.removeLast(); // after the last page's form feed
    return pages;
}
} // namespace

class BatchPrintTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void choosesShownAddresseesInListOrder_data();
    void choosesShownAddresseesInListOrder();
    void printsTheRangeOnePagePerEnvelope_data();
    void printsTheRangeOnePagePerEnvelope();
};

void BatchPrintTest::choosesShownAddresseesInListOrder_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QList<int>>("checked");
    QTest::newRow("all") << QString() << QList<int>{0, 1, 2, 3};
    QTest::newRow("filter ignores case") << QStringLiteral("no") << QList<int>{1, 3};
    QTest::newRow("nothing matches") << QStringLiteral("xyz") << QList<int>{};
}

void BatchPrintTest::choosesShownAddresseesInListOrder()
{
    QFETCH(QString, filter);
    QFETCH(QList<int>, checked);
    const AddressEntryArray entries = addressees({"Žofie", "Nováková", "Adam", "Brno NO"});
    BatchPrintDialog dialog(entries);
    dialog.setFilterText(filter);
    dialog.setShownChecked(true);
    std::vector<int> rows = dialog.checkedAddressees();
    QCOMPARE(QList<int>(rows.begin(), rows.end()), checked);

    dialog.setFilterText(QString());
    dialog.setShownChecked(false);
    QVERIFY(dialog.checkedAddressees().empty());
}

void BatchPrintTest::printsTheRangeOnePagePerEnvelope_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("pages");
    QTest::newRow("whole run") << 0 << 0 << QStringList{"A1", "A2", "A3", "A4"};
    QTest::newRow("resumed after a jam") << 3 << 4 << QStringList{"A3", "A4"};
    QTest::newRow("range beyond the run is cut") << 4 << 9 << QStringList{"A4"};
}

void BatchPrintTest::printsTheRangeOnePagePerEnvelope()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, pages);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("batch.pdf")));
    if (from > 0) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(from, to);
    }
    EnvelopePage page;
    page.format = EnvelopeFormat{22.0f, 11.0f, 11.0f, 5.5f, 1.0f, 1.0f, "DL"};
    page.senderText = QStringLiteral("Odesílatel");
    QPainter painter(&printer);
    const BatchPrintResult result = printBatch(
        painter, printer, 4,
        [&](int number) {
            page.addresseeText = QStringLiteral("A%1").arg(number);
            return page;
        },
        nullptr);
    QVERIFY(!result.failed);
    QCOMPARE(result.sent, int(pages.size()));
    const QStringList printed = pdfPages(printer.outputFileName());
    QCOMPARE(printed.size(), pages.size());
    for (int i = 0; i < pages.size(); ++i) {
        QVERIFY2(printed[i].contains(pages[i]), qPrintable(printed[i]));
        QVERIFY(printed[i].contains(QStringLiteral("Odesílatel")));
    }
}

QTEST_MAIN(BatchPrintTest)
#include "BatchPrintTest.moc"
