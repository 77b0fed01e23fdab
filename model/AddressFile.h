#pragma once

#include "AddressEntryArray.h"
#include "Backup.h"

#include <QString>
#include <QStringList>

#include <vector>

// Addresses exchanged with spreadsheets, phones and mail programs: CSV (.csv) or vCard
// (.vcf), known from the file name's extension in any letter case.
enum class AddressList { Addressees, Senders };

bool isAddressFileName(const QString &path);

struct AddressFileImport
{
    QString error; // set: nothing may be merged, and this says why (Czech, names the file)
    std::vector<AddressEntry> entries; // in file order, as code page 1250
    QStringList unstorable; // entries left out: "label (characters code page 1250 lacks)"
};
// Larger files are refused before they are read: a hundred times a long address book.
inline constexpr qint64 kMaxAddressFileBytes = qint64(64) << 20;
AddressFileImport readAddressFile(const QString &path);

// An empty string when the file was written; otherwise why not (the old file stays whole).
QString writeAddressFile(const QString &path, const AddressEntryArray &entries);

// The report of an import merged like a restore: success line, the labels that already
// existed, the entries that could not be stored.
QString importReport(AddressList list, const RestoreOutcome &outcome,
                     const QStringList &unstorable);
QString importTitle(AddressList list);
