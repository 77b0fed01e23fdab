#pragma once

#include "Texts.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <cstdlib>

// Controls are found by their numeric ids.
template <typename Control> Control *control(const QWidget &dialog, const char *id)
{
    return dialog.findChild<Control *>(QLatin1String(id));
}

inline void click(const QWidget &dialog, const char *id)
{
    QPushButton *button = control<QPushButton>(dialog, id);
    Q_ASSERT(button);
    button->click();
}

// Picks a list item the way the keyboard does, which reports a selection change.
inline void choose(QComboBox *list, int index)
{
    const int steps = index - list->currentIndex();
    for (int i = 0; i < std::abs(steps); ++i)
        QTest::keyClick(list, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
}
