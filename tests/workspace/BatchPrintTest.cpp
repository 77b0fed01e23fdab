#include "BatchPrintDialog.h"
#include "BatchPrintJob.h"
#include "Cp1250.h"
#include "EnvelopePage.h"
#include "RecordListModel.h"

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
AddressEntryArray addressees(const QStringList &labels)
{
    AddressEntryArray entries;
    for (const QString &label : labels)
        entries.Append({*toCp1250(label + QStringLiteral("\r\nulice")), *toCp1250(label)});
    return entries;
}

// The window's lists, stored out of their sorted order.
struct Lists
{
    Lists()
    {
        envelopes.Append({22.0f, 11.0f, 11.0f, 5.5f, 1.0f, 1.0f, "DL"});
        envelopes.Append({22.9f, 16.2f, 11.0f, 8.0f, 1.0f, 1.0f, "C5"});
        for (AddressListModel *list : {&addresseeList, &senderList})
            list->reload();
        envelopeList.reload();
    }

    AddressEntryArray entries = addressees({"Žofie", "Nováková", "Adam", "Brno NO"});
    AddressEntryArray senders = addressees({"Firma", "Doma"});
    EnvelopeFormatArray envelopes;
    AddressListModel addresseeList{entries};
    AddressListModel senderList{senders, QStringLiteral("<Žádný>")};
    EnvelopeListModel envelopeList{envelopes};
};

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
    void showsFormatAndSenderFirst_data();
    void showsFormatAndSenderFirst();
    void printsTheRangeOnePagePerEnvelope_data();
    void printsTheRangeOnePagePerEnvelope();
};

void BatchPrintTest::choosesShownAddresseesInListOrder_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QList<int>>("checked");
    QTest::newRow("all, in the window's order") << QString() << QList<int>{2, 3, 1, 0};
    QTest::newRow("filter ignores case") << QStringLiteral("no") << QList<int>{3, 1};
    QTest::newRow("and diacritics") << QStringLiteral("NOVAKOVA") << QList<int>{1};
    QTest::newRow("both ways") << QStringLiteral("žofíe") << QList<int>{0};
    QTest::newRow("the text too") << QStringLiteral("Ulice") << QList<int>{2, 3, 1, 0};
    QTest::newRow("nothing matches") << QStringLiteral("xyz") << QList<int>{};
    QTest::newRow("nothing stored can match") << QStringLiteral("Жофие") << QList<int>{};
}

void BatchPrintTest::choosesShownAddresseesInListOrder()
{
    QFETCH(QString, filter);
    QFETCH(QList<int>, checked);
    Lists lists;
    BatchPrintDialog dialog(lists.entries, lists.addresseeList, lists.envelopeList, 0,
                            lists.senderList, 0);
    dialog.setFilterText(filter);
    dialog.setShownChecked(true);
    std::vector<int> rows = dialog.checkedAddressees();
    QCOMPARE(QList<int>(rows.begin(), rows.end()), checked);

    dialog.setFilterText(QString());
    dialog.setShownChecked(false);
    QVERIFY(dialog.checkedAddressees().empty());
}

void BatchPrintTest::showsFormatAndSenderFirst_data()
{
    QTest::addColumn<int>("envelopeRow");
    QTest::addColumn<QString>("envelope");
    QTest::newRow("the window's format") << 1 << "DL";
    QTest::newRow("none chosen") << -1 << "";
}

void BatchPrintTest::showsFormatAndSenderFirst()
{
    QFETCH(int, envelopeRow);
    QFETCH(QString, envelope);
    Lists lists;
    BatchPrintDialog dialog(lists.entries, lists.addresseeList, lists.envelopeList, envelopeRow,
                            lists.senderList, 2);
    dialog.setShownChecked(true);
    auto *envelopes = dialog.findChild<QComboBox *>(QStringLiteral("envelope"));
    QCOMPARE(envelopes->currentText(), envelope);
    QCOMPARE(dialog.findChild<QComboBox *>(QStringLiteral("sender"))->currentText(), "Firma");
    // Without a format, that is said before anything else, and nothing can be printed.
    auto *notice = dialog.findChild<QLabel *>(QStringLiteral("noEnvelope"));
    QCOMPARE(dialog.layout()->itemAt(0)->widget(), notice);
    QCOMPARE(notice->isHidden(), envelopeRow >= 0);
    auto *print = dialog.findChild<QPushButton *>(QStringLiteral("print"));
    QCOMPARE(print->isEnabled(), envelopeRow >= 0);

    envelopes->setCurrentIndex(0);
    QVERIFY(notice->isHidden());
    QVERIFY(print->isEnabled());
    QCOMPARE(dialog.envelopeRow(), 0);
    QCOMPARE(dialog.senderRow(), 2);
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
