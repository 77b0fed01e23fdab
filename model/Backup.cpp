#include "Backup.h"

#include "Archive.h"
#include "Cp1250.h"
#include "StoreFiles.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Appends the entries whose labels the list, as it grows, does not hold yet, so a label
// repeated in the incoming entries is skipped too. The labels are found byte for byte, as
// FindByLabel would, through an open hash table of the entries' positions: a scan of the list
// per entry would freeze the window for a large file, and a set of copied labels would take
// as much memory again as a long list.
template <typename List> class LabelMerge
{
public:
    using Entry = typename List::Entry;

    LabelMerge(List &list, RestoreOutcome &outcome) : m_list(list), m_outcome(outcome)
    {
        resize(std::size_t(list.GetSize()));
        for (int i = 0; i < list.GetSize(); ++i) {
            const std::string_view label = labelAt(i);
            const std::size_t hash = hashOf(label);
            if (Slot &slot = m_slots[find(label, hash)]; slot.index == kEmpty)
                place(slot, hash, i);
        }
    }

    void operator()(Entry &&entry)
    {
        const std::size_t hash = hashOf(entry.label);
        if (m_slots[find(entry.label, hash)].index != kEmpty) {
            m_outcome.skippedLabels.push_back(entry.label);
            return;
        }
        m_outcome.addedLabels.push_back(entry.label);
        m_list.Append(std::move(entry));
        if (2 * (m_used + 1) > m_slots.size())
            resize(m_used + 1);
        const int index = m_list.GetSize() - 1;
        place(m_slots[find(labelAt(index), hash)], hash, index);
    }

private:
    static constexpr int kEmpty = -1;
    struct Slot
    {
        std::uint32_t hash = 0; // the low bits of the label's hash, to compare few labels
        int index = kEmpty;
    };

    static std::size_t hashOf(std::string_view label) { return std::hash<std::string_view>{}(label); }
    std::string_view labelAt(int i) const { return m_list.ElementAt(i).label; }

    // The slot holding label, or the empty one where it would go.
    std::size_t find(std::string_view label, std::size_t hash) const
    {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            const Slot &slot = m_slots[at];
            if (slot.index == kEmpty ||
                (slot.hash == std::uint32_t(hash) && labelAt(slot.index) == label))
                return at;
        }
    }

    void place(Slot &slot, std::size_t hash, int index)
    {
        slot = {std::uint32_t(hash), index};
        ++m_used;
    }

    // Room for count labels at most half full; those held move along.
    void resize(std::size_t count)
    {
        std::size_t size = 16;
        while (size < 2 * count)
            size *= 2;
        std::vector<Slot> old(size);
        old.swap(m_slots);
        const std::size_t mask = size - 1;
        for (const Slot &slot : old) {
            if (slot.index == kEmpty)
                continue;
            std::size_t at = std::size_t(slot.hash) & mask;
            while (m_slots[at].index != kEmpty)
                at = (at + 1) & mask;
            m_slots[at] = slot;
        }
    }

    List &m_list;
    RestoreOutcome &m_outcome;
    std::vector<Slot> m_slots;
    std::size_t m_used = 0;
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
