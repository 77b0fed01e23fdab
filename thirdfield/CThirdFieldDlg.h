#pragma once

#include "LogFont.h"
#include "ThirdFieldSettings.h"

#include <QDialog>

#include <cstdint>
#include <string>

class CContextRichEdit;
class CDataExchange;
class QLineEdit;
class QPushButton;

// The modeless "Třetí pole" panel. The object lives with the view; its window is built by
// Create at the view's first set-up, hidden, and writes its position, size and font to the
// profile file when it is destroyed.
class CThirdFieldDlg : public QDialog
{
    Q_OBJECT
public:
    // Ids of the panel's controls, also their object names, so tests can find them.
    enum ControlId
    {
        IDC_LEFT = 1018,
        IDC_TOP = 1019,
        IDC_WIDTH = 1020,
        IDC_HEIGHT = 1021,
        IDC_TEXT = 1022,
        IDC_FONT = 1023,
        IDC_UPDATE_PREVIEW = 1024,
    };

    explicit CThirdFieldDlg(QWidget *parent = nullptr);
    ~CThirdFieldDlg() override;

    // Builds the panel window for parentView and reads the profile (OnInitDialog); hidden.
    bool Create(QWidget *parentView);
    bool IsWindow() const { return m_created && !m_destroyed; }

    // The link copy: replaces the whole text of the panel's text box.
    void setFieldText(const QString &text);

    // For painting: takes the values from the boxes without any message; a box that does
    // not parse leaves its last valid value.
    ThirdFieldValues valuesForPainting();
    // For printing: the exchange with its number message; values as they then stand.
    ThirdFieldValues valuesForPrinting();

    void DoDataExchange(CDataExchange &dx);

    void OnChooseFont();
    void OnUpdatePreview();
    // Writes the profile; runs once, when the window goes (at the latest from the destructor).
    void OnDestroy();

    void accept() override; // OnOK
    void reject() override; // OnCancel

Q_SIGNALS:
    // "Aktualizovat náhled": the owner window is to repaint.
    void updatePreviewRequested();

protected:
    bool event(QEvent *event) override;

private:
    void buildControls();
    bool OnInitDialog();
    ThirdFieldValues currentValues() const;

    LOGFONT m_fieldFont{};
    std::int32_t m_fieldPointSize = 0;
    CContextRichEdit *m_fieldEdit = nullptr;
    double m_fieldHeight = 0.0;
    QString m_fieldText;
    double m_fieldTop = 0.0;
    double m_fieldLeft = 0.0;
    double m_fieldWidth = 0.0;
    // Only true in the moment the panel window itself holds the focus, before the dialog
    // passes it on to a control: Enter and Esc in a box must not close the panel.
    int m_hasFocus = 0;

    QLineEdit *m_leftBox = nullptr;
    QLineEdit *m_topBox = nullptr;
    QLineEdit *m_widthBox = nullptr;
    QLineEdit *m_heightBox = nullptr;
    bool m_created = false;
    bool m_destroyed = false;
};
