#pragma once

#include "RecordArray.h"

#include <QDialog>

#include <string>

class QComboBox;

class CEditEnvelopeDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CEditEnvelopeDlg(QWidget *parent = nullptr);

    EnvelopeFormatArray *m_pEnvelopes = nullptr;
};
