#pragma once

#include "LogFont.h"

#include <QDialog>

#include <cstdint>
#include <optional>
#include <string>

class CContextRichEdit;
class CDataExchange;

// What the preview and the printout draw of the third field.
struct ThirdFieldValues
{
    LOGFONT font;
    std::int32_t pointSize = 120; // tenths of a point
    double left = 0.0;            // cm from the envelope's left edge
    double top = 0.0;             // cm below the envelope's top edge
    double width = 0.0;
    double height = 0.0;
    QString text;
};

// The modeless "Třetí pole" panel. The object lives with the view; its window is built by
// Create at the view's first set-up, hidden, and writes its position, size and font to the
// profile file when it is destroyed.
class CThirdFieldDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CThirdFieldDlg(QWidget *parent = nullptr);
    ~CThirdFieldDlg() override;

    // Builds the panel window for parentView and reads the profile (OnInitDialog); hidden.
    bool Create(QWidget *parentView);
    bool IsWindow() const;

    // The link copy: replaces the whole text of the panel's text box.
    void setFieldText(const QString &text);

    // For painting: takes the values from the boxes without any message; a box that does
    // not parse leaves its last valid value.
    ThirdFieldValues valuesForPainting();
    // For printing: the exchange with its number message; values as they then stand.
    ThirdFieldValues valuesForPrinting();

    void DoDataExchange(CDataExchange &dx);

Q_SIGNALS:
    // "Aktualizovat náhled": the owner window is to repaint.
    void updatePreviewRequested();
};
