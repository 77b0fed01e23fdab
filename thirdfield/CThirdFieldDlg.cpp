#include "CThirdFieldDlg.h"

#include "CContextRichEdit.h"
#include "CommonDialogs.h"
#include "DataExchange.h"
#include "LogFontQt.h"
#include "NumberText.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The panel was laid out in dialog units of 8-point "MS Sans Serif": 4 units across are 6
// pixels, 8 units down are 13 pixels.
int duX(int units)
{
    return units * 3 / 2;
}
int duY(int units)
{
    return units * 13 / 8;
}

QLineEdit *addLengthRow(QGridLayout *grid, int row, const QString &caption, int id)
{
    auto *label = new QLabel(caption);
    auto *box = new QLineEdit;
    box->setObjectName(QString::number(id));
    box->setFixedWidth(duX(40));
    label->setBuddy(box);
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    return box;
}

QPushButton *makeButton(const QString &caption, int id)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(QString::number(id));
    // No button is the default one, so Enter in a box presses nothing.
    button->setAutoDefault(false);
    return button;
}

QHBoxLayout *centred(QWidget *widget)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(widget);
    row->addStretch();
    return row;
}

// The exchange of one length without a message: a box that does not parse keeps value.
void takeQuietly(const QLineEdit *box, double &value)
{
    const auto parsed = parseDialogNumber(box->text().toStdString());
    if (parsed && std::isfinite(*parsed))
        value = *parsed;
}

} // namespace

CThirdFieldDlg::CThirdFieldDlg(QWidget *parent) : QDialog(parent) {}

CThirdFieldDlg::~CThirdFieldDlg()
{
    OnDestroy();
}

bool CThirdFieldDlg::Create(QWidget *parentView)
{
    if (IsWindow())
        return true;
    // A separate top-level window owned by the view's window, with a close button only.
    setParent(parentView, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(tr("Třetí pole"));
    buildControls();
    if (parentView)
        move(parentView->mapToGlobal(QPoint(duX(537), duY(5))));
    m_created = true;
    return OnInitDialog();
}

void CThirdFieldDlg::buildControls()
{
    auto *position = new QGroupBox(tr("Poloha"));
    auto *grid = new QGridLayout(position);
    m_leftBox = addLengthRow(grid, 0, tr("Levá strana (cm):"), IDC_LEFT);
    m_topBox = addLengthRow(grid, 1, tr("Horní strana (cm):"), IDC_TOP);
    m_widthBox = addLengthRow(grid, 2, tr("Šířka (cm):"), IDC_WIDTH);
    m_heightBox = addLengthRow(grid, 3, tr("Výška (cm):"), IDC_HEIGHT);

    auto *fontButton = makeButton(tr("Písmo"), IDC_FONT);
    connect(fontButton, &QPushButton::clicked, this, &CThirdFieldDlg::OnChooseFont);

    auto *textGroup = new QGroupBox(tr("Text"));
    auto *textLayout = new QVBoxLayout(textGroup);
    m_fieldEdit = new CContextRichEdit;
    m_fieldEdit->setObjectName(QString::number(IDC_TEXT));
    m_fieldEdit->setLineWrapMode(QTextEdit::NoWrap);
    m_fieldEdit->setMinimumWidth(duX(107));
    m_fieldEdit->setFixedHeight(duY(84));
    m_fieldEdit->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    textLayout->addWidget(m_fieldEdit);

    auto *previewButton = makeButton(tr("Aktualizovat náhled"), IDC_UPDATE_PREVIEW);
    connect(previewButton, &QPushButton::clicked, this, &CThirdFieldDlg::OnUpdatePreview);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(position);
    layout->addLayout(centred(fontButton));
    layout->addWidget(textGroup);
    layout->addLayout(centred(previewButton));
}

bool CThirdFieldDlg::OnInitDialog()
{
    const ThirdFieldValues stored = readThirdFieldSettings();
    m_fieldFont = stored.font;
    m_fieldLeft = stored.left;
    m_fieldTop = stored.top;
    m_fieldWidth = stored.width;
    m_fieldHeight = stored.height;
    m_fieldPointSize = stored.pointSize;
    UpdateData(*this, false);
    return true;
}

void CThirdFieldDlg::DoDataExchange(CDataExchange &dx)
{
    dx.number(m_heightBox, m_fieldHeight);
    if (dx.failed())
        return;
    if (dx.m_bSaveAndValidate)
        m_fieldText = m_fieldEdit->toPlainText();
    else
        m_fieldEdit->setPlainText(m_fieldText);
    dx.number(m_topBox, m_fieldTop);
    if (dx.failed())
        return;
    dx.number(m_leftBox, m_fieldLeft);
    if (dx.failed())
        return;
    dx.number(m_widthBox, m_fieldWidth);
}

void CThirdFieldDlg::setFieldText(const QString &text)
{
    if (m_fieldEdit)
        m_fieldEdit->setPlainText(text);
}

ThirdFieldValues CThirdFieldDlg::currentValues() const
{
    return {m_fieldFont,  m_fieldPointSize, m_fieldLeft, m_fieldTop,
            m_fieldWidth, m_fieldHeight,    m_fieldText};
}

ThirdFieldValues CThirdFieldDlg::valuesForPainting()
{
    // A message from inside painting would bring another repaint and another message
    // without end, so painting takes what parses and keeps the rest.
    if (IsWindow()) {
        takeQuietly(m_heightBox, m_fieldHeight);
        m_fieldText = m_fieldEdit->toPlainText();
        takeQuietly(m_topBox, m_fieldTop);
        takeQuietly(m_leftBox, m_fieldLeft);
        takeQuietly(m_widthBox, m_fieldWidth);
    }
    return currentValues();
}

ThirdFieldValues CThirdFieldDlg::valuesForPrinting()
{
    if (IsWindow())
        UpdateData(*this, true);
    return currentValues();
}

void CThirdFieldDlg::OnChooseFont()
{
    QFont initial = fontFromLogFont(m_fieldFont);
    if (m_fieldPointSize > 0)
        initial.setPointSizeF(m_fieldPointSize / 10.0);
    const auto chosen = runFontDialog(this, initial);
    if (!chosen)
        return;
    m_fieldFont = chosen->logFont();
    m_fieldPointSize = chosen->sizeInTenths;
}

void CThirdFieldDlg::OnUpdatePreview()
{
    Q_EMIT updatePreviewRequested();
}

void CThirdFieldDlg::OnDestroy()
{
    if (!IsWindow())
        return;
    m_destroyed = true;
    UpdateData(*this, true);
    writeThirdFieldSettings(currentValues());
}

void CThirdFieldDlg::accept()
{
    if (m_hasFocus && UpdateData(*this, true))
        QDialog::accept();
}

void CThirdFieldDlg::reject()
{
    if (m_hasFocus)
        QDialog::reject();
}

bool CThirdFieldDlg::event(QEvent *event)
{
    // Showing a dialog sends it a focus event while a control is about to take the focus;
    // only a real focus of the panel window counts.
    if (event->type() == QEvent::FocusIn)
        m_hasFocus = hasFocus() ? 1 : 0;
    else if (event->type() == QEvent::FocusOut)
        m_hasFocus = 0;
    return QDialog::event(event);
}
