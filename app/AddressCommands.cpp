#include "AddressCommands.h"

#include "AddressFile.h"
#include "CommonDialogs.h"
#include "FolderLock.h"
#include "StoreFiles.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cstdio>
#include <new>

namespace {

constexpr char kImport[] = "import";
constexpr char kExport[] = "export";
constexpr char kSenders[] = "senders";
constexpr char kColumns[] = "columns";

QString tr(const char *text)
{
    return QCoreApplication::translate("AddressCommands", text);
}

void print(FILE *stream, const QString &text)
{
    std::fputs(qPrintable(text.endsWith(u'\n') ? text : text + u'\n'), stream);
}

int fail(int exitCode, const QString &message)
{
    print(stderr, message);
    return exitCode;
}

// A damaged list is refused: merging into what could be read, and saving, would lose the
// rest.
bool loadLists(AddressEntryArray &senders, AddressEntryArray &addressees)
{
    return loadAddressStore(QString::fromLatin1(kAddressStoreName), senders, addressees).state !=
           LoadReport::State::Damaged;
}

QString unreadableLists()
{
    return tr("Seznam adres „%1“ ve složce „%2“ se nepodařilo přečíst celý. Otevřete "
              "složku v programu Tobrel, který poškozený soubor odloží stranou.")
        .arg(QString::fromLatin1(kAddressStoreName), QDir::toNativeSeparators(QDir::currentPath()));
}

// A file error is an input or output failure, except for a name the formats do not know.
int fileErrorCode(const QString &path)
{
    return isAddressFileName(path) ? 1 : 2;
}

int importAddresses(const QString &path, AddressList list,
                    const std::optional<ColumnChoice> &columns)
{
    // Import rewrites "adresy.ar", which an open window writes again when it closes; export
    // only reads.
    FolderLock lock;
    switch (const FolderLock::State state = lock.tryLock()) {
    case FolderLock::State::HeldByAnother:
        return fail(1, tr("Složka „%1“ je otevřená v jiném okně programu Tobrel: importujte "
                          "v tom okně, nebo ho zavřete.")
                           .arg(QDir::toNativeSeparators(QDir::currentPath())));
    case FolderLock::State::HeldElsewhere:
    case FolderLock::State::NotAFile:
        return fail(1, lock.problemText(state));
    case FolderLock::State::Locked:
    case FolderLock::State::Unavailable:
        break;
    }
    // The stores lack what the recovery file holds; merged into them now, the import would
    // be lost when the window brings those changes back.
    if (unsavedChangesWait()) {
        return fail(1, tr("Ve složce „%1“ čekají neuložené změny seznamů z minulého spuštění, "
                          "které neskončilo řádně. Spusťte nejprve program Tobrel v této "
                          "složce a rozhodněte, zda se mají obnovit; pak import zopakujte.")
                           .arg(QDir::toNativeSeparators(QDir::currentPath())));
    }
    AddressFileImport file = readAddressFile(path, columns);
    if (file.noAddressColumn) {
        return fail(2, file.error + u'\n' +
                           tr("Řekněte volbou --columns, co který sloupec obsahuje, například "
                              "--columns \"Jméno,Příjmení,Ulice,Číslo,PSČ,Obec\" (dále Označení, "
                              "Titul před, Titul za, Firma, Část obce, Kraj, Země, Adresa, "
                              "Nepoužít)."));
    }
    if (!file.error.isEmpty())
        return fail(fileErrorCode(path), file.error);
    AddressEntryArray senders;
    AddressEntryArray addressees;
    if (!loadLists(senders, addressees))
        return fail(1, unreadableLists());
    const RestoreOutcome outcome = mergeAddressEntries(
        list == AddressList::Senders ? senders : addressees, std::move(file.entries));
    if (!outcome.addedLabels.empty() &&
        !saveAddressStore(QString::fromLatin1(kAddressStoreName), senders, addressees)) {
        return fail(1, tr("Seznam adres „%1“ se nepodařilo uložit; zůstal beze změny.")
                           .arg(QString::fromLatin1(kAddressStoreName)));
    }
    print(stdout, importReport(list, outcome, file));
    return 0;
}

int exportAddresses(const QString &path, AddressList list)
{
    AddressEntryArray senders;
    AddressEntryArray addressees;
    if (!loadLists(senders, addressees))
        return fail(1, unreadableLists());
    const AddressEntryArray &entries = list == AddressList::Senders ? senders : addressees;
    if (const QString error = writeAddressFile(path, entries); !error.isEmpty())
        return fail(fileErrorCode(path), error);
    print(stdout, tr("Do souboru „%1“ bylo uloženo adres: %2.")
                      .arg(QDir::toNativeSeparators(path))
                      .arg(entries.GetSize()));
    return 0;
}

} // namespace

void addAddressCommandOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {QString::fromLatin1(kImport),
         tr("Přidá adresy ze souboru CSV nebo vCard do adresátů (odesílatelů) této složky."),
         tr("soubor")},
        {QString::fromLatin1(kExport),
         tr("Uloží adresáty (odesílatele) této složky do souboru CSV nebo vCard."), tr("soubor")},
        {QString::fromLatin1(kSenders), tr("--import a --export pracují s odesílateli.")},
        {QString::fromLatin1(kColumns),
         tr("Co obsahují sloupce importovaného souboru CSV, zleva, oddělené čárkami."),
         tr("sloupce")},
    });
}

std::optional<int> runAddressCommand(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const bool asked = std::any_of(arguments.cbegin() + 1, arguments.cend(), [](const QString &a) {
        return a.startsWith(u"--import") || a.startsWith(u"--export") || a == u"--senders" ||
               a.startsWith(u"--columns");
    });
    if (!asked)
        return std::nullopt;

    // Qt's own texts (a wrong option) in Czech.
    QCoreApplication app(argc, argv);
    installQtTranslations(&app);
    QCommandLineParser parser;
    addAddressCommandOptions(parser);
    const bool parsed = parser.parse(arguments);
    const QStringList imports = parser.values(QString::fromLatin1(kImport));
    const QStringList exports = parser.values(QString::fromLatin1(kExport));
    const bool columnsGiven = parser.isSet(QString::fromLatin1(kColumns));
    std::optional<ColumnChoice> columns;
    if (columnsGiven) {
        if (const auto fields = fieldsNamed(parser.value(QString::fromLatin1(kColumns))))
            columns = ColumnChoice{*fields, std::nullopt};
    }
    if (!parsed || !parser.positionalArguments().isEmpty() ||
        imports.size() + exports.size() != 1 || (columnsGiven && (!columns || imports.isEmpty()))) {
        return fail(2, (parsed ? QString() : parser.errorText() + u'\n') +
                           tr("Použití: tobrel --import SOUBOR [--senders] [--columns SLOUPCE]\n"
                              "        tobrel --export SOUBOR [--senders]"));
    }
    const AddressList list = parser.isSet(QString::fromLatin1(kSenders)) ? AddressList::Senders
                                                                        : AddressList::Addressees;
    // Unwound rather than ended where it happens, so that the folder's lock is released.
    try {
        return imports.isEmpty() ? exportAddresses(exports.front(), list)
                                 : importAddresses(imports.front(), list, columns);
    } catch (const std::bad_alloc &) {
        return fail(1, tr("Na provedení příkazu není dost paměti; nic nebylo změněno."));
    }
}
