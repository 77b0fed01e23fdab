#pragma once

#include "Backup.h"
#include "RecordArray.h"

class QComboBox;
class QWidget;

// The four backup and restore commands of the view: file dialogs, writing or merging one
// list, the report, and the current directory set back afterwards in every case.
class BackupCommands
{
public:
    struct Lists
    {
        EnvelopeFormatArray *envelopes;
        AddressEntryArray *senders;
        AddressEntryArray *addressees;
        QComboBox *envelopeCombo;
        QComboBox *senderCombo;
        QComboBox *addresseeCombo;
    };
    BackupCommands(QWidget *owner, Lists lists) : m_owner(owner), m_lists(lists) {}

    void OnBackupSenders();
    void OnBackupAddressees();
    void OnBackupEnvelopes();
    void OnRestoreBackup();

private:
    QWidget *m_owner;
    Lists m_lists;
};
