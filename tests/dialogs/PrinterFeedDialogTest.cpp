#include "DialogTestSupport.h"
#include "PrinterFeedDialog.h"
#include "ScopedDirectories.h"

#include <QCheckBox>
#include <QDoubleSpinBox>

class PrinterFeedDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void settingsWrittenOnOk_data();
    void settingsWrittenOnOk();
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
    QVERIFY(PrinterPaperStore::savePageSetup(pdf, QPageLayout(QPageSize(QPageSize::A4),
                                                              QPageLayout::Portrait, {})));
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

QTEST_MAIN(PrinterFeedDialogTest)
#include "PrinterFeedDialogTest.moc"
