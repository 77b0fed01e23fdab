#include "PrinterPaper.h"

#include "ProfileFile.h"

#include <QByteArray>
#include <QMarginsF>
#include <QPageSize>
#include <QSizeF>

namespace PrinterPaperStore {

namespace {

constexpr char kRotation[] = "otoceni";
constexpr char kPlacement[] = "umisteni";
constexpr char kOffsetX[] = "posunX";
constexpr char kOffsetY[] = "posunY";
constexpr char kPaperWidth[] = "papirSirka";
constexpr char kPaperHeight[] = "papirVyska";
constexpr char kPaperLandscape[] = "papirNaSirku";
constexpr char kInputSlot[] = "podavac";
// Stands for a key that is not there: no slot value can hold a control character.
constexpr char kNotChosen[] = "\x01";

ProfileFile profile()
{
    ProfileFile file;
    file.SetFileName(kProfileFileName);
    return file;
}

// A sheet wider than a metre is no page setup that anyone chose.
bool plausibleMillimetres(double value)
{
    return value > 0.0 && value <= 1000.0;
}

} // namespace

std::string key(const QString &printerName, std::string_view value)
{
    return printerName.toLower().toUtf8().toPercentEncoding().toStdString() + '.' +
           std::string(value);
}

PrinterFeed loadFeed(const QString &printerName)
{
    ProfileFile file = profile();
    PrinterFeed feed;
    const int rotation = file.GetInt(kSection, key(printerName, kRotation), 0);
    if (rotation == 0 || rotation == 90 || rotation == 180 || rotation == 270)
        feed.rotation = rotation;
    const int placement = file.GetInt(kSection, key(printerName, kPlacement), 0);
    if (placement >= 0 && placement <= 2)
        feed.placement = FeedPlacement(placement);
    feed.offsetX = file.GetDouble(kSection, key(printerName, kOffsetX), 0.0);
    feed.offsetY = file.GetDouble(kSection, key(printerName, kOffsetY), 0.0);
    return feed;
}

std::optional<QPageLayout> loadPageSetup(const QString &printerName)
{
    ProfileFile file = profile();
    const double width = file.GetDouble(kSection, key(printerName, kPaperWidth), 0.0);
    const double height = file.GetDouble(kSection, key(printerName, kPaperHeight), 0.0);
    if (!plausibleMillimetres(width) || !plausibleMillimetres(height))
        return std::nullopt;
    const bool landscape = file.GetInt(kSection, key(printerName, kPaperLandscape), 0) == 1;
    // A standard size comes back as itself, so the driver gets its name.
    const QPageSize size(QSizeF(width, height), QPageSize::Millimeter, QString(),
                         QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(), QPageLayout::Millimeter, QMarginsF());
}

PrinterPaper load(const QString &printerName)
{
    return {loadFeed(printerName), loadPageSetup(printerName)};
}

bool saveFeed(const QString &printerName, const PrinterFeed &feed)
{
    ProfileFile file = profile();
    return file.WriteInt(kSection, key(printerName, kRotation), feed.rotation) &&
           file.WriteInt(kSection, key(printerName, kPlacement), int(feed.placement)) &&
           file.WriteDouble(kSection, key(printerName, kOffsetX), feed.offsetX) &&
           file.WriteDouble(kSection, key(printerName, kOffsetY), feed.offsetY);
}

bool savePageSetup(const QString &printerName, const QPageLayout &layout)
{
    const QSizeF size = layout.pageSize().size(QPageSize::Millimeter);
    ProfileFile file = profile();
    return file.WriteDouble(kSection, key(printerName, kPaperWidth), size.width()) &&
           file.WriteDouble(kSection, key(printerName, kPaperHeight), size.height()) &&
           file.WriteInt(kSection, key(printerName, kPaperLandscape),
                         layout.orientation() == QPageLayout::Landscape ? 1 : 0);
}

bool forgetPageSetup(const QString &printerName)
{
    // The INI functions keep a key once written; an empty width reads as no page setup.
    ProfileFile file = profile();
    return file.WriteString(kSection, key(printerName, kPaperWidth), "") != 0;
}

std::optional<std::string> loadInputSlot(const QString &printerName)
{
    std::string slot = profile().GetString(kSection, key(printerName, kInputSlot), kNotChosen);
    if (slot == kNotChosen)
        return std::nullopt;
    return slot;
}

bool saveInputSlot(const QString &printerName, std::string_view slot)
{
    return profile().WriteString(kSection, key(printerName, kInputSlot), slot) != 0;
}

} // namespace PrinterPaperStore
