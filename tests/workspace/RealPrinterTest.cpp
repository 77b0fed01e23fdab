#include "CAutoComboBox.h"
#include "CTobrelView.h"
#include "PrinterFeedDialog.h"
#include "PrinterPaper.h"
#include "PrinterReadyJob.h"
#include "ScopedDirectories.h"
#include "WorkspaceFixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

// Envelopes through queues with manufacturers' printer descriptions (set up by
// scripts/cups-test-queue.sh), from the command line and from the window, measured in the job
// the printer would get.
class RealPrinterTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void envelopeOnPrinter_data();
    void envelopeOnPrinter();
    void chosenSlot_data();
    void chosenSlot();
    void slotChosenInSettings();
};

namespace {

constexpr double kPointsPerMillimetre = 72.0 / 25.4;

struct Envelope
{
    const char *label;
    QSizeF millimetres;
};
constexpr Envelope kEnvelopes[] = {{"DL", {220, 110}}, {"C5", {229, 162}}};

// Each printer's feed for envelopes, read off its description by hand.
const QHash<QString, QString> kEnvelopeFeeds = {
    {"hp_laserjet_4250", "InputSlot EnvelopeFeeder"}, // "Envelope Feeder"
    {"kyocera_cs_c2525e", "InputSlot MF1"},           // "Bypass Tray"
    {"lexmark_b2300", "InputSlot ManualEnv"},         // "Manual Envelope"
    {"epson_al_2600", "InputSlot MSI"},               // "MP Tray"
    {"brother_hl_2600cn", "ManualFeed True"},         // no slot, a switch
    {"canon_ir_adv_4025", "InputSlot EnvCas"},        // "Drawer 2 (Envelope)"
};

QString jobsFolder()
{
    return qEnvironmentVariable("TOBREL_TEST_PPD_OUT");
}

QString ppdText(const QString &queue)
{
    QFile file(QDir(jobsFolder()).filePath(queue + QStringLiteral(".ppd")));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

// The feature that names the envelope's media in this printer's words: its own size of the
// envelope's dimensions, else the custom size.
QString mediaFeature(const QString &ppd, QSizeF envelope)
{
    static const QRegularExpression dimension(
        QStringLiteral(R"re(\*PaperDimension ([^/:\s]+)[^:]*:\s*"([\d.]+) ([\d.]+)")re"));
    const QSizeF wanted = QSizeF(qMin(envelope.width(), envelope.height()),
                                 qMax(envelope.width(), envelope.height())) *
                          kPointsPerMillimetre;
    for (const auto &match : dimension.globalMatch(ppd))
        if (qAbs(match.captured(2).toDouble() - wanted.width()) < 1.5 &&
            qAbs(match.captured(3).toDouble() - wanted.height()) < 1.5)
            return match.captured(1);
    return QStringLiteral("True"); // *CustomPageSize True
}

// Points of the printed paper to millimetres on the envelope. A landscape envelope goes onto
// upright media turned as the printer's description says: a quarter to the left (Plus90),
// else to the right.
QRectF onEnvelope(const QRectF &ink, QSizeF paper, QSizeF envelope, bool plus90)
{
    QTransform toEnvelope;
    if ((paper.width() < paper.height()) == (envelope.width() < envelope.height()))
        toEnvelope = QTransform(1, 0, 0, -1, 0, paper.height());
    else if (plus90)
        toEnvelope = QTransform(0, 1, 1, 0, 0, 0);
    else
        toEnvelope = QTransform(0, -1, -1, 0, paper.height(), paper.width());
    return (toEnvelope * QTransform::fromScale(1 / kPointsPerMillimetre, 1 / kPointsPerMillimetre))
        .mapRect(ink);
}

// Lists with a DL and a C5 format, a sender and an addressee, and tobrel run among them.
struct Folder
{
    Folder()
    {
        fixture.writeStores(
            {::envelope("DL", 22, 11, 1, 1, 11, 5.5f), ::envelope("C5", 22.9f, 16.2f, 1, 1, 11, 8)},
            {address("Firma", "Odesílatel\r\nUlice 1")},
            {address("Novák", "Jan Novák\r\nKrátká 5\r\nBrno")});
    }
    int run(const QStringList &arguments)
    {
        QProcess process;
        process.setWorkingDirectory(fixture.path(QString()));
        process.start(QStringLiteral(TOBREL_EXECUTABLE), arguments);
        if (!process.waitForFinished(60000))
            return -1;
        errors = QString::fromUtf8(process.readAllStandardError());
        return process.exitCode();
    }
    WorkspaceFixture fixture;
    QString errors;
};

} // namespace

void RealPrinterTest::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("TOBREL_TEST_QUEUE"))
        QSKIP("No CUPS daemon: run through scripts/cups-test-queue.sh");
    // Five makers at least, or the drivers' packages are missing (scripts/install-deps.sh --test).
    QVERIFY2(
        qEnvironmentVariable("TOBREL_TEST_PPD_QUEUES").split(u' ', Qt::SkipEmptyParts).size() >= 5,
        qPrintable(qEnvironmentVariable("TOBREL_TEST_PPD_QUEUES")));
}

void RealPrinterTest::envelopeOnPrinter_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QSizeF>("envelope");
    QTest::addColumn<bool>("fromWindow");
    for (const QString &queue :
         qEnvironmentVariable("TOBREL_TEST_PPD_QUEUES").split(u' ', Qt::SkipEmptyParts))
        for (const Envelope &envelope : kEnvelopes)
            for (const bool window : {false, true})
                QTest::addRow("%s %s %s", qPrintable(queue), envelope.label,
                              window ? "window" : "--print")
                    << queue << QString::fromLatin1(envelope.label) << envelope.millimetres
                    << window;
}

void RealPrinterTest::envelopeOnPrinter()
{
    QFETCH(QString, queue);
    QFETCH(QString, format);
    QFETCH(QSizeF, envelope);
    QFETCH(bool, fromWindow);

    Folder folder;
    WorkspaceFixture &fixture = folder.fixture;
    const QStringList selection = {"--format", format, "--sender", "Firma", "--addressee", "Novák"};
    // The same page as the envelope's own PDF, whose text positions the PDF tests measure.
    const QString reference = fixture.path(QStringLiteral("reference.pdf"));
    QCOMPARE(folder.run(QStringList{"--pdf", reference} + selection), 0);

    const QString jobPath = QDir(jobsFolder()).filePath(queue + QStringLiteral(".ps"));
    QFile::remove(jobPath);
    if (fromWindow) {
        // The window's printer is the default one until the user picks another.
        qputenv("PRINTER", queue.toLocal8Bit());
        auto view = fixture.startView();
        choose(view->m_envelopeCombo, format);
        choose(view->m_senderCombo, QStringLiteral("Firma"));
        choose(view->m_addresseeCombo, QStringLiteral("Novák"));
        view->OnFilePrintDirect();
        qunsetenv("PRINTER");
        QVERIFY(fixture.messages().isEmpty());
    } else {
        QCOMPARE(folder.run(QStringList{"--print", "--printer", queue} + selection), 0);
    }
    const PrinterReadyJob job = waitForPrinterReadyJob(queue, jobPath);
    QVERIFY2(job.error.isEmpty(), qPrintable(job.error));

    const QString ppd = ppdText(queue);
    const QString media = mediaFeature(ppd, envelope);
    QVERIFY2(job.features.contains(QStringLiteral("PageRegion ") + media) ||
                 job.features.contains(QStringLiteral("PageSize ") + media) ||
                 job.features.contains(QStringLiteral("CustomPageSize ") + media),
             qPrintable(media + QStringLiteral(" not in ") + job.features.join(u',')));
    QVERIFY2(job.features.contains(kEnvelopeFeeds.value(queue)),
             qPrintable(job.features.join(u',')));

    const bool plus90 = ppd.contains(QStringLiteral("*LandscapeOrientation: Plus90"));
    const QRectF printed = onEnvelope(job.ink, job.paper, envelope, plus90);
    const QRectF wanted =
        onEnvelope(inkOfPdf(reference), envelope * kPointsPerMillimetre, envelope, plus90);
    // The sender's first line begins the ink, the addressee's last line ends it.
    const QString measured = QStringLiteral("sender at %1/%2 mm, addressee ends at %3/%4 mm; "
                                            "the envelope's own page: %5/%6 and %7/%8")
                                 .arg(printed.left(), 0, 'f', 2)
                                 .arg(printed.top(), 0, 'f', 2)
                                 .arg(printed.right(), 0, 'f', 2)
                                 .arg(printed.bottom(), 0, 'f', 2)
                                 .arg(wanted.left(), 0, 'f', 2)
                                 .arg(wanted.top(), 0, 'f', 2)
                                 .arg(wanted.right(), 0, 'f', 2)
                                 .arg(wanted.bottom(), 0, 'f', 2);
    qInfo("%s", qPrintable(measured));
    QVERIFY2(qAbs(printed.left() - wanted.left()) <= 0.3 &&
                 qAbs(printed.top() - wanted.top()) <= 0.3 &&
                 qAbs(printed.right() - wanted.right()) <= 0.3 &&
                 qAbs(printed.bottom() - wanted.bottom()) <= 0.3,
             qPrintable(measured));
}

void RealPrinterTest::chosenSlot_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QString>("kept"); // for envelopes in the printer settings
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("feature"); // or the message
    const QString hp = QStringLiteral("hp_laserjet_4250");
    QTest::newRow("--tray by name") << hp << QString() << QStringList{"--tray", "tray 1 (manual)"}
                                    << 0 << "InputSlot Tray1_Man";
    QTest::newRow("--tray by keyword, over the kept one")
        << hp << "InputSlot=Tray_2" << QStringList{"--tray", "Tray_1"} << 0 << "InputSlot Tray_1";
    QTest::newRow("kept slot") << hp << "InputSlot=Tray_2" << QStringList{} << 0
                               << "InputSlot Tray_2";
    QTest::newRow("kept: the printer's default")
        << hp << QString("") << QStringList{} << 0 << "InputSlot Auto";
    QTest::newRow("unknown --tray lists the slots")
        << hp << QString() << QStringList{"--tray", "Kazeta 9"} << 2
        << "EnvelopeFeeder (Envelope Feeder)";
}

void RealPrinterTest::chosenSlot()
{
    QFETCH(QString, queue);
    QFETCH(QString, kept);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, feature);
    if (!kEnvelopeFeeds.contains(queue) ||
        !qEnvironmentVariable("TOBREL_TEST_PPD_QUEUES").split(u' ').contains(queue))
        QSKIP("the queue is not set up");
    Folder folder;
    if (!kept.isNull())
        QVERIFY(PrinterPaperStore::saveInputSlot(queue, kept.toStdString()));
    const QString jobPath = QDir(jobsFolder()).filePath(queue + QStringLiteral(".ps"));
    QFile::remove(jobPath);
    QCOMPARE(folder.run(QStringList{"--print", "--printer", queue} + arguments), status);
    if (status != 0) {
        QVERIFY2(folder.errors.contains(feature), qPrintable(folder.errors));
        QTest::qWait(1000);
        QVERIFY(!QFile::exists(jobPath));
        return;
    }
    const PrinterReadyJob job = waitForPrinterReadyJob(queue, jobPath);
    QVERIFY2(job.error.isEmpty(), qPrintable(job.error));
    QVERIFY2(job.features.contains(feature), qPrintable(job.features.join(u',')));
}

void RealPrinterTest::slotChosenInSettings()
{
    const QString hp = QStringLiteral("hp_laserjet_4250");
    if (!qEnvironmentVariable("TOBREL_TEST_PPD_QUEUES").split(u' ').contains(hp))
        QSKIP("the queue is not set up");
    const ScopedConfigHome config;
    PrinterFeedDialog dialog(QSizeF(220, 110), hp);
    auto *tray = dialog.findChild<QComboBox *>(QStringLiteral("tray"));
    QCOMPARE(tray->currentText(), QStringLiteral("Envelope Feeder"));
    dialog.accept();
    // Shown and left as it was: nothing kept, the default still follows the printer.
    QCOMPARE(PrinterPaperStore::loadInputSlot(hp), std::nullopt);

    PrinterFeedDialog again(QSizeF(220, 110), hp);
    tray = again.findChild<QComboBox *>(QStringLiteral("tray"));
    tray->setCurrentIndex(tray->findText(QStringLiteral("Tray 2")));
    again.accept();
    QCOMPARE(PrinterPaperStore::loadInputSlot(hp), std::optional<std::string>("InputSlot=Tray_2"));
}

QTEST_MAIN(RealPrinterTest)
#include "RealPrinterTest.moc"
