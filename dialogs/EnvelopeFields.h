#pragma once

#include <QCoreApplication>
#include <QString>

class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

// The controls the new and the edit envelope-format dialog share, laid out and chained in
// their tab order; only the label field and the OK button's text differ.
class EnvelopeFields
{
    Q_DECLARE_TR_FUNCTIONS(EnvelopeFields)

public:
    enum class LabelPlace
    {
        BeforeComputeButtons,
        Last
    };

    EnvelopeFields(QDialog *dialog, const QString &okText, QWidget *labelField,
                   LabelPlace labelPlace);

    QPushButton *m_ok;
    QPushButton *m_cancel;
    QLineEdit *m_width;
    QLineEdit *m_height;
    QLineEdit *m_senderLeft;
    QLineEdit *m_senderTop;
    QLineEdit *m_addresseeLeft;
    QLineEdit *m_addresseeTop;
    QPushButton *m_computeAddressee;
    QPushButton *m_computeSender;
};

// "Spočítat": where the addressee's text starts along a side of the given size. The
// constants are single precision and the sum runs in double precision, so the float
// stored matches the one the program has always stored (0.1f is not 0.1).
float suggestedAddressPosition(float size, float offset);
