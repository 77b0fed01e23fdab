#pragma once

#include "AddressEntryArray.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

// A backup holds one list in the store encoding; its kind is known from the file name's
// extension alone, compared with its exact letter case.
enum class BackupKind
{
    Envelopes,
    Senders,
    Addressees
};
std::optional<BackupKind> backupKindFromExtension(const QString &extension);

// false when the file could not be written, with the reason in why; a file of that name
// then keeps its old content.
bool writeEnvelopeBackup(const QString &path, const EnvelopeFormatArray &envelopes,
                         QString *why = nullptr);
bool writeAddressBackup(const QString &path, const AddressEntryArray &entries,
                        QString *why = nullptr);

// The outcome of merging one backup into its list.
struct RestoreOutcome
{
    bool opened = false;                  // false: the file could not be opened
    bool whole = true;                    // false: ended early or does not match its kind
    std::vector<std::string> addedLabels; // in file order, already appended
    std::vector<std::string> skippedLabels;
};

// Appends the whole entries whose labels the list, as it grows, does not hold yet.
RestoreOutcome restoreEnvelopeBackup(const QString &path, EnvelopeFormatArray &envelopes);
RestoreOutcome restoreAddressBackup(const QString &path, AddressEntryArray &entries);

// Merge entries from elsewhere (an import, the standard formats) as a restore merges a backup.
RestoreOutcome mergeAddressEntries(AddressEntryArray &entries, std::vector<AddressEntry> &&incoming);
RestoreOutcome mergeEnvelopeFormats(EnvelopeFormatArray &envelopes,
                                    std::vector<EnvelopeFormat> &&incoming);

// A header, then one line per label (the first 500, then how many more); nothing when there
// are no labels.
QString labelListSection(const QString &header, const QStringList &labels);
QString labelListSection(const QString &header, const std::vector<std::string> &labels);

// The report text: success line, then the header and one line per skipped label.
QString restoreReport(BackupKind kind, const std::vector<std::string> &skippedLabels);
// The header, then each label on its own line; nothing when there are no labels.
QString labelLines(const QString &header, const std::vector<std::string> &labels);
// The report for a file that could not be read whole: no success line, but what was taken
// and what was skipped before the fault.
QString unreadableBackupReport(BackupKind kind, const RestoreOutcome &outcome);
// The message box title of a restore of this kind.
QString restoreTitle(BackupKind kind);
