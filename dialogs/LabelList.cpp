#include "LabelList.h"

QComboBox *createLabelList(QWidget *parent, const char *id)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QLatin1String(id));
    list->setMinimumContentsLength(24);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    makeSortedList(list);
    return list;
}
