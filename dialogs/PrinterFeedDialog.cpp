#include "PrinterFeedDialog.h"

#include "CalibrationPage.h"
#include "CommonDialogs.h"
#include "EnvelopeJob.h"
#include "EnvelopeOnPaper.h"
#include "MessageBox.h"
#include "PrintFileOutput.h"
#include "PrivateProfile.h"
#include "ProfileFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kRotations[] = {0, 90, 180, 270};

QDoubleSpinBox *makeOffsetBox(QWidget *parent)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setRange(-50.0, 50.0);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

QString pageSetupText(const std::optional<QPageLayout> &pageSetup)
{
    if (!pageSetup)
        return PrinterFeedDialog::tr("Papír podle nastavení tisku (není zvoleno)");
    return PrinterFeedDialog::tr("Papír podle nastavení tisku: %1, %2")
        .arg(pageSetup->pageSize().name(), pageSetup->orientation() == QPageLayout::Landscape
                                               ? PrinterFeedDialog::tr("na šířku")
                                               : PrinterFeedDialog::tr("na výšku"));
}

} // namespace

PrinterFeedDialog::PrinterFeedDialog(QSizeF envelopeMillimetres, const QString &printerName,
                                     QWidget *parent)
    : QDialog(parent), m_envelope(envelopeMillimetres), m_printer(new QComboBox(this)),
      m_rotation(new QComboBox(this)), m_placement(new QComboBox(this)),
      m_offsetX(makeOffsetBox(this)), m_offsetY(makeOffsetBox(this)), m_tray(new QComboBox(this)),
      m_pageSetup(new QCheckBox(this))
{
    setWindowTitle(tr("Nastavení tiskárny pro obálky"));
    m_printer->setObjectName(QStringLiteral("printer"));
    m_rotation->setObjectName(QStringLiteral("rotation"));
    m_placement->setObjectName(QStringLiteral("placement"));
    m_offsetX->setObjectName(QStringLiteral("offsetX"));
    m_offsetY->setObjectName(QStringLiteral("offsetY"));
    m_tray->setObjectName(QStringLiteral("tray"));
    m_pageSetup->setObjectName(QStringLiteral("pageSetup"));
    for (const QString &name : printerNames())
        m_printer->addItem(printerDisplayName(name), name);
    for (const int degrees : kRotations)
        m_rotation->addItem(tr("%1°").arg(degrees), degrees);
    for (const FeedPlacement placement :
         {FeedPlacement::Left, FeedPlacement::Centre, FeedPlacement::Right})
        m_placement->addItem(placementName(placement), int(placement));

    auto *form = new QFormLayout;
    form->addRow(tr("&Tiskárna:"), m_printer);
    form->addRow(tr("&Otočení obálky (po směru hodin):"), m_rotation);
    form->addRow(tr("&Umístění v podavači:"), m_placement);
    form->addRow(tr("Posun &vodorovně:"), m_offsetX);
    form->addRow(tr("Posun &svisle:"), m_offsetY);
    form->addRow(tr("Po&davač obálek:"), m_tray);
    form->addRow(m_pageSetup);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Zrušit"));
    QPushButton *testPage =
        buttons->addButton(tr("&Zkušební stránka…"), QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &PrinterFeedDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PrinterFeedDialog::reject);
    connect(testPage, &QPushButton::clicked, this, &PrinterFeedDialog::printTestPage);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    const int first = m_printer->findData(printerName);
    showPrinter(first >= 0 ? first : 0);
    connect(m_printer, &QComboBox::currentIndexChanged, this, &PrinterFeedDialog::showPrinter);
}

QStringList PrinterFeedDialog::printerNames()
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    names << QString();
    return names;
}

QString PrinterFeedDialog::shownPrinter() const
{
    return m_printer->itemData(m_shownIndex).toString();
}

void PrinterFeedDialog::keepShown()
{
    if (m_shownIndex < 0)
        return;
    PrinterPaper &paper = m_edited[shownPrinter()];
    paper.feed.rotation = m_rotation->currentData().toInt();
    paper.feed.placement = FeedPlacement(m_placement->currentData().toInt());
    paper.feed.offsetX = m_offsetX->value();
    paper.feed.offsetY = m_offsetY->value();
    if (!m_pageSetup->isChecked())
        paper.pageSetup.reset();
    m_trays[shownPrinter()].chosen = m_tray->currentData().toString();
}

void PrinterFeedDialog::showPrinter(int index)
{
    keepShown();
    m_printer->setCurrentIndex(index);
    m_shownIndex = index;
    const QString name = shownPrinter();
    auto edited = m_edited.find(name);
    if (edited == m_edited.end())
        edited = m_edited.emplace(name, PrinterPaperStore::load(name)).first;
    const PrinterPaper &paper = edited->second;
    m_rotation->setCurrentIndex(m_rotation->findData(paper.feed.rotation));
    m_placement->setCurrentIndex(m_placement->findData(int(paper.feed.placement)));
    m_offsetX->setValue(paper.feed.offsetX);
    m_offsetY->setValue(paper.feed.offsetY);
    auto tray = m_trays.find(name);
    if (tray == m_trays.end()) {
        Tray shown{inputSlots(name), {}, {}};
        if (const std::optional<InputSlot> slot = envelopeSlot(name, shown.feeds))
            shown.inUse = slot->id();
        shown.chosen = shown.inUse;
        tray = m_trays.emplace(name, shown).first;
    }
    m_tray->clear();
    m_tray->addItem(tr("Výchozí podavač tiskárny"), QString());
    for (const InputSlot &slot : tray->second.feeds)
        m_tray->addItem(slot.text, slot.id());
    m_tray->setCurrentIndex(qMax(0, m_tray->findData(tray->second.chosen)));
    m_tray->setEnabled(!tray->second.feeds.isEmpty());
    // Only a page setup chosen for this printer can be kept; choosing one is print setup's job.
    m_pageSetup->setText(pageSetupText(paper.pageSetup));
    m_pageSetup->setChecked(paper.pageSetup.has_value());
    m_pageSetup->setEnabled(paper.pageSetup.has_value());
}

void PrinterFeedDialog::accept()
{
    keepShown();
    bool written = true;
    for (const auto &[name, paper] : m_edited) {
        // Printers only looked at keep no keys.
        if (paper.feed != PrinterPaperStore::loadFeed(name))
            written = PrinterPaperStore::saveFeed(name, paper.feed) && written;
        if (!paper.pageSetup && PrinterPaperStore::loadPageSetup(name))
            written = PrinterPaperStore::forgetPageSetup(name) && written;
    }
    for (const auto &[name, tray] : m_trays)
        if (tray.chosen != tray.inUse)
            written = PrinterPaperStore::saveInputSlot(name, tray.chosen.toStdString()) && written;
    if (!written) {
        showMessageBox(this,
                       tr("Nastavení tiskáren se nepodařilo uložit do souboru „%1“.")
                           .arg(QDir::toNativeSeparators(privateProfilePath(kProfileFileName))),
                       tr("Chyba"), MessageIcon::Error);
        return;
    }
    QDialog::accept();
}

void PrinterFeedDialog::printTestPage()
{
    keepShown();
    const QString name = shownPrinter();
    QPrinter printer(QPrinter::HighResolution);
    if (name.isEmpty()) {
        FileDialogRequest request;
        request.mode = FileDialogRequest::Mode::Save;
        request.title = tr("Uložit zkušební stránku");
        request.directory = QDir::currentPath();
        request.defaultName = tr("Zkušební stránka obálky");
        request.defaultExtension = QStringLiteral("pdf");
        request.filter = tr("Soubory PDF (*.pdf)|*.pdf||");
        const std::optional<QString> path = runFileDialog(this, request);
        if (!path)
            return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*path);
    } else {
        printer.setPrinterName(name);
    }
    const Tray &tray = m_trays[name];
    PrintFileOutput output(printer);
    if (output.ready() && !printCalibrationPage(printer, m_envelope, m_edited[name],
                                                slotWithId(tray.feeds, tray.chosen)))
        showMessageBox(
            this,
            tr("Zkušební stránku se nepodařilo vytisknout na „%1“.").arg(printerDisplayName(name)),
            tr("Chyba"), MessageIcon::Error);
    else
        output.commit(this);
}

QString printerSettingsName(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat ? QString() : printer.printerName();
}

bool runEnvelopePageSetup(QPrinter &printer, QSizeF envelopeMillimetres, QWidget *owner)
{
    const QString name = printerSettingsName(printer);
    const PrinterPaper kept = PrinterPaperStore::load(name);
    const QPageLayout envelopePage =
        EnvelopeOnPaper(envelopeMillimetres, {kept.feed, std::nullopt}).pageLayout();
    askForPaper(printer, kept.pageSetup.value_or(envelopePage));
    QPageSetupDialog dialog(&printer, owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QSizeF chosen = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    const QSizeF envelope = envelopePage.fullRect(QPageLayout::Millimeter).size();
    if (qAbs(chosen.width() - envelope.width()) <= 0.5 &&
        qAbs(chosen.height() - envelope.height()) <= 0.5)
        PrinterPaperStore::forgetPageSetup(name);
    else
        PrinterPaperStore::savePageSetup(name, printer.pageLayout());
    return true;
}

bool printCalibrationPage(QPrinter &printer, QSizeF envelopeMillimetres,
                          const PrinterPaper &settings, const std::optional<InputSlot> &slot)
{
    printer.setDocName(QStringLiteral("Tobrel"));
    return printThroughSlot(printer, slot, [&] {
        QPainter painter;
        if (!EnvelopeOnPaper(envelopeMillimetres, settings).beginOnPaper(painter, printer))
            return false;
        drawCalibrationPage(painter, envelopeMillimetres, printerSettingsName(printer),
                            settings.feed);
        return painter.end();
    });
}
