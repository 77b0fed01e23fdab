#pragma once

#include "InputSlots.h"
#include "PrinterPaper.h"

#include <QDialog>
#include <QSizeF>

#include <map>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPrinter;

// "Nastavení tiskárny pro obálky…": per printer, how envelopes go in (turn, place in the
// feed, correction, the input slot from the printer's own list) and whether the page setup
// chosen for it still applies; a test page shows what to correct. The settings of the printers
// changed are written on OK only.
class PrinterFeedDialog : public QDialog
{
    Q_OBJECT
public:
    // envelopeMillimetres: the selected format, for the test page; printerName: the printer
    // shown first (empty: the PDF file output).
    PrinterFeedDialog(QSizeF envelopeMillimetres, const QString &printerName,
                      QWidget *parent = nullptr);

    void accept() override;

    // The printers offered: the system's, then the PDF file output (empty name).
    static QStringList printerNames();

private:
    void showPrinter(int index);
    void keepShown();
    QString shownPrinter() const;
    void printTestPage();

    QSizeF m_envelope;
    QComboBox *m_printer;
    QComboBox *m_rotation;
    QComboBox *m_placement;
    QDoubleSpinBox *m_offsetX;
    QDoubleSpinBox *m_offsetY;
    QComboBox *m_tray;
    QCheckBox *m_pageSetup;
    std::map<QString, PrinterPaper> m_edited;
    // Per printer shown: its slots, the one in use when the dialog showed it and the one
    // chosen now ("option=value"; empty: the printer's default).
    struct Tray
    {
        QList<InputSlot> feeds;
        QString inUse;
        QString chosen;
    };
    std::map<QString, Tray> m_trays;
    int m_shownIndex = -1;
};

// The name the printer's settings are kept under: empty for the PDF file output.
QString printerSettingsName(const QPrinter &printer);

// Print setup for envelopes: shows the page setup kept for this printer, else the envelope's
// page, and keeps what the user accepts as this printer's page setup; accepting the
// envelope's own page drops it again. False when cancelled.
bool runEnvelopePageSetup(QPrinter &printer, QSizeF envelopeMillimetres, QWidget *owner);

// Prints the calibration page for the settings on printer (its name chosen already) through
// slot, as envelopes go; false when the job could not start.
bool printCalibrationPage(QPrinter &printer, QSizeF envelopeMillimetres,
                          const PrinterPaper &settings, const std::optional<InputSlot> &slot);
