#include "EnvelopeJob.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <cups/cups.h>

#include <utility>
#include <vector>

namespace {

// The options Qt's own CUPS job carries, and the slot.
bool handToCups(const QPrinter &printer, const QString &file, const InputSlot &slot)
{
    std::vector<std::pair<QByteArray, QByteArray>> options = {
        {"media", printer.pageLayout().pageSize().key().toUtf8()},
        {slot.option.toUtf8(), slot.value.toUtf8()},
    };
    if (printer.pageLayout().orientation() == QPageLayout::Landscape)
        options.emplace_back("landscape", "");
    if (printer.copyCount() > 1) {
        options.emplace_back("copies", QByteArray::number(printer.copyCount()));
        if (printer.collateCopies())
            options.emplace_back("Collate", "True");
    }
    switch (printer.duplex()) {
    case QPrinter::DuplexNone:
        options.emplace_back("sides", "one-sided");
        break;
    case QPrinter::DuplexAuto:
    case QPrinter::DuplexLongSide:
        options.emplace_back("sides", "two-sided-long-edge");
        break;
    case QPrinter::DuplexShortSide:
        options.emplace_back("sides", "two-sided-short-edge");
        break;
    }
    std::vector<cups_option_t> cupsOptions;
    for (auto &[name, value] : options)
        cupsOptions.push_back({name.data(), value.data()});
    const QByteArray queue = printer.printerName().section(u'/', 0, 0).toUtf8();
    const QByteArray path = file.toLocal8Bit();
    const QByteArray title = printer.docName().toUtf8();
    return cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.constData(), path.constData(), title.constData(),
                          int(cupsOptions.size()), cupsOptions.data()) > 0;
}

} // namespace

bool printThroughSlot(QPrinter &printer, const std::optional<InputSlot> &slot,
                      const std::function<bool()> &draw)
{
    if (!slot || printer.outputFormat() != QPrinter::NativeFormat ||
        !printer.outputFileName().isEmpty())
        return draw();
    QTemporaryDir folder;
    if (!folder.isValid())
        return false;
    // A file name without ".pdf" keeps the printer as it is, with its own names of the page
    // sizes, and has it write the job there instead of sending it.
    const QString file = folder.filePath(QStringLiteral("job"));
    printer.setOutputFileName(file);
    const bool drawn = draw();
    printer.setOutputFileName(QString());
    return drawn && handToCups(printer, file, *slot);
}
