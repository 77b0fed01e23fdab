#include "AddressChecklist.h"

#include "Cp1250.h"

AddressChecklist::AddressChecklist(const AddressEntryArray &entries, std::vector<int> order,
                                   QObject *parent)
    : QAbstractListModel(parent), m_entries(entries), m_order(std::move(order)),
      m_checked(m_order.size())
{
}

int AddressChecklist::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_checked.size());
}

QVariant AddressChecklist::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return fromCp1250(m_entries.ElementAt(m_order[std::size_t(index.row())]).label);
    case Qt::CheckStateRole:
        return m_checked[std::size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

bool AddressChecklist::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole)
        return false;
    setChecked(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit checkedCountChanged(m_checkedCount);
    return true;
}

Qt::ItemFlags AddressChecklist::flags(const QModelIndex &index) const
{
    return QAbstractListModel::flags(index) | Qt::ItemIsUserCheckable;
}

void AddressChecklist::setAllChecked(const std::vector<int> &rows, bool checked)
{
    for (int row : rows)
        setChecked(row, checked);
    if (!m_checked.empty())
        emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
    emit checkedCountChanged(m_checkedCount);
}

std::vector<int> AddressChecklist::checkedEntries() const
{
    std::vector<int> entries;
    entries.reserve(std::size_t(m_checkedCount));
    for (std::size_t row = 0; row < m_checked.size(); ++row)
        if (m_checked[row])
            entries.push_back(m_order[row]);
    return entries;
}

bool AddressChecklist::matches(int row, std::string_view folded) const
{
    const AddressView entry = m_entries.ElementAt(m_order[std::size_t(row)]);
    for (const std::string_view part : {entry.label, entry.text}) {
        m_folded.clear();
        appendSearchFolded(part, m_folded);
        if (m_folded.find(folded) != std::string::npos)
            return true;
    }
    return false;
}

void AddressChecklist::setChecked(int row, bool checked)
{
    if (m_checked[std::size_t(row)] == checked)
        return;
    m_checked[std::size_t(row)] = checked;
    m_checkedCount += checked ? 1 : -1;
}
