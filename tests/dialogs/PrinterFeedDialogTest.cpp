#include "PrinterFeedDialog.h"
#include "DialogStubs.h"
#include "DialogTestSupport.h"
#include "ScopedDirectories.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QPrinter>

class PrinterFeedDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void settingsWrittenOnOk_data();
    void settingsWrittenOnOk();
    void pageSetupKeptPerPrinter_data();
    void pageSetupKeptPerPrinter();
};

void PrinterFeedDialogTest::settingsWrittenOnOk_data()
{
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("keepPageSetup");

    QTest::newRow("OK, page setup kept") << true << true;
    QTest::newRow("OK, page setup dropped") << true << false;
    QTest::newRow("cancelled") << false << false;
}

void PrinterFeedDialogTest::settingsWrittenOnOk()
{
    QFETCH(bool, accepted);
    QFETCH(bool, keepPageSetup);

    const ScopedConfigHome config;
    const QString pdf; // the one output every machine has
    QVERIFY(PrinterPaperStore::savePageSetup(
        pdf, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {})));
    PrinterFeedDialog dialog(QSizeF(220, 110), pdf);
    QCOMPARE(dialog.findChild<QComboBox *>(QStringLiteral("printer"))->currentData().toString(),
             pdf);
    dialog.findChild<QComboBox *>(QStringLiteral("rotation"))->setCurrentIndex(1);
    dialog.findChild<QComboBox *>(QStringLiteral("placement"))->setCurrentIndex(2);
    dialog.findChild<QDoubleSpinBox *>(QStringLiteral("offsetX"))->setValue(-1.5);
    dialog.findChild<QDoubleSpinBox *>(QStringLiteral("offsetY"))->setValue(2.0);
    auto *pageSetup = dialog.findChild<QCheckBox *>(QStringLiteral("pageSetup"));
    QVERIFY(pageSetup->isEnabled() && pageSetup->isChecked());
    pageSetup->setChecked(keepPageSetup);
    accepted ? dialog.accept() : dialog.reject();

    const PrinterFeed expected =
        accepted ? PrinterFeed{90, FeedPlacement::Right, -1.5, 2.0} : PrinterFeed();
    QCOMPARE(PrinterPaperStore::loadFeed(pdf), expected);
    QCOMPARE(PrinterPaperStore::loadPageSetup(pdf).has_value(), keepPageSetup || !accepted);
}

void PrinterFeedDialogTest::pageSetupKeptPerPrinter_data()
{
    QTest::addColumn<bool>("a4Before");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QSizeF>("shown"); // mm, the page the dialog opens with
    QTest::addColumn<bool>("a4After");

    QTest::newRow("envelope page accepted") << false << true << QSizeF(220, 110) << false;
    QTest::newRow("kept page accepted") << true << true << QSizeF(210, 297) << true;
    QTest::newRow("cancelled") << true << false << QSizeF(210, 297) << true;
}

void PrinterFeedDialogTest::pageSetupKeptPerPrinter()
{
    QFETCH(bool, a4Before);
    QFETCH(bool, accepted);
    QFETCH(QSizeF, shown);
    QFETCH(bool, a4After);

    const ScopedConfigHome config;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    if (a4Before)
        PrinterPaperStore::savePageSetup(
            QString(), QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}));
    QSizeF opened;
    whenModal(this, [&](QDialog *dialog) {
        opened = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
        accepted ? dialog->accept() : dialog->reject();
    });
    QCOMPARE(runEnvelopePageSetup(printer, QSizeF(220, 110), nullptr), accepted);
    QCOMPARE(opened.toSize(), shown.toSize());
    QCOMPARE(PrinterPaperStore::loadPageSetup(QString()).has_value(), a4After);
}

QTEST_MAIN(PrinterFeedDialogTest)
#include "PrinterFeedDialogTest.moc"
