#pragma once

#include "AddressEntryArray.h"
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

// What the store files hold, read apart from the workspace (on another thread if need be).
struct StoredLists
{
    EnvelopeFormatArray envelopes;
    AddressEntryArray senders;
    AddressEntryArray addressees;
    LoadReport envelopeReport;
    LoadReport addressReport;
};

// The store files of the workspace in the current directory: read once at the first
// set-up, written once at the end. A damaged file is copied aside before anything can
// overwrite it; if that copy fails, the file is left alone at the end.
class WorkspaceStores
{
public:
    // Missing or damaged: the default font comes back.
    PrintFont loadPrintFont();
    // Reads the store files and nothing else: safe on any thread.
    static StoredLists readLists();
    // Takes the lists over into the (empty) collections and notes damaged files.
    void adoptLists(StoredLists &&lists, EnvelopeFormatArray &envelopes,
                    AddressEntryArray &senders, AddressEntryArray &addressees);

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
