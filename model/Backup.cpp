#include "Backup.h"

#include "Archive.h"
#include "Cp1250.h"
#include "StoreFiles.h"

#include <QCoreApplication>

#include <algorithm>
#include <string>
#include <unordered_set>

namespace {

// Appends the entries whose labels the list, as it grows, does not hold yet, so a label
// repeated in the incoming entries is skipped too.
template <typename List> class LabelMerge
{
public:
    using Entry = typename List::Entry;

    LabelMerge(List &list, RestoreOutcome &outcome) : m_list(list), m_outcome(outcome)
    {
        // The labels the list holds, as FindByLabel would find them (byte for byte); a
        // scan of the list per entry would freeze the window for a large file.
        m_labels.reserve(std::size_t(list.GetSize()));
        for (int i = 0; i < list.GetSize(); ++i)
            m_labels.emplace(list.ElementAt(i).label);
    }

    void operator()(Entry &&entry)
    {
        if (m_labels.count(entry.label) > 0) {
            m_outcome.skippedLabels.push_back(entry.label);
        } else {
            m_labels.insert(entry.label);
            m_outcome.addedLabels.push_back(entry.label);
            m_list.Append(std::move(entry));
        }
    }

private:
    List &m_list;
    RestoreOutcome &m_outcome;
    std::unordered_set<std::string> m_labels;
};

// A restore copies what it appends: a backup's bytes are not kept.
EnvelopeFormat &&ownEntry(EnvelopeFormat &&format)
{
    return std::move(format);
}
AddressEntry ownEntry(AddressView &&address)
{
    return address.copy();
}

template <typename List, typename ReadList>
RestoreOutcome restoreList(const QString &path, List &list, ReadList readList)
{
    RestoreOutcome outcome;
    const FileContents contents = readWholeFile(path);
    if (contents.status != FileReadStatus::Read)
        return outcome;
    outcome.opened = true;

    ArchiveReader in(contents.bytes);
    LabelMerge<List> merge(list, outcome);
    const bool listWhole =
        readList(in, [&](auto &&entry) { merge(ownEntry(std::move(entry))); }, {});
    // Bytes after the last entry mean the file holds another kind of list.
    outcome.whole = listWhole && in.atEnd();
    return outcome;
}

QString skippedList(BackupKind kind, const std::vector<std::string> &skippedLabels)
{
    QString header;
    switch (kind) {
    case BackupKind::Envelopes:
        header = QCoreApplication::translate(
            "Backup", "Tyto obálky již existovaly a nebyly obnoveny ze zálohy:\n");
        break;
    case BackupKind::Senders:
        header = QCoreApplication::translate(
            "Backup", "Tito odesílatelé již existovali a nebyli obnoveni ze zálohy:\n");
        break;
    case BackupKind::Addressees:
        header = QCoreApplication::translate(
            "Backup", "Tito adresáti již existovali a nebyli obnoveni ze zálohy:\n");
        break;
    }
    return labelListSection(header, skippedLabels);
}

} // namespace

std::optional<BackupKind> backupKindFromExtension(const QString &extension)
{
    if (extension == u"zob")
        return BackupKind::Envelopes;
    if (extension == u"zod")
        return BackupKind::Senders;
    if (extension == u"zad")
        return BackupKind::Addressees;
    return std::nullopt;
}

bool writeEnvelopeBackup(const QString &path, const EnvelopeFormatArray &envelopes, QString *why)
{
    return writeArchiveSafely(
        path, [&](ArchiveWriter &out) { writeEnvelopeList(out, envelopes); }, why);
}

bool writeAddressBackup(const QString &path, const AddressEntryArray &entries, QString *why)
{
    return writeArchiveSafely(
        path, [&](ArchiveWriter &out) { writeAddressList(out, entries); }, why);
}

RestoreOutcome restoreEnvelopeBackup(const QString &path, EnvelopeFormatArray &envelopes)
{
    return restoreList(path, envelopes, readEnvelopeList);
}

RestoreOutcome restoreAddressBackup(const QString &path, AddressEntryArray &entries)
{
    return restoreList(path, entries, readAddressList);
}

namespace {
template <typename List>
RestoreOutcome mergeEntries(List &list, std::vector<typename List::Entry> &&incoming)
{
    RestoreOutcome outcome;
    outcome.opened = true;
    LabelMerge<List> merge(list, outcome);
    for (auto &entry : incoming)
        merge(std::move(entry));
    return outcome;
}
} // namespace

RestoreOutcome mergeAddressEntries(AddressEntryArray &entries, std::vector<AddressEntry> &&incoming)
{
    return mergeEntries(entries, std::move(incoming));
}

RestoreOutcome mergeEnvelopeFormats(EnvelopeFormatArray &envelopes,
                                    std::vector<EnvelopeFormat> &&incoming)
{
    return mergeEntries(envelopes, std::move(incoming));
}

namespace {
// A message box lists no more: a million lines would take it minutes and a gigabyte to lay out.
constexpr qsizetype kListedLabels = 500;

QString listSection(const QString &header, const QStringList &listed, qsizetype total)
{
    if (total == 0)
        return {};
    QString text = header;
    for (const QString &label : listed)
        text += label + u'\n';
    if (total > listed.size())
        text += QCoreApplication::translate("Backup", "… a dalších %1\n").arg(total - listed.size());
    return text;
}
} // namespace

QString labelListSection(const QString &header, const QStringList &labels)
{
    return listSection(header, labels.first(std::min(kListedLabels, labels.size())),
                       labels.size());
}

QString labelListSection(const QString &header, const std::vector<std::string> &labels)
{
    QStringList listed;
    for (std::size_t i = 0; i < labels.size() && listed.size() < kListedLabels; ++i)
        listed << fromCp1250(labels[i]);
    return listSection(header, listed, qsizetype(labels.size()));
}

QString restoreTitle(BackupKind kind)
{
    switch (kind) {
    case BackupKind::Envelopes:
        return QCoreApplication::translate("Backup", "Obnova obálek");
    case BackupKind::Senders:
        return QCoreApplication::translate("Backup", "Obnova odesílatelů");
    case BackupKind::Addressees:
        return QCoreApplication::translate("Backup", "Obnova adresátů");
    }
    return {};
}

QString restoreReport(BackupKind kind, const std::vector<std::string> &skippedLabels)
{
    QString text;
    switch (kind) {
    case BackupKind::Envelopes:
        text = QCoreApplication::translate("Backup", "Obálky byly úspěšně obnoveny.\n\n");
        break;
    case BackupKind::Senders:
        text = QCoreApplication::translate("Backup", "Odesílatelé byli úspěšně obnoveni.\n\n");
        break;
    case BackupKind::Addressees:
        text = QCoreApplication::translate("Backup", "Adresáti byli úspěšně obnoveni.\n\n");
        break;
    }
    return text + skippedList(kind, skippedLabels);
}

QString unreadableBackupReport(BackupKind kind, const RestoreOutcome &outcome)
{
    QString text = QCoreApplication::translate(
        "Backup", "Soubor se zálohou se nepodařilo přečíst celý: je poškozený, "
                  "nebo jeho obsah neodpovídá příponě.\n\n");
    text += QCoreApplication::translate("Backup", "Obnovené položky před chybou: %1\n")
                .arg(qsizetype(outcome.addedLabels.size()));
    if (!outcome.skippedLabels.empty())
        text += u'\n' + skippedList(kind, outcome.skippedLabels);
    return text;
}
