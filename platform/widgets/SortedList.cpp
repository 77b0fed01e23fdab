#include "SortedList.h"

#include <QCollator>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>
#include <QStringListModel>

#include <algorithm>
#include <vector>

namespace {
const QCollator &labelCollator()
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Czech, QLocale::Czechia));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

// Reads the items without a QVariant per row where the list has its own model.
QStringList itemTexts(const QComboBox *combo)
{
    if (const auto *model = qobject_cast<const QStringListModel *>(combo->model()))
        return model->stringList();
    QStringList texts;
    texts.reserve(combo->count());
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

template <typename Match> int findFirst(const QComboBox *combo, Match match)
{
    const QStringList texts = itemTexts(combo);
    const auto it = std::find_if(texts.cbegin(), texts.cend(), match);
    return it == texts.cend() ? -1 : int(it - texts.cbegin());
}

// Windows' word sort lets hyphens and apostrophes weigh almost nothing ("co-op" stays beside
// "coop"): they are left out of the main comparison and only break a tie, after their
// absence.
QString withoutWordMarks(const QString &text)
{
    QString stripped = text;
    stripped.remove(QLatin1Char('-'));
    stripped.remove(QLatin1Char('\''));
    return stripped;
}

int compareLabels(const QString &a, const QString &b)
{
    const QCollator &collator = labelCollator();
    if (const int order = collator.compare(withoutWordMarks(a), withoutWordMarks(b)))
        return order;
    const qsizetype marksA = a.count(QLatin1Char('-')) + a.count(QLatin1Char('\''));
    const qsizetype marksB = b.count(QLatin1Char('-')) + b.count(QLatin1Char('\''));
    if (marksA != marksB)
        return marksA < marksB ? -1 : 1;
    return collator.compare(a, b);
}

} // namespace

bool labelLess(const QString &a, const QString &b)
{
    return compareLabels(a, b) < 0;
}

void makeSortedList(QComboBox *combo)
{
    combo->setModel(new QStringListModel(combo));
    // Long lists stay fast when the pop-up need not measure every row.
    if (auto *view = qobject_cast<QListView *>(combo->view()))
        view->setUniformItemSizes(true);
}

int addSortedItem(QComboBox *combo, const QString &text)
{
    const QStringList texts = itemTexts(combo);
    const auto it = std::upper_bound(texts.cbegin(), texts.cend(), text, labelLess);
    const int index = int(it - texts.cbegin());
    if (combo->currentIndex() >= 0) {
        combo->insertItem(index, text);
        return index;
    }
    // A list without a selection keeps none; QComboBox would select the first item that
    // arrives in an empty list, and say so.
    const QSignalBlocker blocker(combo);
    const QString editText = combo->currentText();
    combo->insertItem(index, text);
    combo->setCurrentIndex(-1);
    if (combo->isEditable())
        combo->setEditText(editText);
    return index;
}

void addSortedItems(QComboBox *combo, const QStringList &texts)
{
    if (texts.isEmpty())
        return;
    const int current = combo->currentIndex();
    const QString editText = combo->isEditable() ? combo->lineEdit()->text() : QString();

    struct Entry
    {
        QCollatorSortKey key;
        QCollatorSortKey tieKey; // the whole text, marks included
        qsizetype marks;
        QString text;
        bool isCurrent;
    };
    const QStringList existing = itemTexts(combo);
    std::vector<Entry> entries;
    entries.reserve(existing.size() + texts.size());
    const QCollator &collator = labelCollator();
    const auto entry = [&collator](const QString &text, bool isCurrent) {
        const QString stripped = withoutWordMarks(text);
        return Entry{collator.sortKey(stripped), collator.sortKey(text),
                     text.size() - stripped.size(), text, isCurrent};
    };
    for (int i = 0; i < existing.size(); ++i)
        entries.push_back(entry(existing[i], i == current));
    for (const QString &text : texts)
        entries.push_back(entry(text, false));
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (const int order = a.key.compare(b.key))
            return order < 0;
        if (a.marks != b.marks)
            return a.marks < b.marks;
        return a.tieKey.compare(b.tieKey) < 0;
    });

    QStringList sorted;
    sorted.reserve(qsizetype(entries.size()));
    int newCurrent = -1;
    for (const Entry &entry : entries) {
        if (entry.isCurrent)
            newCurrent = int(sorted.size());
        sorted << entry.text;
    }

    const QSignalBlocker blocker(combo);
    if (auto *model = qobject_cast<QStringListModel *>(combo->model())) {
        model->setStringList(sorted);
    } else {
        combo->clear();
        combo->addItems(sorted);
    }
    combo->setCurrentIndex(newCurrent);
    if (combo->isEditable())
        combo->lineEdit()->setText(editText);
}

int findStringPrefix(const QComboBox *combo, const QString &text)
{
    if (text.isEmpty())
        return -1;
    return findFirst(
        combo, [&text](const QString &item) { return item.startsWith(text, Qt::CaseInsensitive); });
}

int findStringExact(const QComboBox *combo, const QString &text)
{
    return findFirst(combo, [&text](const QString &item) {
        return item.compare(text, Qt::CaseInsensitive) == 0;
    });
}

int findStringExactCase(const QComboBox *combo, const QString &text)
{
    const int exact = findFirst(combo, [&text](const QString &item) { return item == text; });
    return exact >= 0 ? exact : findStringExact(combo, text);
}
