#include "CalibrationPage.h"
#include "EnvelopeOnPaper.h"
#include "EnvelopePaper.h"
#include "FileBytes.h"
#include "PrivateProfile.h"
#include "ProfileFile.h"
#include "ScopedDirectories.h"
#include "StandardEnvelopes.h"
#include "UnprintableEdges.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>

#include <map>

class PaperTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageIsEnvelope_data();
    void pageIsEnvelope();
    void envelopeOnPaper_data();
    void envelopeOnPaper();
    void printerSettingsBytes_data();
    void printerSettingsBytes();
    void calibrationCrosses_data();
    void calibrationCrosses();
    void shadedEdges_data();
    void shadedEdges();
};

void PaperTest::pageIsEnvelope_data()
{
    QTest::addColumn<QSizeF>("envelope"); // mm
    QTest::addColumn<int>("pageSizeId");

    const std::map<std::string, QPageSize::PageSizeId> standard = {
        {"C4", QPageSize::EnvelopeC4},          {"C5", QPageSize::EnvelopeC5},
        {"C6", QPageSize::EnvelopeC6},          {"C6/5", QPageSize::EnvelopeC65},
        {"DL", QPageSize::EnvelopeDL},          {"E4", QPageSize::Custom},
        {"B4", QPageSize::EnvelopeB4},          {"B5", QPageSize::EnvelopeB5},
        {"B6", QPageSize::EnvelopeB6},          {"US #10", QPageSize::Envelope10},
        {"Monarch", QPageSize::EnvelopeMonarch}};
    for (const EnvelopeFormat &format : standardEnvelopeFormats())
        QTest::newRow(format.label.c_str())
            << EnvelopePaper::millimetres(format) << int(standard.at(format.label));
    QTest::newRow("DL 0.5 mm long") << QSizeF(220.5, 110) << int(QPageSize::EnvelopeDL);
    QTest::newRow("DL 0.6 mm long") << QSizeF(220.6, 110) << int(QPageSize::Custom);
    QTest::newRow("C5 standing") << QSizeF(162, 229) << int(QPageSize::EnvelopeC5);
    QTest::newRow("square") << QSizeF(150, 150) << int(QPageSize::Custom);
}

void PaperTest::pageIsEnvelope()
{
    QFETCH(QSizeF, envelope);
    QFETCH(int, pageSizeId);

    const QPageLayout layout = EnvelopePaper::pageLayout(envelope);
    QCOMPARE(int(layout.pageSize().id()), pageSizeId);
    QCOMPARE(layout.margins(), QMarginsF());
    QCOMPARE(layout.minimumMargins(), QMarginsF());
    const QSizeF page = layout.fullRect(QPageLayout::Millimeter).size();
    QVERIFY2(qAbs(page.width() - envelope.width()) <= 0.5 &&
                 qAbs(page.height() - envelope.height()) <= 0.5,
             qPrintable(QStringLiteral("%1 x %2 mm").arg(page.width()).arg(page.height())));
}

void PaperTest::envelopeOnPaper_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("placement");
    QTest::addColumn<QPointF>("offset");
    QTest::addColumn<bool>("a4PageSetup");
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<QPointF>("senderCorner"); // where (10, 10) mm of a DL envelope lands

    const QPointF none;
    QTest::newRow("default") << 0 << 0 << none << false << QSizeF(220, 110) << QPointF(10, 10);
    QTest::newRow("90") << 90 << 0 << none << false << QSizeF(110, 220) << QPointF(100, 10);
    QTest::newRow("180") << 180 << 0 << none << false << QSizeF(220, 110) << QPointF(210, 100);
    QTest::newRow("270") << 270 << 0 << none << false << QSizeF(110, 220) << QPointF(10, 210);
    QTest::newRow("offset") << 0 << 0 << QPointF(1.5, -2) << false << QSizeF(220, 110)
                            << QPointF(11.5, 8);
    QTest::newRow("A4, 90, centre")
        << 90 << 1 << none << true << QSizeF(210, 297) << QPointF(150, 10);
    QTest::newRow("A4, 90, right, offset")
        << 90 << 2 << QPointF(-1, 1) << true << QSizeF(210, 297) << QPointF(199, 9);
    QTest::newRow("A4, 0, left") << 0 << 0 << none << true << QSizeF(210, 297) << QPointF(10, 10);
}

void PaperTest::envelopeOnPaper()
{
    QFETCH(int, rotation);
    QFETCH(int, placement);
    QFETCH(QPointF, offset);
    QFETCH(bool, a4PageSetup);
    QFETCH(QSizeF, paper);
    QFETCH(QPointF, senderCorner);

    PrinterPaper printer;
    printer.feed = {rotation, FeedPlacement(placement), offset.x(), offset.y()};
    if (a4PageSetup)
        printer.pageSetup =
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
    const EnvelopeOnPaper onPaper(QSizeF(220, 110), printer);
    QCOMPARE(onPaper.pageLayout().fullRect(QPageLayout::Millimeter).size(), paper);
    QCOMPARE(onPaper.pageLayout().margins(), QMarginsF());
    QCOMPARE(onPaper.transformMillimetres().map(QPointF(10, 10)), senderCorner);

    // The same in printer pixels; the default settings leave the page exactly as drawn.
    const double pixelsPerMm = 600 / 25.4;
    const QPointF pixels = onPaper.transform(600, 600).map(QPointF(10, 10) * pixelsPerMm);
    QVERIFY(QLineF(pixels, senderCorner * pixelsPerMm).length() < 1e-6);
    QCOMPARE(onPaper.transform(600, 600).isIdentity(), printer.feed == PrinterFeed());
}

void PaperTest::printerSettingsBytes_data()
{
    QTest::addColumn<QString>("printer");
    QTest::addColumn<QByteArray>("keyName");

    QTest::newRow("queue") << QStringLiteral("Office_HP-2") << QByteArray("office_hp-2");
    QTest::newRow("blanks, brackets, equals, accents")
        << QStringLiteral("HP [Kancelář] = 2")
        << QByteArray("hp%20%5Bkancel%C3%A1%C5%99%5D%20%3D%202");
    QTest::newRow("line breaks, comment") << QStringLiteral(";a\r\nb") << QByteArray("%3Ba%0D%0Ab");
    QTest::newRow("PDF file") << QString() << QByteArray();
}

void PaperTest::printerSettingsBytes()
{
    QFETCH(QString, printer);
    QFETCH(QByteArray, keyName);

    const ScopedConfigHome config;
    ProfileFile profile;
    profile.SetFileName(kProfileFileName);
    profile.WriteInt("3okno", "propojit", 0);
    const QByteArray before = readFile(privateProfilePath(kProfileFileName));

    const PrinterFeed feed{90, FeedPlacement::Centre, 1.5, -0.25};
    QVERIFY(PrinterPaperStore::saveFeed(printer, feed));
    QVERIFY(PrinterPaperStore::savePageSetup(
        printer, QPageLayout(QPageSize(QPageSize::EnvelopeDL), QPageLayout::Landscape, {})));
    const QByteArray k = keyName + '.';
    QCOMPARE(readFile(privateProfilePath(kProfileFileName)),
             before + "[TISKARNY]\r\n" + k + "otoceni=90\r\n" + k + "umisteni=1\r\n" + k +
                 "posunX=1.500000\r\n" + k + "posunY=-0.250000\r\n" + k +
                 "papirSirka=110.000000\r\n" + k + "papirVyska=220.000000\r\n" + k +
                 "papirNaSirku=1\r\n");

    const PrinterPaper loaded = PrinterPaperStore::load(printer.toUpper());
    QCOMPARE(loaded.feed, feed);
    QVERIFY(loaded.pageSetup);
    QCOMPARE(loaded.pageSetup->pageSize().id(), QPageSize::EnvelopeDL);
    QCOMPARE(loaded.pageSetup->orientation(), QPageLayout::Landscape);
    QVERIFY(PrinterPaperStore::load(printer + u'x').feed == PrinterFeed());

    QVERIFY(PrinterPaperStore::forgetPageSetup(printer));
    QVERIFY(!PrinterPaperStore::loadPageSetup(printer));
    profile.WriteString("TISKARNY", k.toStdString() + "otoceni", "45");
    QCOMPARE(PrinterPaperStore::loadFeed(printer).rotation, 0);
}

void PaperTest::calibrationCrosses_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QPointF>("corner");  // the paper's far one, mm
    QTest::addColumn<QPointF>("ruledAt"); // where the left ruler's point 10 cm down lands
    QTest::newRow("as on the screen") << 0 << QPointF(220, 110) << QPointF(25, 100);
    QTest::newRow("fed short edge first") << 90 << QPointF(110, 220) << QPointF(10, 25);
    QTest::newRow("upside down") << 180 << QPointF(220, 110) << QPointF(195, 10);
    QTest::newRow("fed the other short edge first")
        << 270 << QPointF(110, 220) << QPointF(100, 195);
}

void PaperTest::calibrationCrosses()
{
    QFETCH(int, rotation);
    QFETCH(QPointF, corner);
    QFETCH(QPointF, ruledAt);

    const QSizeF envelope(220, 110);
    const PrinterFeed feed{rotation, FeedPlacement::Left, 0.0, 0.0};
    const EnvelopeOnPaper onPaper(envelope, {feed, {}});
    constexpr int dpi = 100;
    const double pixelsPerMm = dpi / 25.4;
    QImage paper((QSizeF(corner.x(), corner.y()) * pixelsPerMm).toSize(), QImage::Format_RGB32);
    paper.setDotsPerMeterX(qRound(dpi / 0.0254));
    paper.setDotsPerMeterY(qRound(dpi / 0.0254));
    paper.fill(Qt::white);
    QPainter painter(&paper);
    painter.setTransform(onPaper.transform(dpi, dpi));
    drawCalibrationPage(painter, envelope, QStringLiteral("Kancelář"), feed);
    painter.end();

    // On the paper, in mm: each cross's centre 10 mm from two edges is inked, the paper
    // 2.5 mm diagonally inside it is not; the ruler lies along the envelope's left edge only.
    const auto inkNear = [&](QPointF paperMm) {
        const QPointF centre = paperMm * pixelsPerMm;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (qGray(paper.pixel(int(centre.x()) + dx, int(centre.y()) + dy)) < 128)
                    return true;
        return false;
    };
    for (const double x : {10.0, corner.x() - 10})
        for (const double y : {10.0, corner.y() - 10}) {
            QVERIFY(inkNear({x, y}));
            QVERIFY(!inkNear({x + (x < 50 ? 2.5 : -2.5), y + (y < 50 ? 2.5 : -2.5)}));
        }
    QVERIFY(inkNear(ruledAt));
    QVERIFY(!inkNear(corner - ruledAt));
}

void PaperTest::shadedEdges_data()
{
    QTest::addColumn<QMargins>("margins"); // points, as the paper stands in the printer
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QList<QRect>>("edges"); // of a paper of 10 x 10 points
    QTest::newRow("printed to the edges") << QMargins() << false << QList<QRect>{};
    QTest::newRow("each side its own")
        << QMargins(1, 2, 3, 4) << false
        << QList<QRect>{{0, 0, 10, 2}, {0, 2, 1, 4}, {7, 2, 3, 4}, {0, 6, 10, 4}};
    // Its top along the paper's left edge, its left along the paper's bottom.
    QTest::newRow("landscape, turned a quarter left")
        << QMargins(1, 2, 3, 4) << true
        << QList<QRect>{{0, 0, 10, 1}, {0, 1, 4, 6}, {8, 1, 2, 6}, {0, 7, 10, 3}};
}

void PaperTest::shadedEdges()
{
    QFETCH(QMargins, margins);
    QFETCH(bool, landscape);
    QFETCH(QList<QRect>, edges);
    QBuffer bytes;
    QPdfWriter device(&bytes);
    device.setResolution(72);
    const QPageLayout layout(QPageSize(QSizeF(10, 10), QPageSize::Point),
                             landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                             QMarginsF(margins), QPageLayout::Point, QMarginsF(margins));
    QVERIFY(device.setPageLayout(layout));
    QCOMPARE(unprintableEdges(device), edges);
}

QTEST_MAIN(PaperTest)
#include "PaperTest.moc"
