#pragma once

#include "EnvelopePage.h"

#include <functional>

class QPainter;
class QPrinter;
class QWidget;

struct BatchPrintResult
{
    bool failed = false; // the printer gave up
    bool cancelled = false;
    int sent = 0;      // envelopes handed to the printer
    int requested = 0; // envelopes in the chosen page range
    int lastSent = 0;  // number of the last envelope sent, for resuming after a jam
};

// Prints envelopes 1..count, or the printer's page range of them, one per page in one job on
// painter, begun on printer, with a progress dialog that can cancel; ends painter. A cancelled
// run still sends the envelopes drawn so far, so the user can resume after the last one.
BatchPrintResult printBatch(QPainter &painter, QPrinter &printer, int count,
                            const std::function<EnvelopePage(int number)> &envelope,
                            QWidget *progressParent);
