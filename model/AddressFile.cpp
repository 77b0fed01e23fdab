#include "AddressFile.h"

#include "Archive.h"
#include "Cp1250.h"
#include "FileError.h"
#include "CsvAddresses.h"
#include "VCardAddresses.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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

ParsedAddresses parse(AddressFileKind kind, const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return {{}, tr("neobsahuje text.")};
    ParsedAddresses parsed = kind == AddressFileKind::Csv
                                 ? parseCsvAddresses(fromUtf8OrCp1250(bytes))
                                 : parseVCards(bytes);
    if (parsed.error.isEmpty() && parsed.addresses.empty())
        parsed.error = tr("neobsahuje žádnou adresu.");
    return parsed;
}

} // namespace

bool isAddressFileName(const QString &path)
{
    return addressFileKind(path).has_value();
}

AddressFileImport readAddressFile(const QString &path)
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
        result.error = tr("Soubor „%1“ se nepodařilo otevřít.").arg(QDir::toNativeSeparators(path));
        return result;
    }
    ParsedAddresses parsed = parse(*kind, contents.bytes);
    if (!parsed.error.isEmpty()) {
        result.error = tr("Soubor „%1“ nelze importovat: %2\nNic nebylo změněno.")
                           .arg(QDir::toNativeSeparators(path), parsed.error);
        return result;
    }
    for (const ImportedAddress &address : parsed.addresses) {
        std::optional<std::string> label = toCp1250(address.label);
        std::optional<std::string> text = toStoredText(address.text);
        if (label && text) {
            result.entries.push_back({std::move(*text), std::move(*label)});
        } else {
            result.unstorable << QStringLiteral("%1 (%2)").arg(
                address.label, charactersOutsideCp1250(address.label + address.text));
        }
    }
    return result;
}

QString writeAddressFile(const QString &path, const AddressEntryArray &entries)
{
    const std::optional<AddressFileKind> kind = addressFileKind(path);
    if (!kind)
        return unknownKind(path);
    std::vector<ImportedAddress> addresses;
    addresses.reserve(std::size_t(entries.GetSize()));
    for (int i = 0; i < entries.GetSize(); ++i) {
        const AddressView entry = entries.ElementAt(i);
        addresses.push_back({fromCp1250(entry.label), fromStoredText(entry.text)});
    }
    const QByteArray bytes =
        *kind == AddressFileKind::Csv ? csvAddressBytes(addresses) : vCardBytes(addresses);
    if (QString why; !writeFileSafely(path, bytes, &why))
        return tr("Adresy se nepodařilo uložit do souboru „%1“: %2")
            .arg(QDir::toNativeSeparators(path), why);
    return {};
}

QString importTitle(AddressList list)
{
    return list == AddressList::Senders ? tr("Import odesílatelů") : tr("Import adresátů");
}

QString importReport(AddressList list, const RestoreOutcome &outcome, const QStringList &unstorable)
{
    const bool senders = list == AddressList::Senders;
    QString text = senders ? tr("Odesílatelé byli úspěšně importováni.\n\n")
                           : tr("Adresáti byli úspěšně importováni.\n\n");
    text += tr("Přidáno: %1\n").arg(qsizetype(outcome.addedLabels.size()));
    const QString skipped =
        labelListSection(senders ? tr("Tito odesílatelé již existovali a nebyli importováni:\n")
                                 : tr("Tito adresáti již existovali a nebyli importováni:\n"),
                         outcome.skippedLabels);
    const QString lacking = labelListSection(
        tr("Tyto adresy obsahují znaky, které kódová stránka 1250 neumí uložit, a nebyly "
           "importovány:\n"),
        unstorable);
    for (const QString &section : {skipped, lacking}) {
        if (!section.isEmpty())
            text += u'\n' + section;
    }
    return text;
}
