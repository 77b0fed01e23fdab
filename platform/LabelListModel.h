#pragma once

#include <QAbstractListModel>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The labels of one collection as a sorted list for the selection combos, without a second
// copy of them: rows are a sorted index into the collection (LabelCollation order, equal
// labels in order of arrival), plus an optional extra row ("<Žádný>") at its sorted place.
// Searches go from the top and ignore case, as the combo boxes' own searches do, and take a
// binary search on collation keys made as they go.
class LabelListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    QString textAt(int row) const;
    // The collection index shown at row; -1 for the extra row.
    int entryAt(int row) const;
    // The collection's indexes in the list's order, the extra row left out.
    std::vector<int> entryOrder() const;

    // CB_FINDSTRING from the top: the first row beginning with text; -1 if none or empty.
    int findPrefix(const QString &text) const;
    // CB_FINDSTRINGEXACT from the top: the first row equal to text; -1 if none.
    int findExact(const QString &text) const;

    // The order of a collection's labels (the extra row left out): prepared apart from any
    // model, on another thread if need be, and handed to reload.
    struct Order
    {
        std::vector<int> rows;
    };
    static Order sortedOrder(int count, const std::function<std::string_view(int)> &labelAt);

    // The collection was filled anew.
    void reload();
    // The same, with its order prepared already.
    void reload(Order order);
    // Entries from first to the end were appended: each takes its sorted place after the
    // labels equal to it; the rows shown before keep their persistent indexes.
    void entriesAppended(int first);
    // Removes the entry from the collection together with its row.
    void removeEntry(int entry);

protected:
    explicit LabelListModel(const QString &extraRow, QObject *parent = nullptr);

    virtual int entryCount() const = 0;
    virtual std::string_view entryLabel(int entry) const = 0;
    virtual void eraseEntry(int entry) = 0;

private:
    std::string_view labelOf(int entry) const;
    std::string keyOf(int entry) const;
    // Entry a (with its key) comes before entry b in the order.
    bool comesBefore(const std::string &keyA, int a, const std::string &keyB, int b) const;
    std::vector<int>::iterator placeOf(int entry, std::vector<int>::iterator first,
                                       std::vector<int>::iterator last) const;
    // The first row from lower on whose label begins with text, while keys stay below bound.
    int findInRange(const std::string &lower, const std::string &bound, const QString &text) const;
    int lowerBound(const std::string &key) const;
    template <typename Match> int scan(Match match) const;

    QString m_extraRow;
    std::string m_extraLabel;
    std::string m_extraKey;
    std::vector<int> m_rows;
};
