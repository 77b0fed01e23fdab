#pragma once

#include "AddressColumns.h"
#include "AddressEntryArray.h"
#include "Backup.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Addresses exchanged with spreadsheets, phones and mail programs: CSV (.csv) or vCard
// (.vcf), known from the file name's extension in any letter case.
enum class AddressList { Addressees, Senders };

bool isAddressFileName(const QString &path);

struct AddressFileImport
{
    QString error; // set: nothing may be merged, and this says why (Czech, names the file)
    bool noAddressColumn = false; // the error is a CSV none of whose columns holds a place

    // A CSV whose columns are not all known, or none holds a place: its first rows and the
    // layout as recognised (or as chosen last time for that header), to be mapped by the user.
    bool columnsUnclear = false;
    std::vector<QStringList> firstRows;
    ColumnLayout layout;

    std::vector<AddressEntry> entries; // in file order, as code page 1250, labels unique
    std::vector<std::pair<std::string, QString>> changes; // label, what was changed and why
    QStringList withoutAddress; // contacts with no place to send to, left out
};
// Larger files are refused before they are read: a hundred times a long address book.
inline constexpr qint64 kMaxAddressFileBytes = qint64(64) << 20;
// With columns, a CSV's columns are taken as chosen; without, as its header names them or
// as the user chose for that header before.
AddressFileImport readAddressFile(const QString &path,
                                  const std::optional<ColumnChoice> &columns = std::nullopt);

// The envelope texts of the first rows as the import would store them, for the mapping's
// preview.
QStringList previewTexts(const std::vector<QStringList> &firstRows, const ColumnLayout &layout,
                         int count);

// An empty string when the file was written; otherwise why not (the old file stays whole).
QString writeAddressFile(const QString &path, const AddressEntryArray &entries);

// The report of an import merged like a restore: what happened in one sentence, "Přidáno N,
// již v seznamu M, bez adresy K, upraveno L", then the labels behind each number.
QString importReport(AddressList list, const RestoreOutcome &outcome,
                     const AddressFileImport &file);
QString importTitle(AddressList list);
