#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

// The sorted list boxes of the program, in LabelCollation order, with searches from the top
// without regard to case. makeSortedList gives a combo box the model these functions expect;
// a combo box showing a LabelListModel is searched through that model's keys.
void makeSortedList(QComboBox *combo);

bool labelLess(const QString &a, const QString &b);

// CB_ADDSTRING: inserts at its sorted place (after equal items), returns the index.
int addSortedItem(QComboBox *combo, const QString &text);
// Many items at once, for filling a list of any length quickly; keeps the current item and
// the edit text, and emits no change signal of the combo box.
void addSortedItems(QComboBox *combo, const QStringList &texts);

// CB_FINDSTRING from the top: first item beginning with text, ignoring case; -1 if none
// or if text is empty.
int findStringPrefix(const QComboBox *combo, const QString &text);
// CB_FINDSTRINGEXACT from the top: first item equal to text, ignoring case; -1 if none.
int findStringExact(const QComboBox *combo, const QString &text);
// The item equal to text byte for byte if there is one, else findStringExact.
int findStringExactCase(const QComboBox *combo, const QString &text);
