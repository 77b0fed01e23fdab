#include "PrinterReadyJob.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

namespace {

QString output(const QString &program, const QStringList &arguments, bool errors = false)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return QString::fromUtf8(errors ? process.readAllStandardError()
                                    : process.readAllStandardOutput());
}

QRectF ghostscriptInk(const QString &file)
{
    static const QRegularExpression box(
        QStringLiteral(R"re(%%HiResBoundingBox: ([\d.]+) ([\d.]+) ([\d.]+) ([\d.]+))re"));
    const auto match = box.match(output(
        QStringLiteral("gs"),
        {"-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-dLastPage=1", "-sDEVICE=bbox", file}, true));
    if (!match.hasMatch())
        return {};
    return QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                  QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()));
}

} // namespace

QRectF inkOfPdf(const QString &pdf)
{
    return ghostscriptInk(pdf);
}

PrinterReadyJob waitForPrinterReadyJob(const QString &queue, const QString &path)
{
    PrinterReadyJob job;
    QDeadlineTimer deadline(120000);
    while (!output(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue}).trimmed().isEmpty() ||
           !QFile::exists(path)) {
        if (deadline.hasExpired()) {
            job.error = QStringLiteral("no job came out of %1 within two minutes").arg(queue);
            return job;
        }
        QThread::msleep(200);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        job.error = file.errorString();
        return job;
    }
    QByteArray bytes = file.readAll();
    const qsizetype start = bytes.indexOf("%!PS");
    if (start < 0) {
        job.error = QStringLiteral("%1 holds no PostScript").arg(path);
        return job;
    }
    bytes.remove(0, start);
    static const QRegularExpression feature(QStringLiteral(R"re(%%BeginFeature: \*(\S+ \S+))re"));
    for (const auto &match : feature.globalMatch(QString::fromLatin1(bytes)))
        job.features << match.captured(1);

    // Ghostscript reads the page device the job sets: made a PDF, the page has the paper's size
    // (never turned to suit its text).
    QTemporaryDir dir;
    QFile postScript(dir.filePath(QStringLiteral("job.ps")));
    if (!postScript.open(QIODevice::WriteOnly) || postScript.write(bytes) != bytes.size()) {
        job.error = postScript.errorString();
        return job;
    }
    postScript.close();
    const QString pdf = dir.filePath(QStringLiteral("job.pdf"));
    output(QStringLiteral("gs"),
           {"-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=pdfwrite", "-dAutoRotatePages=/None",
            "-sOutputFile=" + pdf, postScript.fileName()});
    static const QRegularExpression size(
        QStringLiteral(R"re(Page size:\s+([\d.]+) x ([\d.]+) pts)re"));
    const auto match = size.match(output(QStringLiteral("pdfinfo"), {pdf}));
    if (!match.hasMatch()) {
        job.error = QStringLiteral("ghostscript could not read the job of %1").arg(queue);
        return job;
    }
    job.paper = QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble());
    job.ink = ghostscriptInk(pdf);
    return job;
}
