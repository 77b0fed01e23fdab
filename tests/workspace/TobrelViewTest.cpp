#include "CAutoComboBox.h"
#include "LabelListModel.h"
#include "CContextRichEdit.h"
#include "CTobrelView.h"
#include "DialogStubs.h"
#include "PostedEvents.h"
#include "ProfileFile.h"
#include "StoreFiles.h"
#include "WorkspaceFixture.h"

#include <QDir>
#include <QTest>
#include <QTextDocument>

#include <cstring>

namespace {

const QString kNone = QStringLiteral("<Žádný>");

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

// The envelope of the examples and a smaller one, with two addressees and a sender.
void writeSampleStores(const WorkspaceFixture &fixture)
{
    QVERIFY(fixture.writeStores(
        {envelope("DL", 22.9f, 11.4f, 1, 1, 11, 5.5f), envelope("C6", 16, 11.4f, 1, 1, 8, 5)},
        {address("Firma", "Firma s.r.o.\r\nDlouhá 1\r\nPraha")},
        {address("Novák", "Jan Novák\r\nKrátká 5\r\nBrno"),
         address("Svoboda", "Petr Svoboda\r\nOlomouc")}));
}

std::unique_ptr<CTobrelView> startWithSampleStores(WorkspaceFixture &fixture)
{
    writeSampleStores(fixture);
    return fixture.startView();
}

double boxPointSize(const CContextRichEdit *edit)
{
    return edit->document()->defaultFont().pointSizeF();
}

} // namespace

class TobrelViewTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsEmptyAndWritesEmptyStores();
    void keepsStoresByteForByte();
    void layoutAtStart_data();
    void layoutAtStart();
    void sameScaleWhicheverWayItIsReached();
    void addressSelectionRules();
    void addresseeSortedBeforeNoneIsNotApplied();
    void enterAppliesAnEntryInOtherCase();
    void scaleWithoutFormatsResizesCharacters();
    void repeatedInitialUpdateChangesNothing();
    void damagedStoreIsKeptAndReported_data();
    void damagedStoreIsKeptAndReported();
    void failedSaveIsReported_data();
    void failedSaveIsReported();
    void printFont_data();
    void printFont();
    void cancelledPrintFontChangesNothing();
    void commandsAreRouted();
    void thirdFieldFollowsTheAddressee();
    void linkFlagSurvivesARestart();
    void previewShowsTheOutline();
    void previewShowsTheThirdFieldWhileShown();
};

void TobrelViewTest::startsEmptyAndWritesEmptyStores()
{
    WorkspaceFixture fixture;
    {
        auto view = fixture.startView();
        QCOMPARE(view->m_envelopeCombo->count(), 0);
        QCOMPARE(comboItems(view->m_addresseeCombo), QStringList{kNone});
        QCOMPARE(comboItems(view->m_senderCombo), QStringList{kNone});
        QCOMPARE(comboItems(view->m_scaleCombo),
                 (QStringList{"10%", "20%", "25%", "30%", "40%", "50%", "60%", "70%", "75%", "80%",
                              "90%", "100%"}));
        QCOMPARE(view->m_scaleCombo->currentText(), QStringLiteral("100%"));
        QCOMPARE(view->m_scale, 1.0);
        // Without formats nothing is laid out: the boxes keep their creation rectangles.
        QCOMPARE(view->m_senderEdit->geometry(), QRect(0, 0, 1, 1));
        QCOMPARE(view->m_addresseeEdit->geometry(), QRect(1, 1, 1, 1));
        QCOMPARE(view->m_curAddressee, cp1250(kNone));
        QCOMPARE(view->m_curSender, cp1250(kNone));
        QCOMPARE(view->m_curEnvelope, std::string());
        QCOMPARE(view->m_printFontSize, 12);
        QCOMPARE(QString::fromLatin1(view->m_printFont.lfFaceName),
                 QStringLiteral("Times New Roman"));
        QCOMPARE(boxPointSize(view->m_senderEdit), 12.0);
        QCOMPARE(view->m_addresseeEdit->document()->defaultFont().family(),
                 QStringLiteral("Times New Roman"));
    }
    QVERIFY(fixture.messages().isEmpty());
    QCOMPARE(fixture.readFile(kEnvelopeStoreName), hex("00000000"));
    QCOMPARE(fixture.readFile(kAddressStoreName), hex("0000000000000000"));
    QCOMPARE(fixture.readFile(kPrintFontFileName), defaultPrintFontBytes());
    // The panel's window goes before the view: its section comes first in a new file.
    QCOMPARE(fixture.readProfile(kProfileFileName),
             QByteArray("[TRETI_OKNO]\r\n"
                        "font=1000000000000000000000000000000000000000000000EE0000000054696D6573"
                        "204E657720526F6D616E000000000000000000000000000000000067\r\n"
                        "left=0.000000\r\nup=0.000000\r\nsirka=0.000000\r\nvyska=0.000000\r\n"
                        "vfont=120\r\n"
                        "[3okno]\r\npropojit=1\r\n"));
}

void TobrelViewTest::keepsStoresByteForByte()
{
    WorkspaceFixture fixture;
    const QByteArray envelopes = exampleEnvelopeStoreBytes();
    // One sender and two addressees with code page 1250 letters and CR LF breaks.
    const QByteArray addresses = hex("01000000") +
                                 "\x05"
                                 "Firma"
                                 "\x0b"
                                 "Firma\r\nBrno" +
                                 hex("02000000") +
                                 "\x05"
                                 "Nov\xe1k"
                                 "\x04"
                                 "A\r\nB" +
                                 "\x01"
                                 "Z" +
                                 QByteArray(1, '\0');
    const QByteArray font = hex("0a000000ee"
                                "f3ffffff"
                                "0101"
                                "05000000") +
                            "Arial";
    QVERIFY(fixture.writeFile(kEnvelopeStoreName, envelopes));
    QVERIFY(fixture.writeFile(kAddressStoreName, addresses));
    QVERIFY(fixture.writeFile(kPrintFontFileName, font));
    {
        auto view = fixture.startView();
        QCOMPARE(comboItems(view->m_envelopeCombo), QStringList{"abc"});
        QCOMPARE(view->m_addressees.GetSize(), 2);
        QCOMPARE(view->m_printFontSize, 10);
        QCOMPARE(view->m_printFont.lfUnderline, 1);
    }
    QVERIFY(fixture.messages().isEmpty());
    QCOMPARE(fixture.readFile(kEnvelopeStoreName), envelopes);
    QCOMPARE(fixture.readFile(kAddressStoreName), addresses);
    QCOMPARE(fixture.readFile(kPrintFontFileName), font);
}

void TobrelViewTest::layoutAtStart_data()
{
    QTest::addColumn<QString>("scale");
    QTest::addColumn<QRect>("sender");
    QTest::addColumn<QRect>("addressee");
    QTest::addColumn<double>("points");
    QTest::addColumn<QSize>("room"); // the view's minimum: the main window scrolls below it
    QTest::newRow("100%") << "100%" << QRect(43, 88, 433, 177) << QRect(421, 258, 449, 223) << 12.0
                          << QSize(876, 486);
    QTest::newRow("50%") << "50%" << QRect(24, 69, 216, 88) << QRect(213, 154, 224, 111) << 6.0
                         << QSize(625, 271);
}

void TobrelViewTest::layoutAtStart()
{
    WorkspaceFixture fixture;
    auto view = startWithSampleStores(fixture);
    QCOMPARE(view->logicalDpiX(), 96);
    QCOMPARE(view->m_envelopeCombo->currentText(), QStringLiteral("C6"));
    choose(view->m_envelopeCombo, "DL");
    QCOMPARE(view->m_curEnvelope, std::string("DL"));

    QFETCH(QString, scale);
    choose(view->m_scaleCombo, scale);
    QFETCH(QRect, sender);
    QCOMPARE(view->m_senderEdit->geometry(), sender);
    QFETCH(QRect, addressee);
    QCOMPARE(view->m_addresseeEdit->geometry(), addressee);
    QFETCH(double, points);
    QCOMPARE(boxPointSize(view->m_senderEdit), points);
    QCOMPARE(boxPointSize(view->m_addresseeEdit), points);
    QFETCH(QSize, room);
    QCOMPARE(view->minimumSize(), room);
}

void TobrelViewTest::sameScaleWhicheverWayItIsReached()
{
    WorkspaceFixture fixture;
    auto view = startWithSampleStores(fixture);
    choose(view->m_scaleCombo, "50%");
    choose(view->m_envelopeCombo, "DL");
    QCOMPARE(view->m_senderEdit->geometry(), QRect(24, 69, 216, 88));
    QCOMPARE(view->m_addresseeEdit->geometry(), QRect(213, 154, 224, 111));

    // Applying the format already applied moves nothing, even after a manual move.
    view->m_senderEdit->setGeometry(1, 1, 5, 5);
    choose(view->m_envelopeCombo, "DL");
    QCOMPARE(view->m_senderEdit->geometry(), QRect(1, 1, 5, 5));
    // A new scale lays the same format out again.
    choose(view->m_scaleCombo, "50%");
    QCOMPARE(view->m_senderEdit->geometry(), QRect(24, 69, 216, 88));
}

void TobrelViewTest::addressSelectionRules()
{
    WorkspaceFixture fixture;
    auto view = startWithSampleStores(fixture);
    QCOMPARE(comboItems(view->m_addresseeCombo), (QStringList{kNone, "Novák", "Svoboda"}));
    QCOMPARE(view->m_addresseeEdit->toPlainText(), QString());

    choose(view->m_addresseeCombo, "Novák");
    QCOMPARE(view->m_addresseeEdit->toPlainText(), QStringLiteral("Jan Novák\nKrátká 5\nBrno"));
    QCOMPARE(view->m_curAddressee, cp1250("Novák"));

    // The entry already applied keeps what the user typed.
    view->m_addresseeEdit->setPlainText(QStringLiteral("Jan Novák ml."));
    choose(view->m_addresseeCombo, "Novák");
    QCOMPARE(view->m_addresseeEdit->toPlainText(), QStringLiteral("Jan Novák ml."));

    choose(view->m_addresseeCombo, kNone);
    QCOMPARE(view->m_addresseeEdit->toPlainText(), QString());
    QCOMPARE(view->m_curAddressee, cp1250(kNone));

    choose(view->m_senderCombo, "Firma");
    QCOMPARE(view->m_senderEdit->toPlainText(), QStringLiteral("Firma s.r.o.\nDlouhá 1\nPraha"));
    QCOMPARE(view->m_addresseeEdit->toPlainText(), QString());
}

void TobrelViewTest::addresseeSortedBeforeNoneIsNotApplied()
{
    WorkspaceFixture fixture;
    AddressEntryArray senders;
    AddressEntryArray addressees;
    addressees.Append(address("Adam", "Adam"));
    addressees.Append(address("!Firma", "Firma"));
    QVERIFY(saveAddressStore(fixture.path(kAddressStoreName), senders, addressees));
    auto view = fixture.startView();
    QCOMPARE(comboItems(view->m_addresseeCombo), (QStringList{"!Firma", kNone, "Adam"}));
    QCOMPARE(view->m_addresseeCombo->currentIndex(), 0);
    QCOMPARE(view->m_addresseeEdit->toPlainText(), QString());
    QCOMPARE(view->m_curAddressee, cp1250(kNone));
}

void TobrelViewTest::enterAppliesAnEntryInOtherCase()
{
    WorkspaceFixture fixture;
    auto view = startWithSampleStores(fixture);
    QCOMPARE(view->m_curEnvelope, std::string("C6"));

    view->m_envelopeCombo->lineEdit()->setText(QStringLiteral("dl"));
    QTest::keyClick(view->m_envelopeCombo->lineEdit(), Qt::Key_Return);
    QTRY_COMPARE(view->m_curEnvelope, std::string("DL"));
    QCOMPARE(view->m_envelopeCombo->currentIndex(), 1);
    QCOMPARE(view->m_senderEdit->geometry(), QRect(43, 88, 433, 177));

    view->m_addresseeCombo->lineEdit()->setText(QStringLiteral("SVOBODA"));
    QTest::keyClick(view->m_addresseeCombo->lineEdit(), Qt::Key_Return);
    QTRY_COMPARE(view->m_addresseeEdit->toPlainText(), QStringLiteral("Petr Svoboda\nOlomouc"));

    // Text that names no entry changes nothing.
    view->m_senderCombo->lineEdit()->setText(QStringLiteral("Nikdo"));
    QCoreApplication::postEvent(view.get(), new ControlEvent(WM_COMBO_ENTER, view->m_senderCombo));
    QCoreApplication::processEvents();
    QCOMPARE(view->m_senderCombo->currentIndex(), 0);
    QCOMPARE(view->m_senderEdit->toPlainText(), QString());
    QCOMPARE(view->m_curSender, cp1250(kNone));
}

void TobrelViewTest::scaleWithoutFormatsResizesCharacters()
{
    WorkspaceFixture fixture;
    auto view = fixture.startView();
    choose(view->m_scaleCombo, "25%");
    QCOMPARE(view->m_scale, 0.25);
    QCOMPARE(boxPointSize(view->m_senderEdit), 3.0);
    QCOMPARE(boxPointSize(view->m_addresseeEdit), 3.0);
    QCOMPARE(view->m_senderEdit->geometry(), QRect(0, 0, 1, 1));
    QCOMPARE(view->m_addresseeEdit->geometry(), QRect(1, 1, 1, 1));
}

void TobrelViewTest::repeatedInitialUpdateChangesNothing()
{
    WorkspaceFixture fixture;
    writeSampleStores(fixture);
    {
        auto view = fixture.startView();
        // A deletion since the start must not come back from the file.
        qobject_cast<LabelListModel *>(view->m_addresseeCombo->model())
            ->removeEntry(view->m_addressees.FindByLabel(cp1250("Svoboda")));
        choose(view->m_addresseeCombo, "Novák");
        choose(view->m_scaleCombo, "50%");

        view->OnInitialUpdate();
        QCoreApplication::processEvents();
        QCOMPARE(view->findChildren<CAutoComboBox *>().size(), 4);
        QCOMPARE(
            view->findChildren<CContextRichEdit *>(QString(), Qt::FindDirectChildrenOnly).size(),
            2);
        QCOMPARE(comboItems(view->m_addresseeCombo), (QStringList{kNone, "Novák"}));
        QCOMPARE(comboItems(view->m_envelopeCombo), (QStringList{"C6", "DL"}));
        QCOMPARE(view->m_scaleCombo->count(), 12);
        QCOMPARE(view->m_scaleCombo->currentText(), QStringLiteral("50%"));
        QCOMPARE(view->m_addresseeEdit->toPlainText(), QStringLiteral("Jan Novák\nKrátká 5\nBrno"));
        QCOMPARE(view->m_envelopes.GetSize(), 2);
        QCOMPARE(view->m_senders.GetSize(), 1);
    }
    AddressEntryArray senders;
    AddressEntryArray addressees;
    QCOMPARE(loadAddressStore(fixture.path(kAddressStoreName), senders, addressees).state,
             LoadReport::State::Whole);
    QCOMPARE(senders.GetSize(), 1);
    QCOMPARE(addressees.GetSize(), 1);
}

void TobrelViewTest::damagedStoreIsKeptAndReported_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("cut");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("entries");
    QTest::newRow("address store cut inside an addressee")
        << kAddressStoreName << 6 << "záznamů: 2" << 4;
    QTest::newRow("envelope store cut inside the second")
        << kEnvelopeStoreName << 10 << "záznamů: 1" << 4;
    QTest::newRow("print font cut inside the face")
        << kPrintFontFileName << 3 << "Times New Roman" << 5;
}

void TobrelViewTest::damagedStoreIsKeptAndReported()
{
    QFETCH(QString, fileName);
    QFETCH(int, cut);
    WorkspaceFixture fixture;
    writeSampleStores(fixture);
    PrintFont arial = defaultPrintFont();
    std::strcpy(arial.font.lfFaceName, "Arial");
    QVERIFY(savePrintFont(fixture.path(kPrintFontFileName), arial));
    const QByteArray damaged = fixture.readFile(fileName).chopped(cut);
    QVERIFY(fixture.writeFile(fileName, damaged));
    {
        auto view = fixture.startView();
        QCOMPARE(fixture.messages().size(), 1);
        const RecordedMessage &message = fixture.messages().first();
        QVERIFY2(message.text.contains(fileName), qPrintable(message.text));
        QFETCH(QString, kept);
        QVERIFY2(message.text.contains(kept), qPrintable(message.text));
        QCOMPARE(QString::fromLatin1(view->m_printFont.lfFaceName),
                 fileName == kPrintFontFileName ? QStringLiteral("Times New Roman")
                                                : QStringLiteral("Arial"));
        QFETCH(int, entries);
        QCOMPARE(view->m_envelopes.GetSize() + view->m_senders.GetSize() +
                     view->m_addressees.GetSize(),
                 entries);
    }
    // The original stays whole beside the rewritten store, under the name the user was told.
    const QStringList keptFiles = QDir(fixture.path(".")).entryList({fileName + "?*"}, QDir::Files);
    QCOMPARE(keptFiles.size(), 1);
    QVERIFY(fixture.messages().first().text.contains(keptFiles.first()));
    QCOMPARE(fixture.readFile(keptFiles.first()), damaged);
    QVERIFY(fixture.readFile(fileName) != damaged);
}

// Every length of a format, for a change to that one alone.
constexpr float EnvelopeFormat::*kLengths[] = {
    &EnvelopeFormat::width,        &EnvelopeFormat::height,     &EnvelopeFormat::addresseeLeft,
    &EnvelopeFormat::addresseeTop, &EnvelopeFormat::senderLeft, &EnvelopeFormat::senderTop};

void TobrelViewTest::failedSaveIsReported_data()
{
    QTest::addColumn<int>("length");
    const char *names[] = {"width",           "height",        "addressee's left",
                           "addressee's top", "sender's left", "sender's top"};
    for (int length = 0; length < 6; ++length)
        QTest::newRow(names[length]) << length;
}

void TobrelViewTest::failedSaveIsReported()
{
    QFETCH(int, length);
    WorkspaceFixture fixture;
    writeSampleStores(fixture);
    {
        auto view = fixture.startView();
        view->m_envelopes.ElementAt(0).*kLengths[length] = 7.25f;
        view->NoteListsChanged();
        // Something in the way of the file: the store cannot be replaced.
        QVERIFY(QFile::remove(fixture.path(kEnvelopeStoreName)));
        QVERIFY(QDir(fixture.path(".")).mkdir(kEnvelopeStoreName));
    }
    QCOMPARE(fixture.messages().size(), 1);
    QVERIFY2(fixture.messages().first().text.contains(kEnvelopeStoreName),
             qPrintable(fixture.messages().first().text));
    QCOMPARE(fixture.messages().first().icon, MessageIcon::Error);
    // The other files were still written.
    QCOMPARE(fixture.readFile(kPrintFontFileName).size(), 30);
    QVERIFY(!fixture.readFile(kAddressStoreName).isEmpty());
    // The change the store lacks waits for the next start, as the message says.
    QVERIFY(fixture.messages().first().text.contains(kRecoveryFileName));
    EnvelopeFormatArray kept;
    AddressEntryArray senders, addressees;
    QCOMPARE(loadRecoveryStore(fixture.path(kRecoveryFileName), kept, senders, addressees).state,
             LoadReport::State::Whole);
    QCOMPARE(kept.ElementAt(kept.FindByLabel("DL")).*kLengths[length], 7.25f);
}

void TobrelViewTest::printFont_data()
{
    QTest::addColumn<int>("tenths");
    QTest::addColumn<int>("weight");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("bold");
    QTest::newRow("10.5 pt gives 10") << 105 << int(QFont::Normal) << false << 10 << false;
    QTest::newRow("bold") << 120 << int(QFont::Bold) << false << 12 << true;
    QTest::newRow("heavier than bold shows plain")
        << 140 << int(QFont::ExtraBold) << false << 14 << false;
    QTest::newRow("italic") << 90 << int(QFont::Normal) << true << 9 << false;
}

void TobrelViewTest::printFont()
{
    QFETCH(int, tenths);
    QFETCH(int, weight);
    QFETCH(bool, italic);
    FontDialogStub fonts;
    fonts.answer = [&](const QFont &initial) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setWeight(QFont::Weight(weight));
        font.setItalic(italic);
        font.setUnderline(true);
        // The dialog starts from the current print font.
        font.setPointSizeF(initial.pointSizeF());
        return std::optional<ChosenFont>(ChosenFont{font, tenths});
    };
    WorkspaceFixture fixture;
    auto view = startWithSampleStores(fixture);
    choose(view->m_scaleCombo, "50%");
    QVERIFY(view->OnCmdMsg(Command::PrintFont));

    QFETCH(int, size);
    QCOMPARE(view->m_printFontSize, size);
    QCOMPARE(view->m_printFont.lfWeight, weight);
    for (const CContextRichEdit *edit : {view->m_senderEdit, view->m_addresseeEdit}) {
        const QFont shown = edit->document()->defaultFont();
        QCOMPARE(shown.family(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(shown.pointSizeF(), size / 2.0);
        QFETCH(bool, bold);
        QCOMPARE(shown.bold(), bold);
        QCOMPARE(shown.italic(), italic);
        QVERIFY(shown.underline());
        QVERIFY(!shown.strikeOut());
    }
}

void TobrelViewTest::cancelledPrintFontChangesNothing()
{
    FontDialogStub fonts;
    WorkspaceFixture fixture;
    auto view = fixture.startView();
    const LOGFONT before = view->m_printFont;
    QVERIFY(view->OnCmdMsg(Command::PrintFont));
    QVERIFY(!fonts.offered.isEmpty());
    QCOMPARE(std::memcmp(&before, &view->m_printFont, sizeof before), 0);
    QCOMPARE(view->m_printFontSize, 12);
    QCOMPARE(boxPointSize(view->m_senderEdit), 12.0);
}

void TobrelViewTest::commandsAreRouted()
{
    WorkspaceFixture fixture;
    auto view = fixture.startView();
    CCmdUI state;
    QVERIFY(view->OnUpdateCmdUI(Command::ThirdField, state));
    QVERIFY(!state.checked);
    QVERIFY(state.enabled);
    QVERIFY(view->OnUpdateCmdUI(Command::LinkThirdField, state));
    QVERIFY(state.checked);  // linked by default
    QVERIFY(!state.enabled); // only while the panel is shown
    QVERIFY(!view->OnUpdateCmdUI(Command::PrintFont, state));
    QVERIFY(!view->OnCmdMsg(Command::AppAbout));

    int changes = 0;
    connect(view.get(), &CTobrelView::commandStateChanged, this, [&] { ++changes; });
    QVERIFY(view->OnCmdMsg(Command::ThirdField));
    QVERIFY(view->m_thirdField.isVisible());
    QVERIFY(changes > 0);
    QVERIFY(view->OnUpdateCmdUI(Command::LinkThirdField, state));
    QVERIFY(state.enabled);
    QVERIFY(view->OnCmdMsg(Command::LinkThirdField));
    QCOMPARE(view->m_linkThirdField, 0);
    QVERIFY(view->OnUpdateCmdUI(Command::LinkThirdField, state));
    QVERIFY(!state.checked);
    QVERIFY(view->OnCmdMsg(Command::ThirdField));
    QVERIFY(!view->m_thirdField.isVisible());
    QVERIFY(view->OnUpdateCmdUI(Command::ThirdField, state));
    QVERIFY(!state.checked);
}

void TobrelViewTest::thirdFieldFollowsTheAddressee()
{
    WorkspaceFixture fixture;
    auto view = startWithSampleStores(fixture);
    auto *fieldEdit = view->m_thirdField.findChild<CContextRichEdit *>(QStringLiteral("1022"));
    QVERIFY(fieldEdit);

    // Hidden panel: nothing is copied.
    choose(view->m_addresseeCombo, "Novák");
    QCOMPARE(fieldEdit->toPlainText(), QString());
    // Showing it copies the addressee's text at once.
    view->OnCmdMsg(Command::ThirdField);
    QCOMPARE(fieldEdit->toPlainText(), QStringLiteral("Jan Novák\nKrátká 5\nBrno"));
    choose(view->m_addresseeCombo, "Svoboda");
    QCOMPARE(fieldEdit->toPlainText(), QStringLiteral("Petr Svoboda\nOlomouc"));

    // Keys in the addressee box are followed, keys in the sender box are not.
    view->m_addresseeEdit->setPlainText(QStringLiteral("Petr Svoboda"));
    view->m_senderEdit->setPlainText(QStringLiteral("Odesílatel"));
    QTest::keyClick(view->m_senderEdit, Qt::Key_End);
    QCoreApplication::processEvents();
    QCOMPARE(fieldEdit->toPlainText(), QStringLiteral("Petr Svoboda\nOlomouc"));
    QTest::keyClicks(view->m_addresseeEdit, QStringLiteral("x"));
    QTRY_COMPARE(fieldEdit->toPlainText(), QStringLiteral("xPetr Svoboda"));

    // Unlinked, the field keeps its text; "<Žádný>" empties it only while linked.
    view->OnCmdMsg(Command::LinkThirdField);
    choose(view->m_addresseeCombo, kNone);
    QCOMPARE(fieldEdit->toPlainText(), QStringLiteral("xPetr Svoboda"));
    view->OnCmdMsg(Command::LinkThirdField);
    QCOMPARE(fieldEdit->toPlainText(), QString());
}

void TobrelViewTest::linkFlagSurvivesARestart()
{
    WorkspaceFixture fixture;
    {
        auto view = fixture.startView();
        QCOMPARE(view->m_linkThirdField, 1);
        view->OnCmdMsg(Command::ThirdField);
        view->OnCmdMsg(Command::LinkThirdField);
    }
    auto view = fixture.startView();
    QCOMPARE(view->m_linkThirdField, 0);
}

void TobrelViewTest::previewShowsTheOutline()
{
    WorkspaceFixture fixture;
    auto view = startWithSampleStores(fixture);
    choose(view->m_envelopeCombo, "DL");
    choose(view->m_addresseeCombo, "Novák");
    choose(view->m_senderCombo, "Firma");
    const QImage image = view->grab().toImage();
    if (!qEnvironmentVariableIsEmpty("TOBREL_SCREENSHOT"))
        image.save(qEnvironmentVariable("TOBREL_SCREENSHOT"));
    const auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    // 2289 x -1139 tenths of a millimetre from (5, 50): right edge at 870, bottom at 480.
    QVERIFY(dark(5, 70));
    QVERIFY(dark(870, 70));
    QVERIFY(!dark(872, 70));
    QVERIFY(dark(30, 50));
    QVERIFY(dark(30, 480));
    QVERIFY(!dark(30, 484));

    choose(view->m_scaleCombo, "10%");
    const QImage small = view->grab().toImage();
    QVERIFY(qGray(small.pixel(5 + 86, 52)) < 128);
    QVERIFY(qGray(small.pixel(5 + 150, 52)) >= 128);
}

void TobrelViewTest::previewShowsTheThirdFieldWhileShown()
{
    WorkspaceFixture fixture;
    auto view = startWithSampleStores(fixture);
    choose(view->m_envelopeCombo, "DL");
    // Right of the sender box and above the addressee box, so no text box covers it.
    showThirdField(*view, "13", "1", "5", "2");

    const auto dark = [](const QImage &image, int x, int y) {
        return qGray(image.pixel(x, y)) < 128;
    };
    // (13, 1)-(18, 3) cm: pixels (496, 88)-(685, 163); the frame's last column is 684.
    QImage image = view->grab().toImage();
    QVERIFY(dark(image, 496, 120));
    QVERIFY(dark(image, 684, 120));
    QVERIFY(!dark(image, 686, 120));
    QVERIFY(dark(image, 600, 88));
    QVERIFY(dark(image, 600, 162));

    // At 50% the box shrinks with the envelope: (251, 69)-(345, 107).
    choose(view->m_scaleCombo, "50%");
    image = view->grab().toImage();
    QVERIFY(dark(image, 251, 90));
    QVERIFY(dark(image, 344, 90));
    QVERIFY(!dark(image, 496, 120));

    view->OnCmdMsg(Command::ThirdField);
    image = view->grab().toImage();
    QVERIFY(!dark(image, 251, 90));
}

QTEST_MAIN(TobrelViewTest)
#include "TobrelViewTest.moc"
