#pragma once

#include <QCoreApplication>
#include <QString>

class QDialog;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The controls the new and the edit address dialog share, laid out and chained in their
// tab order; only the label field, its place in the chain and the OK button's text differ.
class AddressFields
{
    Q_DECLARE_TR_FUNCTIONS(AddressFields)

public:
    enum class LabelPlace
    {
        BeforeText,
        AfterText
    };

    AddressFields(QDialog *dialog, const QString &okText, QWidget *labelField,
                  LabelPlace labelPlace);

    QPushButton *m_ok;
    QPushButton *m_cancel;
    QPlainTextEdit *m_text;
};
