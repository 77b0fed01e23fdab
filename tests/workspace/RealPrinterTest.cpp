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

// Read off each printer's description by hand: its feed for envelopes, its names of DL and
// C5, and which way it turns a landscape page onto upright media (Plus90: a quarter left).
struct Printer
{
    QString feed, dl, c5;
    bool plus90;
};
const QHash<QString, Printer> kPrinters = {
    {"hp_laserjet_4250", {"InputSlot EnvelopeFeeder", "PageRegion EnvDL", "PageRegion EnvC5", 1}},
    {"kyocera_cs_c2525e", {"InputSlot MF1", "PageRegion EnvDL", "PageRegion EnvC5", 0}},
    {"lexmark_b2300", {"InputSlot ManualEnv", "PageRegion EnvDL", "PageRegion EnvC5", 1}},
    {"epson_al_2600", {"InputSlot MSI", "PageRegion EnvDL", "PageRegion EnvC5", 1}},
    {"brother_hl_2600cn", {"ManualFeed True", "PageRegion Envelope.312.624", "", 0}},
    {"canon_ir_adv_4025", {"InputSlot EnvCas", "PageRegion DL", "PageRegion C5", 1}},
};
const QString kHp = QStringLiteral("hp_laserjet_4250");

QString jobPath(const QString &queue)
{
    return QDir(qEnvironmentVariable("TOBREL_TEST_PPD_OUT")).filePath(queue + ".ps");
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
    // Every printer of the table, or the drivers' packages are missing (scripts/install-deps.sh
    // --test).
    QCOMPARE(qEnvironmentVariable("TOBREL_TEST_PPD_QUEUES").split(u' ', Qt::SkipEmptyParts).size(),
             kPrinters.size());
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

    QFile::remove(jobPath(queue));
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
    const PrinterReadyJob job = waitForPrinterReadyJob(queue, jobPath(queue));
    QVERIFY2(job.error.isEmpty(), qPrintable(job.error));
    const Printer printer = kPrinters.value(queue);
    // Brother names no C5: the job asks for the custom size.
    const QString media = format == "DL" ? printer.dl : printer.c5;
    QVERIFY2(job.features.contains(media.isEmpty() ? "CustomPageSize True" : media) &&
                 job.features.contains(printer.feed),
             qPrintable(job.features.join(u',')));

    // The sender's first line begins the ink, the addressee's last line ends it.
    const QRectF printed = onEnvelope(job.ink, job.paper, envelope, printer.plus90);
    const QRectF wanted =
        onEnvelope(inkOfPdf(reference), envelope * kPointsPerMillimetre, envelope, printer.plus90);
    const QString measured = QStringLiteral("ink %1/%2 to %3/%4 mm, the envelope's own page's "
                                            "%5/%6 to %7/%8 mm")
                                 .arg(printed.left(), 0, 'f', 2)
                                 .arg(printed.top(), 0, 'f', 2)
                                 .arg(printed.right(), 0, 'f', 2)
                                 .arg(printed.bottom(), 0, 'f', 2)
                                 .arg(wanted.left(), 0, 'f', 2)
                                 .arg(wanted.top(), 0, 'f', 2)
                                 .arg(wanted.right(), 0, 'f', 2)
                                 .arg(wanted.bottom(), 0, 'f', 2);
    qInfo("%s", qPrintable(measured));
    const QMarginsF off(printed.left() - wanted.left(), printed.top() - wanted.top(),
                        printed.right() - wanted.right(), printed.bottom() - wanted.bottom());
    QVERIFY2(qMax(qMax(qAbs(off.left()), qAbs(off.top())),
                  qMax(qAbs(off.right()), qAbs(off.bottom()))) <= 0.3,
             qPrintable(measured));
}

void RealPrinterTest::chosenSlot_data()
{
    QTest::addColumn<QString>("kept"); // for envelopes in the printer settings
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("feature"); // or the message
    QTest::newRow("--tray by name")
        << QString() << QStringList{"--tray", "tray 1 (manual)"} << 0 << "InputSlot Tray1_Man";
    QTest::newRow("--tray by keyword, over the kept one")
        << "InputSlot=Tray_2" << QStringList{"--tray", "Tray_1"} << 0 << "InputSlot Tray_1";
    QTest::newRow("kept slot") << "InputSlot=Tray_2" << QStringList{} << 0 << "InputSlot Tray_2";
    QTest::newRow("kept: the printer's default") << "" << QStringList{} << 0 << "InputSlot Auto";
    QTest::newRow("unknown --tray lists the slots")
        << QString() << QStringList{"--tray", "Kazeta 9"} << 2
        << "EnvelopeFeeder (Envelope Feeder)";
}

void RealPrinterTest::chosenSlot()
{
    QFETCH(QString, kept);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, feature);
    Folder folder;
    if (!kept.isNull())
        QVERIFY(PrinterPaperStore::saveInputSlot(kHp, kept.toStdString()));
    QFile::remove(jobPath(kHp));
    QCOMPARE(folder.run(QStringList{"--print", "--printer", kHp} + arguments), status);
    if (status != 0) {
        QVERIFY2(folder.errors.contains(feature), qPrintable(folder.errors));
        return;
    }
    const PrinterReadyJob job = waitForPrinterReadyJob(kHp, jobPath(kHp));
    QVERIFY2(job.error.isEmpty() && job.features.contains(feature),
             qPrintable(job.error + job.features.join(u',')));
}

void RealPrinterTest::slotChosenInSettings()
{
    const QString &hp = kHp;
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
