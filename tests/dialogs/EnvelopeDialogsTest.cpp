#include "CEditEnvelopeDlg.h"
#include "CNewEnvelopeDlg.h"
#include "DialogTestSupport.h"
#include "MessageRecorder.h"

#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {

EnvelopeFormat format(const QString &label, float width, float height, float addresseeLeft,
                      float addresseeTop, float senderLeft, float senderTop)
{
    return {width, height, addresseeLeft, addresseeTop, senderLeft, senderTop, cp1250(label)};
}

bool sameFormat(const EnvelopeFormat &a, const EnvelopeFormat &b)
{
    return a.label == b.label && a.width == b.width && a.height == b.height &&
           a.addresseeLeft == b.addresseeLeft && a.addresseeTop == b.addresseeTop &&
           a.senderLeft == b.senderLeft && a.senderTop == b.senderTop;
}

QLineEdit *field(const QWidget &dialog, const char *id)
{
    QLineEdit *edit = control<QLineEdit>(dialog, id);
    Q_ASSERT(edit);
    return edit;
}

// The edit dialog over these formats, shown as the view shows it.
struct EditDialog
{
    explicit EditDialog(const QList<EnvelopeFormat> &formats)
    {
        for (const EnvelopeFormat &format : formats)
            envelopes.Append(format);
        dialog.m_pEnvelopes = &envelopes;
        dialog.show();
    }

    EnvelopeFormatArray envelopes;
    CEditEnvelopeDlg dialog;
};

struct Dialogs
{
    EnvelopeFormatArray envelopes;
    std::unique_ptr<QDialog> dialog;

    // "new" or "edit", shown and set up as the view runs them.
    void open(const QByteArray &kind)
    {
        if (kind == "new") {
            auto *created = new CNewEnvelopeDlg;
            created->m_pEnvelopes = &envelopes;
            dialog.reset(created);
        } else {
            auto *created = new CEditEnvelopeDlg;
            created->m_pEnvelopes = &envelopes;
            dialog.reset(created);
        }
        dialog->show();
    }
};

} // namespace

class EnvelopeDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void newDialogOpensWithDefaults();
    void suggestedAddresseePosition_data();
    void suggestedAddresseePosition();
    void senderResetLeavesAddresseeAlone_data();
    void senderResetLeavesAddresseeAlone();
    void computeWithUnparsedFieldRestoresLaterFields_data();
    void computeWithUnparsedFieldRestoresLaterFields();
    void newDialogChecksLabel_data();
    void newDialogChecksLabel();
    void okNeverAcceptsUnparsedNumbers_data();
    void okNeverAcceptsUnparsedNumbers();
    void newDialogRefusesUnstorableLabel();
    void editDialogOpensOnFirstSortedLabel();
    void editDialogWithoutFormats();
    void editDialogChangesChosenFormatInPlace();
    void editDialogLabelChangeDiscardsTyping();
    void editDialogLabelChangeWithUnparsedField_data();
    void editDialogLabelChangeWithUnparsedField();
    void editDialogTellsLabelsApartByCase_data();
    void editDialogTellsLabelsApartByCase();
};

void EnvelopeDialogsTest::newDialogOpensWithDefaults()
{
    Dialogs d;
    d.open("new");
    QCOMPARE(d.dialog->windowTitle(), QStringLiteral("Nová obálka"));
    const QList<std::pair<const char *, QString>> expected = {
        {"1010", ""},  {"1000", "16"}, {"1001", "12"}, {"1002", "1"},
        {"1003", "1"}, {"1005", "0"},  {"1006", "0"}};
    for (const auto &[id, text] : expected)
        QCOMPARE(field(*d.dialog, id)->text(), text);
}

void EnvelopeDialogsTest::suggestedAddresseePosition_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::newRow("new 16 x 12") << QByteArray("new") << "16"
                                 << "12" << 9.5f << 6.5f;
    QTest::newRow("edit 16 x 12") << QByteArray("edit") << "16"
                                  << "12" << 9.5f << 7.5f;
    QTest::newRow("new 22 x 11") << QByteArray("new") << "22"
                                 << "11" << 14.0f << 5.75f;
    QTest::newRow("edit 22 x 11") << QByteArray("edit") << "22"
                                  << "11" << 14.0f << 6.75f;
    QTest::newRow("narrow, not clamped") << QByteArray("new") << "2"
                                         << "12" << -1.0f << 6.5f;
    QTest::newRow("zero") << QByteArray("edit") << "0"
                          << "0" << -2.5f << -1.5f;
    // Here a double 0.1 or float arithmetic would store a neighbouring float.
    QTest::newRow("single precision tenth, new")
        << QByteArray("new") << "6.1"
        << "1.2" << 2.075000047683716f << -1.600000023841858f;
    QTest::newRow("single precision tenth, edit")
        << QByteArray("edit") << "0.2"
        << "0.1" << -2.3500001430511475f << -1.4250000715255737f;
}

void EnvelopeDialogsTest::suggestedAddresseePosition()
{
    QFETCH(QByteArray, kind);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(float, left);
    QFETCH(float, top);
    MessageRecorder recorder;
    Dialogs d;
    d.envelopes.Append(format("DL", 22, 11, 3, 4, 5, 6));
    d.open(kind);
    field(*d.dialog, "1000")->setText(width);
    field(*d.dialog, "1001")->setText(height);
    field(*d.dialog, "1002")->setText(QStringLiteral("2.5"));
    click(*d.dialog, "1012");

    float memberLeft, memberTop, memberSenderLeft;
    if (auto *dialog = qobject_cast<CNewEnvelopeDlg *>(d.dialog.get()))
        std::tie(memberLeft, memberTop, memberSenderLeft) =
            std::tuple(dialog->m_addresseeLeft, dialog->m_addresseeTop, dialog->m_senderLeft);
    else if (auto *dialog = qobject_cast<CEditEnvelopeDlg *>(d.dialog.get()))
        std::tie(memberLeft, memberTop, memberSenderLeft) =
            std::tuple(dialog->m_addresseeLeft, dialog->m_addresseeTop, dialog->m_senderLeft);
    else
        QFAIL("unknown dialog");
    // Bit for bit: QCOMPARE on floats would forgive the neighbouring float.
    QVERIFY2(memberLeft == left, qPrintable(QString::number(memberLeft, 'g', 17)));
    QVERIFY2(memberTop == top, qPrintable(QString::number(memberTop, 'g', 17)));
    QCOMPARE(field(*d.dialog, "1005")->text(), QString::number(left, 'g', 6));
    QCOMPARE(field(*d.dialog, "1006")->text(), QString::number(top, 'g', 6));
    QCOMPARE(memberSenderLeft, 2.5f);
    QCOMPARE(field(*d.dialog, "1002")->text(), QStringLiteral("2.5"));
    QVERIFY(recorder.take().isEmpty());
    QVERIFY(d.dialog->isVisible());
}

void EnvelopeDialogsTest::senderResetLeavesAddresseeAlone_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::newRow("new") << QByteArray("new");
    QTest::newRow("edit") << QByteArray("edit");
}

void EnvelopeDialogsTest::senderResetLeavesAddresseeAlone()
{
    QFETCH(QByteArray, kind);
    Dialogs d;
    d.envelopes.Append(format("DL", 22, 11, 3, 4, 5, 6));
    d.open(kind);
    field(*d.dialog, "1002")->setText(QStringLiteral("3"));
    field(*d.dialog, "1003")->setText(QStringLiteral("4.5"));
    field(*d.dialog, "1005")->setText(QStringLiteral("7"));
    field(*d.dialog, "1006")->setText(QStringLiteral("8"));
    click(*d.dialog, "1013");
    QCOMPARE(field(*d.dialog, "1002")->text(), QStringLiteral("1"));
    QCOMPARE(field(*d.dialog, "1003")->text(), QStringLiteral("1"));
    QCOMPARE(field(*d.dialog, "1005")->text(), QStringLiteral("7"));
    QCOMPARE(field(*d.dialog, "1006")->text(), QStringLiteral("8"));
    QVERIFY(sameFormat(d.envelopes.GetAt(0), format("DL", 22, 11, 3, 4, 5, 6)));
}

void EnvelopeDialogsTest::computeWithUnparsedFieldRestoresLaterFields_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QByteArray>("badField");
    // Typed into every field before the computation, then expected afterwards.
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("shown");
    // Fields in the order 1000 1001 1002 1003 1005 1006; the new dialog exchanges 1001,
    // 1000, 1006, 1005, 1002, 1003, the edit dialog 1006, 1005, 1003, 1002, 1000, 1001.
    QTest::newRow("new, width bad") << QByteArray("new") << QByteArray("1012") << QByteArray("1000")
                                    << QStringList{"abc", "20", "3", "4", "7", "8"}
                                    << QStringList{"16", "20", "1", "1", "9.5", "12.5"};
    QTest::newRow("new, sender top bad")
        << QByteArray("new") << QByteArray("1012") << QByteArray("1003")
        << QStringList{"22", "20", "3", "x", "7", "8"}
        << QStringList{"22", "20", "3", "1", "14", "12.5"};
    QTest::newRow("edit, sender top bad")
        << QByteArray("edit") << QByteArray("1012") << QByteArray("1003")
        << QStringList{"30", "20", "3", "x", "7", "8"}
        << QStringList{"22", "11", "5", "6", "14", "6.75"};
    QTest::newRow("edit, height bad")
        << QByteArray("edit") << QByteArray("1012") << QByteArray("1001")
        << QStringList{"30", "", "3", "2", "7", "8"}
        << QStringList{"30", "11", "3", "2", "20", "6.75"};
    QTest::newRow("new, sender left bad, reset")
        << QByteArray("new") << QByteArray("1013") << QByteArray("1002")
        << QStringList{"20", "10", "abc", "4", "7", "8"}
        << QStringList{"20", "10", "1", "1", "7", "8"};
    QTest::newRow("edit, addressee top bad, reset")
        << QByteArray("edit") << QByteArray("1013") << QByteArray("1006")
        << QStringList{"30", "20", "3", "2", "7", "x"}
        << QStringList{"22", "11", "1", "1", "3", "4"};
}

void EnvelopeDialogsTest::computeWithUnparsedFieldRestoresLaterFields()
{
    QFETCH(QByteArray, kind);
    QFETCH(QByteArray, button);
    QFETCH(QByteArray, badField);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, shown);
    const char *ids[] = {"1000", "1001", "1002", "1003", "1005", "1006"};
    MessageRecorder recorder;
    Dialogs d;
    d.envelopes.Append(format("DL", 22, 11, 3, 4, 5, 6));
    d.open(kind);
    for (int i = 0; i < 6; ++i)
        field(*d.dialog, ids[i])->setText(typed[i]);

    click(*d.dialog, button.constData());
    const QList<RecordedMessage> messages = recorder.take();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, QStringLiteral("Zadejte číslo."));
    for (int i = 0; i < 6; ++i)
        QCOMPARE(field(*d.dialog, ids[i])->text(), shown[i]);
    QCOMPARE(d.dialog->focusWidget(), field(*d.dialog, badField.constData()));
}

void EnvelopeDialogsTest::newDialogChecksLabel_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("message");
    const QString taken = QStringLiteral("Takové označení obálky již existuje. Zadejte jiné.");
    QTest::newRow("empty") << "" << QStringLiteral("Musíte zadat označení obálky.");
    QTest::newRow("taken") << "Obálka C5" << taken;
    QTest::newRow("taken, the later one") << "DL" << taken;
    QTest::newRow("other case") << "obálka c5"
                                << "";
    QTest::newRow("trailing blank") << "Obálka C5 "
                                    << "";
    QTest::newRow("blanks only") << "   "
                                 << "";
    QTest::newRow("new") << "C4"
                         << "";
}

void EnvelopeDialogsTest::newDialogChecksLabel()
{
    QFETCH(QString, label);
    QFETCH(QString, message);
    MessageRecorder recorder;
    EnvelopeFormatArray envelopes;
    envelopes.Append(format("Obálka C5", 22.9f, 16.2f, 12, 8, 1, 1));
    envelopes.Append(format("DL", 22, 11, 14, 5.75f, 1, 1));
    CNewEnvelopeDlg dialog;
    dialog.m_pEnvelopes = &envelopes;
    dialog.show();
    field(dialog, "1010")->setText(label);
    field(dialog, "1000")->setText(QStringLiteral("23"));
    field(dialog, "1005")->setText(QStringLiteral("-3.5"));
    click(dialog, "1");

    const QList<RecordedMessage> messages = recorder.take();
    if (message.isEmpty()) {
        QVERIFY(messages.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.m_label, cp1250(label));
        QCOMPARE(dialog.m_width, 23.0f);
        QCOMPARE(dialog.m_height, 12.0f);
        QCOMPARE(dialog.m_addresseeLeft, -3.5f);
    } else {
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, message);
        QCOMPARE(messages[0].caption, QStringLiteral("Chyba"));
        QCOMPARE(messages[0].icon, MessageIcon::Error);
        QCOMPARE(messages[0].owner.data(), &dialog);
        QVERIFY(dialog.isVisible());
        QCOMPARE(field(dialog, "1010")->text(), label);
        QCOMPARE(field(dialog, "1000")->text(), QStringLiteral("23"));
    }
    QCOMPARE(envelopes.GetSize(), 2);
}

void EnvelopeDialogsTest::okNeverAcceptsUnparsedNumbers_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QByteArray>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("new, width empty") << QByteArray("new") << QByteArray("1000") << "";
    QTest::newRow("new, last field") << QByteArray("new") << QByteArray("1003") << "1,5";
    QTest::newRow("edit, first field") << QByteArray("edit") << QByteArray("1006") << "x";
    QTest::newRow("edit, last field") << QByteArray("edit") << QByteArray("1001") << "inf";
}

void EnvelopeDialogsTest::okNeverAcceptsUnparsedNumbers()
{
    QFETCH(QByteArray, kind);
    QFETCH(QByteArray, id);
    QFETCH(QString, text);
    MessageRecorder recorder;
    Dialogs d;
    const EnvelopeFormat stored = format("DL", 22, 11, 14, 5.75f, 1, 1);
    d.envelopes.Append(stored);
    d.open(kind);
    if (auto *label = control<QLineEdit>(*d.dialog, "1010"))
        label->setText(QStringLiteral("C4"));
    field(*d.dialog, "1002")->setText(QStringLiteral("2"));
    field(*d.dialog, id.constData())->setText(text);
    click(*d.dialog, "1");

    const QList<RecordedMessage> messages = recorder.take();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, QStringLiteral("Zadejte číslo."));
    QVERIFY(d.dialog->isVisible());
    QCOMPARE(field(*d.dialog, id.constData())->text(), text);
    QCOMPARE(d.envelopes.GetSize(), 1);
    QVERIFY(sameFormat(d.envelopes.GetAt(0), stored));
}

void EnvelopeDialogsTest::newDialogRefusesUnstorableLabel()
{
    MessageRecorder recorder;
    EnvelopeFormatArray envelopes;
    CNewEnvelopeDlg dialog;
    dialog.m_pEnvelopes = &envelopes;
    dialog.show();
    field(dialog, "1010")->setText(QStringLiteral("Конверт"));
    click(dialog, "1");
    const QList<RecordedMessage> messages = recorder.take();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].text.contains(QStringLiteral("К")));
    QVERIFY(dialog.isVisible());
    QCOMPARE(field(dialog, "1010")->text(), QStringLiteral("Конверт"));
    QCOMPARE(dialog.m_label, std::string());
}

void EnvelopeDialogsTest::editDialogOpensOnFirstSortedLabel()
{
    MessageRecorder recorder;
    EditDialog edit({format("Zeta", 1, 2, 3, 4, 5, 6), format("čtvrtka", 30, 21, 18, 12, 2, 2),
                     format("Beta", 16, 12, 9.5f, 7.5f, 1, 1)});

    QVERIFY(recorder.take().isEmpty());
    QCOMPARE(edit.dialog.windowTitle(), QStringLiteral("Upravit obálku"));
    QComboBox *list = control<QComboBox>(edit.dialog, "1010");
    QVERIFY(list);
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->itemText(0), QStringLiteral("Beta"));
    QCOMPARE(list->itemText(1), QStringLiteral("čtvrtka"));
    QCOMPARE(list->currentText(), QStringLiteral("Beta"));
    QCOMPARE(field(edit.dialog, "1000")->text(), QStringLiteral("16"));
    QCOMPARE(field(edit.dialog, "1001")->text(), QStringLiteral("12"));
    QCOMPARE(field(edit.dialog, "1005")->text(), QStringLiteral("9.5"));
    QCOMPARE(field(edit.dialog, "1006")->text(), QStringLiteral("7.5"));

    choose(list, 1);
    QCOMPARE(field(edit.dialog, "1000")->text(), QStringLiteral("30"));
    QCOMPARE(field(edit.dialog, "1003")->text(), QStringLiteral("2"));
}

void EnvelopeDialogsTest::editDialogWithoutFormats()
{
    MessageRecorder recorder;
    EditDialog edit({});

    QList<RecordedMessage> messages = recorder.take();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, QStringLiteral("Nejsou nadefinovány žádné obálky."));
    QCOMPARE(messages[0].caption, QStringLiteral("Chyba"));
    QCOMPARE(messages[0].icon, MessageIcon::Error);
    QVERIFY(edit.dialog.isVisible());
    QCOMPARE(control<QComboBox>(edit.dialog, "1010")->count(), 0);
    QCOMPARE(field(edit.dialog, "1000")->text(), QStringLiteral("0"));

    click(edit.dialog, "1");
    messages = recorder.take();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, QStringLiteral("Nezdařilo se najít obálku tohoto jména."));
    QCOMPARE(messages[0].caption, QStringLiteral("Vnitřní chyba."));
    QCOMPARE(messages[0].icon, MessageIcon::Error);
    QVERIFY(edit.dialog.isVisible());

    click(edit.dialog, "2");
    QCOMPARE(edit.dialog.result(), int(QDialog::Rejected));
    QCOMPARE(edit.envelopes.GetSize(), 0);
}

void EnvelopeDialogsTest::editDialogChangesChosenFormatInPlace()
{
    MessageRecorder recorder;
    EditDialog edit({format("B", 1, 2, 3, 4, 5, 6), format("A", 16, 12, 9.5f, 7.5f, 1, 1),
                     format("C", 7, 8, 9, 10, 11, 12)});
    choose(edit.dialog.m_labelList, 1);
    QCOMPARE(edit.dialog.m_labelList->currentText(), QStringLiteral("B"));
    const char *ids[] = {"1000", "1001", "1002", "1003", "1005", "1006"};
    const char *typed[] = {"22.9", "16.2", "0.5", "0.75", "12", "-1"};
    for (int i = 0; i < 6; ++i)
        field(edit.dialog, ids[i])->setText(QLatin1String(typed[i]));
    click(edit.dialog, "1");

    QVERIFY(recorder.take().isEmpty());
    QCOMPARE(edit.dialog.result(), int(QDialog::Accepted));
    QVERIFY(sameFormat(edit.envelopes.GetAt(0), format("B", 22.9f, 16.2f, 12, -1, 0.5f, 0.75f)));
    QVERIFY(sameFormat(edit.envelopes.GetAt(1), format("A", 16, 12, 9.5f, 7.5f, 1, 1)));
    QVERIFY(sameFormat(edit.envelopes.GetAt(2), format("C", 7, 8, 9, 10, 11, 12)));
}

void EnvelopeDialogsTest::editDialogLabelChangeDiscardsTyping()
{
    EditDialog edit({format("A", 16, 12, 9.5f, 7.5f, 1, 1), format("B", 1, 2, 3, 4, 5, 6)});
    field(edit.dialog, "1000")->setText(QStringLiteral("99"));
    choose(edit.dialog.m_labelList, 1);
    QCOMPARE(field(edit.dialog, "1000")->text(), QStringLiteral("1"));
    choose(edit.dialog.m_labelList, 0);
    QCOMPARE(field(edit.dialog, "1000")->text(), QStringLiteral("16"));
    QCOMPARE(edit.envelopes.GetAt(0).width, 16.0f);
}

void EnvelopeDialogsTest::editDialogLabelChangeWithUnparsedField_data()
{
    QTest::addColumn<QByteArray>("id");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("width");
    // The two addressee fields come before the label in the exchange: the label is then
    // never read and the old format is loaded again.
    QTest::newRow("addressee top") << QByteArray("1006") << "A"
                                   << "16";
    QTest::newRow("addressee left") << QByteArray("1005") << "A"
                                    << "16";
    QTest::newRow("sender top") << QByteArray("1003") << "B"
                                << "1";
    QTest::newRow("height") << QByteArray("1001") << "B"
                            << "1";
}

void EnvelopeDialogsTest::editDialogLabelChangeWithUnparsedField()
{
    QFETCH(QByteArray, id);
    QFETCH(QString, label);
    QFETCH(QString, width);
    MessageRecorder recorder;
    EditDialog edit({format("A", 16, 12, 9.5f, 7.5f, 1, 1), format("B", 1, 2, 3, 4, 5, 6)});
    field(edit.dialog, "1000")->setText(QStringLiteral("50"));
    field(edit.dialog, id.constData())->setText(QStringLiteral("x"));
    choose(edit.dialog.m_labelList, 1);

    const QList<RecordedMessage> messages = recorder.take();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, QStringLiteral("Zadejte číslo."));
    QCOMPARE(edit.dialog.m_labelList->currentText(), label);
    QCOMPARE(field(edit.dialog, "1000")->text(), width);
    QVERIFY(field(edit.dialog, id.constData())->text() != QStringLiteral("x"));
    QVERIFY(sameFormat(edit.envelopes.GetAt(0), format("A", 16, 12, 9.5f, 7.5f, 1, 1)));
}

void EnvelopeDialogsTest::editDialogTellsLabelsApartByCase_data()
{
    QTest::addColumn<int>("item");
    QTest::newRow("first item") << 0;
    QTest::newRow("second item") << 1;
    QTest::newRow("third item") << 2;
}

void EnvelopeDialogsTest::editDialogTellsLabelsApartByCase()
{
    QFETCH(int, item);
    MessageRecorder recorder;
    EditDialog edit({format("obálka", 10, 10, 1, 1, 1, 1), format("OBÁLKA", 20, 20, 2, 2, 2, 2),
                     format("Obálka", 30, 30, 3, 3, 3, 3)});
    choose(edit.dialog.m_labelList, item);
    const std::string chosen = cp1250(edit.dialog.m_labelList->currentText());
    const int index = edit.envelopes.FindByLabel(chosen);
    QCOMPARE(field(edit.dialog, "1000")->text(), QString::number((index + 1) * 10));

    field(edit.dialog, "1000")->setText(QStringLiteral("99"));
    click(edit.dialog, "1");
    QVERIFY(recorder.take().isEmpty());
    for (int i = 0; i < 3; ++i)
        QCOMPARE(edit.envelopes.GetAt(i).width, i == index ? 99.0f : float((i + 1) * 10));
}

QTEST_MAIN(EnvelopeDialogsTest)
#include "EnvelopeDialogsTest.moc"
