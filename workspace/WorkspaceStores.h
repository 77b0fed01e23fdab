#pragma once

#include "RecordArray.h"
#include "StoreFiles.h"

#include <QString>
#include <QStringList>

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

    // Writes all three files; the names of those that could not be written.
    QStringList save(const EnvelopeFormatArray &envelopes, const AddressEntryArray &senders,
                     const AddressEntryArray &addressees, const PrintFont &font) const;

    static QString saveFailureMessage(const QStringList &fileNames);

private:
    void noteLoad(const char *fileName, const LoadReport &report);

    QStringList m_loadMessages;
    QStringList m_leaveAlone;
};
