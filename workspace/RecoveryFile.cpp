#include "RecoveryFile.h"

#include "MessageBox.h"
#include "StoreFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <bit>
#include <utility>

namespace {
QString fileName()
{
    return QString::fromLatin1(kRecoveryFileName);
}

std::size_t hashLabelled(std::string_view bytes, std::size_t seed)
{
    return qHashBits(bytes.data(), bytes.size(), qHash(bytes.size(), seed));
}

std::size_t hashAddresses(const AddressEntryArray &entries, std::size_t seed)
{
    seed = qHash(entries.GetSize(), seed);
    for (int i = 0; i < entries.GetSize(); ++i) {
        const AddressView entry = entries.ElementAt(i);
        seed = hashLabelled(entry.text, hashLabelled(entry.label, seed));
    }
    return seed;
}
} // namespace

RecoveryFile::RecoveryFile(const EnvelopeFormatArray &envelopes,
                           const AddressEntryArray &senders, const AddressEntryArray &addressees)
    : m_envelopes(envelopes), m_senders(senders), m_addressees(addressees)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(1000);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { write(); });
}

bool RecoveryFile::offerLeftChanges(QWidget *owner, EnvelopeFormatArray &envelopes,
                                    AddressEntryArray &senders, AddressEntryArray &addressees)
{
    if (isLinkInTheWay(owner) || !QFile::exists(fileName()))
        return false;
    EnvelopeFormatArray leftEnvelopes;
    AddressEntryArray leftSenders;
    AddressEntryArray leftAddressees;
    const bool whole = loadRecoveryStore(fileName(), leftEnvelopes, leftSenders,
                                         leftAddressees)
                           .state == LoadReport::State::Whole;
    const QString aside = unusedNameBeside(fileName(), "odlozeno");
    if (whole &&
        askYesNo(owner,
                 tr("Minulé spuštění programu v této složce neskončilo řádně. Změny seznamů, "
                    "které v něm nebyly uloženy, jsou uschovány v souboru „%1“.\n\n"
                    "Chcete tyto neuložené změny obnovit?\n\nNe: načtou se uložené seznamy "
                    "a změny zůstanou uschovány jako „%2“.")
                     .arg(fileName(), aside),
                 tr("Tobrel"))) {
        envelopes = std::move(leftEnvelopes);
        senders = std::move(leftSenders);
        addressees = std::move(leftAddressees);
        m_holdsChanges = true;
        return true;
    }
    m_disabled = aside.isEmpty() || !QFile::rename(fileName(), aside);
    if (!whole)
        showMessageBox(owner,
                       tr("Soubor „%1“ s neuloženými změnami z minulého spuštění programu je "
                          "poškozený, proto se načtou uložené seznamy. Soubor je uschován "
                          "jako „%2“.")
                           .arg(fileName(), m_disabled ? fileName() : aside),
                       tr("Tobrel"), MessageIcon::Exclamation);
    return false;
}

std::size_t RecoveryFile::fingerprintOf(const EnvelopeFormatArray &envelopes,
                                        const AddressEntryArray &senders,
                                        const AddressEntryArray &addressees)
{
    std::size_t seed = qHash(envelopes.GetSize());
    for (int i = 0; i < envelopes.GetSize(); ++i) {
        const EnvelopeFormat &format = envelopes.ElementAt(i);
        // Bit for bit, as the store keeps them.
        seed = qHashMulti(hashLabelled(format.label, seed), std::bit_cast<quint32>(format.width),
                          std::bit_cast<quint32>(format.height),
                          std::bit_cast<quint32>(format.addresseeLeft),
                          std::bit_cast<quint32>(format.addresseeTop),
                          std::bit_cast<quint32>(format.senderLeft),
                          std::bit_cast<quint32>(format.senderTop));
    }
    return hashAddresses(addressees, hashAddresses(senders, seed));
}

void RecoveryFile::markSaved()
{
    markSaved(fingerprintOf(m_envelopes, m_senders, m_addressees));
}

void RecoveryFile::markSaved(std::size_t fingerprint)
{
    m_savedFingerprint = fingerprint;
}

void RecoveryFile::scheduleWrite()
{
    if (!m_disabled)
        m_timer.start();
}

bool RecoveryFile::keepChangesNow()
{
    if (m_timer.isActive()) {
        m_timer.stop();
        write();
    }
    return m_holdsChanges;
}

void RecoveryFile::remove()
{
    m_timer.stop();
    if (!m_disabled)
        QFile::remove(fileName());
    m_holdsChanges = false;
}

bool RecoveryFile::isLinkInTheWay(QWidget *owner)
{
    if (m_disabled || !QFileInfo(fileName()).isSymLink())
        return m_disabled;
    m_disabled = true;
    showMessageBox(owner,
                   tr("Soubor „%1“ v této složce je symbolický odkaz. Program přes něj nic "
                      "nečte ani nezapisuje a nechává ho, jak je, takže se neuložené změny "
                      "neuschovávají. Odkaz odstraňte a spusťte program znovu.")
                       .arg(fileName()),
                   tr("Tobrel"), MessageIcon::Exclamation);
    return true;
}

void RecoveryFile::write()
{
    if (isLinkInTheWay(nullptr))
        return;
    // Changes undone again leave nothing to recover.
    if (m_savedFingerprint == fingerprintOf(m_envelopes, m_senders, m_addressees)) {
        QFile::remove(fileName());
        m_holdsChanges = false;
        return;
    }
    // A failure here is not reported: the save at the end reports its own.
    m_holdsChanges = saveRecoveryStore(fileName(), m_envelopes, m_senders, m_addressees);
}
