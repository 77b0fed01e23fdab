#include "EnvelopeOnPaper.h"
#include "EnvelopePage.h"
#include "MulDiv.h"
#include "UnprintableEdges.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

// Prints envelopes through a real CUPS queue (started by scripts/cups-test-queue.sh) as a user's
// printer and measures the PDF that comes out of it.
class PrintQueueTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void envelopeOnQueue_data();
    void envelopeOnQueue();
    void edgesOfQueueWithMargins();

private:
    QString m_queue;
    QDir m_out;
};

namespace {

constexpr double kPointsPerMillimetre = 72.0 / 25.4;

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The one PDF that the queue writes for a job, once it is whole.
QString waitForPdf(const QDir &out, const QStringList &before)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 60000) {
        for (const QString &name : out.entryList({QStringLiteral("*.pdf")}, QDir::Files))
            if (!before.contains(name) &&
                !run(QStringLiteral("pdfinfo"), {out.filePath(name)}).isEmpty())
                return out.filePath(name);
        QTest::qWait(200);
    }
    return {};
}

// The first word as pdftotext places it, in millimetres from the page's top-left.
QRectF firstWordMillimetres(const QString &pdf)
{
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">)re"));
    const QRegularExpressionMatch match = word.match(
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    if (!match.hasMatch())
        return {};
    const auto millimetres = [&match](int i) {
        return match.captured(i).toDouble() / kPointsPerMillimetre;
    };
    return {QPointF(millimetres(1), millimetres(2)), QPointF(millimetres(3), millimetres(4))};
}

// pdftotext puts a word's top at the ascent that the PDF's font descriptor gives, in
// thousandths of the font size; the line's top lies where Qt's ascent puts it.
double descriptorAscent(const QString &pdf)
{
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly))
        return 0.0;
    static const QRegularExpression ascent(QStringLiteral(R"re(/Ascent\s+([\d.]+))re"));
    return ascent.match(QString::fromLatin1(file.readAll())).captured(1).toDouble() / 1000.0;
}

QSizeF pageMillimetres(const QString &pdf)
{
    static const QRegularExpression size(
        QStringLiteral(R"re(Page size:\s+([\d.]+) x ([\d.]+) pts)re"));
    const QRegularExpressionMatch match = size.match(run(QStringLiteral("pdfinfo"), {pdf}));
    if (!match.hasMatch())
        return {};
    return {match.captured(1).toDouble() / kPointsPerMillimetre,
            match.captured(2).toDouble() / kPointsPerMillimetre};
}

// A PostScript queue turns a landscape page a quarter to the left onto its portrait media:
// the paper's point (x, y) comes out at (y, page height - x).
QTransform pageToPaper(QSizeF paper, QSizeF page)
{
    if (qAbs(paper.width() - page.width()) < 0.5)
        return {};
    return QTransform(0, 1, -1, 0, page.height(), 0);
}

} // namespace

void PrintQueueTest::initTestCase()
{
    m_queue = qEnvironmentVariable("TOBREL_TEST_QUEUE");
    if (m_queue.isEmpty())
        QSKIP("No CUPS queue: run through scripts/cups-test-queue.sh");
    m_out = QDir(qEnvironmentVariable("TOBREL_TEST_QUEUE_OUT"));
}

void PrintQueueTest::envelopeOnQueue_data()
{
    QTest::addColumn<QSizeF>("envelope"); // mm
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QSizeF>("paper"); // mm, as the page was asked for

    QTest::newRow("DL") << QSizeF(220, 110) << 0 << QSizeF(220, 110);
    QTest::newRow("C5") << QSizeF(229, 162) << 0 << QSizeF(229, 162);
    QTest::newRow("E4, a custom size") << QSizeF(400, 280) << 0 << QSizeF(400, 280);
    QTest::newRow("DL fed short edge first") << QSizeF(220, 110) << 90 << QSizeF(110, 220);
}

void PrintQueueTest::envelopeOnQueue()
{
    QFETCH(QSizeF, envelope);
    QFETCH(int, rotation);
    QFETCH(QSizeF, paper);

    PrinterPaper settings;
    settings.feed.rotation = rotation;
    const EnvelopeOnPaper onPaper(envelope, settings);
    QCOMPARE(onPaper.pageLayout().fullRect(QPageLayout::Millimeter).size().toSize(),
             paper.toSize());
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(m_queue);
    QCOMPARE(printer.outputFormat(), QPrinter::NativeFormat);
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("envelope"));

    const QStringList before = m_out.entryList({QStringLiteral("*.pdf")}, QDir::Files);
    QPainter painter;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(MulDiv(12, printer.logicalDpiY(), 72));
    const double ascent = QFontMetricsF(font, &printer).ascent() * 25.4 / printer.logicalDpiY();
    const double fontSize = 12.0 / kPointsPerMillimetre;
    // The sender at 1 cm / 1 cm, placed as the envelope's page places it.
    EnvelopePage printed;
    printed.senderText = QStringLiteral("Odesílatel\nUlice 1");
    printed.format =
        EnvelopeFormat{float(envelope.width() / 10), float(envelope.height() / 10), 0, 0, 1, 1, {}};
    qstrncpy(printed.printFont.lfFaceName, "DejaVu Sans", sizeof printed.printFont.lfFaceName);
    QVERIFY(beginEnvelopeRun(painter, printer, printed.format, settings));
    QCOMPARE(printEnvelopes(painter, printer, 1, [&](qsizetype) { return printed; }), 1);

    const QString pdf = waitForPdf(m_out, before);
    QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF within a minute");
    // The media is the envelope, whichever way the queue turned it.
    const QSizeF page = pageMillimetres(pdf);
    QVERIFY2(qAbs(qMin(page.width(), page.height()) - qMin(paper.width(), paper.height())) < 0.5 &&
                 qAbs(qMax(page.width(), page.height()) - qMax(paper.width(), paper.height())) <
                     0.5,
             qPrintable(QStringLiteral("page %1 x %2 mm").arg(page.width()).arg(page.height())));

    // Back to the envelope: undo the queue's turn, then the feed's.
    const QTransform pageToEnvelope =
        pageToPaper(paper, page) * onPaper.transformMillimetres().inverted();
    const QRectF word = pageToEnvelope.mapRect(firstWordMillimetres(pdf));
    const double lineTop = word.top() + descriptorAscent(pdf) * fontSize - ascent;
    QVERIFY2(qAbs(word.left() - 10.0) <= 0.3 && qAbs(lineTop - 10.0) <= 0.3,
             qPrintable(QStringLiteral("first line at %1, %2 mm").arg(word.left()).arg(lineTop)));
}

void PrintQueueTest::edgesOfQueueWithMargins()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(qEnvironmentVariable("TOBREL_TEST_MARGINS_QUEUE"));
    const QPageLayout dl = EnvelopeOnPaper(QSizeF(220, 110), {}).pageLayout();
    QVERIFY(askForPaper(printer, dl));
    // Refused for its margins, the page still starts at the paper's corner.
    QVERIFY(printer.fullPage());
    const int dpi = printer.resolution(); // it keeps 36 pt off short sides, 18 pt off long ones
    QCOMPARE(unprintableEdges(printer),
             unprintableEdges(dl.fullRectPixels(dpi), QMargins(2, 1, 2, 1) * dpi / 4));
}

QTEST_MAIN(PrintQueueTest)
#include "PrintQueueTest.moc"
