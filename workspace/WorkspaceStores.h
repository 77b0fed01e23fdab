#pragma once

#include "RecordArray.h"
#include "StoreFiles.h"

#include <QList>
#include <QString>
#include <QStringList>

// A store file that could not be written, and why.
struct StoreSaveFailure
{
    QString fileName;
    QString reason;
};

// The store files of the workspace in the current directory: read once at the first
// set-up, written once at the end. A damaged file is copied aside before anything can
// overwrite it; if that copy fails, the file is left alone at the end.
class WorkspaceStores
{
public:
    // Missing or damaged: the default font comes back.
    PrintFont loadPrintFont();
    // Appends to the lists as they are; only whole entries.
    void loadLists(EnvelopeFormatArray &envelopes, AddressEntryArray &senders,
                   AddressEntryArray &addressees);

    // What the user is to hear about damaged files, once.
    QStringList takeLoadMessages();

    // Writes all three files; those that could not be written.
    QList<StoreSaveFailure> save(const EnvelopeFormatArray &envelopes,
                                 const AddressEntryArray &senders,
                                 const AddressEntryArray &addressees, const PrintFont &font) const;

    static QString saveFailureMessage(const QList<StoreSaveFailure> &failures);

private:
    void noteLoad(const char *fileName, const LoadReport &report);

    QStringList m_loadMessages;
    QStringList m_leaveAlone;
};
