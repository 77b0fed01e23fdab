#include "CAutoComboBox.h"
#include "CContextRichEdit.h"
#include "CTobrelView.h"
#include "EnvelopePage.h"
#include "StoreFiles.h"
#include "WorkspaceFixture.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QToolTip>

namespace {

struct DrawnText
{
    QString text;
    QPointF baseline;
    int pixelSize;
    QRectF clip;
};

// Keeps every text item the painter hands over, with the font and clip it was drawn with.
class RecordingEngine : public QPaintEngine
{
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        texts.append(
            {item.text(), p, painter()->font().pixelSize(), painter()->clipBoundingRect()});
    }
    void drawPath(const QPainterPath &) override {}
    Type type() const override { return QPaintEngine::User; }

    QList<DrawnText> texts;
};

// A printer stand-in of a given resolution whose drawing can be read back.
class RecordingPrinter : public QPaintDevice
{
public:
    explicit RecordingPrinter(int dpi) : m_dpi(dpi) {}
    QPaintEngine *paintEngine() const override { return &m_engine; }
    const QList<DrawnText> &texts() const { return m_engine.texts; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_dpi * 12;
        case PdmHeight:
            return m_dpi * 8;
        case PdmWidthMM:
            return 12 * 254 / 10;
        case PdmHeightMM:
            return 8 * 254 / 10;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    int m_dpi;
    mutable RecordingEngine m_engine;
};

QRectF corners(int left, int top, int right, int bottom)
{
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

void writeStores(const WorkspaceFixture &fixture)
{
    QVERIFY(fixture.writeStores(
        {envelope("DL", 22.9f, 11.4f, 1, 1, 11, 5.5f), envelope("C5", 22.9f, 16.2f, 2, 2, 12, 8)},
        {address("Firma", "Firma s.r.o.\r\nDlouhá 1\r\nPraha")},
        {address("Novák", "Jan Novák & syn\r\nKrátká 5\r\nBrno")}));
}

// The view with its stores written and the DL envelope, Novák and Firma applied.
std::unique_ptr<CTobrelView> startWithBothAddresses(WorkspaceFixture &fixture)
{
    writeStores(fixture);
    auto view = fixture.startView();
    choose(view->m_envelopeCombo, "DL");
    choose(view->m_addresseeCombo, "Novák");
    choose(view->m_senderCombo, "Firma");
    return view;
}

// What the view draws on a printer of this resolution.
QList<DrawnText> print(CTobrelView &view, int dpi)
{
    RecordingPrinter printer(dpi);
    QPainter painter(&printer);
    view.OnPrint(painter);
    painter.end();
    return printer.texts();
}

// The texts drawn in one clip rectangle, in drawing order.
QList<DrawnText> textsIn(const QList<DrawnText> &texts, const QRectF &clip)
{
    QList<DrawnText> found;
    for (const DrawnText &t : texts)
        if (t.clip == clip)
            found << t;
    return found;
}

QStringList lines(const QList<DrawnText> &texts)
{
    QStringList result;
    for (const DrawnText &t : texts)
        result << t.text;
    return result;
}

} // namespace

class EnvelopePrintTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void printsBothAddresses_data();
    void printsBothAddresses();
    void printsWhatTheBoxesHoldNow();
    void emptyPageWithoutFormat();
    void thirdFieldOnlyWhileShown();
    void marksTextTheBoxCuts_data();
    void marksTextTheBoxCuts();
    void viewMarksTextThatWillBeCut_data();
    void viewMarksTextThatWillBeCut();
    void pdfPlacesTheTexts_data();
    void pdfPlacesTheTexts();
};

void EnvelopePrintTest::printsBothAddresses_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QRectF>("sender");
    QTest::addColumn<QRectF>("addressee");
    QTest::addColumn<int>("lineStep"); // the font's height without its external leading
    QTest::newRow("600 dpi") << 600 << 100 << corners(236, 236, 5409, 2693)
                             << corners(2598, 1299, 5409, 2693) << 111;
    QTest::newRow("300 dpi") << 300 << 50 << corners(118, 118, 2705, 1346)
                             << corners(1299, 650, 2705, 1346) << 56;
}

void EnvelopePrintTest::printsBothAddresses()
{
    QFETCH(int, dpi);
    QFETCH(int, pixels);
    QFETCH(QRectF, sender);
    QFETCH(QRectF, addressee);
    QFETCH(int, lineStep);
    WorkspaceFixture fixture;
    auto view = startWithBothAddresses(fixture);
    // The preview scale plays no part on paper.
    choose(view->m_scaleCombo, "30%");

    const QList<DrawnText> texts = print(*view, dpi);
    const QList<DrawnText> senderTexts = textsIn(texts, sender);
    const QList<DrawnText> addresseeTexts = textsIn(texts, addressee);
    QCOMPARE(senderTexts.size() + addresseeTexts.size(), texts.size());
    // One item per line of the text's own, '&' printed as it stands.
    QCOMPARE(lines(senderTexts), (QStringList{"Firma s.r.o.", "Dlouhá 1", "Praha"}));
    QCOMPARE(lines(addresseeTexts), (QStringList{"Jan Novák & syn", "Krátká 5", "Brno"}));
    for (const DrawnText &t : texts)
        QCOMPARE(t.pixelSize, pixels);
    QCOMPARE(senderTexts.first().baseline.x(), sender.left());
    QCOMPARE(addresseeTexts.first().baseline.x(), addressee.left());
    QVERIFY(senderTexts.first().baseline.y() > sender.top());
    QVERIFY(senderTexts.first().baseline.y() < sender.top() + pixels * 1.3);
    QCOMPARE(senderTexts[1].baseline.y() - senderTexts[0].baseline.y(), lineStep);
}

void EnvelopePrintTest::printsWhatTheBoxesHoldNow()
{
    WorkspaceFixture fixture;
    writeStores(fixture);
    auto view = fixture.startView();
    choose(view->m_envelopeCombo, "DL");
    choose(view->m_addresseeCombo, "Novák");
    QCOMPARE(view->m_senderEdit->toPlainText(), QString());
    const QString longLine(300, QLatin1Char('m'));
    view->m_addresseeEdit->setPlainText(QStringLiteral("Typed\n") + longLine);
    // Selected but not applied: printing takes the selected format and stores its label.
    view->m_envelopeCombo->setCurrentIndex(view->m_envelopeCombo->findText("C5"));
    const QRect boxBefore = view->m_addresseeEdit->geometry();

    const QList<DrawnText> texts = print(*view, 600);
    QCOMPARE(view->m_curEnvelope, std::string("C5"));
    QCOMPARE(view->m_addresseeEdit->geometry(), boxBefore);
    // The sender box is empty ("<Žádný>"), so only the addressee is printed, unwrapped.
    QCOMPARE(lines(texts), (QStringList{"Typed", longLine}));
    QCOMPARE(texts.first().clip, corners(2835, 1890, 5409, 3827));
}

void EnvelopePrintTest::emptyPageWithoutFormat()
{
    WorkspaceFixture fixture;
    auto view = fixture.startView();
    view->m_senderEdit->setPlainText(QStringLiteral("Odesílatel"));
    QVERIFY(print(*view, 600).isEmpty());
}

void EnvelopePrintTest::thirdFieldOnlyWhileShown()
{
    WorkspaceFixture fixture;
    writeStores(fixture);
    auto view = fixture.startView();
    choose(view->m_envelopeCombo, "DL");
    showThirdField(*view, "2", "3", "5", "1.5");
    view->OnCmdMsg(Command::LinkThirdField); // off: the text stays as typed
    view->m_thirdField.setFieldText(QStringLiteral("Doporučeně"));

    const QList<DrawnText> shown = print(*view, 600);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, QStringLiteral("Doporučeně"));
    QCOMPARE(shown.first().clip, corners(472, 709, 1654, 1063));
    QCOMPARE(shown.first().pixelSize, 100);

    view->OnCmdMsg(Command::ThirdField);
    QVERIFY(print(*view, 600).isEmpty());
}

void EnvelopePrintTest::pdfPlacesTheTexts_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("lineStep");
    QTest::newRow("600 dpi") << 600 << 111;
    QTest::newRow("300 dpi") << 300 << 56;
}

void EnvelopePrintTest::pdfPlacesTheTexts()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(int, dpi);
    QFETCH(int, lineStep);
    WorkspaceFixture fixture;
    auto view = startWithBothAddresses(fixture);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fixture.path(QStringLiteral("envelope.pdf")));
    printer.setResolution(dpi);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QVERIFY(view->PrintEnvelope(printer));
    if (!qEnvironmentVariableIsEmpty("TOBREL_SCREENSHOT"))
        QFile::copy(printer.outputFileName(), qEnvironmentVariable("TOBREL_SCREENSHOT"));

    QProcess process;
    process.start(pdftotext, {QStringLiteral("-bbox"), printer.outputFileName(),
                              fixture.path(QStringLiteral("envelope.html"))});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    const QString html = QString::fromUtf8(fixture.readFile(QStringLiteral("envelope.html")));
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QHash<QString, QRectF> words;
    for (const auto &match : word.globalMatch(html))
        words.insert(match.captured(5),
                     QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                            QPointF(match.captured(3).toDouble(), match.captured(4).toDouble())));
    QVERIFY2(words.contains("Firma") && words.contains("Jan"), qPrintable(html));
    // In points of the page: pixels * 72 / dpi; the sender at 1 cm, the addressee at 11 cm.
    const double senderLeft = 236 * 72.0 / 600;
    const double addresseeLeft = 2598 * 72.0 / 600;
    QVERIFY(qAbs(words["Firma"].left() - senderLeft) < 1.5);
    QVERIFY(qAbs(words["Firma"].top() - senderLeft) < 3);
    QVERIFY(qAbs(words["Jan"].left() - addresseeLeft) < 1.5);
    QVERIFY(qAbs(words["Jan"].top() - 1299 * 72.0 / 600) < 3);
    // 12 points tall, whatever the resolution.
    QVERIFY2(words["Firma"].height() > 10 && words["Firma"].height() < 16,
             qPrintable(QString::number(words["Firma"].height())));
    // Lines as far apart as the font's height: Qt's line spacing would add 4 or 2 pixels.
    const double stepPoints = lineStep * 72.0 / dpi;
    QVERIFY2(qAbs(words["Praha"].top() - words["Firma"].top() - 2 * stepPoints) < 0.1,
             qPrintable(QString::number(words["Praha"].top() - words["Firma"].top())));
}

void EnvelopePrintTest::marksTextTheBoxCuts_data()
{
    QTest::addColumn<QString>("addressee");
    QTest::addColumn<QList<QRect>>("unprintable");
    QTest::addColumn<int>("cutLine"); // of the addressee; -1: nothing cut
    QTest::addColumn<bool>("atPrinterEdge");
    const QList<QRect> none;
    const QList<QRect> bottomStrip = {QRect(0, 2400, 5409, 300)};
    QTest::newRow("fits") << QStringLiteral("Jan Novák\nKrátká 5\nBrno") << none << -1 << false;
    QTest::newRow("line past the right edge")
        << QStringLiteral("Jan\n") + QString(60, u'W') << none << 1 << false;
    QTest::newRow("lines past the bottom")
        << QStringLiteral("řádek\n").repeated(20) << none << 12 << false;
    QTest::newRow("fits the envelope, not the printable area")
        << QStringLiteral("a\nb\nc\nd\ne\nf\ng\nh\ni\nj") << bottomStrip << 9 << true;
    QTest::newRow("clear of the printer's edge")
        << QStringLiteral("Jan Novák\nKrátká 5\nBrno") << bottomStrip << -1 << false;
}

void EnvelopePrintTest::marksTextTheBoxCuts()
{
    QFETCH(QString, addressee);
    QFETCH(QList<QRect>, unprintable);
    QFETCH(int, cutLine);
    QFETCH(bool, atPrinterEdge);
    EnvelopePage page;
    page.format = envelope("DL", 22.9f, 11.4f, 1, 1, 11, 5.5f);
    InitDefaultLogFont(page.printFont);
    page.senderText = QStringLiteral("Firma s.r.o.");
    page.addresseeText = addressee;
    RecordingPrinter printer(600);
    QPainter painter(&printer);
    const QList<CutText> cut = cutTexts(painter, page, unprintable);
    QCOMPARE(cut.size(), cutLine < 0 ? 0 : 1);
    if (cutLine < 0)
        return;
    QCOMPARE(cut[0].box, CutText::Box::Addressee);
    QCOMPARE(cut[0].rect, corners(2598, 1299, 5409, 2693).toRect());
    QCOMPARE(cut[0].line, cutLine);
    QCOMPARE(cut[0].lineText, addressee.section(u'\n', cutLine, cutLine));
    QCOMPARE(cut[0].atPrinterEdge, atPrinterEdge);
}

void EnvelopePrintTest::viewMarksTextThatWillBeCut_data()
{
    QTest::addColumn<QString>("addressee");
    QTest::addColumn<QString>("tooltip"); // empty: no mark
    QTest::newRow("fits") << QStringLiteral("Jan Novák\nBrno") << QString();
    QTest::newRow("second line too long")
        << QStringLiteral("Jan\n") + QString(60, u'W')
        << QStringLiteral("adresát: řádek 2 „%1“ se nevejde a bude oříznut.")
               .arg(QString(60, u'W'));
}

void EnvelopePrintTest::viewMarksTextThatWillBeCut()
{
    QFETCH(QString, addressee);
    QFETCH(QString, tooltip);
    WorkspaceFixture fixture;
    auto view = startWithBothAddresses(fixture);
    view->m_addresseeEdit->setPlainText(addressee);
    const QImage shown = view->grab().toImage();
    // Just right of the addressee box's top-right corner, never on paper.
    const QRect box = view->m_addresseeEdit->geometry();
    const QPoint mark(box.right() + 6, box.top() + 7);
    const QColor colour = shown.pixelColor(mark);
    QCOMPARE(colour.red() > 200 && colour.green() < 80, !tooltip.isEmpty());
    QHelpEvent help(QEvent::ToolTip, mark, view->mapToGlobal(mark));
    QCoreApplication::sendEvent(view.get(), &help);
    QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tooltip);
    for (const DrawnText &printed : print(*view, 600))
        QVERIFY(printed.text != QStringLiteral("!"));
}

QTEST_MAIN(EnvelopePrintTest)
#include "EnvelopePrintTest.moc"
