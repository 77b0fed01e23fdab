#include "CEditAddressDlg.h"
#include "CNewAddressDlg.h"
#include "DialogTestSupport.h"
#include "MessageRecorder.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace {

AddressEntry entry(const QString &label, const QString &text)
{
    return {cp1250(text), cp1250(label)};
}

QPlainTextEdit *textField(const QWidget &dialog)
{
    QPlainTextEdit *field = control<QPlainTextEdit>(dialog, "1014");
    Q_ASSERT(field);
    return field;
}

} // namespace

class AddressDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void newDialogCaption_data();
    void newDialogCaption();
    void newDialogChecksLabel_data();
    void newDialogChecksLabel();
    void newDialogReturnAddsLine();
    void newDialogRefusesUnstorableText();
    void editDialogWithoutEntries_data();
    void editDialogWithoutEntries();
    void editDialogOpensOnFirstSortedLabel_data();
    void editDialogOpensOnFirstSortedLabel();
    void editDialogChangesOnlyTheText();
    void editDialogLabelChangeDiscardsTyping();
    void editDialogTellsLabelsApartByCase_data();
    void editDialogTellsLabelsApartByCase();
};

void AddressDialogsTest::newDialogCaption_data()
{
    QTest::addColumn<int>("isSender");
    QTest::addColumn<QString>("caption");
    QTest::newRow("addressee") << 0 << QStringLiteral("Nový adresát");
    QTest::newRow("sender") << 1 << QStringLiteral("Nový odesílatel");
}

void AddressDialogsTest::newDialogCaption()
{
    QFETCH(int, isSender);
    QFETCH(QString, caption);
    AddressEntryArray entries;
    CNewAddressDlg dialog;
    dialog.m_isSender = isSender;
    dialog.m_pEntries = &entries;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));
    dialog.show();
    QCOMPARE(dialog.windowTitle(), caption);
    QCOMPARE(control<QLineEdit>(dialog, "1013")->text(), QString());
    QCOMPARE(textField(dialog)->toPlainText(), QString());
}

void AddressDialogsTest::newDialogChecksLabel_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString taken = QStringLiteral("Takové označní adresy již existuje. Zadejte jiné.");
    QTest::newRow("empty") << ""
                           << "x" << QStringLiteral("Musíte zadat označení adresy.");
    QTest::newRow("taken") << "Novák"
                           << "x" << taken;
    QTest::newRow("taken, the later one") << "<Žádný>"
                                          << "x" << taken;
    QTest::newRow("other case") << "NOVÁK"
                                << "x"
                                << "";
    QTest::newRow("trailing blank") << "Novák "
                                    << "x"
                                    << "";
    QTest::newRow("blanks only") << "  "
                                 << "x"
                                 << "";
    QTest::newRow("empty text") << "Dvořák"
                                << ""
                                << "";
    QTest::newRow("label of the other list") << "Svoboda"
                                             << "x"
                                             << "";
}

void AddressDialogsTest::newDialogChecksLabel()
{
    QFETCH(QString, label);
    QFETCH(QString, text);
    QFETCH(QString, message);
    MessageRecorder recorder;
    AddressEntryArray addressees;
    addressees.Append(entry("Novák", "Jan Novák"));
    addressees.Append(entry("<Žádný>", "nikdo"));
    CNewAddressDlg dialog;
    dialog.m_pEntries = &addressees;
    dialog.show();
    control<QLineEdit>(dialog, "1013")->setText(label);
    textField(dialog)->setPlainText(text);
    click(dialog, "1");

    const QList<RecordedMessage> messages = recorder.take();
    if (message.isEmpty()) {
        QVERIFY(messages.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_label, cp1250(label));
        QCOMPARE(dialog.m_text, cp1250(text));
    } else {
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, message);
        QCOMPARE(messages[0].caption, QStringLiteral("Chyba"));
        QCOMPARE(messages[0].icon, MessageIcon::Error);
        QCOMPARE(messages[0].owner.data(), &dialog);
        QVERIFY(dialog.isVisible());
        QCOMPARE(control<QLineEdit>(dialog, "1013")->text(), label);
        QCOMPARE(textField(dialog)->toPlainText(), text);
    }
    QCOMPARE(addressees.GetSize(), 2);
}

void AddressDialogsTest::newDialogReturnAddsLine()
{
    MessageRecorder recorder;
    AddressEntryArray senders;
    CNewAddressDlg dialog;
    dialog.m_isSender = 1;
    dialog.m_pEntries = &senders;
    dialog.show();
    QTest::keyClicks(control<QLineEdit>(dialog, "1013"), QStringLiteral("Doma"));
    QPlainTextEdit *text = textField(dialog);
    QTest::keyClicks(text, QStringLiteral("Petra Mala"));
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, QStringLiteral("Kratka 3"));
    QTest::keyClick(text, Qt::Key_Enter);
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, QStringLiteral("602 00 Brno"));
    QVERIFY(dialog.isVisible());

    click(dialog, "1");
    QVERIFY(recorder.take().isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.m_text, cp1250(QStringLiteral("Petra Mala\r\nKratka 3\r\n\r\n602 00 Brno")));
    QCOMPARE(dialog.m_label, cp1250(QStringLiteral("Doma")));
}

void AddressDialogsTest::newDialogRefusesUnstorableText()
{
    MessageRecorder recorder;
    AddressEntryArray addressees;
    CNewAddressDlg dialog;
    dialog.m_pEntries = &addressees;
    dialog.show();
    control<QLineEdit>(dialog, "1013")->setText(QStringLiteral("Moskva"));
    textField(dialog)->setPlainText(QStringLiteral("Красная площадь"));
    click(dialog, "1");

    const QList<RecordedMessage> messages = recorder.take();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].text.contains(QStringLiteral("К")));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.focusWidget(), textField(dialog));
    QCOMPARE(textField(dialog)->toPlainText(), QStringLiteral("Красная площадь"));
    QCOMPARE(dialog.m_label, std::string());
}

void AddressDialogsTest::editDialogWithoutEntries_data()
{
    QTest::addColumn<int>("isSender");
    QTest::addColumn<QString>("message");
    QTest::newRow("addressees") << 0 << QStringLiteral("Nejsou definováni žádní adresáti.");
    QTest::newRow("senders") << 1 << QStringLiteral("Nejsou definováni žádní odesílatelé.");
}

void AddressDialogsTest::editDialogWithoutEntries()
{
    QFETCH(int, isSender);
    QFETCH(QString, message);
    MessageRecorder recorder;
    AddressEntryArray entries;
    CEditAddressDlg dialog;
    dialog.m_isSender = isSender;
    dialog.m_pEntries = &entries;
    dialog.show();

    QList<RecordedMessage> messages = recorder.take();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, message);
    QCOMPARE(messages[0].caption, QStringLiteral("Chyba"));
    QCOMPARE(messages[0].icon, MessageIcon::Error);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));
    QCOMPARE(dialog.m_labelList->count(), 0);

    textField(dialog)->setPlainText(QStringLiteral("něco"));
    click(dialog, "1");
    messages = recorder.take();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, QStringLiteral("Taková adresa neexistuje."));
    QCOMPARE(messages[0].caption, QStringLiteral("Vnitřní chyba"));
    QCOMPARE(messages[0].icon, MessageIcon::Error);
    QVERIFY(dialog.isVisible());
    QCOMPARE(entries.GetSize(), 0);
}

void AddressDialogsTest::editDialogOpensOnFirstSortedLabel_data()
{
    QTest::addColumn<int>("isSender");
    QTest::addColumn<QString>("caption");
    QTest::newRow("addressees") << 0 << QStringLiteral("Upravit adresáta");
    QTest::newRow("senders") << 1 << QStringLiteral("Upravit odesílatele");
}

void AddressDialogsTest::editDialogOpensOnFirstSortedLabel()
{
    QFETCH(int, isSender);
    QFETCH(QString, caption);
    MessageRecorder recorder;
    AddressEntryArray entries;
    entries.Append(entry("Zelenka", "Z"));
    entries.Append(entry("chalupa", "Chalupa\r\nHorní 1"));
    entries.Append(entry("Hora", "Hora\r\nDolní 2"));
    CEditAddressDlg dialog;
    dialog.m_isSender = isSender;
    dialog.m_pEntries = &entries;
    dialog.show();

    QVERIFY(recorder.take().isEmpty());
    QCOMPARE(dialog.windowTitle(), caption);
    // Czech order: "ch" comes after "h".
    QCOMPARE(dialog.m_labelList->itemText(0), QStringLiteral("Hora"));
    QCOMPARE(dialog.m_labelList->itemText(1), QStringLiteral("chalupa"));
    QCOMPARE(dialog.m_labelList->currentIndex(), 0);
    QCOMPARE(textField(dialog)->toPlainText(), QStringLiteral("Hora\nDolní 2"));
}

void AddressDialogsTest::editDialogChangesOnlyTheText()
{
    MessageRecorder recorder;
    AddressEntryArray entries;
    entries.Append(entry("B", "bé"));
    entries.Append(entry("A", "á"));
    CEditAddressDlg dialog;
    dialog.m_pEntries = &entries;
    dialog.show();
    choose(dialog.m_labelList, 1);
    QCOMPARE(textField(dialog)->toPlainText(), QStringLiteral("bé"));
    textField(dialog)->setPlainText(QStringLiteral("Bedřich\nU Mostu 4"));
    click(dialog, "1");

    QVERIFY(recorder.take().isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(entries.GetSize(), 2);
    QCOMPARE(entries.GetAt(0).label, cp1250("B"));
    QCOMPARE(entries.GetAt(0).text, cp1250("Bedřich\r\nU Mostu 4"));
    QCOMPARE(entries.GetAt(1).text, cp1250("á"));
}

void AddressDialogsTest::editDialogLabelChangeDiscardsTyping()
{
    AddressEntryArray entries;
    entries.Append(entry("A", "first"));
    entries.Append(entry("B", "second"));
    CEditAddressDlg dialog;
    dialog.m_pEntries = &entries;
    dialog.show();
    textField(dialog)->setPlainText(QStringLiteral("typed"));
    choose(dialog.m_labelList, 1);
    choose(dialog.m_labelList, 0);
    QCOMPARE(textField(dialog)->toPlainText(), QStringLiteral("first"));
    QCOMPARE(entries.GetAt(0).text, cp1250("first"));
}

void AddressDialogsTest::editDialogTellsLabelsApartByCase_data()
{
    QTest::addColumn<int>("item");
    QTest::newRow("first item") << 0;
    QTest::newRow("second item") << 1;
}

void AddressDialogsTest::editDialogTellsLabelsApartByCase()
{
    QFETCH(int, item);
    MessageRecorder recorder;
    AddressEntryArray entries;
    entries.Append(entry("škoda", "lower"));
    entries.Append(entry("Škoda", "upper"));
    CEditAddressDlg dialog;
    dialog.m_pEntries = &entries;
    dialog.show();
    choose(dialog.m_labelList, item);
    const int index = entries.FindByLabel(cp1250(dialog.m_labelList->currentText()));
    QCOMPARE(textField(dialog)->toPlainText(), index == 0 ? "lower" : "upper");
    textField(dialog)->setPlainText(QStringLiteral("changed"));
    click(dialog, "1");

    QVERIFY(recorder.take().isEmpty());
    QCOMPARE(entries.GetAt(index).text, cp1250("changed"));
    QCOMPARE(entries.GetAt(1 - index).text, cp1250(index == 0 ? "upper" : "lower"));
}

QTEST_MAIN(AddressDialogsTest)
#include "AddressDialogsTest.moc"
