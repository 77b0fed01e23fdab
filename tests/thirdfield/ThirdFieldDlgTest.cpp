#include "CContextRichEdit.h"
#include "CThirdFieldDlg.h"
#include "DialogStubs.h"
#include "FileBytes.h"
#include "LogFont.h"
#include "MessageRecorder.h"
#include "PrivateProfile.h"
#include "ScopedDirectories.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <cstring>
#include <memory>
#include <optional>

namespace {

QByteArray structValue(const LOGFONT &font)
{
    QByteArray bytes(reinterpret_cast<const char *>(&font), sizeof font);
    unsigned sum = 0;
    for (char c : bytes)
        sum += std::uint8_t(c);
    return bytes.toHex().toUpper() +
           QByteArray::number(sum % 256, 16).rightJustified(2, '0').toUpper();
}

LOGFONT defaultFont()
{
    LOGFONT font;
    InitDefaultLogFont(font);
    return font;
}

LOGFONT arialFont()
{
    LOGFONT font{};
    font.lfHeight = -20;
    font.lfWeight = FW_BOLD;
    font.lfCharSet = EASTEUROPE_CHARSET;
    std::strcpy(font.lfFaceName, "Arial");
    return font;
}

} // namespace

class ThirdFieldDlgTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void startsFromDefaultsWithoutProfile();
    void readsHandWrittenProfile_data();
    void readsHandWrittenProfile();
    void writesProfileWhenDestroyed();
    void lengthsComeBackAsStoredWithSixDecimals_data();
    void lengthsComeBackAsStoredWithSixDecimals();
    void writesProfileOnlyOnce();
    void destructionWithBadBoxWritesLastValidValues();
    void enterEscAndCloseLeavePanelOpen_data();
    void enterEscAndCloseLeavePanelOpen();
    void paintingNeverShowsMessages();
    void printingStopsAtTheBadBox_data();
    void printingStopsAtTheBadBox();
    void fontButtonSetsFieldFontOnly();
    void cancelledFontDialogChangesNothing();
    void previewButtonRequestsRepaint();
    void linkCopyReplacesWholeText();
    void controlsInExchangeAndTabOrder();
    void panelIsNotResizable();

private:
    std::unique_ptr<CThirdFieldDlg> createPanel();
    QLineEdit *box(CThirdFieldDlg &panel, int id);
    void writeProfile(const QByteArray &content);
    QByteArray profileContent() const;

    std::optional<ScopedConfigHome> m_configHome;
    QWidget m_view;
    MessageRecorder m_recorder;
    std::optional<FontDialogStub> m_fonts;
};

void ThirdFieldDlgTest::initTestCase()
{
    m_view.resize(600, 400);
}

void ThirdFieldDlgTest::init()
{
    m_configHome.emplace();
    QVERIFY(m_configHome->isValid());
    m_recorder.messages.clear();
    m_fonts.emplace();
}

std::unique_ptr<CThirdFieldDlg> ThirdFieldDlgTest::createPanel()
{
    auto panel = std::make_unique<CThirdFieldDlg>();
    panel->Create(&m_view);
    return panel;
}

QLineEdit *ThirdFieldDlgTest::box(CThirdFieldDlg &panel, int id)
{
    return panel.findChild<QLineEdit *>(QString::number(id));
}

void ThirdFieldDlgTest::writeProfile(const QByteArray &content)
{
    QVERIFY(writeFile(privateProfilePath(QStringLiteral("lerbot.ini")), content));
}

QByteArray ThirdFieldDlgTest::profileContent() const
{
    return readFile(privateProfilePath(QStringLiteral("lerbot.ini")));
}

void ThirdFieldDlgTest::startsFromDefaultsWithoutProfile()
{
    auto panel = createPanel();
    QVERIFY(panel->IsWindow());
    QVERIFY(!panel->isVisible());
    for (int id : {1018, 1019, 1020, 1021})
        QCOMPARE(box(*panel, id)->text(), QStringLiteral("0"));

    const ThirdFieldValues values = panel->valuesForPainting();
    QCOMPARE(values.pointSize, 120);
    QCOMPARE(logFontBytes(values.font), logFontBytes(defaultFont()));
    QCOMPARE(values.left, 0.0);
    QCOMPARE(values.width, 0.0);
    QVERIFY(values.text.isEmpty());
    QVERIFY(m_recorder.messages.isEmpty());
}

void ThirdFieldDlgTest::readsHandWrittenProfile_data()
{
    QTest::addColumn<QByteArray>("fontValue");
    QTest::addColumn<QByteArray>("lengthsAndSize");
    QTest::addColumn<QByteArray>("expectedFace");
    QTest::addColumn<double>("expectedLeft");
    QTest::addColumn<int>("expectedPointSize");

    const QByteArray good = structValue(arialFont());
    QByteArray badChecksum = good;
    badChecksum[badChecksum.size() - 1] = badChecksum.endsWith('0') ? '1' : '0';

    QTest::newRow("valid font") << good << QByteArray("left=2.5\r\nvfont=140\r\n")
                                << QByteArray("Arial") << 2.5 << 140;
    QTest::newRow("bad checksum") << badChecksum << QByteArray("left=1\r\n")
                                  << QByteArray("Times New Roman") << 1.0 << 120;
    QTest::newRow("one byte short")
        << good.mid(2) << QByteArray() << QByteArray("Times New Roman") << 0.0 << 120;
    QTest::newRow("not hex") << QByteArray(good).replace(0, 2, "ZZ") << QByteArray()
                             << QByteArray("Times New Roman") << 0.0 << 120;
    QTest::newRow("decimal comma and junk size")
        << good << QByteArray("left=2,5\r\nvfont=abc\r\n") << QByteArray("Arial") << 2.0 << 0;
    QTest::newRow("empty values take defaults")
        << good << QByteArray("left=\r\nvfont=\r\n") << QByteArray("Arial") << 0.0 << 120;
}

void ThirdFieldDlgTest::readsHandWrittenProfile()
{
    QFETCH(QByteArray, fontValue);
    QFETCH(QByteArray, lengthsAndSize);
    QFETCH(QByteArray, expectedFace);
    QFETCH(double, expectedLeft);
    QFETCH(int, expectedPointSize);

    writeProfile("[3okno]\r\npropojit=0\r\n[TRETI_OKNO]\r\nfont=" + fontValue + "\r\n" +
                 lengthsAndSize);
    auto panel = createPanel();
    const ThirdFieldValues values = panel->valuesForPainting();
    QCOMPARE(QByteArray(values.font.lfFaceName), expectedFace);
    QCOMPARE(values.left, expectedLeft);
    QCOMPARE(values.pointSize, expectedPointSize);
    QVERIFY(m_recorder.messages.isEmpty());
}

void ThirdFieldDlgTest::writesProfileWhenDestroyed()
{
    auto panel = createPanel();
    box(*panel, 1018)->setText(QStringLiteral("2.5"));
    box(*panel, 1019)->setText(QStringLiteral(" 1 "));
    box(*panel, 1020)->setText(QStringLiteral("5"));
    box(*panel, 1021)->setText(QStringLiteral("1.5"));
    panel->setFieldText(QStringLiteral("Nikdy se neukládá"));
    panel.reset();

    QCOMPARE(profileContent(), "[TRETI_OKNO]\r\nfont=" + structValue(defaultFont()) +
                                   "\r\nleft=2.500000\r\nup=1.000000\r\nsirka=5.000000\r\n"
                                   "vyska=1.500000\r\nvfont=120\r\n");
    QVERIFY(m_recorder.messages.isEmpty());
}

void ThirdFieldDlgTest::lengthsComeBackAsStoredWithSixDecimals_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shownAfterRestart");

    QTest::newRow("2.5") << "2.5"
                         << "2.5";
    QTest::newRow("1.0000001") << "1.0000001"
                               << "1";
    QTest::newRow("rounded up") << "0.1234567"
                                << "0.123457";
    QTest::newRow("negative") << "-3.25"
                              << "-3.25";
    QTest::newRow("exponent") << "1e1"
                              << "10";
}

void ThirdFieldDlgTest::lengthsComeBackAsStoredWithSixDecimals()
{
    QFETCH(QString, typed);
    QFETCH(QString, shownAfterRestart);

    auto panel = createPanel();
    box(*panel, 1020)->setText(typed);
    panel.reset();
    panel = createPanel();
    QCOMPARE(box(*panel, 1020)->text(), shownAfterRestart);
}

void ThirdFieldDlgTest::writesProfileOnlyOnce()
{
    auto panel = createPanel();
    panel->OnDestroy();
    QVERIFY(!panel->IsWindow());
    writeProfile("[TRETI_OKNO]\r\nleft=7\r\n");
    panel.reset();
    QCOMPARE(profileContent(), QByteArray("[TRETI_OKNO]\r\nleft=7\r\n"));
}

void ThirdFieldDlgTest::destructionWithBadBoxWritesLastValidValues()
{
    writeProfile("[TRETI_OKNO]\r\nleft=4\r\nup=3\r\nsirka=2\r\nvyska=1\r\n");
    auto panel = createPanel();
    box(*panel, 1021)->setText(QStringLiteral("9"));
    box(*panel, 1019)->setText(QStringLiteral("tři"));
    box(*panel, 1018)->setText(QStringLiteral("8"));
    panel.reset();

    QCOMPARE(m_recorder.messages.size(), 1);
    QCOMPARE(m_recorder.messages.first().icon, MessageIcon::Exclamation);
    const QByteArray written = profileContent();
    // Height comes before the bad top box in the exchange, left after it.
    QVERIFY2(written.contains("vyska=9.000000\r\n"), written);
    QVERIFY2(written.contains("up=3.000000\r\n"), written);
    QVERIFY2(written.contains("left=4.000000\r\n"), written);
}

void ThirdFieldDlgTest::enterEscAndCloseLeavePanelOpen_data()
{
    QTest::addColumn<int>("action");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("close button") << 0;
}

void ThirdFieldDlgTest::enterEscAndCloseLeavePanelOpen()
{
    QFETCH(int, action);

    auto panel = createPanel();
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
    QLineEdit *left = box(*panel, 1018);
    left->setFocus();
    left->setText(QStringLiteral("ne"));
    if (action)
        QTest::keyClick(left, Qt::Key(action));
    else
        QVERIFY(!panel->close());

    QVERIFY(panel->isVisible());
    QCOMPARE(left->text(), QStringLiteral("ne"));
    QCOMPARE(m_fonts->offered.size(), 0);
    QVERIFY(m_recorder.messages.isEmpty());
    QCOMPARE(panel->valuesForPainting().left, 0.0);
}

void ThirdFieldDlgTest::paintingNeverShowsMessages()
{
    auto panel = createPanel();
    box(*panel, 1018)->setText(QStringLiteral("1.5"));
    box(*panel, 1021)->setText(QStringLiteral("2"));
    QCOMPARE(panel->valuesForPainting().left, 1.5);

    box(*panel, 1018)->setText(QString());
    box(*panel, 1021)->setText(QStringLiteral("1e999"));
    box(*panel, 1020)->setText(QStringLiteral("3"));
    for (int repaint = 0; repaint < 3; ++repaint) {
        const ThirdFieldValues values = panel->valuesForPainting();
        QCOMPARE(values.left, 1.5);
        QCOMPARE(values.height, 2.0);
        QCOMPARE(values.width, 3.0);
    }
    QVERIFY(m_recorder.messages.isEmpty());
}

void ThirdFieldDlgTest::printingStopsAtTheBadBox_data()
{
    QTest::addColumn<int>("badBox");
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("textTaken");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("width");

    // Exchange order: height, text, top, left, width; boxes after the bad one keep 0.
    QTest::newRow("height") << 1021 << 0.0 << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("top") << 1019 << 4.0 << true << 0.0 << 0.0 << 0.0;
    QTest::newRow("left") << 1018 << 4.0 << true << 3.0 << 0.0 << 0.0;
    QTest::newRow("width") << 1020 << 4.0 << true << 3.0 << 2.0 << 0.0;
    QTest::newRow("none") << 0 << 4.0 << true << 3.0 << 2.0 << 1.0;
}

void ThirdFieldDlgTest::printingStopsAtTheBadBox()
{
    QFETCH(int, badBox);
    QFETCH(double, height);
    QFETCH(bool, textTaken);
    QFETCH(double, top);
    QFETCH(double, left);
    QFETCH(double, width);

    auto panel = createPanel();
    box(*panel, 1021)->setText(QStringLiteral("4"));
    box(*panel, 1019)->setText(QStringLiteral("3"));
    box(*panel, 1018)->setText(QStringLiteral("2"));
    box(*panel, 1020)->setText(QStringLiteral("1"));
    panel->setFieldText(QStringLiteral("Praha"));
    if (badBox)
        box(*panel, badBox)->setText(QStringLiteral("x"));

    const ThirdFieldValues values = panel->valuesForPrinting();
    QCOMPARE(m_recorder.messages.size(), badBox ? 1 : 0);
    QCOMPARE(values.height, height);
    QCOMPARE(values.text, textTaken ? QStringLiteral("Praha") : QString());
    QCOMPARE(values.top, top);
    QCOMPARE(values.left, left);
    QCOMPARE(values.width, width);
    m_recorder.messages.clear();
    if (badBox)
        box(*panel, badBox)->setText(QStringLiteral("1"));
}

void ThirdFieldDlgTest::fontButtonSetsFieldFontOnly()
{
    auto panel = createPanel();
    auto *textBox = panel->findChild<CContextRichEdit *>(QStringLiteral("1022"));
    QVERIFY(textBox);
    const QFont boxFont = textBox->font();
    m_fonts->answer = [](const QFont &) -> std::optional<ChosenFont> {
        QFont chosen(QStringLiteral("Arial"));
        chosen.setBold(true);
        chosen.setUnderline(true);
        chosen.setPointSizeF(14.5);
        return ChosenFont{chosen, 145};
    };

    panel->findChild<QPushButton *>(QStringLiteral("1023"))->click();

    QVERIFY(!m_fonts->offered.isEmpty());
    const QFont offered = m_fonts->offered.last();
    QCOMPARE(offered.family(), QStringLiteral("Times New Roman"));
    QCOMPARE(offered.pointSizeF(), 12.0);
    const ThirdFieldValues values = panel->valuesForPainting();
    QCOMPARE(QByteArray(values.font.lfFaceName), QByteArray("Arial"));
    QCOMPARE(values.font.lfWeight, FW_BOLD);
    QCOMPARE(values.font.lfUnderline, 1);
    QCOMPARE(values.pointSize, 145);
    QCOMPARE(textBox->font(), boxFont);

    panel.reset();
    panel = createPanel();
    QCOMPARE(QByteArray(panel->valuesForPainting().font.lfFaceName), QByteArray("Arial"));
    QCOMPARE(panel->valuesForPainting().pointSize, 145);
}

void ThirdFieldDlgTest::cancelledFontDialogChangesNothing()
{
    auto panel = createPanel();
    const ThirdFieldValues before = panel->valuesForPainting();
    panel->OnChooseFont();
    QCOMPARE(m_fonts->offered.size(), 1);
    const ThirdFieldValues after = panel->valuesForPainting();
    QCOMPARE(logFontBytes(after.font), logFontBytes(before.font));
    QCOMPARE(after.pointSize, before.pointSize);
}

void ThirdFieldDlgTest::previewButtonRequestsRepaint()
{
    auto panel = createPanel();
    QSignalSpy requests(panel.get(), &CThirdFieldDlg::updatePreviewRequested);
    box(*panel, 1018)->setText(QStringLiteral("6"));
    panel->findChild<QPushButton *>(QStringLiteral("1024"))->click();
    QCOMPARE(requests.size(), 1);
    // The button itself takes nothing from the boxes; the repaint does.
    QCOMPARE(panel->valuesForPrinting().left, 6.0);
    QVERIFY(m_recorder.messages.isEmpty());
}

void ThirdFieldDlgTest::linkCopyReplacesWholeText()
{
    auto panel = createPanel();
    panel->setFieldText(QStringLiteral("staré"));
    panel->setFieldText(QStringLiteral("Jan Novák\nDlouhá 5\n110 00 Praha 1"));
    QCOMPARE(panel->valuesForPainting().text,
             QStringLiteral("Jan Novák\nDlouhá 5\n110 00 Praha 1"));
    panel->setFieldText(QString());
    QVERIFY(panel->valuesForPainting().text.isEmpty());
}

void ThirdFieldDlgTest::controlsInExchangeAndTabOrder()
{
    auto panel = createPanel();
    QCOMPARE(panel->windowTitle(), QStringLiteral("Třetí pole"));
    QStringList order;
    QWidget *first = box(*panel, 1018);
    QWidget *w = first;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first);
    QCOMPARE(order, (QStringList{"1018", "1019", "1020", "1021", "1023", "1022", "1024"}));
    for (auto *button : panel->findChildren<QPushButton *>())
        QVERIFY(!button->autoDefault() && !button->isDefault());
}

void ThirdFieldDlgTest::panelIsNotResizable()
{
    writeProfile("[TRETI_OKNO]\r\nleft=2\r\nup=3\r\nsirka=5\r\nvyska=1.5\r\n");
    auto panel = createPanel();
    panel->setFieldText(QStringLiteral("Přílohy: 3\nDoporučeně"));
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
    QCOMPARE(panel->minimumSize(), panel->maximumSize());
    QVERIFY(
        !(panel->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    // Kept for a look at the layout.
    panel->grab().save(QDir::temp().filePath(QStringLiteral("tobrel-thirdfield.png")));
}

QTEST_MAIN(ThirdFieldDlgTest)
#include "ThirdFieldDlgTest.moc"
