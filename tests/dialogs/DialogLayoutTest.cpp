#include "CDeleteDlg.h"
#include "CEditAddressDlg.h"
#include "CEditEnvelopeDlg.h"
#include "CNewAddressDlg.h"
#include "CNewEnvelopeDlg.h"
#include "DialogTestSupport.h"
#include "MessageRecorder.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include <memory>

namespace {

struct Lists
{
    EnvelopeFormatArray envelopes;
    AddressEntryArray addresses;
    QComboBox envelopeCombo;
    QComboBox addressCombo;

    Lists()
    {
        envelopes.Append({16, 12, 9.5f, 6.5f, 1, 1, cp1250("Obálka C5 s okénkem vlevo")});
        addresses.Append(
            {cp1250("Jiří Šťastný\r\nŘeznická 12\r\n110 00 Praha 1"), cp1250("Šťastný, Řeznická")});
    }

    std::unique_ptr<QDialog> open(const QByteArray &kind)
    {
        std::unique_ptr<QDialog> dialog;
        if (kind == "new envelope") {
            auto *d = new CNewEnvelopeDlg;
            d->m_pEnvelopes = &envelopes;
            dialog.reset(d);
        } else if (kind == "edit envelope") {
            auto *d = new CEditEnvelopeDlg;
            d->m_pEnvelopes = &envelopes;
            dialog.reset(d);
        } else if (kind == "new address") {
            auto *d = new CNewAddressDlg;
            d->m_pEntries = &addresses;
            d->m_isSender = 1;
            dialog.reset(d);
        } else if (kind == "edit address") {
            auto *d = new CEditAddressDlg;
            d->m_pEntries = &addresses;
            d->m_isSender = 1;
            dialog.reset(d);
        } else {
            auto *d = new CDeleteDlg;
            d->m_pEnvelopes = &envelopes;
            d->m_pAddressees = &addresses;
            d->m_pSenders = &addresses;
            d->m_pEnvelopeCombo = &envelopeCombo;
            d->m_pAddresseeCombo = &addressCombo;
            d->m_pSenderCombo = &addressCombo;
            dialog.reset(d);
        }
        dialog->show();
        return dialog;
    }
};

} // namespace

class DialogLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void controlsAndTexts_data();
    void controlsAndTexts();
};

void DialogLayoutTest::controlsAndTexts_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QStringList>("tabOrder");
    QTest::addColumn<QStringList>("texts");
    const QStringList envelopeTexts{"Velikost obálky (cm)",
                                    "Šířka:",
                                    "Výška:",
                                    "Umístění adresy odesílatele (cm)",
                                    "Levá strana:",
                                    "Horní strana:",
                                    "Umístění adresy adresáta (cm)",
                                    "Označení obálky",
                                    "Spočítat",
                                    "Cancel"};
    QTest::newRow("new envelope") << QByteArray("new envelope")
                                  << QStringList{"1",    "2",    "1000", "1001", "1002", "1003",
                                                 "1005", "1006", "1010", "1012", "1013"}
                                  << envelopeTexts + QStringList{"OK"};
    QTest::newRow("edit envelope") << QByteArray("edit envelope")
                                   << QStringList{"1",    "2",    "1000", "1001", "1002", "1003",
                                                  "1005", "1006", "1012", "1013", "1010"}
                                   << envelopeTexts + QStringList{"Upravit"};
    QTest::newRow("new address") << QByteArray("new address")
                                 << QStringList{"1", "2", "1013", "1014"}
                                 << QStringList{"Označení adresy:", "Adresa:", "OK", "Cancel"};
    QTest::newRow("edit address") << QByteArray("edit address")
                                  << QStringList{"1", "2", "1014", "1013"}
                                  << QStringList{"Označení adresy:", "Adresa:", "Upravit",
                                                 "Cancel"};
    QTest::newRow("delete") << QByteArray("delete")
                            << QStringList{"2", "1016", "1017", "1018", "1019", "1020", "1021"}
                            << QStringList{"Obálky:", "Adresáti:", "Odesílatelé:", "Smazat",
                                           "Zavřít"};
}

void DialogLayoutTest::controlsAndTexts()
{
    QFETCH(QByteArray, kind);
    QFETCH(QStringList, tabOrder);
    QFETCH(QStringList, texts);
    MessageRecorder recorder;
    Lists lists;
    std::unique_ptr<QDialog> dialog = lists.open(kind);
    QVERIFY(recorder.take().isEmpty());

    // Focus starts on the first control and Tab visits the others in order.
    QWidget *first = dialog->focusWidget();
    QVERIFY(first);
    QStringList chain{first->objectName()};
    for (QWidget *w = first->nextInFocusChain(); w != first; w = w->nextInFocusChain()) {
        if (!w->objectName().isEmpty() && (w->focusPolicy() & Qt::TabFocus))
            chain << w->objectName();
    }
    QCOMPARE(chain, tabOrder);

    // Every caption shows whole: each text control is at least as wide as its text needs.
    QStringList shown;
    for (QLabel *label : dialog->findChildren<QLabel *>()) {
        shown << label->text();
        QVERIFY2(label->width() >= label->minimumSizeHint().width(), qPrintable(label->text()));
    }
    for (QAbstractButton *button : dialog->findChildren<QAbstractButton *>()) {
        shown << button->text();
        QVERIFY2(button->width() >= button->minimumSizeHint().width(), qPrintable(button->text()));
    }
    for (QGroupBox *group : dialog->findChildren<QGroupBox *>()) {
        shown << group->title();
        QVERIFY2(group->width() >= group->minimumSizeHint().width(), qPrintable(group->title()));
    }
    for (QComboBox *list : dialog->findChildren<QComboBox *>()) {
        if (list->count() > 0)
            QVERIFY2(list->width() >= list->minimumSizeHint().width(),
                     qPrintable(list->objectName()));
    }
    for (const QString &text : texts)
        QVERIFY2(shown.contains(text), qPrintable(text));
}

QTEST_MAIN(DialogLayoutTest)
#include "DialogLayoutTest.moc"
