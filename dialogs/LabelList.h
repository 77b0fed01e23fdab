#pragma once

#include "Cp1250.h"
#include "SortedList.h"

#include <QComboBox>
#include <QStringList>

// A drop-down list of labels: sorted, no typing, as wide as a usual label whatever the
// longest one is.
QComboBox *createLabelList(QWidget *parent, const char *id);

// Adds the labels in collection order (the list sorts them) and selects the first one in
// sorted order.
template <typename Array> void fillLabelList(QComboBox *list, const Array &entries)
{
    QStringList labels;
    labels.reserve(entries.GetSize());
    for (int i = 0; i < entries.GetSize(); ++i)
        labels << fromCp1250(entries.ElementAt(i).label);
    addSortedItems(list, labels);
    list->setCurrentIndex(list->count() > 0 ? 0 : -1);
}
