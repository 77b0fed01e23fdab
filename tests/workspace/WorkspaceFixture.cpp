#include "WorkspaceFixture.h"

#include "CTobrelView.h"
#include "StoreFiles.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

bool WorkspaceFixture::writeStores(const QList<EnvelopeFormat> &envelopes,
                                   const QList<AddressEntry> &senders,
                                   const QList<AddressEntry> &addressees) const
{
    EnvelopeFormatArray envelopeArray;
    for (const EnvelopeFormat &format : envelopes)
        envelopeArray.Append(format);
    AddressEntryArray senderArray;
    for (const AddressEntry &entry : senders)
        senderArray.Append(entry);
    AddressEntryArray addresseeArray;
    for (const AddressEntry &entry : addressees)
        addresseeArray.Append(entry);
    return saveEnvelopeStore(path(kEnvelopeStoreName), envelopeArray) &&
           saveAddressStore(path(kAddressStoreName), senderArray, addresseeArray);
}

std::unique_ptr<CTobrelView> WorkspaceFixture::startView()
{
    auto view = std::make_unique<CTobrelView>();
    view->resize(900, 600);
    view->OnInitialUpdate();
    // Damaged stores are reported once the event loop runs.
    QCoreApplication::processEvents();
    return view;
}

void choose(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
}

void showThirdField(CTobrelView &view, const char *left, const char *top, const char *width,
                    const char *height)
{
    view.OnCmdMsg(Command::ThirdField);
    const std::pair<const char *, const char *> boxes[] = {
        {"1018", left}, {"1019", top}, {"1020", width}, {"1021", height}};
    for (const auto &[id, text] : boxes) {
        auto *box = view.m_thirdField.findChild<QLineEdit *>(QLatin1String(id));
        QVERIFY(box);
        box->setText(QLatin1String(text));
    }
}
