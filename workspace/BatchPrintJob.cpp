#include "BatchPrintJob.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>

#include <algorithm>

namespace {
QString progressText(int done, int total)
{
    return QCoreApplication::translate("BatchPrintJob", "%1 z %2").arg(done).arg(total);
}
} // namespace

BatchPrintResult printBatch(QPrinter &printer, int count,
                            const std::function<void(QPainter &, int number)> &drawEnvelope,
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

    QPainter painter;
    if (!painter.begin(&printer))
        return result;
    result.started = true;

    QProgressDialog progress(progressText(0, result.requested),
                             QCoreApplication::translate("BatchPrintJob", "Zrušit"), 0,
                             result.requested, progressParent);
    progress.setWindowTitle(QCoreApplication::translate("BatchPrintJob", "Hromadný tisk"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    for (int number = first; number <= last; ++number) {
        if (progress.wasCanceled()) {
            result.cancelled = true;
            break;
        }
        if (number > first)
            printer.newPage();
        drawEnvelope(painter, number);
        ++result.sent;
        result.lastSent = number;
        progress.setLabelText(progressText(result.sent, result.requested));
        progress.setValue(result.sent);
    }
    painter.end();
    return result;
}
