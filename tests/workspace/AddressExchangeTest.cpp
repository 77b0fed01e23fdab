#include "AddressFile.h"
#include "CAutoComboBox.h"
#include "CTobrelView.h"
#include "Cp1250.h"
#include "DialogStubs.h"
#include "WorkspaceFixture.h"

#include <QApplication>
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
};

QTEST_MAIN(AddressExchangeTest)
#include "AddressExchangeTest.moc"
