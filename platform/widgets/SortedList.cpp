#include "SortedList.h"

#include "Cp1250.h"
#include "LabelCollation.h"
#include "LabelListModel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>
#include <QStringListModel>

#include <algorithm>
#include <vector>

namespace {

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

const LabelListModel *labelList(const QComboBox *combo)
{
    return qobject_cast<const LabelListModel *>(combo->model());
}

} // namespace

bool labelLess(const QString &a, const QString &b)
{
    return LabelCollation::compare(a, b) < 0;
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
        std::string key;
        QString text;
        bool isCurrent;
    };
    const QStringList existing = itemTexts(combo);
    std::vector<Entry> entries;
    entries.reserve(existing.size() + texts.size());
    // Labels are code page 1250 text, which the keys are made for.
    const auto entry = [](const QString &text, bool isCurrent) {
        return Entry{LabelCollation::sortKey(toCp1250(text).value_or(std::string())), text,
                     isCurrent};
    };
    for (int i = 0; i < existing.size(); ++i)
        entries.push_back(entry(existing[i], i == current));
    for (const QString &text : texts)
        entries.push_back(entry(text, false));
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (const int order = a.key.compare(b.key))
            return order < 0;
        return LabelCollation::compareTies(a.text, b.text) < 0;
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
    if (const LabelListModel *list = labelList(combo))
        return list->findPrefix(text);
    return findFirst(
        combo, [&text](const QString &item) { return item.startsWith(text, Qt::CaseInsensitive); });
}

int findStringExact(const QComboBox *combo, const QString &text)
{
    if (const LabelListModel *list = labelList(combo))
        return list->findExact(text);
    return findFirst(combo, [&text](const QString &item) {
        return item.compare(text, Qt::CaseInsensitive) == 0;
    });
}

int findStringExactCase(const QComboBox *combo, const QString &text)
{
    const int exact = findFirst(combo, [&text](const QString &item) { return item == text; });
    return exact >= 0 ? exact : findStringExact(combo, text);
}
