#include "CDeleteDlg.h"

#include "DataExchange.h"
#include "LabelList.h"
#include "LabelListModel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>

namespace {

QPushButton *deleteButton(QWidget *dialog, const char *id)
{
    auto *button = new QPushButton(CDeleteDlg::tr("Smazat"), dialog);
    button->setObjectName(QLatin1String(id));
    button->setAutoDefault(false);
    return button;
}

// The view's list without its "<Žádný>" row: the dialog shows the collection itself, so a
// deleted entry leaves its row at once, and the row's selection moves to the entry that took
// its place, or to the last.
class EntriesOnly : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int row, const QModelIndex &) const override
    {
        return static_cast<const LabelListModel *>(sourceModel())->entryAt(row) >= 0;
    }
};

void showEntries(QComboBox *list, QComboBox *viewCombo)
{
    auto *entries = new EntriesOnly(list);
    entries->setSourceModel(viewCombo->model());
    list->setModel(entries);
    list->setCurrentIndex(list->count() > 0 ? 0 : -1);
}

// The view's combo box shows the collection itself too: a selection there on the deleted
// entry moves the same way. The view learns nothing of the change: its text boxes and the
// labels it applied last stay as they are until the user picks an entry.
template <typename Array>
void removeEntry(Array *entries, QComboBox *viewCombo, const std::string &label)
{
    const int index = entries->FindByLabel(label);
    if (index < 0)
        return;
    const QSignalBlocker blocker(viewCombo);
    qobject_cast<LabelListModel *>(viewCombo->model())->removeEntry(index);
}

} // namespace

CDeleteDlg::CDeleteDlg(QWidget *parent)
    : CDialog(parent), m_senderList(createLabelList(this, "1020")),
      m_envelopeList(createLabelList(this, "1016")), m_addresseeList(createLabelList(this, "1018"))
{
    setWindowTitle(tr("Mazání obálek, adresátů a odesílatelů"));

    auto *close = new QPushButton(tr("Zavřít"), this);
    close->setObjectName(QStringLiteral("2"));
    // No button may become the default one: Enter in a list would delete without a question.
    close->setAutoDefault(false);
    close->setMinimumHeight(close->sizeHint().height() * 3 / 2);
    QPushButton *deleteEnvelope = deleteButton(this, "1017");
    QPushButton *deleteAddressee = deleteButton(this, "1019");
    QPushButton *deleteSender = deleteButton(this, "1021");

    auto *grid = new QGridLayout(this);
    const struct
    {
        QString caption;
        QComboBox *list;
        QPushButton *button;
    } rows[] = {{tr("Obálky:"), m_envelopeList, deleteEnvelope},
                {tr("Adresáti:"), m_addresseeList, deleteAddressee},
                {tr("Odesílatelé:"), m_senderList, deleteSender}};
    int line = 0;
    QWidget *previous = close;
    for (const auto &row : rows) {
        grid->addWidget(new QLabel(row.caption, this), line, 0);
        grid->addWidget(row.list, line + 1, 0);
        grid->addWidget(row.button, line, 1, 2, 1);
        row.button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        QWidget::setTabOrder(previous, row.list);
        QWidget::setTabOrder(row.list, row.button);
        previous = row.button;
        line += 2;
    }
    grid->setRowMinimumHeight(line, close->sizeHint().height() / 2);
    grid->addWidget(close, line + 1, 0, 1, 2);
    grid->setColumnMinimumWidth(1, deleteEnvelope->sizeHint().width() * 3 / 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    close->setFocus();

    connect(deleteAddressee, &QPushButton::clicked, this, &CDeleteDlg::OnDeleteAddressee);
    connect(deleteEnvelope, &QPushButton::clicked, this, &CDeleteDlg::OnDeleteEnvelope);
    connect(deleteSender, &QPushButton::clicked, this, &CDeleteDlg::OnDeleteSender);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void CDeleteDlg::DoDataExchange(CDataExchange &dx)
{
    dx.selectedText(m_addresseeList, m_addresseeLabel);
    dx.selectedText(m_envelopeList, m_envelopeLabel);
    dx.selectedText(m_senderList, m_senderLabel);
}

void CDeleteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pEnvelopes)
        showEntries(m_envelopeList, m_pEnvelopeCombo);
    if (m_pAddressees)
        showEntries(m_addresseeList, m_pAddresseeCombo);
    if (m_pSenders)
        showEntries(m_senderList, m_pSenderCombo);
}

void CDeleteDlg::OnDeleteAddressee()
{
    if (!m_pAddressees || m_pAddressees->GetSize() == 0)
        return;
    UpdateData(*this, true);
    removeEntry(m_pAddressees, m_pAddresseeCombo, m_addresseeLabel);
}

void CDeleteDlg::OnDeleteEnvelope()
{
    if (!m_pEnvelopes || m_pEnvelopes->GetSize() == 0)
        return;
    UpdateData(*this, true);
    removeEntry(m_pEnvelopes, m_pEnvelopeCombo, m_envelopeLabel);
}

void CDeleteDlg::OnDeleteSender()
{
    if (!m_pSenders || m_pSenders->GetSize() == 0)
        return;
    UpdateData(*this, true);
    removeEntry(m_pSenders, m_pSenderCombo, m_senderLabel);
}
