#include "BatchPrintDialog.h"

#include "AddressChecklist.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QVBoxLayout>

BatchPrintDialog::BatchPrintDialog(const AddressEntryArray &addressees, QWidget *parent)
    : QDialog(parent), m_checklist(new AddressChecklist(addressees, this)),
      m_filter(new QSortFilterProxyModel(this)), m_count(new QLabel(this))
{
    setWindowTitle(tr("Hromadný tisk"));
    m_filter->setSourceModel(m_checklist);
    m_filter->setFilterCaseSensitivity(Qt::CaseInsensitive);

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
    buttons->addButton(tr("Zavřít"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter in the filter box must not start a print run.
    for (QPushButton *button : findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filterEdit);
    auto *selectRow = new QHBoxLayout;
    selectRow->addWidget(selectAll);
    selectRow->addWidget(selectNone);
    selectRow->addStretch();
    selectRow->addWidget(m_count);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(list);
    layout->addLayout(selectRow);
    layout->addWidget(buttons);

    connect(m_checklist, &AddressChecklist::checkedCountChanged, this,
            &BatchPrintDialog::showCount);
    showCount(0);
}

std::vector<int> BatchPrintDialog::checkedAddressees() const
{
    return m_checklist->checkedRows();
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
    m_filter->setFilterFixedString(text);
}

void BatchPrintDialog::showCount(int checked)
{
    m_count->setText(tr("Vybráno %1 z %2").arg(checked).arg(m_checklist->rowCount()));
    m_printButton->setEnabled(checked > 0);
}
