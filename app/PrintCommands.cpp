#include "PrintCommands.h"

#include "CommonDialogs.h"
#include "Cp1250.h"
#include "EnvelopeJob.h"
#include "EnvelopeOnPaper.h"
#include "EnvelopePage.h"
#include "FileError.h"
#include "RecordListModel.h"
#include "StoreFiles.h"
#include "ThirdFieldSettings.h"
#include "UnprintableEdges.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QIODevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace PrintCommands {
namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PrintCommands", text);
}

enum ExitStatus
{
    InputOutputError = 1,
    UsageError = 2,
    TextCut = 3
};

// Ends a command with its message and exit status.
struct CommandFailure
{
    ExitStatus status;
    QString message;
};

namespace Name {
const QString pdf = QStringLiteral("pdf");
const QString print = QStringLiteral("print");
const QString printer = QStringLiteral("printer");
const QString tray = QStringLiteral("tray");
const QString format = QStringLiteral("format");
const QString sender = QStringLiteral("sender");
const QString addressee = QStringLiteral("addressee");
const QString allAddressees = QStringLiteral("all-addressees");
const QString thirdField = QStringLiteral("third-field");
const QString strict = QStringLiteral("strict");
} // namespace Name

// The resolution of the print dialog's PDF printer: envelopes come out as from the window.
constexpr int kPdfResolution = 1200;
struct Lists
{
    EnvelopeFormatArray envelopes;
    AddressEntryArray senders;
    AddressEntryArray addressees;
    PrintFont font;
};

CommandFailure unreadable(const char *fileName)
{
    return {InputOutputError,
            tr("Soubor „%1“ nelze celý přečíst, nic se netiskne.").arg(QLatin1String(fileName))};
}

Lists loadLists()
{
    Lists lists;
    if (loadEnvelopeStore(QString::fromLatin1(kEnvelopeStoreName), lists.envelopes).state ==
        LoadReport::State::Damaged)
        throw unreadable(kEnvelopeStoreName);
    if (loadAddressStore(QString::fromLatin1(kAddressStoreName), lists.senders, lists.addressees)
            .state == LoadReport::State::Damaged)
        throw unreadable(kAddressStoreName);
    // The window prints with the default font too, and says so.
    if (loadPrintFont(QString::fromLatin1(kPrintFontFileName), lists.font).state ==
        LoadReport::State::Damaged)
        std::fprintf(stderr, "%s\n",
                     qPrintable(tr("Soubor „%1“ nelze celý přečíst, tiskne se výchozím písmem "
                                   "Times New Roman 12 bodů.")
                                    .arg(QLatin1String(kPrintFontFileName))));
    return lists;
}

QString labelText(std::string_view label)
{
    return fromCp1250(label);
}

// The entries in the order of the window's sorted lists (equal labels in stored order).
template <typename Array> std::vector<int> sortedOrder(const Array &array)
{
    return listOrder(array).rows;
}

// The labels a wrong one is answered with: the first of the window's list.
template <typename Array> QString someLabels(const Array &array)
{
    constexpr std::size_t kShown = 20;
    const std::vector<int> order = sortedOrder(array);
    if (order.empty())
        return tr("Seznam je prázdný.");
    QStringList labels;
    for (std::size_t i = 0; i < std::min(order.size(), kShown); ++i)
        labels << labelText(array.ElementAt(order[i]).label);
    QString text = tr("Seznam obsahuje: %1").arg(labels.join(QStringLiteral(", ")));
    if (order.size() > kShown)
        text += tr(" a dalších %1").arg(order.size() - kShown);
    return text + QLatin1Char('.');
}

// The first entry with exactly this label, as the window finds the one a combo names; else
// the one label equal to it but for letter case.
template <typename Array>
auto entry(const Array &array, const QString &label, const QString &unknown)
{
    const auto bytes = toCp1250(label);
    int index = bytes ? array.FindByLabel(*bytes) : -1;
    QStringList alike;
    for (int i = 0; index < 0 && i < array.GetSize(); ++i) {
        const QString other = labelText(array.ElementAt(i).label);
        if (other.compare(label, Qt::CaseInsensitive) == 0 && !alike.contains(other))
            alike << other;
    }
    if (alike.size() > 1)
        throw CommandFailure{UsageError,
                             tr("Označení „%1“ se liší jen velikostí písmen od více označení: %2. "
                                "Zadejte ho přesně.")
                                 .arg(label, alike.join(QStringLiteral(", ")))};
    if (alike.size() == 1)
        index = array.FindByLabel(*toCp1250(alike.front()));
    if (index < 0)
        throw CommandFailure{UsageError, unknown.arg(label) + QLatin1Char(' ') + someLabels(array)};
    return array.ElementAt(index);
}

// A text as the window's text box gives it back for printing.
QString boxText(std::string_view stored)
{
    // The box hands no-break spaces back as plain ones.
    return fromStoredText(stored).replace(QChar::Nbsp, QLatin1Char(' '));
}

// What is printed: the parts every page shares, then one page per addressee.
class EnvelopeRun
{
public:
    EnvelopeRun(const QCommandLineParser &parser, const Lists &lists) : m_lists(lists)
    {
        m_page.printFont = lists.font.font;
        m_page.printFontSize = lists.font.pointSize;
        chooseFormat(parser.value(Name::format), parser.isSet(Name::format));
        if (parser.isSet(Name::sender))
            m_page.senderText = boxText(entry(lists.senders, parser.value(Name::sender),
                                              tr("Odesílatel „%1“ v seznamu není."))
                                            .text);
        chooseAddressees(parser);
        if (parser.isSet(Name::thirdField)) {
            m_page.thirdField = readThirdFieldSettings();
            m_fieldFollowsAddressee = readThirdFieldLink();
        }
    }

    const std::optional<EnvelopeFormat> &format() const { return m_page.format; }
    qsizetype pageCount() const { return std::max<qsizetype>(qsizetype(m_addressees.size()), 1); }

    EnvelopePage page(qsizetype index) const
    {
        EnvelopePage page = m_page;
        if (!m_addressees.empty())
            page.addresseeText = boxText(m_addressees[std::size_t(index)].text);
        // The panel's own text is not kept between runs: linked, it is the addressee's.
        if (page.thirdField && m_fieldFollowsAddressee)
            page.thirdField->text = page.addresseeText;
        return page;
    }

private:
    void chooseFormat(const QString &label, bool given)
    {
        const EnvelopeFormatArray &envelopes = m_lists.envelopes;
        if (!given) {
            // As the window starts: the first of the sorted list, none when it is empty.
            if (envelopes.GetSize() > 0)
                m_page.format = envelopes.ElementAt(sortedOrder(envelopes).front());
            return;
        }
        m_page.format = entry(envelopes, label, tr("Formát obálky „%1“ v seznamu není."));
    }

    void chooseAddressees(const QCommandLineParser &parser)
    {
        const AddressEntryArray &addressees = m_lists.addressees;
        if (parser.isSet(Name::allAddressees)) {
            if (parser.isSet(Name::addressee))
                throw CommandFailure{UsageError, tr("Volby --addressee a --all-addressees nelze "
                                                    "použít zároveň.")};
            for (const int i : sortedOrder(addressees))
                m_addressees.push_back(addressees.ElementAt(i));
            return;
        }
        for (const QString &label : parser.values(Name::addressee))
            m_addressees.push_back(entry(addressees, label, tr("Adresát „%1“ v seznamu není.")));
    }

    const Lists &m_lists;
    EnvelopePage m_page;
    std::vector<AddressView> m_addressees;
    bool m_fieldFollowsAddressee = false;
};

// Warns on standard error of each page whose text will be cut, on device's paper (the printer
// asked for it already) or on the PDF file's; with --strict nothing is printed then.
void warnOfCutTexts(const QCommandLineParser &parser, const EnvelopeRun &run,
                    const QPagedPaintDevice *printer, const PrinterPaper &paper)
{
    if (!run.format())
        return;
    const int dpi = printer ? printer->logicalDpiX() : kPdfResolution;
    bool cut = false;
    findCutTexts(
        run.pageCount(), [&run](qsizetype i) { return run.page(i); }, dpi,
        EnvelopeOnPaper(*run.format(), paper).transform(dpi, dpi),
        printer ? unprintableEdges(*printer) : QList<QRect>(),
        [&cut](qsizetype i, const CutText &text) {
            std::fprintf(
                stderr, "%s\n",
                qPrintable(tr("Varování: obálka %1 – %2").arg(i + 1).arg(describeCut(text))));
            cut = true;
        });
    if (cut && parser.isSet(Name::strict))
        throw CommandFailure{TextCut, tr("Text by byl oříznut, nic se netiskne (--strict).")};
}

// On the envelope's own paper for that printer (the PDF file has the empty name).
void print(QPagedPaintDevice &device, const QString &printerName, const EnvelopeRun &run,
           const CommandFailure &failure)
{
    QPainter painter;
    if (!beginEnvelopeRun(painter, device, run.format(), PrinterPaperStore::load(printerName)) ||
        printEnvelopes(painter, device, run.pageCount(),
                       [&run](qsizetype index) { return run.page(index); }) != run.pageCount())
        throw failure;
}

// The PDF engine's output, passed on to the safe writer in chunks; a chunk that could not be
// written fails the engine's write, and the file with it.
class ChunkDevice : public QIODevice
{
public:
    explicit ChunkDevice(const ChunkWriter &write) : m_write(write) { open(WriteOnly); }

    // Hands over what is left; false when any chunk could not be written.
    bool finish() { return passOn() && m_written; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        m_pending.append(data, size);
        return m_pending.size() < kChunkSize || passOn() ? size : -1;
    }

private:
    static constexpr qsizetype kChunkSize = qsizetype(1) << 16;

    bool passOn()
    {
        m_written = m_written && (m_pending.isEmpty() || m_write(m_pending));
        m_pending.clear();
        return m_written;
    }

    const ChunkWriter &m_write;
    QByteArray m_pending;
    bool m_written = true;
};

// Through the safe writer: the older file stays whole unless the new one is.
void writePdf(const QString &path, const EnvelopeRun &run)
{
    const CommandFailure notWritten{InputOutputError, tr("Soubor „%1“ nelze zapsat.").arg(path)};
    QString why;
    const bool written = writeFileSafely(
        path,
        [&](const ChunkWriter &write) {
            ChunkDevice device(write);
            {
                QPdfWriter writer(&device);
                writer.setCreator(QStringLiteral("Tobrel " TOBREL_VERSION));
                writer.setResolution(kPdfResolution);
                print(writer, QString(), run, notWritten);
            }
            return device.finish();
        },
        &why);
    if (!written)
        throw CommandFailure{InputOutputError,
                             tr("Soubor „%1“ nelze zapsat: %2").arg(path, why)};
}

// The slot --tray names, else the one kept or recognised for envelopes.
std::optional<InputSlot> chooseSlot(const QCommandLineParser &parser, const QString &printerName)
{
    const QList<InputSlot> feeds = inputSlots(printerName);
    if (!parser.isSet(Name::tray))
        return envelopeSlot(printerName, feeds);
    const QString name = parser.value(Name::tray);
    if (const std::optional<InputSlot> slot = slotNamed(feeds, name))
        return slot;
    if (feeds.isEmpty())
        throw CommandFailure{UsageError,
                             tr("Tiskárna „%1“ nenabízí žádné podavače, volbu --tray nelze použít.")
                                 .arg(printerName)};
    QStringList names;
    for (const InputSlot &slot : feeds)
        names << QStringLiteral("%1 (%2)").arg(slot.value, slot.text);
    throw CommandFailure{UsageError, tr("Tiskárna „%1“ nemá podavač „%2“. Má tyto: %3")
                                         .arg(printerName, name, names.join(QStringLiteral(", ")))};
}

void sendToPrinter(const QCommandLineParser &parser, const EnvelopeRun &run)
{
    const QString name = parser.value(Name::printer);
    const QPrinterInfo info =
        name.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(name);
    if (info.isNull())
        throw CommandFailure{UsageError, name.isEmpty()
                                             ? tr("Není nastavena žádná výchozí tiskárna.")
                                             : tr("Tiskárna „%1“ neexistuje.").arg(name)};
    const std::optional<InputSlot> slot = chooseSlot(parser, info.printerName());
    // The printer's resolution, the paper as the window's print command asks for it.
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Tobrel"));
    const PrinterPaper paper = PrinterPaperStore::load(info.printerName());
    if (run.format())
        askForPaper(printer, EnvelopeOnPaper(*run.format(), paper).pageLayout());
    warnOfCutTexts(parser, run, &printer, paper);
    const CommandFailure failure{InputOutputError,
                                 tr("Tiskárna „%1“ úlohu nepřijala.").arg(info.printerName())};
    if (!printThroughSlot(printer, slot, [&] {
            print(printer, info.printerName(), run, failure);
            return true;
        }))
        throw failure;
}

int execute(const QCommandLineParser &parser)
{
    if (parser.isSet(Name::pdf) == parser.isSet(Name::print))
        throw CommandFailure{UsageError, tr("Zadejte buď --pdf SOUBOR, nebo --print.")};
    if (parser.isSet(Name::printer) && !parser.isSet(Name::print))
        throw CommandFailure{UsageError, tr("Volba --printer patří jen k --print.")};
    if (parser.isSet(Name::tray) && !parser.isSet(Name::print))
        throw CommandFailure{UsageError, tr("Volba --tray patří jen k --print.")};
    if (!parser.positionalArguments().isEmpty())
        throw CommandFailure{UsageError, tr("Příliš mnoho argumentů.")};
    const Lists lists = loadLists();
    // Pages without a format would be blank sheets of some default paper.
    if (lists.envelopes.GetSize() == 0)
        throw CommandFailure{
            UsageError, tr("Ve složce „%1“ není žádný formát obálky (seznam „%2“ chybí nebo je "
                           "prázdný), nic se netiskne.")
                            .arg(QDir::toNativeSeparators(QDir::currentPath()),
                                 QLatin1String(kEnvelopeStoreName))};
    const EnvelopeRun run(parser, lists);
    if (parser.isSet(Name::pdf)) {
        warnOfCutTexts(parser, run, nullptr, PrinterPaperStore::load(QString()));
        writePdf(parser.value(Name::pdf), run);
    } else
        sendToPrinter(parser, run);
    return 0;
}

} // namespace

QList<QCommandLineOption> options()
{
    return {
        {Name::pdf,
         tr("Vytiskne obálky bez okna do souboru PDF (jedna obálka na stranu velikosti obálky)."),
         tr("soubor")},
        {Name::print, tr("Vytiskne obálky bez okna na tiskárnu.")},
        {Name::printer, tr("Tiskárna pro --print; bez ní výchozí tiskárna."), tr("tiskárna")},
        {Name::tray,
         tr("Podavač tiskárny pro --print (název nebo označení, jak je uvádí tiskárna); bez "
            "volby podavač nastavený pro obálky."),
         tr("podavač")},
        {Name::format, tr("Formát obálky; bez volby první ze seznamu, jako po spuštění okna."),
         tr("označení")},
        {Name::sender, tr("Odesílatel; bez volby se netiskne, jako po spuštění okna."),
         tr("označení")},
        {Name::addressee,
         tr("Adresát, jedna strana pro každého (volbu lze opakovat); bez volby jedna strana "
            "bez adresáta."),
         tr("označení")},
        {Name::allAddressees, tr("Všichni adresáti v pořadí seznamu, jedna strana pro každého.")},
        {Name::thirdField,
         tr("Vytiskne i třetí pole s polohou a písmem z lerbot.ini; propojené s adresátem nese "
            "jeho text.")},
        {Name::strict,
         tr("Nevytiskne nic, když by se některý text nevešel (skončí se stavem 3); bez volby "
            "se jen vypíše varování.")},
    };
}

std::optional<int> run(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QList<QCommandLineOption> printOptions = options();
    const auto parse = [&](QCommandLineParser &parser) {
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions(printOptions);
        return parser.parse(arguments);
    };
    {
        QCommandLineParser parser;
        parse(parser);
        // A selection without --pdf or --print is refused below rather than ignored by a
        // window.
        const bool asked =
            std::any_of(printOptions.cbegin(), printOptions.cend(),
                        [&parser](const auto &option) { return parser.isSet(option); });
        if (!asked || parser.isSet(QStringLiteral("help")) ||
            parser.isSet(QStringLiteral("version")))
            return std::nullopt;
    }

#ifdef __GLIBC__
    // Qt compresses every page through two fresh 16 MB buffers, of which only a few pages
    // of memory are touched. Taking them from the heap and keeping it for the next page,
    // instead of mapping and unmapping them each time, makes long runs several times faster.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
    // Nothing is shown, so no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // The profile file's numbers are read with a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    // Parsed again now that Qt's own texts (a wrong option) speak Czech.
    installQtTranslations(&app);
    QCommandLineParser parser;
    if (!parse(parser)) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(tr("Chybný příkazový řádek: %1").arg(parser.errorText())));
        return UsageError;
    }
    try {
        return execute(parser);
    } catch (const CommandFailure &failure) {
        std::fprintf(stderr, "%s\n", qPrintable(failure.message));
        return failure.status;
    }
}

} // namespace PrintCommands
