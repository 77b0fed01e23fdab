#include "AddressFile.h"

#include "Archive.h"
#include "Cp1250.h"
#include "CsvAddresses.h"
#include "FileError.h"
#include "VCardAddresses.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace {

enum class AddressFileKind { Csv, VCard };

std::optional<AddressFileKind> addressFileKind(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"csv")
        return AddressFileKind::Csv;
    if (suffix == u"vcf")
        return AddressFileKind::VCard;
    return std::nullopt;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("AddressFile", text);
}

QString unknownKind(const QString &path)
{
    return tr("Soubor „%1“ nemá příponu .csv ani .vcf: adresy se čtou a ukládají jen ve "
              "formátu CSV nebo vCard.")
        .arg(QDir::toNativeSeparators(path));
}

// Line breaks as \n (none in a label), tabs as blanks; other control and format characters,
// NUL included, go.
QString withoutControls(const QString &text, bool oneLine)
{
    QString kept;
    for (const QChar c : withLineFeeds(text)) {
        if (c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            kept += oneLine ? u' ' : u'\n';
        else if (c == u'\t')
            kept += u' ';
        else if (c.category() != QChar::Other_Control && c.category() != QChar::Other_Format)
            kept += c;
    }
    return kept;
}

// Text code page 1250 can store, and what had to change for it.
QString storable(const QString &text, bool oneLine, QStringList &changes)
{
    const QString clean = withoutControls(text, oneLine);
    NearestText nearest = nearestCp1250(clean);
    if (nearest.replaced.contains(QChar::ReplacementCharacter)) {
        changes << tr("neplatný bajt nahrazen otazníkem");
        nearest.replaced.remove(QChar::ReplacementCharacter);
    }
    if (!nearest.replaced.isEmpty())
        changes << tr("znaky %1 nahrazeny nejbližšími písmeny").arg(nearest.replaced);
    return nearest.text;
}

// A file with NUL bytes in every few is no text, unless UTF-16 says so.
bool isText(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return true;
    return QByteArray::fromRawData(bytes.data(), bytes.size()).count('\0') * 10 <= bytes.size();
}

void readCsv(const QByteArray &bytes, const std::optional<ColumnChoice> &columns,
             AddressFileImport &result, ParsedAddresses &parsed)
{
    const CsvSheet sheet = readCsvSheet(fromUtf8OrCp1250(bytes));
    if (!sheet.error.isEmpty() || sheet.records.empty()) {
        parsed.error = sheet.error;
        return;
    }
    const QStringList &header = sheet.records.front();
    result.layout = recognisedLayout(header);
    result.columnsUnclear = !result.layout.allKnown() || !result.layout.hasPlace();
    result.firstRows.assign(sheet.records.cbegin(),
                            sheet.records.cbegin() + std::min<qsizetype>(6, sheet.records.size()));
    if (const std::optional<ColumnChoice> choice = columns ? columns : rememberedColumns(header))
        result.layout.choose(choice->fields, choice->hasHeader);
    parsed = csvAddresses(sheet, result.layout);
    if (!parsed.columnsWithoutAddress.isEmpty()) {
        result.noAddressColumn = true;
        parsed.error = tr("žádný sloupec neobsahuje adresu (sloupce: %1).")
                           .arg(parsed.columnsWithoutAddress.join(QStringLiteral(", ")));
    }
}

// The addresses as the lists keep them: storable texts, one-line labels unique within the
// file (" (2)"), and a note of each change; contacts without a place are only counted.
void keepAddresses(const std::vector<ImportedAddress> &addresses, AddressFileImport &result)
{
    QSet<QString> labels;
    QHash<QString, int> nextNumbers; // per label, where to look for a free " (N)"
    for (const ImportedAddress &address : addresses) {
        QStringList changes;
        QString label = storable(address.label, true, changes);
        const QString text = storable(address.text, false, changes);
        changes.removeDuplicates();
        if (label.trimmed().isEmpty())
            label = text.section(QLatin1Char('\n'), 0, 0).trimmed();
        if (!address.hasAddress || label.trimmed().isEmpty()) {
            result.withoutAddress << (label.trimmed().isEmpty() ? address.label : label);
            continue;
        }
        if (labels.contains(label)) {
            // Numbers once taken stay taken: the search goes on from the last one found.
            auto next = nextNumbers.find(label);
            if (next == nextNumbers.end())
                next = nextNumbers.insert(label, 2);
            int &number = *next;
            while (labels.contains(QStringLiteral("%1 (%2)").arg(label).arg(number)))
                ++number;
            label = QStringLiteral("%1 (%2)").arg(label).arg(number);
            changes << tr("stejné označení už v souboru bylo");
        }
        labels.insert(label);
        std::string storedLabel = toCp1250(label).value_or(std::string());
        if (!changes.isEmpty())
            result.changes.emplace_back(storedLabel, changes.join(QStringLiteral("; ")));
        result.entries.push_back({toStoredText(text).value_or(std::string()), std::move(storedLabel)});
    }
}

} // namespace

bool isAddressFileName(const QString &path)
{
    return addressFileKind(path).has_value();
}

AddressFileImport readAddressFile(const QString &path, const std::optional<ColumnChoice> &columns)
{
    AddressFileImport result;
    const std::optional<AddressFileKind> kind = addressFileKind(path);
    if (!kind) {
        result.error = unknownKind(path);
        return result;
    }
    // Not opened unless it is a file of a bounded size: a pipe would wait and a device
    // never end, and a huge file would exhaust the memory its entries need.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        result.error = tr("Soubor „%1“ nelze importovat: %2")
                           .arg(QDir::toNativeSeparators(path), notRegularFileText());
        return result;
    }
    if (info.size() > kMaxAddressFileBytes) {
        result.error = tr("Soubor „%1“ nelze importovat: je větší než %2 MB, a takový seznam "
                          "adres by se do paměti nevešel. Rozdělte ho na menší soubory.")
                           .arg(QDir::toNativeSeparators(path))
                           .arg(kMaxAddressFileBytes >> 20);
        return result;
    }
    const FileContents contents = readWholeFile(path);
    if (contents.status != FileReadStatus::Read) {
        result.error =
            contents.status == FileReadStatus::Missing
                ? tr("Soubor „%1“ neexistuje.").arg(QDir::toNativeSeparators(path))
                : tr("Soubor „%1“ se nepodařilo otevřít: %2")
                      .arg(QDir::toNativeSeparators(path), fileErrorText(contents.error));
        return result;
    }
    ParsedAddresses parsed;
    if (!isText(contents.bytes))
        parsed.error = tr("neobsahuje text.");
    else if (*kind == AddressFileKind::Csv)
        readCsv(contents.bytes, columns, result, parsed);
    else
        parsed = parseVCards(contents.bytes);
    if (parsed.error.isEmpty() && parsed.addresses.empty())
        parsed.error = tr("neobsahuje žádnou adresu.");
    if (!parsed.error.isEmpty()) {
        result.error = tr("Soubor „%1“ nelze importovat: %2\nNic nebylo změněno.")
                           .arg(QDir::toNativeSeparators(path), parsed.error);
        return result;
    }
    keepAddresses(parsed.addresses, result);
    return result;
}

QStringList previewTexts(const std::vector<QStringList> &firstRows, const ColumnLayout &layout,
                         int count)
{
    QStringList texts;
    QStringList changes;
    for (const ImportedAddress &address : csvAddresses({firstRows, {}}, layout).addresses) {
        if (texts.size() < count)
            texts << storable(address.text, false, changes);
    }
    return texts;
}

QString writeAddressFile(const QString &path, const AddressEntryArray &entries)
{
    const std::optional<AddressFileKind> kind = addressFileKind(path);
    if (!kind)
        return unknownKind(path);
    // Encoded and written a thousand addresses at a time: a whole long list as text would
    // take several times the memory of the list.
    constexpr int kChunk = 1000;
    const auto produce = [&](const ChunkWriter &write) {
        std::vector<ImportedAddress> addresses;
        for (int from = 0; from == 0 || from < entries.GetSize(); from += kChunk) {
            addresses.clear();
            for (int i = from; i < std::min(from + kChunk, entries.GetSize()); ++i) {
                const AddressView entry = entries.ElementAt(i);
                addresses.push_back({fromCp1250(entry.label), fromStoredText(entry.text)});
            }
            if (!write(*kind == AddressFileKind::Csv ? csvAddressBytes(addresses, from == 0)
                                                     : vCardBytes(addresses)))
                return false;
        }
        return true;
    };
    QString why;
    if (!writeFileSafely(path, produce, &why))
        return tr("Adresy se nepodařilo uložit do souboru „%1“: %2")
            .arg(QDir::toNativeSeparators(path), why);
    return {};
}

QString importTitle(AddressList list)
{
    return list == AddressList::Senders ? tr("Import odesílatelů") : tr("Import adresátů");
}

QString importReport(AddressList list, const RestoreOutcome &outcome,
                     const AddressFileImport &file)
{
    const bool senders = list == AddressList::Senders;
    const qsizetype added = qsizetype(outcome.addedLabels.size());
    const qsizetype present = qsizetype(outcome.skippedLabels.size());
    // Labels are unique within the file, so each has one change note at most; looked up, not
    // searched for, as a hundred thousand changed addresses would take minutes.
    std::unordered_map<std::string_view, const QString *> changes;
    for (const auto &[changedLabel, what] : file.changes)
        changes.emplace(changedLabel, &what);
    QStringList changed;
    for (const std::string &label : outcome.addedLabels) {
        if (const auto found = changes.find(label); found != changes.cend())
            changed << fromCp1250(label) + QStringLiteral(": ") + *found->second;
    }
    QString text;
    if (added > 0)
        text = senders ? tr("Odesílatelé byli importováni.") : tr("Adresáti byli importováni.");
    else if (present > 0 && file.withoutAddress.isEmpty())
        text = senders ? tr("Nic nového: všichni odesílatelé ze souboru už v seznamu jsou.")
                       : tr("Nic nového: všichni adresáti ze souboru už v seznamu jsou.");
    else
        text = senders ? tr("Ze souboru nepřibyl žádný odesílatel.")
                       : tr("Ze souboru nepřibyl žádný adresát.");
    text += tr("\n\nPřidáno %1, již v seznamu %2, bez adresy %3, upraveno %4\n")
                .arg(added)
                .arg(present)
                .arg(file.withoutAddress.size())
                .arg(changed.size());
    const QString sections[] = {
        labelListSection(senders ? tr("Tito odesílatelé již v seznamu byli a nebyli přidáni:\n")
                                 : tr("Tito adresáti již v seznamu byli a nebyli přidáni:\n"),
                         outcome.skippedLabels),
        labelListSection(tr("Tyto kontakty nemají adresu a nebyly přidány:\n"),
                         file.withoutAddress),
        labelListSection(tr("Tyto adresy byly při importu upraveny:\n"), changed)};
    for (const QString &section : sections) {
        if (!section.isEmpty())
            text += u'\n' + section;
    }
    return text;
}
