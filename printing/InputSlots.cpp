#include "InputSlots.h"

#include "PrinterPaper.h"

#include <QRegularExpression>
#include <QTemporaryFile>
#include <QUrl>

#include <cups/cups.h>

#include <algorithm>
#include <array>
#include <memory>

namespace {

// The printer's PostScript description as its CUPS server gives it; empty when it has none.
QByteArray printerDescription(const QString &queue)
{
    QTemporaryFile file;
    if (!file.open())
        return {};
    const QByteArray resource = "/printers/" + QUrl::toPercentEncoding(queue) + ".ppd";
    if (cupsGetFd(CUPS_HTTP_DEFAULT, resource.constData(), file.handle()) != HTTP_STATUS_OK)
        return {};
    file.seek(0);
    return file.readAll();
}

QList<InputSlot> slotsOfDescription(const QByteArray &ppd)
{
    const bool utf8 = ppd.contains("*LanguageEncoding: UTF-8");
    const QString text = utf8 ? QString::fromUtf8(ppd) : QString::fromLatin1(ppd);
    static const QRegularExpression choice(
        QStringLiteral(R"re(^\*InputSlot\s+([^/:\s]+)(?:/([^:]*))?:)re"),
        QRegularExpression::MultilineOption);
    QList<InputSlot> feeds;
    for (const auto &match : choice.globalMatch(text)) {
        const QString value = match.captured(1);
        const QString name = match.captured(2).trimmed();
        feeds.append({QStringLiteral("InputSlot"), value, name.isEmpty() ? value : name});
    }
    // Some printers take envelopes by hand through a switch of their own instead of a slot.
    static const QRegularExpression manualFeed(
        QStringLiteral(R"re(^\*OpenUI\s+\*ManualFeed(?:/([^:]*))?:\s*Boolean)re"),
        QRegularExpression::MultilineOption);
    const auto manual = manualFeed.match(text);
    if (manual.hasMatch())
        feeds.append({QStringLiteral("ManualFeed"), QStringLiteral("True"),
                      manual.captured(1).trimmed().isEmpty() ? QStringLiteral("Manual Feed")
                                                             : manual.captured(1).trimmed()});
    return feeds;
}

// A printer without a PostScript description (IPP Everywhere) names its sources itself.
QList<InputSlot> mediaSources(const QString &queue)
{
    const QByteArray name = queue.toUtf8();
    std::unique_ptr<cups_dest_t, void (*)(cups_dest_t *)> dest(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr),
        [](cups_dest_t *d) { cupsFreeDests(1, d); });
    if (!dest)
        return {};
    std::unique_ptr<cups_dinfo_t, void (*)(cups_dinfo_t *)> info(
        cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get()), cupsFreeDestInfo);
    if (!info)
        return {};
    ipp_attribute_t *sources =
        cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest.get(), info.get(), "media-source");
    QList<InputSlot> feeds;
    for (int i = 0; sources && i < ippGetCount(sources); ++i) {
        const char *value = ippGetString(sources, i, nullptr);
        feeds.append({QStringLiteral("media-source"), QString::fromUtf8(value),
                      QString::fromUtf8(cupsLocalizeDestValue(CUPS_HTTP_DEFAULT, dest.get(),
                                                              info.get(), "media-source", value))});
    }
    return feeds;
}

} // namespace

QString InputSlot::id() const
{
    return option + u'=' + value;
}

QList<InputSlot> inputSlots(const QString &printerName)
{
    if (printerName.isEmpty())
        return {};
    // An instance ("queue/instance") is the queue's own printer.
    const QString queue = printerName.section(u'/', 0, 0);
    const QByteArray ppd = printerDescription(queue);
    return ppd.isEmpty() ? mediaSources(queue) : slotsOfDescription(ppd);
}

std::optional<InputSlot> envelopeFeed(const QList<InputSlot> &feeds)
{
    // Envelope feeders and envelope trays first, then the trays where envelopes usually go,
    // then any feed by hand.
    static const std::array<QRegularExpression, 3> kinds = {
        QRegularExpression(QStringLiteral(R"re(envelope|^env|\benv\b|obálk)re"),
                           QRegularExpression::CaseInsensitiveOption),
        QRegularExpression(
            QStringLiteral(R"re(multi[- ]?purpose|\bmp\b|\bmpt?\b|by-?pass|univerz)re"),
            QRegularExpression::CaseInsensitiveOption),
        QRegularExpression(QStringLiteral(R"re(manual|ruční)re"),
                           QRegularExpression::CaseInsensitiveOption),
    };
    for (const QRegularExpression &kind : kinds) {
        const auto found = std::find_if(feeds.cbegin(), feeds.cend(), [&kind](const InputSlot &s) {
            return kind.match(s.text).hasMatch() || kind.match(s.value).hasMatch();
        });
        if (found != feeds.cend())
            return *found;
    }
    return std::nullopt;
}

std::optional<InputSlot> slotWithId(const QList<InputSlot> &feeds, const QString &id)
{
    const auto found = std::find_if(feeds.cbegin(), feeds.cend(),
                                    [&id](const InputSlot &s) { return s.id() == id; });
    return found != feeds.cend() ? std::optional<InputSlot>(*found) : std::nullopt;
}

std::optional<InputSlot> envelopeSlot(const QString &printerName, const QList<InputSlot> &feeds)
{
    if (const std::optional<std::string> kept = PrinterPaperStore::loadInputSlot(printerName)) {
        if (kept->empty())
            return std::nullopt;
        if (std::optional<InputSlot> slot = slotWithId(feeds, QString::fromStdString(*kept)))
            return slot;
    }
    return envelopeFeed(feeds);
}

std::optional<InputSlot> envelopeSlot(const QString &printerName)
{
    return envelopeSlot(printerName, inputSlots(printerName));
}

std::optional<InputSlot> slotNamed(const QList<InputSlot> &feeds, const QString &name)
{
    const auto found = std::find_if(feeds.cbegin(), feeds.cend(), [&name](const InputSlot &s) {
        return s.value.compare(name, Qt::CaseInsensitive) == 0 ||
               s.text.compare(name, Qt::CaseInsensitive) == 0;
    });
    return found != feeds.cend() ? std::optional<InputSlot>(*found) : std::nullopt;
}
