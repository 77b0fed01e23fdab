#include "BatchPrintJob.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>

#include <algorithm>

namespace {
QString progressText(qsizetype done, int total)
{
    return QCoreApplication::translate("BatchPrintJob", "%1 z %2").arg(done).arg(total);
}
} // namespace

BatchPrintResult printBatch(QPainter &painter, QPrinter &printer, int count,
                            const std::function<EnvelopePage(int number)> &envelope,
                            QWidget *progressParent)
{
    int first = 1;
    int last = count;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::clamp(printer.fromPage(), 1, count);
        last = std::clamp(printer.toPage(), first, count);
    }
    BatchPrintResult result;
    result.requested = last - first + 1;

    QProgressDialog progress(progressText(0, result.requested),
                             QCoreApplication::translate("BatchPrintJob", "Zrušit"), 0,
                             result.requested, progressParent);
    progress.setWindowTitle(QCoreApplication::translate("BatchPrintJob", "Hromadný tisk"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const qsizetype drawn = printEnvelopes(
        painter, printer, result.requested, [&](qsizetype i) { return envelope(first + int(i)); },
        [&](qsizetype done) {
            progress.setLabelText(progressText(done, result.requested));
            progress.setValue(int(done)); // also lets a click on "Zrušit" through
            return !progress.wasCanceled();
        });
    if (drawn < 0) {
        result.failed = true;
        return result;
    }
    result.sent = int(drawn);
    result.cancelled = result.sent < result.requested;
    result.lastSent = first + result.sent - 1;
    return result;
}
