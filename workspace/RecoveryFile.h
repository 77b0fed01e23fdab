#pragma once

#include "AddressEntryArray.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QTimer>

#include <cstddef>
#include <optional>

class QWidget;

// The recovery file beside the stores: about a second after each change it holds the
// lists as they are, until the stores do; at the next start after a crash it offers them
// back. The stores themselves are written only at the end.
class RecoveryFile
{
    Q_DECLARE_TR_FUNCTIONS(RecoveryFile)

public:
    RecoveryFile(const EnvelopeFormatArray &envelopes, const AddressEntryArray &senders,
                 const AddressEntryArray &addressees);

    // At the first set-up, instead of reading the stores: when a previous session left its
    // changes and the user wants them back, they fill the (still empty) lists and true
    // comes back. Otherwise the file is set aside under a name that says so.
    bool offerLeftChanges(QWidget *owner, EnvelopeFormatArray &envelopes,
                          AddressEntryArray &senders, AddressEntryArray &addressees);
    // The lists now hold what the stores hold: no file until they differ. The fingerprint of
    // the lists may have been taken already.
    void markSaved();
    void markSaved(std::size_t fingerprint);
    // Tells lists apart without a copy of them.
    static std::size_t fingerprintOf(const EnvelopeFormatArray &envelopes,
                                     const AddressEntryArray &senders,
                                     const AddressEntryArray &addressees);
    // A list may have changed: the file follows within about a second.
    void scheduleWrite();
    // Before the stores are written: a pending change goes to the file at once, so that a
    // save cut short loses nothing. True when the file holds changes the stores lack.
    bool keepChangesNow();
    // The stores hold the lists: the file is not needed any more.
    void remove();

private:
    void write();
    // A symbolic link at the file's name (anyone who can write to a shared folder could
    // point it at any file of the user's) is reported once and left alone: the file is then
    // neither read, written nor removed.
    bool isLinkInTheWay(QWidget *owner);

    const EnvelopeFormatArray &m_envelopes;
    const AddressEntryArray &m_senders;
    const AddressEntryArray &m_addressees;
    QTimer m_timer;
    // Of the lists as the stores hold them; none after the lists came from the file.
    std::optional<std::size_t> m_savedFingerprint;
    bool m_holdsChanges = false;
    // A file that could not be set aside, or a link, is left for the user.
    bool m_disabled = false;
};
