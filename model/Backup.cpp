#include "Backup.h"

#include "Archive.h"
#include "Cp1250.h"
#include "StoreFiles.h"

#include <QCoreApplication>

namespace {

template <typename Entry, typename ReadList>
RestoreOutcome restoreList(const QString &path, RecordArray<Entry> &list, ReadList readList)
{
    const FileContents contents = readWholeFile(path);
    if (contents.status != FileReadStatus::Read)
        return {};
    LabelMerge<Entry> merge(list);
    merge.outcome.opened = true;
    ArchiveReader in(contents.bytes);
    const bool listWhole = readList(in, [&merge](Entry &&entry) { merge.offer(std::move(entry)); });
    // Bytes after the last entry mean the file holds another kind of list.
    merge.outcome.whole = listWhole && in.atEnd();
    return merge.outcome;
}

QString skippedList(BackupKind kind, const std::vector<std::string> &skippedLabels)
{
    switch (kind) {
    case BackupKind::Envelopes:
        return labelLines(QCoreApplication::translate(
                              "Backup", "Tyto obálky již existovaly a nebyly obnoveny ze zálohy:\n"),
                          skippedLabels);
    case BackupKind::Senders:
        return labelLines(
            QCoreApplication::translate(
                "Backup", "Tito odesílatelé již existovali a nebyli obnoveni ze zálohy:\n"),
            skippedLabels);
    case BackupKind::Addressees:
        return labelLines(QCoreApplication::translate(
                              "Backup", "Tito adresáti již existovali a nebyli obnoveni ze zálohy:\n"),
                          skippedLabels);
    }
    return {};
}

} // namespace

template <typename Entry>
LabelMerge<Entry>::LabelMerge(RecordArray<Entry> &list) : m_list(list)
{
    m_labels.reserve(std::size_t(list.GetSize()));
    for (int i = 0; i < list.GetSize(); ++i)
        m_labels.insert(list.ElementAt(i).label);
}

template <typename Entry> void LabelMerge<Entry>::offer(Entry &&entry)
{
    // Checked against the list as it grows: a label offered twice is skipped the second time.
    if (m_labels.count(entry.label) > 0) {
        outcome.skippedLabels.push_back(entry.label);
    } else {
        m_labels.insert(entry.label);
        outcome.addedLabels.push_back(entry.label);
        m_list.Append(std::move(entry));
    }
}

template class LabelMerge<EnvelopeFormat>;
template class LabelMerge<AddressEntry>;

QString labelLines(const QString &header, const std::vector<std::string> &labels)
{
    if (labels.empty())
        return {};
    QString text = header;
    for (const std::string &label : labels)
        text += fromCp1250(label) + u'\n';
    return text;
}

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

bool writeEnvelopeBackup(const QString &path, const EnvelopeFormatArray &envelopes)
{
    ArchiveWriter out;
    writeEnvelopeList(out, envelopes);
    return writeFileSafely(path, out.bytes());
}

bool writeAddressBackup(const QString &path, const AddressEntryArray &entries)
{
    ArchiveWriter out;
    writeAddressList(out, entries);
    return writeFileSafely(path, out.bytes());
}

RestoreOutcome restoreEnvelopeBackup(const QString &path, EnvelopeFormatArray &envelopes)
{
    return restoreList(path, envelopes, readEnvelopeList);
}

RestoreOutcome restoreAddressBackup(const QString &path, AddressEntryArray &entries)
{
    return restoreList(path, entries, readAddressList);
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
