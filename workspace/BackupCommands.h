#pragma once

#include "AddressEntryArray.h"
#include "Backup.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class LabelListModel;
class QWidget;

// The backup and restore commands of the view: file dialogs, writing or merging one
// list, the report, and the current directory set back afterwards in every case.
class BackupCommands
{
    Q_DECLARE_TR_FUNCTIONS(BackupCommands)

public:
    struct Lists
    {
        EnvelopeFormatArray *envelopes;
        AddressEntryArray *senders;
        AddressEntryArray *addressees;
        // What the view's combos show; told of the restored entries.
        LabelListModel *envelopeList;
        LabelListModel *senderList;
        LabelListModel *addresseeList;
    };
    BackupCommands(QWidget *owner, Lists lists) : m_owner(owner), m_lists(lists) {}

    void OnBackupSenders();
    void OnBackupAddressees();
    void OnBackupEnvelopes();
    void OnRestoreBackup();
    // Merges the standard envelope sizes as a restore merges a backup, and reports.
    void OnAddStandardEnvelopes();

private:
    struct BackupDialogTexts
    {
        QString title;
        QString defaultName;
        QString defaultExtension;
        QString filter;
    };
    void backup(const BackupDialogTexts &texts,
                const std::function<bool(const QString &path, QString *why)> &write);
    void restore(const QString &path);

    QWidget *m_owner;
    Lists m_lists;
};
