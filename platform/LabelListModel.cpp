#include "LabelListModel.h"

#include "Cp1250.h"
#include "LabelCollation.h"
#include "Prefault.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

LabelListModel::LabelListModel(const QString &extraRow, QObject *parent)
    : QAbstractListModel(parent), m_extraRow(extraRow),
      m_extraLabel(toCp1250(extraRow).value_or(std::string())),
      m_extraKey(LabelCollation::sortKey(m_extraLabel))
{
    if (!m_extraRow.isEmpty())
        m_rows.push_back(-1);
}

int LabelListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant LabelListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return textAt(index.row());
}

QString LabelListModel::textAt(int row) const
{
    const int entry = entryAt(row);
    return entry < 0 ? m_extraRow : fromCp1250(entryLabel(entry));
}

int LabelListModel::entryAt(int row) const
{
    return m_rows[std::size_t(row)];
}

std::vector<int> LabelListModel::entryOrder() const
{
    std::vector<int> order;
    order.reserve(m_rows.size());
    std::copy_if(m_rows.cbegin(), m_rows.cend(), std::back_inserter(order),
                 [](int entry) { return entry >= 0; });
    return order;
}

std::string_view LabelListModel::labelOf(int entry) const
{
    return entry < 0 ? std::string_view(m_extraLabel) : entryLabel(entry);
}

std::string LabelListModel::keyOf(int entry) const
{
    return entry < 0 ? m_extraKey : LabelCollation::sortKey(entryLabel(entry));
}

namespace {

// Equal keys: the labels themselves decide (LabelCollation::compareTies).
template <typename LabelOf>
bool entryLess(std::string_view keyA, int a, std::string_view keyB, int b, const LabelOf &labelOf)
{
    if (const int order = keyA.compare(keyB))
        return order < 0;
    return LabelCollation::compareTies(fromCp1250(labelOf(a)), fromCp1250(labelOf(b))) < 0;
}

// A stable sort of the entries from begin to end by keys made for the sort alone: kept, the
// keys of a million labels would take more room than the labels themselves.
template <typename LabelOf>
void sortEntries(std::vector<int>::iterator begin, std::vector<int>::iterator end,
                 const LabelOf &labelOf)
{
    const std::size_t count = std::size_t(end - begin);
    std::string keys;
    std::vector<std::uint32_t> offsets;
    keys.reserve(count * 40);
    offsets.reserve(count + 1);
    prefault(keys.data(), keys.capacity());
    prefault(offsets.data(), offsets.capacity() * sizeof(std::uint32_t));
    for (auto it = begin; it != end; ++it) {
        offsets.push_back(std::uint32_t(keys.size()));
        LabelCollation::appendSortKey(labelOf(*it), keys);
    }
    offsets.push_back(std::uint32_t(keys.size()));

    // Sorted sixteen key bytes at a time, the next sixteen only within a run of items that
    // agree on all before (many labels begin alike: surnames): the bytes of a key are read
    // about once, not once per comparison. Keys hold no zero byte, so a key that has ended
    // reads as zeros and comes first. The position breaks ties, which keeps the sort stable.
    struct Item
    {
        std::array<std::uint64_t, 2> head;
        std::uint32_t position;
        int entry;
    };
    const auto keyOf = [&](const Item &item) {
        return std::string_view(keys).substr(
            offsets[item.position], offsets[item.position + 1] - offsets[item.position]);
    };
    const auto takeHead = [&](Item &item, std::size_t depth) {
        const std::string_view key = keyOf(item);
        item.head = {0, 0};
        for (std::size_t i = depth; i < depth + 16 && i < key.size(); ++i)
            item.head[(i - depth) / 8] |= std::uint64_t((unsigned char)key[i])
                                          << (56 - 8 * ((i - depth) % 8));
    };
    std::vector<Item> items;
    items.reserve(count);
    prefault(items.data(), items.capacity() * sizeof(Item));
    for (auto it = begin; it != end; ++it)
        items.push_back({{0, 0}, std::uint32_t(items.size()), *it});

    struct Run
    {
        std::ptrdiff_t first, last;
        std::size_t depth;
    };
    std::vector<Run> runs{{0, std::ptrdiff_t(count), 0}};
    while (!runs.empty()) {
        const Run run = runs.back();
        runs.pop_back();
        const auto runEnd = items.begin() + run.last;
        for (auto it = items.begin() + run.first; it != runEnd; ++it)
            takeHead(*it, run.depth);
        std::sort(items.begin() + run.first, runEnd, [](const Item &a, const Item &b) {
            return a.head != b.head ? a.head < b.head : a.position < b.position;
        });
        for (auto first = items.begin() + run.first; first != runEnd;) {
            const auto last = std::find_if(first, runEnd, [first](const Item &item) {
                return item.head != first->head;
            });
            if (last - first > 1 && keyOf(*first).size() > run.depth + 16)
                runs.push_back({first - items.begin(), last - items.begin(), run.depth + 16});
            else if (last - first > 1) // equal keys
                std::stable_sort(first, last, [&](const Item &a, const Item &b) {
                    return entryLess(keyOf(a), a.entry, keyOf(b), b.entry, labelOf);
                });
            first = last;
        }
    }
    for (const Item &item : items)
        *begin++ = item.entry;
}

} // namespace

bool LabelListModel::comesBefore(const std::string &keyA, int a, const std::string &keyB,
                                 int b) const
{
    return entryLess(keyA, a, keyB, b, [this](int entry) { return labelOf(entry); });
}

// The first row from first to last that the entry comes before.
std::vector<int>::iterator LabelListModel::placeOf(int entry, std::vector<int>::iterator first,
                                                   std::vector<int>::iterator last) const
{
    const std::string key = keyOf(entry);
    return std::upper_bound(first, last, entry, [&](int value, int shown) {
        return comesBefore(key, value, keyOf(shown), shown);
    });
}

LabelListModel::Order
LabelListModel::sortedOrder(int count, const std::function<std::string_view(int)> &labelAt)
{
    Order order;
    order.rows.reserve(std::size_t(count) + 1);
    for (int entry = 0; entry < count; ++entry)
        order.rows.push_back(entry);
    sortEntries(order.rows.begin(), order.rows.end(), labelAt);
    return order;
}

void LabelListModel::reload()
{
    reload(sortedOrder(entryCount(), [this](int entry) { return entryLabel(entry); }));
}

void LabelListModel::reload(Order order)
{
    Q_ASSERT(int(order.rows.size()) == entryCount());
    beginResetModel();
    m_rows = std::move(order.rows);
    // After the labels equal to it, as if it came last.
    if (!m_extraRow.isEmpty())
        m_rows.insert(placeOf(-1, m_rows.begin(), m_rows.end()), -1);
    endResetModel();
}

void LabelListModel::entriesAppended(int first)
{
    const int count = entryCount();
    if (first >= count)
        return;
    const int oldRows = rowCount();
    beginInsertRows(QModelIndex(), oldRows, oldRows + count - first - 1);
    for (int entry = first; entry < count; ++entry)
        m_rows.push_back(entry);
    endInsertRows();

    // Appended at the end first, then moved to their places at once: inserting them one by
    // one would move the whole list once per entry.
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    std::vector<int> persistentEntries;
    for (const QModelIndex &index : persistent)
        persistentEntries.push_back(entryAt(index.row()));

    const auto oldEnd = m_rows.begin() + oldRows;
    sortEntries(oldEnd, m_rows.end(), [this](int entry) { return labelOf(entry); });
    std::vector<int> merged;
    merged.reserve(m_rows.size());
    auto from = m_rows.begin();
    if ((m_rows.end() - oldEnd) * 20 < oldRows) {
        // A few: each placed by a binary search.
        for (auto added = oldEnd; added != m_rows.end(); ++added) {
            const auto at = placeOf(*added, from, oldEnd);
            merged.insert(merged.end(), from, at);
            merged.push_back(*added);
            from = at;
        }
    } else {
        // Many (a long restore or import): one pass over both lists, each key made once.
        std::string fromKey = from != oldEnd ? keyOf(*from) : std::string();
        for (auto added = oldEnd; added != m_rows.end(); ++added) {
            const std::string addedKey = keyOf(*added);
            while (from != oldEnd && !comesBefore(addedKey, *added, fromKey, *from)) {
                merged.push_back(*from);
                if (++from != oldEnd)
                    fromKey = keyOf(*from);
            }
            merged.push_back(*added);
        }
    }
    merged.insert(merged.end(), from, oldEnd);
    m_rows.swap(merged);

    QModelIndexList moved;
    for (const int entry : persistentEntries)
        moved << index(int(std::find(m_rows.begin(), m_rows.end(), entry) - m_rows.begin()));
    changePersistentIndexList(persistent, moved);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void LabelListModel::removeEntry(int entry)
{
    const auto it = std::find(m_rows.begin(), m_rows.end(), entry);
    Q_ASSERT(it != m_rows.end());
    const int row = int(it - m_rows.begin());
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.erase(it);
    for (int &shown : m_rows)
        if (shown > entry)
            --shown;
    eraseEntry(entry);
    endRemoveRows();
}

int LabelListModel::lowerBound(const std::string &key) const
{
    const auto it = std::partition_point(m_rows.begin(), m_rows.end(), [&](int entry) {
        return keyOf(entry) < key;
    });
    return int(it - m_rows.begin());
}

template <typename Match> int LabelListModel::scan(Match match) const
{
    for (int row = 0; row < rowCount(); ++row)
        if (match(textAt(row)))
            return row;
    return -1;
}

int LabelListModel::findInRange(const std::string &lower, const std::string &bound,
                                const QString &text) const
{
    for (int row = lowerBound(lower);
         row < rowCount() && keyOf(entryAt(row)) < bound; ++row) {
        if (textAt(row).startsWith(text, Qt::CaseInsensitive))
            return row;
    }
    return -1;
}

int LabelListModel::findPrefix(const QString &text) const
{
    if (text.isEmpty())
        return -1;
    const auto startsWithText = [&text](const QString &item) {
        return item.startsWith(text, Qt::CaseInsensitive);
    };
    const std::optional<std::string> label = toCp1250(text);
    std::string stripped;
    if (label)
        std::copy_if(label->begin(), label->end(), std::back_inserter(stripped),
                     [](char byte) { return !LabelCollation::isWordMark(byte); });
    // Text that the labels' code page cannot hold, or only marks: the order says nothing.
    if (stripped.empty())
        return scan(startsWithText);

    // Labels beginning with the text sort from its key up to the bound of its weights, save
    // those where its last letter joins the next one ("c" + "h"), which sort as that letter.
    int found =
        findInRange(LabelCollation::sortKey(stripped), LabelCollation::prefixBound(stripped), text);
    for (const char next : LabelCollation::contractionsAfter(stripped.back())) {
        const std::string joined = stripped + next;
        const int row =
            findInRange(LabelCollation::sortKey(joined), LabelCollation::prefixBound(joined), text);
        if (row >= 0 && (found < 0 || row < found))
            found = row;
    }
    return found;
}

int LabelListModel::findExact(const QString &text) const
{
    const auto equalsText = [&text](const QString &item) {
        return item.compare(text, Qt::CaseInsensitive) == 0;
    };
    const std::optional<std::string> label = toCp1250(text);
    if (!label)
        return scan(equalsText);
    // Labels that differ only in case have the same key.
    const std::string key = LabelCollation::sortKey(*label);
    for (int row = lowerBound(key); row < rowCount() && key == keyOf(entryAt(row)); ++row)
        if (equalsText(textAt(row)))
            return row;
    return -1;
}
