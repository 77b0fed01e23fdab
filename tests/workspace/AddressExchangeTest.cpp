#include "AddressFile.h"
#include "CAutoComboBox.h"
#include "CTobrelView.h"
#include "ColumnMappingDialog.h"
#include "Cp1250.h"
#include "DialogStubs.h"
#include "WorkspaceFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Answers the question which list with the button of that text, once it is asked.
void answerListQuestion(const QString &button)
{
    QTimer::singleShot(0, [button] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        for (QAbstractButton *candidate : box->buttons()) {
            if (candidate->text() == button)
                candidate->click();
        }
    });
}

} // namespace

// Import and export in the window: the chosen list and its combo get the new labels, as a
// restore gives them, and the export holds that list.
class AddressExchangeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void importThenExport_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("addresseeItems");
        QTest::addColumn<QStringList>("senderItems");
        QTest::addColumn<QString>("title");
        QTest::newRow("addressees") << "&Adresáti"
                                    << QStringList{"<Žádný>", "Malá Eva", "Pan Ščasný", "Šéf"}
                                    << QStringList{"<Žádný>", "Doma"} << "Import adresátů";
        QTest::newRow("senders") << "&Odesílatelé" << QStringList{"<Žádný>", "Pan Ščasný"}
                                 << QStringList{"<Žádný>", "Doma", "Malá Eva", "Šéf"}
                                 << "Import odesílatelů";
    }

    void importThenExport()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, addresseeItems);
        QFETCH(QStringList, senderItems);
        QFETCH(QString, title);
        WorkspaceFixture fixture;
        QVERIFY(fixture.writeStores({}, {address("Doma", "Dlouhá 1")},
                                    {address("Pan Ščasný", "Krátká 2")}));
        const std::unique_ptr<CTobrelView> view = fixture.startView();
        FileDialogStub files;
        files.answer = [](const FileDialogRequest &) {
            return QStringLiteral(TOBREL_TEST_DATA "/import/utf8-comma.csv");
        };
        answerListQuestion(button);
        QVERIFY(view->OnCmdMsg(Command::ImportAddresses));
        QCOMPARE(comboItems(view->m_addresseeCombo), addresseeItems);
        QCOMPARE(comboItems(view->m_senderCombo), senderItems);
        QCOMPARE(fixture.messages().back().caption, title);

        files.answer = [&](const FileDialogRequest &) { return fixture.path("vse.vcf"); };
        answerListQuestion(button);
        QVERIFY(view->OnCmdMsg(Command::ExportAddresses));
        QStringList exported{QStringLiteral("<Žádný>")};
        for (const AddressEntry &entry : readAddressFile(fixture.path("vse.vcf")).entries)
            exported << fromCp1250(entry.label);
        exported.sort();
        QCOMPARE(exported, button == u"&Adresáti" ? addresseeItems : senderItems);
    }

    // Columns no header word names: the user maps them, sees the envelope, and finds the
    // choice again the next time that header comes.
    void mapsUnknownColumns()
    {
        WorkspaceFixture fixture;
        QVERIFY(fixture.writeStores({}, {}, {}));
        const std::unique_ptr<CTobrelView> view = fixture.startView();
        FileDialogStub files;
        files.answer = [](const FileDialogRequest &) {
            return QStringLiteral(TOBREL_TEST_DATA "/import/unknown-columns.csv");
        };
        const auto withDialog = [](const std::function<void(ColumnMappingDialog &)> &act) {
            QTimer::singleShot(0, [act] {
                auto *dialog = qobject_cast<ColumnMappingDialog *>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                act(*dialog);
            });
        };
        QString preview;
        withDialog([&](ColumnMappingDialog &dialog) {
            const AddressField chosen[] = {AddressField::FirstName, AddressField::Street,
                                           AddressField::Address};
            for (int i = 0; i < 3; ++i) {
                dialog.findChild<QComboBox *>(QStringLiteral("column%1").arg(i + 1))
                    ->setCurrentIndex(int(chosen[i]));
            }
            preview = dialog.findChild<QLabel *>(QStringLiteral("envelope1"))->text();
            answerListQuestion(QStringLiteral("&Adresáti"));
            dialog.accept();
        });
        QVERIFY(view->OnCmdMsg(Command::ImportAddresses));
        QCOMPARE(preview, QStringLiteral("Jan Novák\nDlouhá 5\n110 00 Praha"));
        QCOMPARE(comboItems(view->m_addresseeCombo), (QStringList{"<Žádný>", "Jan Novák"}));
        QVERIFY(fixture.readProfile("lerbot.ini").contains("[SLOUPCE_IMPORTU]\r\n"));

        int firstColumn = -1;
        withDialog([&](ColumnMappingDialog &dialog) {
            firstColumn = dialog.findChild<QComboBox *>(QStringLiteral("column1"))->currentIndex();
            dialog.reject();
        });
        QVERIFY(view->OnCmdMsg(Command::ImportAddresses));
        QCOMPARE(AddressField(firstColumn), AddressField::FirstName);
    }
};

QTEST_MAIN(AddressExchangeTest)
#include "AddressExchangeTest.moc"
