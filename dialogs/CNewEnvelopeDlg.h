#pragma once

#include "RecordArray.h"

#include <QDialog>

#include <string>

class QComboBox;

class CNewEnvelopeDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CNewEnvelopeDlg(QWidget *parent = nullptr);

    std::string m_label;
    float m_height = 12.0f;
    float m_width = 16.0f;
    float m_addresseeTop = 0.0f;
    float m_addresseeLeft = 0.0f;
    float m_senderLeft = 1.0f;
    float m_senderTop = 1.0f;
    const EnvelopeFormatArray *m_pEnvelopes = nullptr;
};
