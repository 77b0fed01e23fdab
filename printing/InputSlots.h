#pragma once

#include <QList>
#include <QString>

#include <optional>

// One way paper goes into a printer, as CUPS takes it in a job's options: a PostScript
// description's "InputSlot" choice or its "ManualFeed", else the IPP "media-source".
struct InputSlot
{
    QString option; // "InputSlot", "ManualFeed" or "media-source"
    QString value;  // "ManualEnv", "True", "envelope"
    QString text;   // as the printer's description names it: "Manual Envelope"
    bool operator==(const InputSlot &) const = default;

    // "InputSlot=ManualEnv", as kept in the profile.
    QString id() const;
};

// The printer's input slots, in its own order; none for a printer that offers no choice
// (or that CUPS does not know).
QList<InputSlot> inputSlots(const QString &printerName);

// The slot of feeds whose name says it takes envelopes: an envelope feeder, else a
// multi-purpose or bypass tray, else a manual feed; none when no name says so.
std::optional<InputSlot> envelopeFeed(const QList<InputSlot> &feeds);

// The slot envelope jobs of that printer ask for: the one kept for it when the printer still
// has it, else envelopeFeed; none (the printer's default) when the user chose that or the
// printer has no slot for envelopes.
std::optional<InputSlot> envelopeSlot(const QString &printerName, const QList<InputSlot> &feeds);
// The same, asking CUPS for the printer's slots.
std::optional<InputSlot> envelopeSlot(const QString &printerName);

// The slot with that id(), if feeds has it.
std::optional<InputSlot> slotWithId(const QList<InputSlot> &feeds, const QString &id);

// The slot whose value or text is name, letter case aside.
std::optional<InputSlot> slotNamed(const QList<InputSlot> &feeds, const QString &name);
