#include "BatchPrintJob.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QProgressDialog>

#include <algorithm>

namespace {
QString progressText(qsizetype done, int total)
{
    return QCoreApplication::translate("BatchPrintJob", "%1 z %2").arg(done).arg(total);
}
} // namespace

BatchPrintResult printBatch(QPrinter &printer, int count,
                            const std::function<EnvelopePage(int number)> &envelope,
                            QWidget *progressParent)
{
    int first = 1;
    int last = count;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(1, printer.fromPage());
        last = std::min(count, std::max(first, printer.toPage()));
    }
    BatchPrintResult result;
    result.requested = std::max(0, last - first + 1);
    if (result.requested == 0)
        return result;

    QProgressDialog progress(progressText(0, result.requested),
                             QCoreApplication::translate("BatchPrintJob", "Zrušit"), 0,
                             result.requested, progressParent);
    progress.setWindowTitle(QCoreApplication::translate("BatchPrintJob", "Hromadný tisk"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const qsizetype drawn = printEnvelopes(
        printer, result.requested, [&](qsizetype i) { return envelope(first + int(i)); },
        [&](qsizetype done) {
            progress.setLabelText(progressText(done, result.requested));
            progress.setValue(int(done)); // also lets a click on "Zrušit" through
            return !progress.wasCanceled();
        });
    if (drawn < 0)
        return result;
    result.started = true;
    result.sent = int(drawn);
    result.cancelled = result.sent < result.requested;
    result.lastSent = first + result.sent - 1;
    return result;
}
