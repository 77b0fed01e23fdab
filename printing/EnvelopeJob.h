#pragma once

#include "InputSlots.h"

#include <functional>
#include <optional>

class QPrinter;

// Prints one job on printer, asking for slot: draw paints the whole job on printer and says
// whether it succeeded. A printer's job is written to a temporary file and handed to CUPS
// with the options Qt gives a job (media, orientation, copies, sides) and the slot; without a
// slot, or for a file output, draw prints as it always has. False when drawing failed or CUPS
// did not take the job.
bool printThroughSlot(QPrinter &printer, const std::optional<InputSlot> &slot,
                      const std::function<bool()> &draw);
