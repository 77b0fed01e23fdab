#include "AddressChecklist.h"

#include "Cp1250.h"

AddressChecklist::AddressChecklist(const AddressEntryArray &entries, QObject *parent)
    : QAbstractListModel(parent), m_entries(entries), m_checked(std::size_t(entries.GetSize()))
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
        return fromCp1250(m_entries.ElementAt(index.row()).label);
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

std::vector<int> AddressChecklist::checkedRows() const
{
    std::vector<int> rows;
    rows.reserve(std::size_t(m_checkedCount));
    for (std::size_t row = 0; row < m_checked.size(); ++row)
        if (m_checked[row])
            rows.push_back(int(row));
    return rows;
}

void AddressChecklist::setChecked(int row, bool checked)
{
    if (m_checked[std::size_t(row)] == checked)
        return;
    m_checked[std::size_t(row)] = checked;
    m_checkedCount += checked ? 1 : -1;
}
