#pragma once

#include <QPageLayout>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

// Where a printer's envelope feed puts the envelope on the paper it takes in.
enum class FeedPlacement
{
    Left = 0,
    Centre = 1,
    Right = 2
};

// How one printer takes envelopes in. The defaults change nothing: the envelope is the page.
struct PrinterFeed
{
    int rotation = 0; // clockwise on the paper: 0, 90, 180 or 270 degrees
    FeedPlacement placement = FeedPlacement::Left; // across the feed, on a wider paper
    double offsetX = 0.0; // correction in millimetres, to the envelope's right
    double offsetY = 0.0; // and down the envelope
    bool operator==(const PrinterFeed &) const = default;
};

// Everything remembered for one printer: its feed and the page setup the user chose for it.
struct PrinterPaper
{
    PrinterFeed feed;
    std::optional<QPageLayout> pageSetup; // none: the paper is the envelope
};

// Kept in "lerbot.ini", section "TISKARNY", one key per value and printer:
// "<name>.<value>" where the name is the printer's name in lower case, percent-encoded as
// UTF-8 (letters, digits and "-._~" stay), so no name can break a line, a key or a section,
// and names that differ only in letter case (one queue to CUPS) share their keys. The PDF
// file output has the empty name. Values: "otoceni" (%d degrees), "umisteni" (%d: 0 left,
// 1 centre, 2 right), "posunX", "posunY" (%f mm); the page setup as "papirSirka",
// "papirVyska" (%f mm, short side first; empty: none) and "papirNaSirku" (%d: 1 landscape);
// the input slot for envelopes as "podavac", the printer's option and its value
// ("InputSlot=ManualEnv"; empty: the printer's default; no key: not chosen yet).
namespace PrinterPaperStore {

inline constexpr char kSection[] = "TISKARNY";

std::string key(const QString &printerName, std::string_view value);

PrinterPaper load(const QString &printerName);
// Feed values that are out of range read as the default.
PrinterFeed loadFeed(const QString &printerName);
std::optional<QPageLayout> loadPageSetup(const QString &printerName);

// false when the profile file could not be written.
bool saveFeed(const QString &printerName, const PrinterFeed &feed);
// The page's size and orientation only: margins do not apply, the envelope is measured from
// the paper's corner.
bool savePageSetup(const QString &printerName, const QPageLayout &layout);
bool forgetPageSetup(const QString &printerName);

// The input slot chosen for envelopes; none when the user has not chosen one.
std::optional<std::string> loadInputSlot(const QString &printerName);
bool saveInputSlot(const QString &printerName, std::string_view slot);

} // namespace PrinterPaperStore
