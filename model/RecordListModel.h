#pragma once

#include "AddressEntryArray.h"
#include "LabelListModel.h"

// The sorted list of one collection's labels; the collection is changed through it (or told
// of appended entries) so that the list follows.
template <typename Array> class RecordListModel final : public LabelListModel
{
public:
    explicit RecordListModel(Array &entries, const QString &extraRow = QString(),
                             QObject *parent = nullptr)
        : LabelListModel(extraRow, parent), m_entries(entries)
    {
    }

    // Appends to the collection; the label takes its sorted place.
    void Append(const typename Array::Entry &entry)
    {
        m_entries.Append(entry);
        entriesAppended(m_entries.GetSize() - 1);
    }

protected:
    int entryCount() const override { return m_entries.GetSize(); }
    std::string_view entryLabel(int entry) const override
    {
        return m_entries.ElementAt(entry).label;
    }
    void eraseEntry(int entry) override { m_entries.RemoveAt(entry); }

private:
    Array &m_entries;
};

// A collection's order in its sorted list, made apart from any model.
template <typename Array> LabelListModel::Order listOrder(const Array &entries)
{
    return LabelListModel::sortedOrder(
        entries.GetSize(),
        [&entries](int entry) -> std::string_view { return entries.ElementAt(entry).label; });
}

using EnvelopeListModel = RecordListModel<EnvelopeFormatArray>;
using AddressListModel = RecordListModel<AddressEntryArray>;
