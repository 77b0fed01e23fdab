#include "CTobrelView.h"

#include "BatchPrintDialog.h"
#include "BatchPrintJob.h"
#include "CAutoComboBox.h"
#include "CContextRichEdit.h"
#include "CDeleteDlg.h"
#include "CEditAddressDlg.h"
#include "CEditEnvelopeDlg.h"
#include "CNewAddressDlg.h"
#include "CNewEnvelopeDlg.h"
#include "CommonDialogs.h"
#include "Cp1250.h"
#include "EnvelopeGeometry.h"
#include "EnvelopeJob.h"
#include "EnvelopeOnPaper.h"
#include "EnvelopePage.h"
#include "EnvelopePaper.h"
#include "EnvelopePreview.h"
#include "LogFontQt.h"
#include "MessageBox.h"
#include "NoPageRange.h"
#include "NumberText.h"
#include "PostedEvents.h"
#include "PrintFileOutput.h"
#include "PrinterFeedDialog.h"
#include "ProfileFile.h"
#include "SortedList.h"
#include "UnprintableEdges.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>

#include <array>
#include <utility>

namespace {

// Shades the paper's edges the printer cannot print on and frames the boxes whose text is cut.
void markPrintingLimits(QPainter &painter, const QPrinter &printer, const QList<QRect> &cutBoxes)
{
    painter.save();
    painter.setPen(QPen(Qt::red, 0));
    painter.setBrush(Qt::NoBrush);
    for (const QRect &box : cutBoxes)
        painter.drawRect(box);
    painter.restore();
    shadeUnprintableEdges(painter, printer);
}

// The resolution the view measures the printed texts at, as most printers print.
constexpr int kMeasuringResolution = 600;

// A red mark just right of box's top-right corner.
QRect cutMarker(const QRect &box)
{
    return QRect(box.right() + 3, box.top(), 14, 14);
}

void drawCutMarker(QPainter &painter, const QRect &marker)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::red);
    painter.drawEllipse(marker);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(11);
    painter.setFont(font);
    painter.drawText(marker, Qt::AlignCenter, QStringLiteral("!"));
    painter.restore();
}

// The commands after which a list may differ.
bool mayChangeLists(int command)
{
    switch (command) {
    case Command::NewAddressee:
    case Command::NewSender:
    case Command::NewEnvelope:
    case Command::EditEnvelope:
    case Command::EditAddressee:
    case Command::EditSender:
    case Command::DeleteEntries:
    case Command::RestoreBackup:
    case Command::ImportAddresses:
    case Command::AddStandardEnvelopes:
        return true;
    default:
        return false;
    }
}

QString noEntryLabel()
{
    return CTobrelView::tr("<Žádný>");
}

// The text of the selected item (not of the edit field); empty when nothing is selected.
std::string selectedLabel(const QComboBox *combo)
{
    const int index = combo->currentIndex();
    if (index < 0)
        return {};
    return toCp1250(combo->itemText(index)).value_or(std::string());
}

CAutoComboBox *makeCombo(CAutoComboBox::Kind kind, int id, const char *name, int left,
                         QWidget *parent)
{
    auto *combo = new CAutoComboBox(kind, parent);
    combo->setObjectName(QLatin1String(name));
    combo->setProperty("controlId", id);
    combo->setGeometry(left, 20, 150, combo->sizeHint().height());
    combo->show();
    return combo;
}

CContextRichEdit *makeTextBox(int id, const char *name, QRect rect, QWidget *parent)
{
    auto *edit = new CContextRichEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setProperty("controlId", id);
    edit->setAcceptRichText(false);
    // Lines break only where the address breaks them; the box scrolls instead.
    edit->setLineWrapMode(QTextEdit::NoWrap);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->document()->setDocumentMargin(2);
    edit->setGeometry(rect);
    edit->show();
    return edit;
}

// The box's own font, not just its document's: a font set on the window around it must
// not reach the print font's preview.
void setDefaultCharFormat(CContextRichEdit *edit, const QTextCharFormat &format)
{
    edit->setFont(format.font());
}

} // namespace

CTobrelView::CTobrelView(QWidget *parent)
    : QWidget(parent), m_envelopeList(m_envelopes), m_senderList(m_senders, noEntryLabel()),
      m_addresseeList(m_addressees, noEntryLabel())
{
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::ClickFocus);
    m_linkThirdField = readThirdFieldLink() ? 1 : 0;
}

CTobrelView::~CTobrelView()
{
    m_thirdField.removeEventFilter(this);
    SaveAtExit();
}

bool CTobrelView::SaveAtExit()
{
    if (std::exchange(m_exitSaveDone, true))
        return true;
    const bool saved = SaveStores();
    // The panel's window goes with the view's, before the view itself: its settings are
    // written before the link flag.
    m_thirdField.OnDestroy();
    ProfileFile profile;
    profile.SetFileName(kProfileFileName);
    profile.WriteInt(kThirdFieldLinkSection, kThirdFieldLinkKey, m_linkThirdField ? 1 : 0);
    return saved;
}

void CTobrelView::NoteListsChanged()
{
    m_recovery.scheduleWrite();
}

QSize CTobrelView::sizeHint() const
{
    return QSize(900, 560).expandedTo(minimumSize());
}

void CTobrelView::OnInitialUpdate()
{
    // New and Open run the initial update again; the lists, the controls and the stores
    // were set up once and must not be read or appended a second time.
    if (m_initialUpdateDone)
        return;
    m_initialUpdateDone = true;

    const PrintFont font = m_stores.loadPrintFont();
    m_printFont = font.font;
    m_printFontSize = font.pointSize;

    CreateControls();
    FillLists();

    m_envelopeCombo->setCurrentIndex(0);
    m_addresseeCombo->setCurrentIndex(0);
    m_senderCombo->setCurrentIndex(0);
    m_curAddressee = toCp1250(noEntryLabel()).value_or(std::string());
    m_curSender = m_curAddressee;
    m_curEnvelope.clear();

    m_scaleCombo->addItems({QStringLiteral("10%"), QStringLiteral("20%"), QStringLiteral("25%"),
                            QStringLiteral("30%"), QStringLiteral("40%"), QStringLiteral("50%"),
                            QStringLiteral("60%"), QStringLiteral("70%"), QStringLiteral("75%"),
                            QStringLiteral("80%"), QStringLiteral("90%"), QStringLiteral("100%")});
    m_scaleCombo->setCurrentIndex(m_scaleCombo->count() - 1);

    OnEnvelopeChange();
    OnScaleChange();

    CreateThirdField();

    // Told once the window is up, not before it appears.
    QTimer::singleShot(0, this, &CTobrelView::ReportDamagedStores);
}

void CTobrelView::CreateControls()
{
    using Kind = CAutoComboBox::Kind;
    m_envelopeCombo = makeCombo(Kind::SortedEditable, 0, "m_envelopeCombo", 5, this);
    m_addresseeCombo = makeCombo(Kind::SortedEditable, 1, "m_addresseeCombo", 160, this);
    m_senderCombo = makeCombo(Kind::SortedEditable, 2, "m_senderCombo", 315, this);
    m_scaleCombo = makeCombo(Kind::DropDownList, 3, "m_scaleCombo", 470, this);
    m_envelopeCombo->setLabelModel(&m_envelopeList);
    m_addresseeCombo->setLabelModel(&m_addresseeList);
    m_senderCombo->setLabelModel(&m_senderList);
    m_senderEdit = makeTextBox(3, "m_senderEdit", QRect(0, 0, 1, 1), this);
    m_addresseeEdit = makeTextBox(4, "m_addresseeEdit", QRect(1, 1, 1, 1), this);
    // The marks of text that will be cut follow the texts as they are typed.
    connect(m_senderEdit, &QTextEdit::textChanged, this, qOverload<>(&QWidget::update));
    connect(m_addresseeEdit, &QTextEdit::textChanged, this, qOverload<>(&QWidget::update));

    // Only the user's selections apply an entry; the program's own selections do not.
    connect(m_envelopeCombo, &QComboBox::activated, this, &CTobrelView::OnEnvelopeChange);
    connect(m_addresseeCombo, &QComboBox::activated, this, &CTobrelView::OnAddresseeChange);
    connect(m_senderCombo, &QComboBox::activated, this, &CTobrelView::OnSenderChange);
    connect(m_scaleCombo, &QComboBox::activated, this, &CTobrelView::OnScaleChange);
}

void CTobrelView::TakeListsBeingRead(std::future<PreparedLists> lists)
{
    if (!m_initialUpdateDone)
        m_preparedLists = std::move(lists);
}

void CTobrelView::FillLists()
{
    if (m_recovery.offerLeftChanges(nullptr, m_envelopes, m_senders, m_addressees)) {
        m_envelopeList.reload();
        m_senderList.reload();
        m_addresseeList.reload();
        return;
    }
    PreparedLists prepared = m_preparedLists.valid() ? m_preparedLists.get() : prepareLists();
    m_stores.adoptLists(std::move(prepared.stored), m_envelopes, m_senders, m_addressees);
    m_recovery.markSaved(prepared.fingerprint);
    m_envelopeList.reload(std::move(prepared.envelopeOrder));
    m_senderList.reload(std::move(prepared.senderOrder));
    m_addresseeList.reload(std::move(prepared.addresseeOrder));
}

void CTobrelView::ReportDamagedStores()
{
    for (const QString &message : m_stores.takeLoadMessages())
        showMessageBox(this, message, tr("Chyba"), MessageIcon::Exclamation);
}

bool CTobrelView::SaveStores()
{
    // A view that never loaded the stores must not empty them.
    if (!m_initialUpdateDone)
        return true;
    const bool changesKept = m_recovery.keepChangesNow();
    const QList<StoreSaveFailure> failed =
        m_stores.save(m_envelopes, m_senders, m_addressees, {m_printFont, m_printFontSize});
    if (failed.isEmpty()) {
        m_recovery.remove();
        return true;
    }
    QString message = WorkspaceStores::saveFailureMessage(failed);
    if (changesKept)
        message += QLatin1Char(' ') +
                   tr("Změny seznamů jsou uschovány v souboru „%1“; při příštím spuštění "
                      "programu v této složce bude nabídnuto jejich obnovení.")
                       .arg(QString::fromLatin1(kRecoveryFileName));
    // The window may be on its way out, so the message has no owner.
    showMessageBox(nullptr, message, tr("Chyba"), MessageIcon::Error);
    return false;
}

const EnvelopeFormat *CTobrelView::FindEnvelope(const std::string &label) const
{
    const int index = m_envelopes.FindByLabel(label);
    return index < 0 ? nullptr : &m_envelopes.ElementAt(index);
}

void CTobrelView::OnEnvelopeChange()
{
    if (m_envelopeCombo->count() == 0)
        return;
    std::string label = selectedLabel(m_envelopeCombo);
    if (label == m_curEnvelope)
        return;
    m_curEnvelope = std::move(label);
    if (const EnvelopeFormat *format = FindEnvelope(m_curEnvelope))
        LayoutTextBoxes(*format);
}

void CTobrelView::OnScaleChange()
{
    m_scale = atofC(selectedLabel(m_scaleCombo)) * 0.01;
    ApplyCharFormat();
    if (m_envelopeCombo->count() == 0)
        return;
    m_curEnvelope = selectedLabel(m_envelopeCombo);
    if (const EnvelopeFormat *format = FindEnvelope(m_curEnvelope))
        LayoutTextBoxes(*format);
}

void CTobrelView::OnAddresseeChange()
{
    if (const auto text =
            ApplyAddress(m_addresseeCombo, m_curAddressee, m_addressees, m_addresseeEdit))
        CopyToThirdField(*text);
}

void CTobrelView::OnSenderChange()
{
    ApplyAddress(m_senderCombo, m_curSender, m_senders, m_senderEdit);
}

std::optional<QString> CTobrelView::ApplyAddress(QComboBox *combo, std::string &current,
                                                 const AddressEntryArray &entries,
                                                 CContextRichEdit *edit)
{
    std::string label = selectedLabel(combo);
    // The entry already shown stays as the user may have edited it.
    if (label == current)
        return std::nullopt;
    current = std::move(label);
    QString text;
    if (fromCp1250(current) != noEntryLabel()) {
        const int index = entries.FindByLabel(current);
        if (index < 0)
            return std::nullopt;
        text = fromStoredText(entries.ElementAt(index).text);
    }
    edit->setPlainText(text);
    return text;
}

void CTobrelView::LayoutTextBoxes(const EnvelopeFormat &format)
{
    using namespace EnvelopeGeometry;
    const int dpiX = logicalDpiX();
    const int dpiY = logicalDpiY();
    m_senderEdit->setGeometry(previewSenderBox(format, m_scale, dpiX, dpiY));
    m_addresseeEdit->setGeometry(previewAddresseeBox(format, m_scale, dpiX, dpiY));
    FitPreview(format);
    update();
}

void CTobrelView::FitPreview(const EnvelopeFormat &format)
{
    using namespace EnvelopeGeometry;
    // A damaged format must not ask for a window wider than the window system can make.
    constexpr int kLargest = 32767;
    const QSize outline = previewOutline(format, m_scale);
    const QPoint corner = previewOutlineToDevice(QPoint(outline.width(), outline.height()),
                                                 logicalDpiX(), logicalDpiY());
    const QRect used = QRect(QPoint(0, 0), corner)
                           .united(m_scaleCombo->geometry())
                           .united(m_senderEdit->geometry())
                           .united(m_addresseeEdit->geometry());
    const QSize margin(kPreviewOrigin.x(), kPreviewOrigin.x());
    setMinimumSize(
        (QSize(used.right() + 1, used.bottom() + 1) + margin).boundedTo(QSize(kLargest, kLargest)));
}

QTextCharFormat CTobrelView::MakeCharFormat(const LOGFONT &font, int sizeInPoints) const
{
    QFont qfont = fontFromLogFont(font);
    // The boxes show bold only for exactly the bold weight; heavier fonts print heavy.
    qfont.setWeight(font.lfWeight == FW_BOLD ? QFont::Bold : QFont::Normal);
    qfont.setItalic(font.lfItalic != 0);
    qfont.setUnderline(font.lfUnderline != 0);
    qfont.setStrikeOut(font.lfStrikeOut != 0);
    const int twips = EnvelopeGeometry::charFormatTwips(sizeInPoints, m_scale);
    if (twips > 0)
        qfont.setPointSizeF(twips / 20.0);
    QTextCharFormat format;
    format.setFont(qfont);
    return format;
}

void CTobrelView::ApplyCharFormat()
{
    const QTextCharFormat format = MakeCharFormat(m_printFont, m_printFontSize);
    setDefaultCharFormat(m_senderEdit, format);
    setDefaultCharFormat(m_addresseeEdit, format);
}

void CTobrelView::OnComboEnter(QWidget *control)
{
    const std::array<std::pair<CAutoComboBox *, void (CTobrelView::*)()>, 3> combos{{
        {m_envelopeCombo, &CTobrelView::OnEnvelopeChange},
        {m_senderCombo, &CTobrelView::OnSenderChange},
        {m_addresseeCombo, &CTobrelView::OnAddresseeChange},
    }};
    for (const auto &[combo, apply] : combos) {
        if (combo != control)
            continue;
        const int index = findStringExact(combo, combo->currentText());
        if (index >= 0) {
            combo->setCurrentIndex(index);
            (this->*apply)();
        }
        return;
    }
}

bool CTobrelView::event(QEvent *event)
{
    if (event->type() == WM_COMBO_ENTER) {
        OnComboEnter(static_cast<ControlEvent *>(event)->control());
        return true;
    }
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        for (const auto &[marker, text] : m_cutMarkers)
            if (marker.contains(help->pos())) {
                QToolTip::showText(help->globalPos(), text, this, marker);
                return true;
            }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    if (event->type() == WM_EDIT_KEYDOWN) {
        // Only the addressee's keys reach the third field; the sender's do nothing.
        if (m_addresseeEdit && static_cast<ControlEvent *>(event)->control() == m_addresseeEdit)
            CopyToThirdField(m_addresseeEdit->toPlainText());
        return true;
    }
    return QWidget::event(event);
}

bool CTobrelView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_thirdField &&
        (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        Q_EMIT commandStateChanged();
    return QWidget::eventFilter(watched, event);
}

void CTobrelView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    OnDraw(painter);
}

void CTobrelView::OnDraw(QPainter &painter)
{
    EnvelopePreview preview;
    preview.scale = m_scale;
    m_cutMarkers.clear();
    if (m_envelopeCombo && m_envelopeCombo->count() > 0) {
        if (const EnvelopeFormat *format = FindEnvelope(selectedLabel(m_envelopeCombo))) {
            const EnvelopePage page = PageFor(format, false);
            preview.format = *format;
            preview.thirdField = page.thirdField;
            MarkCutTexts(page);
        }
    }
    drawEnvelopePreview(painter, preview);
    for (const auto &[marker, text] : m_cutMarkers)
        drawCutMarker(painter, marker);
}

void CTobrelView::MarkCutTexts(const EnvelopePage &page)
{
    findCutTexts(
        1, [&page](qsizetype) { return page; }, kMeasuringResolution, {}, {},
        [&](qsizetype, const CutText &cut) {
            QRect box;
            switch (cut.box) {
            case CutText::Box::Sender:
                box = m_senderEdit->geometry();
                break;
            case CutText::Box::Addressee:
                box = m_addresseeEdit->geometry();
                break;
            case CutText::Box::ThirdField: {
                const ThirdFieldValues &field = *page.thirdField;
                box = EnvelopeGeometry::previewFieldBox(field.left, field.top, field.width,
                                                        field.height, m_scale, logicalDpiX(),
                                                        logicalDpiY());
                break;
            }
            }
            m_cutMarkers.append({cutMarker(box), describeCut(cut)});
        });
}

void CTobrelView::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void CTobrelView::mousePressEvent(QMouseEvent *event)
{
    update();
    QWidget::mousePressEvent(event);
}

bool CTobrelView::OnCmdMsg(int id)
{
    using Handler = void (CTobrelView::*)();
    static const std::pair<int, Handler> messageMap[] = {
        {Command::NewAddressee, &CTobrelView::OnNewAddressee},
        {Command::NewSender, &CTobrelView::OnNewSender},
        {Command::NewEnvelope, &CTobrelView::OnNewEnvelope},
        {Command::PrintFont, &CTobrelView::OnPrintFont},
        {Command::EditEnvelope, &CTobrelView::OnEditEnvelope},
        {Command::EditAddressee, &CTobrelView::OnEditAddressee},
        {Command::EditSender, &CTobrelView::OnEditSender},
        {Command::DeleteEntries, &CTobrelView::OnDeleteEntries},
        {Command::BackupAddressees, &CTobrelView::OnBackupAddressees},
        {Command::BackupEnvelopes, &CTobrelView::OnBackupEnvelopes},
        {Command::RestoreBackup, &CTobrelView::OnRestoreBackup},
        {Command::BackupSenders, &CTobrelView::OnBackupSenders},
        {Command::ImportAddresses, &CTobrelView::OnImportAddresses},
        {Command::ExportAddresses, &CTobrelView::OnExportAddresses},
        {Command::AddStandardEnvelopes, &CTobrelView::OnAddStandardEnvelopes},
        {Command::PrinterFeedSettings, &CTobrelView::OnPrinterFeedSettings},
        {Command::ThirdField, &CTobrelView::OnThirdField},
        {Command::LinkThirdField, &CTobrelView::OnLinkThirdField},
        {Command::FilePrintSetup, &CTobrelView::OnFilePrintSetup},
        {Command::FilePrint, &CTobrelView::OnFilePrint},
        {Command::FilePrintDirect, &CTobrelView::OnFilePrintDirect},
        {Command::FilePrintPreview, &CTobrelView::OnFilePrintPreview},
        {Command::BatchPrint, &CTobrelView::OnBatchPrint},
        {Command::PrintPreviewChecked, &CTobrelView::OnPrintPreviewChecked},
    };
    // Every command works on the controls and lists of the first set-up.
    if (!m_initialUpdateDone)
        return false;
    for (const auto &[command, handler] : messageMap) {
        if (command == id) {
            (this->*handler)();
            if (mayChangeLists(id))
                NoteListsChanged();
            return true;
        }
    }
    return false;
}

bool CTobrelView::OnUpdateCmdUI(int id, CCmdUI &state)
{
    if (id == Command::ThirdField) {
        OnUpdateThirdField(state);
        return true;
    }
    if (id == Command::LinkThirdField) {
        OnUpdateLinkThirdField(state);
        return true;
    }
    return false;
}

void CTobrelView::OnNewAddressee()
{
    NewAddressEntry(false, m_addressees, m_addresseeList);
}

void CTobrelView::OnNewSender()
{
    NewAddressEntry(true, m_senders, m_senderList);
}

void CTobrelView::NewAddressEntry(bool isSender, AddressEntryArray &entries, AddressListModel &list)
{
    CNewAddressDlg dlg(this);
    dlg.m_isSender = isSender ? 1 : 0;
    dlg.m_pEntries = &entries;
    if (dlg.exec() != QDialog::Accepted)
        return;
    list.Append(AddressEntry{dlg.m_text, dlg.m_label});
}

void CTobrelView::OnNewEnvelope()
{
    CNewEnvelopeDlg dlg(this);
    dlg.m_pEnvelopes = &m_envelopes;
    if (dlg.exec() != QDialog::Accepted)
        return;
    EnvelopeFormat format;
    format.width = dlg.m_width;
    format.height = dlg.m_height;
    format.addresseeLeft = dlg.m_addresseeLeft;
    format.addresseeTop = dlg.m_addresseeTop;
    format.senderLeft = dlg.m_senderLeft;
    format.senderTop = dlg.m_senderTop;
    format.label = dlg.m_label;
    m_envelopeList.Append(format);
}

void CTobrelView::OnEditEnvelope()
{
    CEditEnvelopeDlg dlg(this);
    dlg.m_pEnvelopes = &m_envelopes;
    dlg.exec();
    update();
}

void CTobrelView::OnEditAddressee()
{
    EditAddressEntry(false, m_addressees);
}

void CTobrelView::OnEditSender()
{
    EditAddressEntry(true, m_senders);
}

void CTobrelView::EditAddressEntry(bool isSender, AddressEntryArray &entries)
{
    CEditAddressDlg dlg(this);
    dlg.m_isSender = isSender ? 1 : 0;
    dlg.m_pEntries = &entries;
    dlg.exec();
    update();
}

void CTobrelView::OnDeleteEntries()
{
    CDeleteDlg dlg(this);
    dlg.m_pEnvelopeCombo = m_envelopeCombo;
    dlg.m_pAddresseeCombo = m_addresseeCombo;
    dlg.m_pSenderCombo = m_senderCombo;
    dlg.m_pEnvelopes = &m_envelopes;
    dlg.m_pSenders = &m_senders;
    dlg.m_pAddressees = &m_addressees;
    dlg.exec();
    update();
}

void CTobrelView::OnPrintFont()
{
    QFont initial = fontFromLogFont(m_printFont);
    if (m_printFontSize > 0)
        initial.setPointSize(m_printFontSize);
    const auto chosen = runFontDialog(this, initial);
    if (!chosen)
        return;
    m_printFont = chosen->logFont();
    m_printFontSize = chosen->sizeInTenths / 10;
    update();
    ApplyCharFormat();
}

BackupCommands CTobrelView::Backups()
{
    return BackupCommands(this, {&m_envelopes, &m_senders, &m_addressees, &m_envelopeList,
                                 &m_senderList, &m_addresseeList});
}

void CTobrelView::OnBackupSenders()
{
    Backups().OnBackupSenders();
}

void CTobrelView::OnBackupAddressees()
{
    Backups().OnBackupAddressees();
}

void CTobrelView::OnBackupEnvelopes()
{
    Backups().OnBackupEnvelopes();
}

void CTobrelView::OnRestoreBackup()
{
    Backups().OnRestoreBackup();
}

AddressExchangeCommands CTobrelView::AddressExchange()
{
    return AddressExchangeCommands(this,
                                   {&m_senders, &m_addressees, &m_senderList, &m_addresseeList});
}

void CTobrelView::OnImportAddresses()
{
    AddressExchange().OnImportAddresses();
}

void CTobrelView::OnExportAddresses()
{
    AddressExchange().OnExportAddresses();
}

void CTobrelView::OnAddStandardEnvelopes()
{
    Backups().OnAddStandardEnvelopes();
}

const EnvelopeFormat *CTobrelView::SelectedEnvelope() const
{
    return m_envelopeCombo->count() > 0 ? FindEnvelope(selectedLabel(m_envelopeCombo)) : nullptr;
}

QSizeF CTobrelView::SelectedEnvelopeMillimetres() const
{
    if (const EnvelopeFormat *format = SelectedEnvelope())
        return EnvelopePaper::millimetres(*format);
    return {220.0, 110.0};
}

bool CTobrelView::BeginOnEnvelopePaper(QPainter &painter, QPrinter &printer) const
{
    const EnvelopeFormat *format = SelectedEnvelope();
    return beginEnvelopeRun(painter, printer,
                            format ? std::optional<EnvelopeFormat>(*format) : std::nullopt,
                            PrinterPaperStore::load(printerSettingsName(printer)));
}

void CTobrelView::OnPrinterFeedSettings()
{
    PrinterFeedDialog dialog(SelectedEnvelopeMillimetres(), printerSettingsName(Printer()), this);
    dialog.exec();
}

void CTobrelView::CreateThirdField()
{
    m_thirdField.Create(this);
    m_thirdField.installEventFilter(this);
    connect(&m_thirdField, &CThirdFieldDlg::updatePreviewRequested, this,
            qOverload<>(&QWidget::update), Qt::UniqueConnection);
}

bool CTobrelView::IsThirdFieldShown() const
{
    return m_thirdField.IsWindow() && m_thirdField.isVisible();
}

void CTobrelView::CopyToThirdField(const QString &text)
{
    if (m_linkThirdField && IsThirdFieldShown())
        m_thirdField.setFieldText(text);
}

void CTobrelView::OnThirdField()
{
    if (IsThirdFieldShown()) {
        m_thirdField.hide();
    } else {
        if (!m_thirdField.IsWindow())
            CreateThirdField();
        m_thirdField.show();
        CopyToThirdField(m_addresseeEdit->toPlainText());
    }
    update();
    Q_EMIT commandStateChanged();
}

void CTobrelView::OnLinkThirdField()
{
    m_linkThirdField = m_linkThirdField ? 0 : 1;
    if (m_linkThirdField)
        m_thirdField.setFieldText(m_addresseeEdit->toPlainText());
    Q_EMIT commandStateChanged();
}

void CTobrelView::OnUpdateThirdField(CCmdUI &state) const
{
    state.checked = IsThirdFieldShown();
    state.enabled = true;
}

void CTobrelView::OnUpdateLinkThirdField(CCmdUI &state) const
{
    state.checked = m_linkThirdField != 0;
    state.enabled = IsThirdFieldShown();
}

QPrinter &CTobrelView::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool CTobrelView::OnPreparePrinting(bool showDialog)
{
    if (!showDialog)
        return true;
    QPrintDialog dialog(&Printer(), this);
    // One page per envelope: there is no page range to choose.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    NoPageRange::applyTo(&dialog);
    return dialog.exec() == QDialog::Accepted;
}

void CTobrelView::OnBeginPrinting(QPainter &)
{
    // Nothing to set up: the page keeps no state between jobs.
}

EnvelopePage CTobrelView::PageFor(const EnvelopeFormat *format, bool forPrinting)
{
    EnvelopePage page;
    page.senderText = m_senderEdit->toPlainText();
    page.addresseeText = m_addresseeEdit->toPlainText();
    page.printFont = m_printFont;
    page.printFontSize = m_printFontSize;
    if (format) {
        page.format = *format;
        if (IsThirdFieldShown())
            page.thirdField =
                forPrinting ? m_thirdField.valuesForPrinting() : m_thirdField.valuesForPainting();
    }
    return page;
}

EnvelopePage CTobrelView::CurrentPage()
{
    if (m_envelopeCombo->count() == 0)
        return PageFor(nullptr, true);
    m_curEnvelope = selectedLabel(m_envelopeCombo);
    return PageFor(FindEnvelope(m_curEnvelope), true);
}

void CTobrelView::OnPrint(QPainter &painter)
{
    drawEnvelopePage(painter, CurrentPage());
}

void CTobrelView::OnEndPrinting(QPainter &)
{
    // Nothing to tidy: the painter ends the page.
}

bool CTobrelView::PrintEnvelope(QPrinter &printer)
{
    QPainter painter;
    if (!BeginOnEnvelopePaper(painter, printer))
        return false;
    OnBeginPrinting(painter);
    OnPrint(painter);
    OnEndPrinting(painter);
    return painter.end();
}

void CTobrelView::RunPrintJob()
{
    QPrinter &printer = Printer();
    PrintFileOutput output(printer);
    if (output.ready() && !printThroughSlot(printer, envelopeSlot(printerSettingsName(printer)),
                                            [&] { return PrintEnvelope(printer); }))
        ReportPrintNotStarted();
    else
        output.commit(this);
}

void CTobrelView::ReportPrintNotStarted()
{
    showMessageBox(this,
                   tr("Tisk obálky se nepodařilo zahájit. Zkontrolujte, zda je "
                      "tiskárna připojena a zvolena v nastavení tisku."),
                   tr("Chyba"), MessageIcon::Error);
}

void CTobrelView::OnFilePrint()
{
    if (OnPreparePrinting(true))
        RunPrintJob();
}

void CTobrelView::OnFilePrintDirect()
{
    if (OnPreparePrinting(false))
        RunPrintJob();
}

void CTobrelView::OnFilePrintPreview()
{
    QPrintPreviewDialog dialog(&Printer(), this);
    NoPageRange::applyTo(&dialog);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter *printer) { PrintEnvelope(*printer); });
    dialog.exec();
}

void CTobrelView::OnFilePrintSetup()
{
    runEnvelopePageSetup(Printer(), SelectedEnvelopeMillimetres(), this);
}

void CTobrelView::OnBatchPrint()
{
    // A run without a format would be a stack of empty pages.
    if (m_envelopes.GetSize() == 0) {
        showMessageBox(this,
                       tr("Nejsou nadefinovány žádné obálky. Nejprve přidejte obálku, na "
                          "kterou se má tisknout."),
                       tr("Hromadný tisk"), MessageIcon::Exclamation);
        return;
    }
    BatchPrintDialog chooser(m_addressees, m_addresseeList, m_envelopeList,
                             m_envelopeCombo->currentIndex(), m_senderList,
                             m_senderCombo->currentIndex(), this);
    if (chooser.exec() != QDialog::Accepted)
        return;
    // The run prints what the window shows, so a format or sender chosen for it is chosen
    // there too, as if picked in its combo.
    if (chooser.envelopeRow() != m_envelopeCombo->currentIndex()) {
        m_envelopeCombo->setCurrentIndex(chooser.envelopeRow());
        OnEnvelopeChange();
    }
    if (chooser.senderRow() != m_senderCombo->currentIndex()) {
        m_senderCombo->setCurrentIndex(chooser.senderRow());
        OnSenderChange();
    }
    const std::vector<int> rows = chooser.checkedAddressees();
    const int count = int(rows.size());
    if (!AcceptCutTexts(rows))
        return;

    QPrintDialog dialog(&Printer(), this);
    // Page n is envelope n, so a jammed run can be resumed from where it stopped.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, count);
    Printer().setPrintRange(QPrinter::AllPages);
    if (dialog.exec() != QDialog::Accepted)
        return;

    EnvelopePage page = CurrentPage();
    const bool fieldFollows = page.thirdField && m_linkThirdField != 0;
    QPrinter &printer = Printer();
    PrintFileOutput output(printer);
    if (!output.ready()) {
        output.commit(this);
        return;
    }
    BatchPrintResult result;
    const bool printed = printThroughSlot(printer, envelopeSlot(printerSettingsName(printer)), [&] {
        QPainter painter;
        if (!BeginOnEnvelopePaper(painter, printer))
            return false;
        result = printBatch(
            painter, printer, count,
            [&](int number) {
                page.addresseeText =
                    fromStoredText(m_addressees.ElementAt(rows[std::size_t(number - 1)]).text);
                if (fieldFollows)
                    page.thirdField->text = page.addresseeText;
                return page;
            },
            this);
        return !result.failed;
    });
    if (!printed) {
        ReportPrintNotStarted();
        return;
    }
    output.commit(this);
    if (result.cancelled)
        showMessageBox(this,
                       tr("Hromadný tisk byl zrušen. Do tiskárny bylo odesláno %1 z %2 obálek; "
                          "poslední odeslaná obálka má číslo %3.")
                           .arg(result.sent)
                           .arg(result.requested)
                           .arg(result.lastSent),
                       tr("Hromadný tisk"), MessageIcon::Information);
}

bool CTobrelView::AcceptCutTexts(const std::vector<int> &rows)
{
    EnvelopePage page = PageFor(SelectedEnvelope(), false);
    const bool fieldFollows = page.thirdField && m_linkThirdField != 0;
    QStringList cut;
    findCutTexts(
        qsizetype(rows.size()),
        [&](qsizetype i) {
            page.addresseeText = fromStoredText(m_addressees.ElementAt(rows[std::size_t(i)]).text);
            if (fieldFollows)
                page.thirdField->text = page.addresseeText;
            return page;
        },
        kMeasuringResolution, {}, {},
        [&](qsizetype i, const CutText &text) {
            cut << tr("%1. %2 – %3")
                       .arg(i + 1)
                       .arg(fromCp1250(m_addressees.ElementAt(rows[std::size_t(i)]).label),
                            describeCut(text));
        });
    return cut.isEmpty() ||
           askYesNo(this,
                    tr("Na těchto obálkách se text nevejde a bude oříznut:\n\n%1\n\nTisknout "
                       "přesto?")
                        .arg(cut.join(u'\n')),
                    tr("Hromadný tisk"), tr("Tisknout přesto"), tr("Zrušit"),
                    DefaultAnswer::No);
}

void CTobrelView::OnPrintPreviewChecked()
{
    QPrintPreviewDialog dialog(&Printer(), this);
    NoPageRange::applyTo(&dialog);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *printer) {
        QPainter painter;
        if (!BeginOnEnvelopePaper(painter, *printer))
            return;
        const EnvelopePage page = CurrentPage();
        drawEnvelopePage(painter, page);
        QList<QRect> cutBoxes;
        for (const CutText &cut : cutTexts(painter, page))
            cutBoxes.append(cut.rect);
        markPrintingLimits(painter, *printer, cutBoxes);
        painter.end();
    });
    dialog.exec();
}
