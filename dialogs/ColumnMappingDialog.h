#pragma once

#include "AddressColumns.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// What each column of an imported CSV holds, when its header does not say it all: one choice
// per column, whether the first row names the columns, and the first five envelopes as they
// will print with that choice. OK needs a column that holds a place.
class ColumnMappingDialog : public QDialog
{
    Q_OBJECT
public:
    // firstRows: the file's first rows; layout: the columns as recognised or chosen before.
    ColumnMappingDialog(std::vector<QStringList> firstRows, ColumnLayout layout,
                        QWidget *parent = nullptr);

    ColumnChoice choice() const;

private:
    void updatePreview();

    std::vector<QStringList> m_rows;
    ColumnLayout m_layout;
    QCheckBox *m_header;
    std::vector<QComboBox *> m_fields; // per column; none for a column saying which address
    std::vector<QLabel *> m_envelopes;
    QPushButton *m_ok;
};
