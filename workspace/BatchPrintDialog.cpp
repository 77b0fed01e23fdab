#include "BatchPrintDialog.h"

#include "AddressChecklist.h"
#include "Cp1250.h"
#include "LabelListModel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QVBoxLayout>

#include <optional>
#include <string>

namespace {
// Rows whose label or text holds the typed text, without regard to case and diacritics.
class AddressFilter : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setText(const QString &text)
    {
        m_folded = searchFolded(text);
        invalidateRowsFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &) const override
    {
        return m_folded &&
               (m_folded->empty() ||
                static_cast<const AddressChecklist *>(sourceModel())->matches(row, *m_folded));
    }

private:
    std::optional<std::string> m_folded = std::string();
};

QComboBox *listChoice(LabelListModel &list, int row, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setModel(&list);
    combo->setCurrentIndex(row);
    return combo;
}
} // namespace

BatchPrintDialog::BatchPrintDialog(const AddressEntryArray &addressees,
                                   const LabelListModel &addresseeList,
                                   LabelListModel &envelopeList, int envelopeRow,
                                   LabelListModel &senderList, int senderRow, QWidget *parent)
    : QDialog(parent),
      m_checklist(new AddressChecklist(addressees, addresseeList.entryOrder(), this)),
      m_filter(new AddressFilter(this)),
      m_noEnvelope(new QLabel(tr("Není zvolena obálka. Vyberte ji, jinak nelze tisknout."), this)),
      m_envelopes(listChoice(envelopeList, envelopeRow, this)),
      m_senders(listChoice(senderList, senderRow, this)), m_count(new QLabel(this))
{
    setWindowTitle(tr("Hromadný tisk"));
    m_filter->setSourceModel(m_checklist);
    m_noEnvelope->setObjectName(QStringLiteral("noEnvelope"));
    m_noEnvelope->setStyleSheet(QStringLiteral("font-weight: bold"));
    m_envelopes->setObjectName(QStringLiteral("envelope"));
    m_senders->setObjectName(QStringLiteral("sender"));
    connect(m_envelopes, &QComboBox::currentIndexChanged, this, &BatchPrintDialog::showState);

    auto *filterEdit = new QLineEdit(this);
    filterEdit->setClearButtonEnabled(true);
    auto *filterLabel = new QLabel(tr("&Hledat:"), this);
    filterLabel->setBuddy(filterEdit);
    connect(filterEdit, &QLineEdit::textChanged, this, &BatchPrintDialog::setFilterText);

    auto *list = new QListView(this);
    list->setUniformItemSizes(true); // a long list must not be measured item by item
    list->setModel(m_filter);

    auto *selectAll = new QPushButton(tr("Vybrat &vše"), this);
    auto *selectNone = new QPushButton(tr("&Nevybrat nic"), this);
    connect(selectAll, &QPushButton::clicked, this, [this] { setShownChecked(true); });
    connect(selectNone, &QPushButton::clicked, this, [this] { setShownChecked(false); });

    auto *buttons = new QDialogButtonBox(this);
    m_printButton = buttons->addButton(tr("&Tisk..."), QDialogButtonBox::AcceptRole);
    m_printButton->setObjectName(QStringLiteral("print"));
    buttons->addButton(tr("Zavřít"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter in the filter box must not start a print run.
    for (QPushButton *button : findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    // What every envelope of the run gets comes first: a wrong format or a missing sender
    // is seen before the addressees are chosen.
    auto *choices = new QFormLayout;
    choices->addRow(tr("&Obálka:"), m_envelopes);
    choices->addRow(tr("O&desílatel:"), m_senders);
    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filterEdit);
    auto *selectRow = new QHBoxLayout;
    selectRow->addWidget(selectAll);
    selectRow->addWidget(selectNone);
    selectRow->addStretch();
    selectRow->addWidget(m_count);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_noEnvelope);
    layout->addLayout(choices);
    layout->addLayout(filterRow);
    layout->addWidget(list);
    layout->addLayout(selectRow);
    layout->addWidget(buttons);

    connect(m_checklist, &AddressChecklist::checkedCountChanged, this,
            &BatchPrintDialog::showState);
    showState();
    if (envelopeRow < 0)
        m_envelopes->setFocus();
}

std::vector<int> BatchPrintDialog::checkedAddressees() const
{
    return m_checklist->checkedEntries();
}

int BatchPrintDialog::envelopeRow() const
{
    return m_envelopes->currentIndex();
}

int BatchPrintDialog::senderRow() const
{
    return m_senders->currentIndex();
}

void BatchPrintDialog::setShownChecked(bool checked)
{
    std::vector<int> rows;
    rows.reserve(std::size_t(m_filter->rowCount()));
    for (int row = 0; row < m_filter->rowCount(); ++row)
        rows.push_back(m_filter->mapToSource(m_filter->index(row, 0)).row());
    m_checklist->setAllChecked(rows, checked);
}

void BatchPrintDialog::setFilterText(const QString &text)
{
    static_cast<AddressFilter *>(m_filter)->setText(text);
}

void BatchPrintDialog::showState()
{
    const int checked = m_checklist->checkedCount();
    m_count->setText(tr("Vybráno %1 z %2").arg(checked).arg(m_checklist->rowCount()));
    m_noEnvelope->setVisible(envelopeRow() < 0);
    m_printButton->setEnabled(checked > 0 && envelopeRow() >= 0);
}
