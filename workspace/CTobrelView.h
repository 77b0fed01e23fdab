#pragma once

#include "AddressEntryArray.h"
#include "AddressExchangeCommands.h"
#include "BackupCommands.h"
#include "CommandTarget.h"
#include "CThirdFieldDlg.h"
#include "EnvelopePage.h"
#include "LogFont.h"
#include "PreparedLists.h"
#include "RecordListModel.h"
#include "RecoveryFile.h"
#include "WorkspaceStores.h"

#include <QPrinter>
#include <QTextCharFormat>
#include <QWidget>

#include <future>
#include <memory>
#include <optional>
#include <string>

class CAutoComboBox;
class CContextRichEdit;
class QComboBox;

// The workspace: owns the three lists, the print font, the selection combos and the two
// address text boxes, paints the envelope preview and prints the envelope.
class CTobrelView : public QWidget, public CCmdTarget
{
    Q_OBJECT
public:
    explicit CTobrelView(QWidget *parent = nullptr);
    // Saves as SaveAtExit does, unless that has run.
    ~CTobrelView() override;

    // Once, while the window and the event loop are still up so that a message is seen:
    // writes the stores and the print font, then the panel's settings, then the link flag.
    // False when a store could not be written.
    bool SaveAtExit();
    // Every path that changes a list calls this: the recovery file follows the lists.
    void NoteListsChanged();

    // First set-up; a repeated call leaves controls, lists and stores as they are.
    void OnInitialUpdate();
    // The lists as they are being read and sorted on another thread: the initial update
    // takes them over instead of reading the stores itself.
    void TakeListsBeingRead(std::future<PreparedLists> lists);

    // Room for the combos and a long envelope at full scale, or for all of the one shown.
    QSize sizeHint() const override;

    bool OnCmdMsg(int id) override;
    bool OnUpdateCmdUI(int id, CCmdUI &state) override;

    // Each applies the current selection of its combo.
    void OnEnvelopeChange();
    void OnAddresseeChange();
    void OnSenderChange();
    void OnScaleChange();

    void LayoutTextBoxes(const EnvelopeFormat &format);
    // The text boxes' character format: the print font at the preview scale.
    QTextCharFormat MakeCharFormat(const LOGFONT &font, int sizeInPoints) const;

    void OnNewAddressee();
    void OnNewSender();
    void OnNewEnvelope();
    void OnPrintFont();
    void OnEditEnvelope();
    void OnEditAddressee();
    void OnEditSender();
    void OnDeleteEntries();
    void OnBackupSenders();
    void OnBackupAddressees();
    void OnBackupEnvelopes();
    void OnRestoreBackup();
    void OnImportAddresses();
    void OnExportAddresses();
    void OnAddStandardEnvelopes();
    // How envelopes go into each printer; the printer of print setup is shown first.
    void OnPrinterFeedSettings();
    void OnThirdField();
    void OnLinkThirdField();
    void OnUpdateThirdField(CCmdUI &state) const;
    void OnUpdateLinkThirdField(CCmdUI &state) const;

    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void OnBatchPrint();
    // The print preview with what the printer cannot print shaded and cut texts marked.
    void OnPrintPreviewChecked();
    // The print dialog when asked for; false ends the job.
    bool OnPreparePrinting(bool showDialog);
    void OnBeginPrinting(QPainter &painter);
    // Draws the one page; stores the selected envelope label in m_curEnvelope.
    void OnPrint(QPainter &painter);
    void OnEndPrinting(QPainter &painter);
    // Runs one job on printer: begin, the page, end. False when the printer would not start.
    bool PrintEnvelope(QPrinter &printer);

    EnvelopeFormatArray m_envelopes;
    AddressEntryArray m_senders;
    AddressEntryArray m_addressees;
    LOGFONT m_printFont{};
    int m_printFontSize = 12;
    CAutoComboBox *m_envelopeCombo = nullptr;
    CAutoComboBox *m_senderCombo = nullptr;
    CAutoComboBox *m_addresseeCombo = nullptr;
    CAutoComboBox *m_scaleCombo = nullptr;
    CContextRichEdit *m_addresseeEdit = nullptr;
    CContextRichEdit *m_senderEdit = nullptr;
    std::string m_curAddressee;
    std::string m_curSender;
    std::string m_curEnvelope;
    double m_scale = 1.0;
    CThirdFieldDlg m_thirdField;
    int m_linkThirdField = 1;

Q_SIGNALS:
    // The state behind an update handler changed (panel shown or hidden, link toggled).
    void commandStateChanged();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void CreateControls();
    void FillLists();
    void OnComboEnter(QWidget *combo);
    void NewAddressEntry(bool isSender, AddressEntryArray &entries, AddressListModel &list);
    void EditAddressEntry(bool isSender, AddressEntryArray &entries);
    BackupCommands Backups();
    AddressExchangeCommands AddressExchange();
    void OnDraw(QPainter &painter);
    // The text put into edit, or nothing when the selection changed nothing there.
    std::optional<QString> ApplyAddress(QComboBox *combo, std::string &current,
                                        const AddressEntryArray &entries, CContextRichEdit *edit);
    void ApplyCharFormat();
    // The view needs room for the combos, the outline and the text boxes; the main window
    // scrolls it when it is smaller.
    void FitPreview(const EnvelopeFormat &format);
    // The first format with that label, or null.
    const EnvelopeFormat *FindEnvelope(const std::string &label) const;
    // Hidden, for the view; it tells the view when it is shown or hidden.
    void CreateThirdField();
    bool IsThirdFieldShown() const;
    void CopyToThirdField(const QString &text);
    void ReportDamagedStores();
    bool SaveStores();
    void RunPrintJob();
    void ReportPrintNotStarted();
    // The page as printed now: boxes' texts, font, selected format, shown third field.
    EnvelopePage CurrentPage();
    // The page with format; the third field's values taken as printing or painting takes them.
    EnvelopePage PageFor(const EnvelopeFormat *format, bool forPrinting);
    // Red marks beside the boxes whose text will be cut on paper, with what is cut as their
    // tooltips; only the screen shows them.
    void MarkCutTexts(const EnvelopePage &page);
    // Batch printing: lists the envelopes of rows whose text will be cut; false when the user
    // would rather not print them.
    bool AcceptCutTexts(const std::vector<int> &rows);
    // The first format with the selected label, or null.
    const EnvelopeFormat *SelectedEnvelope() const;
    // The selected format's size for the paper; DL, the commonest, when there is none.
    QSizeF SelectedEnvelopeMillimetres() const;
    // Begins painter on the selected envelope's paper for printer, as set for that printer.
    bool BeginOnEnvelopePaper(QPainter &painter, QPrinter &printer) const;
    // Made on first use: asking for the default printer is not free at start-up.
    QPrinter &Printer();

    // What the three selection combos show: the collections themselves, sorted.
    EnvelopeListModel m_envelopeList;
    AddressListModel m_senderList;
    AddressListModel m_addresseeList;
    WorkspaceStores m_stores;
    RecoveryFile m_recovery{m_envelopes, m_senders, m_addressees};
    std::future<PreparedLists> m_preparedLists;
    bool m_exitSaveDone = false;
    std::unique_ptr<QPrinter> m_printer;
    bool m_initialUpdateDone = false;
    QList<std::pair<QRect, QString>> m_cutMarkers;
};
