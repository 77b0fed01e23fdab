#include "CDeleteDlg.h"
#include "Cp1250.h"
#include "DialogTestSupport.h"
#include "MessageRecorder.h"
#include "RecordListModel.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString none = QStringLiteral("<Žádný>");

// The view's side of one run: its collections and its three editable sorted combo boxes.
struct View
{
    EnvelopeFormatArray envelopes;
    AddressEntryArray senders;
    AddressEntryArray addressees;
    EnvelopeListModel envelopeList{envelopes};
    AddressListModel addresseeList{addressees, none};
    AddressListModel senderList{senders, none};
    QComboBox envelopeCombo;
    QComboBox addresseeCombo;
    QComboBox senderCombo;

    View(const QStringList &envelopeLabels, const QStringList &addresseeLabels,
         const QStringList &senderLabels)
    {
        for (const QString &label : envelopeLabels)
            envelopes.Append({16, 12, 9.5f, 6.5f, 1, 1, cp1250(label)});
        for (const QString &label : addresseeLabels)
            addressees.Append({cp1250(label + QStringLiteral(" text")), cp1250(label)});
        for (const QString &label : senderLabels)
            senders.Append({cp1250(label + QStringLiteral(" text")), cp1250(label)});
        show(envelopeCombo, envelopeList);
        show(addresseeCombo, addresseeList);
        show(senderCombo, senderList);
    }

    static void show(QComboBox &combo, LabelListModel &list)
    {
        list.reload();
        combo.setEditable(true);
        combo.setModel(&list);
        combo.setCurrentIndex(0);
    }

    void connect(CDeleteDlg &dialog)
    {
        dialog.m_pEnvelopeCombo = &envelopeCombo;
        dialog.m_pAddresseeCombo = &addresseeCombo;
        dialog.m_pSenderCombo = &senderCombo;
        dialog.m_pEnvelopes = &envelopes;
        dialog.m_pSenders = &senders;
        dialog.m_pAddressees = &addressees;
    }
};

template <typename Array> QStringList labels(const Array &entries)
{
    QStringList texts;
    for (int i = 0; i < entries.GetSize(); ++i)
        texts << fromCp1250(entries.GetAt(i).label);
    return texts;
}

void select(QComboBox &combo, const QString &text)
{
    const int index = combo.findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    Q_ASSERT(index >= 0);
    combo.setCurrentIndex(index);
}

} // namespace

class DeleteDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void opensWithThreeSortedRows();
    void deletesExactlyTheSelectedEntry_data();
    void deletesExactlyTheSelectedEntry();
    void eachRowWorksOnItsOwnList_data();
    void eachRowWorksOnItsOwnList();
    void emptiedRowDoesNothing();
    void deletingAllAddresseesLeavesNone();
    void labelsDifferingInCaseStayDistinct();
    void closeDeletesNothing();
    void onlyTheDeleteButtonsDelete_data();
    void onlyTheDeleteButtonsDelete();
};

void DeleteDlgTest::opensWithThreeSortedRows()
{
    View view({"DL", "C5", "B4"}, {"Šimon", "Adam"}, {});
    CDeleteDlg dialog;
    view.connect(dialog);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Mazání obálek, adresátů a odesílatelů"));
    QCOMPARE(comboItems(dialog.m_envelopeList), (QStringList{"B4", "C5", "DL"}));
    QCOMPARE(comboItems(dialog.m_addresseeList), (QStringList{"Adam", "Šimon"}));
    QCOMPARE(dialog.m_senderList->count(), 0);
    QCOMPARE(dialog.m_envelopeList->currentIndex(), 0);
    QCOMPARE(dialog.m_addresseeList->currentIndex(), 0);
    QCOMPARE(dialog.m_senderList->currentIndex(), -1);
    QCOMPARE(control<QPushButton>(dialog, "1017")->text(), QStringLiteral("Smazat"));
    QCOMPARE(control<QPushButton>(dialog, "2")->text(), QStringLiteral("Zavřít"));
}

void DeleteDlgTest::deletesExactlyTheSelectedEntry_data()
{
    QTest::addColumn<QString>("deleted");
    QTest::addColumn<QString>("selectedInView");
    QTest::addColumn<QString>("viewSelectionAfter");
    QTest::addColumn<QString>("listSelectionAfter");
    // Addressees Adam, Jan, Jana, Zora plus <Žádný> in the view.
    QTest::newRow("selected in view") << "Jan"
                                      << "Jan"
                                      << "Jana"
                                      << "Jana";
    QTest::newRow("selected and last") << "Zora"
                                       << "Zora"
                                       << "Jana"
                                       << "Jana";
    QTest::newRow("not selected, before") << "Adam"
                                          << "Jana"
                                          << "Jana"
                                          << "Jan";
    QTest::newRow("not selected, after") << "Zora"
                                         << "Adam"
                                         << "Adam"
                                         << "Jana";
    QTest::newRow("prefix of another") << "Jan"
                                       << "Jana"
                                       << "Jana"
                                       << "Jana";
    QTest::newRow("none stays selected") << "Adam" << none << none << "Jan";
}

void DeleteDlgTest::deletesExactlyTheSelectedEntry()
{
    QFETCH(QString, deleted);
    QFETCH(QString, selectedInView);
    QFETCH(QString, viewSelectionAfter);
    QFETCH(QString, listSelectionAfter);
    MessageRecorder recorder;
    const QStringList all{"Zora", "Jan", "Adam", "Jana"};
    View view({}, all, {});
    select(view.addresseeCombo, selectedInView);
    QSignalSpy viewChanges(&view.addresseeCombo, &QComboBox::currentIndexChanged);
    QSignalSpy viewTextChanges(&view.addresseeCombo, &QComboBox::currentTextChanged);
    CDeleteDlg dialog;
    view.connect(dialog);
    dialog.show();
    select(*dialog.m_addresseeList, deleted);
    control<QPushButton>(dialog, "1019")->click();

    QStringList remaining = all;
    remaining.removeOne(deleted);
    QCOMPARE(labels(view.addressees), remaining);
    QCOMPARE(view.addressees.FindByLabel(cp1250(deleted)), -1);
    QVERIFY(!comboItems(&view.addresseeCombo).contains(deleted));
    QCOMPARE(view.addresseeCombo.count(), all.size());
    QCOMPARE(view.addresseeCombo.currentText(), viewSelectionAfter);
    QCOMPARE(dialog.m_addresseeList->currentText(), listSelectionAfter);
    QCOMPARE(dialog.m_addresseeList->count(), all.size() - 1);
    // The view hears nothing: its text boxes keep what they show.
    QCOMPARE(viewChanges.count(), 0);
    QCOMPARE(viewTextChanges.count(), 0);
    QVERIFY(recorder.take().isEmpty());
    QVERIFY(dialog.isVisible());
}

void DeleteDlgTest::eachRowWorksOnItsOwnList_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<int>("envelopes");
    QTest::addColumn<int>("addressees");
    QTest::addColumn<int>("senders");
    QTest::newRow("envelopes") << QByteArray("1017") << 1 << 2 << 2;
    QTest::newRow("addressees") << QByteArray("1019") << 2 << 1 << 2;
    QTest::newRow("senders") << QByteArray("1021") << 2 << 2 << 1;
}

void DeleteDlgTest::eachRowWorksOnItsOwnList()
{
    QFETCH(QByteArray, button);
    QFETCH(int, envelopes);
    QFETCH(int, addressees);
    QFETCH(int, senders);
    // The same two labels in all three lists.
    View view({"Domů", "Práce"}, {"Domů", "Práce"}, {"Domů", "Práce"});
    CDeleteDlg dialog;
    view.connect(dialog);
    dialog.show();
    control<QPushButton>(dialog, button.constData())->click();

    QCOMPARE(view.envelopes.GetSize(), envelopes);
    QCOMPARE(view.addressees.GetSize(), addressees);
    QCOMPARE(view.senders.GetSize(), senders);
    QCOMPARE(view.envelopeCombo.count(), envelopes);
    QCOMPARE(view.addresseeCombo.count(), addressees + 1);
    QCOMPARE(view.senderCombo.count(), senders + 1);
    QCOMPARE(dialog.m_envelopeList->count(), envelopes);
    QCOMPARE(dialog.m_addresseeList->count(), addressees);
    QCOMPARE(dialog.m_senderList->count(), senders);
}

void DeleteDlgTest::emptiedRowDoesNothing()
{
    View view({"DL"}, {"Adam"}, {"Bára"});
    CDeleteDlg dialog;
    view.connect(dialog);
    dialog.show();
    QPushButton *deleteEnvelope = control<QPushButton>(dialog, "1017");
    deleteEnvelope->click();
    QCOMPARE(view.envelopes.GetSize(), 0);
    QCOMPARE(view.envelopeCombo.count(), 0);
    QCOMPARE(view.envelopeCombo.currentIndex(), -1);
    QCOMPARE(dialog.m_envelopeList->count(), 0);
    QCOMPARE(dialog.m_envelopeList->currentIndex(), -1);

    deleteEnvelope->click();
    QCOMPARE(view.envelopes.GetSize(), 0);
    QCOMPARE(view.addressees.GetSize(), 1);
    QCOMPARE(view.senders.GetSize(), 1);
    QCOMPARE(comboItems(&view.addresseeCombo), (QStringList{none, "Adam"}));
}

void DeleteDlgTest::deletingAllAddresseesLeavesNone()
{
    View view({}, {"Cyril", "Adam", "Bára"}, {});
    select(view.addresseeCombo, QStringLiteral("Bára"));
    CDeleteDlg dialog;
    view.connect(dialog);
    dialog.show();
    for (int i = 0; i < 4; ++i)
        control<QPushButton>(dialog, "1019")->click();
    QCOMPARE(view.addressees.GetSize(), 0);
    QCOMPARE(comboItems(&view.addresseeCombo), QStringList{none});
    QCOMPARE(view.addresseeCombo.currentText(), none);
}

void DeleteDlgTest::labelsDifferingInCaseStayDistinct()
{
    View view({}, {}, {"novák", "Novák", "NOVÁK"});
    select(view.senderCombo, QStringLiteral("Novák"));
    CDeleteDlg dialog;
    view.connect(dialog);
    dialog.show();
    select(*dialog.m_senderList, QStringLiteral("NOVÁK"));
    control<QPushButton>(dialog, "1021")->click();

    QCOMPARE(labels(view.senders), (QStringList{"novák", "Novák"}));
    QStringList shown = comboItems(&view.senderCombo);
    shown.sort();
    QCOMPARE(shown, (QStringList{none, "Novák", "novák"}));
    QCOMPARE(view.senderCombo.currentText(), QStringLiteral("Novák"));
    QCOMPARE(comboItems(dialog.m_senderList).size(), 2);
    QVERIFY(!comboItems(dialog.m_senderList).contains(QStringLiteral("NOVÁK")));
}

void DeleteDlgTest::closeDeletesNothing()
{
    View view({"DL"}, {"Adam"}, {"Bára"});
    CDeleteDlg dialog;
    view.connect(dialog);
    dialog.show();
    control<QPushButton>(dialog, "2")->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(view.envelopes.GetSize(), 1);
    QCOMPARE(view.addressees.GetSize(), 1);
    QCOMPARE(view.senders.GetSize(), 1);
}

void DeleteDlgTest::onlyTheDeleteButtonsDelete_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<int>("key");
    for (const char *list : {"1016", "1018", "1020"})
        QTest::addRow("Enter in %s", list) << QByteArray(list) << int(Qt::Key_Return);
    QTest::newRow("Esc closes") << QByteArray("1018") << int(Qt::Key_Escape);
}

void DeleteDlgTest::onlyTheDeleteButtonsDelete()
{
    QFETCH(QByteArray, list);
    QFETCH(int, key);
    View view({"DL"}, {"Adam"}, {"Bára"});
    CDeleteDlg dialog;
    view.connect(dialog);
    dialog.show();
    control<QWidget>(dialog, list.constData())->setFocus();
    QTest::keyClick(control<QWidget>(dialog, list.constData()), Qt::Key(key));
    QCOMPARE(dialog.isVisible(), key != Qt::Key_Escape);
    QCOMPARE(view.envelopes.GetSize() + view.addressees.GetSize() + view.senders.GetSize(), 3);
}

QTEST_MAIN(DeleteDlgTest)
#include "DeleteDlgTest.moc"
