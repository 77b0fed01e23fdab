#include "BatchPrintDialog.h"
#include "CAutoComboBox.h"
#include "CContextRichEdit.h"
#include "CTobrelView.h"
#include "CommonDialogs.h"
#include "DialogStubs.h"
#include "StoreFiles.h"
#include "WorkspaceFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <type_traits>

namespace {

template <typename Widget> Widget *control(QDialog *dialog, const char *id)
{
    auto *widget = dialog->findChild<Widget *>(QLatin1String(id));
    if (!widget)
        qFatal("control %s not found", id);
    return widget;
}

void writeStores(const WorkspaceFixture &fixture)
{
    QVERIFY(fixture.writeStores(
        {envelope("DL", 22.9f, 11.4f, 1, 1, 11, 5.5f)}, {address("Firma", "Firma s.r.o.")},
        {address("Novák", "Jan Novák\r\nBrno"), address("Svoboda", "Petr Svoboda")}));
}

} // namespace

class ViewDialogsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // In Czech, as the program runs: Qt's font dialog then finds no style named "Normal".
    void initTestCase() { installQtTranslations(this); }
    void newAddressAppendsWithoutApplying_data();
    void newAddressAppendsWithoutApplying();
    void cancelledNewAddressChangesNothing();
    void newEnvelopeAppendsWithoutLayout();
    void editKeepsTheShownText();
    void deleteLeavesTheAppliedText();
    void printCommandsOpenTheirDialogs();
    void fontConfirmedUnchangedKeepsItsFace();
    void directPrintWithoutPrinterIsReported();
};

void ViewDialogsTest::newAddressAppendsWithoutApplying_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("sender");
    QTest::newRow("addressee") << Command::NewAddressee << false;
    QTest::newRow("sender") << Command::NewSender << true;
}

void ViewDialogsTest::newAddressAppendsWithoutApplying()
{
    QFETCH(int, command);
    QFETCH(bool, sender);
    WorkspaceFixture fixture;
    writeStores(fixture);
    auto view = fixture.startView();
    CAutoComboBox *combo = sender ? view->m_senderCombo : view->m_addresseeCombo;
    CContextRichEdit *edit = sender ? view->m_senderEdit : view->m_addresseeEdit;
    AddressEntryArray &list = sender ? view->m_senders : view->m_addressees;
    choose(combo, sender ? "Firma" : "Novák");
    const QString shown = edit->toPlainText();
    const int sizeBefore = list.GetSize();

    whenModal(this, [](QDialog *dialog) {
        control<QLineEdit>(dialog, "1013")->setText(QStringLiteral("Adámek"));
        control<QPlainTextEdit>(dialog, "1014")->setPlainText(QStringLiteral("Jiří Adámek\nTábor"));
        control<QPushButton>(dialog, "1")->click();
    });
    QVERIFY(view->OnCmdMsg(command));

    QCOMPARE(list.GetSize(), sizeBefore + 1);
    QCOMPARE(list.ElementAt(sizeBefore).label, cp1250("Adámek"));
    QCOMPARE(list.ElementAt(sizeBefore).text, cp1250("Jiří Adámek\r\nTábor"));
    QVERIFY(comboItems(combo).contains(QStringLiteral("Adámek")));
    QCOMPARE(comboItems(combo).indexOf(QStringLiteral("Adámek")), 1); // after "<Žádný>"
    // Neither selected nor applied.
    QCOMPARE(combo->currentText(), sender ? QStringLiteral("Firma") : QStringLiteral("Novák"));
    QCOMPARE(edit->toPlainText(), shown);
}

void ViewDialogsTest::cancelledNewAddressChangesNothing()
{
    WorkspaceFixture fixture;
    writeStores(fixture);
    auto view = fixture.startView();
    whenModal(this, [](QDialog *dialog) {
        control<QLineEdit>(dialog, "1013")->setText(QStringLiteral("Nový"));
        dialog->reject();
    });
    view->OnCmdMsg(Command::NewAddressee);
    QCOMPARE(view->m_addressees.GetSize(), 2);
    QCOMPARE(view->m_addresseeCombo->count(), 3);
}

void ViewDialogsTest::newEnvelopeAppendsWithoutLayout()
{
    WorkspaceFixture fixture;
    writeStores(fixture);
    auto view = fixture.startView();
    const QRect senderBox = view->m_senderEdit->geometry();
    whenModal(this, [](QDialog *dialog) {
        control<QLineEdit>(dialog, "1010")->setText(QStringLiteral("A5"));
        control<QPushButton>(dialog, "1")->click();
    });
    QVERIFY(view->OnCmdMsg(Command::NewEnvelope));
    QCOMPARE(view->m_envelopes.GetSize(), 2);
    const EnvelopeFormat &added = view->m_envelopes.ElementAt(1);
    QCOMPARE(added.label, std::string("A5"));
    QCOMPARE(added.width, 16.0f);
    QCOMPARE(added.height, 12.0f);
    QCOMPARE(added.senderLeft, 1.0f);
    QCOMPARE(added.senderTop, 1.0f);
    QCOMPARE(comboItems(view->m_envelopeCombo), (QStringList{"A5", "DL"}));
    QCOMPARE(view->m_envelopeCombo->currentText(), QStringLiteral("DL"));
    QCOMPARE(view->m_curEnvelope, std::string("DL"));
    QCOMPARE(view->m_senderEdit->geometry(), senderBox);
}

void ViewDialogsTest::editKeepsTheShownText()
{
    WorkspaceFixture fixture;
    writeStores(fixture);
    auto view = fixture.startView();
    choose(view->m_addresseeCombo, "Novák");
    whenModal(this, [](QDialog *dialog) {
        // Opens on the first label in sorted order, which is Novák.
        control<QPlainTextEdit>(dialog, "1014")->setPlainText(QStringLiteral("Jan Novák\nOlomouc"));
        control<QPushButton>(dialog, "1")->click();
    });
    QVERIFY(view->OnCmdMsg(Command::EditAddressee));
    QCOMPARE(view->m_addressees.ElementAt(0).text, cp1250("Jan Novák\r\nOlomouc"));
    // The box keeps its text until another entry, then this one, is applied.
    QCOMPARE(view->m_addresseeEdit->toPlainText(), QStringLiteral("Jan Novák\nBrno"));
    choose(view->m_addresseeCombo, "Novák");
    QCOMPARE(view->m_addresseeEdit->toPlainText(), QStringLiteral("Jan Novák\nBrno"));
    choose(view->m_addresseeCombo, "Svoboda");
    choose(view->m_addresseeCombo, "Novák");
    QCOMPARE(view->m_addresseeEdit->toPlainText(), QStringLiteral("Jan Novák\nOlomouc"));
}

void ViewDialogsTest::deleteLeavesTheAppliedText()
{
    WorkspaceFixture fixture;
    writeStores(fixture);
    {
        auto view = fixture.startView();
        choose(view->m_addresseeCombo, "Novák");
        whenModal(this, [](QDialog *dialog) {
            control<QPushButton>(dialog, "1019")->click();
            dialog->reject();
        });
        QVERIFY(view->OnCmdMsg(Command::DeleteEntries));
        QCOMPARE(view->m_addressees.GetSize(), 1);
        QCOMPARE(comboItems(view->m_addresseeCombo), (QStringList{"<Žádný>", "Svoboda"}));
        QCOMPARE(view->m_addresseeEdit->toPlainText(), QStringLiteral("Jan Novák\nBrno"));
        QCOMPARE(view->m_curAddressee, cp1250("Novák"));
    }
    // The deletion is final once the program ends.
    AddressEntryArray senders;
    AddressEntryArray addressees;
    loadAddressStore(fixture.path(kAddressStoreName), senders, addressees);
    QCOMPARE(addressees.GetSize(), 1);
    QCOMPARE(addressees.ElementAt(0).label, std::string("Svoboda"));
}

void ViewDialogsTest::printCommandsOpenTheirDialogs()
{
    WorkspaceFixture fixture;
    writeStores(fixture);
    auto view = fixture.startView();
    int withoutRange = 0;
    const auto printDialog = [&](QPrintDialog *dialog) {
        // Qt's Unix dialog shows a page range for the print server even when asked for none.
        withoutRange += control<QWidget>(dialog, "gbPrintRange")->isHidden();
        dialog->reject();
    };
    whenModal<QPrintDialog>(this, printDialog);
    QVERIFY(view->OnCmdMsg(Command::FilePrint));
    const std::string before = view->m_curEnvelope;

    // The preview's Print button opens a print dialog of its own, each time anew.
    whenModal<QPrintPreviewDialog>(this, [&](QPrintPreviewDialog *preview) {
        for (QAction *print : preview->findChildren<QAction *>()) {
            for (int run = 0; run < 2 && print->text() == QPrintPreviewDialog::tr("Print"); ++run) {
                whenModal<QPrintDialog>(this, printDialog);
                print->trigger();
            }
        }
        preview->reject();
    });
    QVERIFY(view->OnCmdMsg(Command::FilePrintPreview));
    QCOMPARE(withoutRange, 3);
    QString opened;
    whenModal(this, [&](QDialog *dialog) {
        opened = QString::fromLatin1(dialog->metaObject()->className());
        dialog->reject();
    });
    QVERIFY(view->OnCmdMsg(Command::FilePrintSetup));
    QCOMPARE(opened, QStringLiteral("QPageSetupDialog"));
    QCOMPARE(view->m_curEnvelope, before);
    // A sender chosen at the top of batch printing is the window's from then on.
    whenModal<BatchPrintDialog>(this, [](BatchPrintDialog *dialog) {
        dialog->findChild<QComboBox *>(QStringLiteral("sender"))->setCurrentIndex(1);
        dialog->setShownChecked(true);
        dialog->accept();
    });
    whenModal<QPrintDialog>(this, [](QPrintDialog *dialog) { dialog->reject(); });
    QVERIFY(view->OnCmdMsg(Command::BatchPrint));
    QCOMPARE(view->m_senderEdit->toPlainText(), QStringLiteral("Firma s.r.o."));
    QVERIFY(fixture.messages().isEmpty());
}

// "Times New Roman" is drawn by a stand-in face here, which the dialog lists instead.
void ViewDialogsTest::fontConfirmedUnchangedKeepsItsFace()
{
    WorkspaceFixture fixture;
    auto view = fixture.startView();
    QStringList offered;
    for (int run = 0; run < 2; ++run) {
        whenModal<QFontDialog>(this, [&](QFontDialog *dialog) {
            offered << dialog->currentFont().family() +
                           (dialog->currentFont().italic() ? "/I" : "");
            dialog->accept();
        });
        run ? view->m_thirdField.OnChooseFont() : void(view->OnCmdMsg(Command::PrintFont));
    }
    QCOMPARE(offered, QStringList(2, QFontInfo(QFont(QStringLiteral("Times New Roman"))).family()));
    for (const LOGFONT &font : {view->m_printFont, view->m_thirdField.valuesForPainting().font}) {
        QCOMPARE(QByteArray(font.lfFaceName), QByteArray("Times New Roman"));
        QCOMPARE(font.lfHeight, -16);
    }
}

void ViewDialogsTest::directPrintWithoutPrinterIsReported()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("a printer is installed; direct printing would really print");
    WorkspaceFixture fixture;
    writeStores(fixture);
    auto view = fixture.startView();
    QVERIFY(view->OnCmdMsg(Command::FilePrintDirect));
    QCOMPARE(fixture.messages().size(), 1);
    QCOMPARE(fixture.messages().first().icon, MessageIcon::Error);
}

QTEST_MAIN(ViewDialogsTest)
#include "ViewDialogsTest.moc"
