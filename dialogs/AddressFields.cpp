#include "AddressFields.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

AddressFields::AddressFields(QDialog *dialog, const QString &okText, QWidget *labelField,
                             LabelPlace labelPlace)
    : m_ok(new QPushButton(okText, dialog)), m_cancel(new QPushButton(tr("Cancel"), dialog)),
      m_text(new QPlainTextEdit(dialog))
{
    m_ok->setObjectName(QStringLiteral("1"));
    m_cancel->setObjectName(QStringLiteral("2"));
    m_text->setObjectName(QStringLiteral("1014"));
    // Return adds a line here; Tab still moves on, as in any dialog field.
    m_text->setTabChangesFocus(true);
    m_text->setMinimumSize(m_text->fontMetrics().averageCharWidth() * 36,
                           m_text->fontMetrics().lineSpacing() * 6);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addStretch();
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(new QLabel(tr("Označení adresy:"), dialog));
    layout->addWidget(labelField);
    layout->addWidget(new QLabel(tr("Adresa:"), dialog));
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);

    QWidget::setTabOrder(m_ok, m_cancel);
    if (labelPlace == LabelPlace::BeforeText) {
        QWidget::setTabOrder(m_cancel, labelField);
        QWidget::setTabOrder(labelField, m_text);
    } else {
        QWidget::setTabOrder(m_cancel, m_text);
        QWidget::setTabOrder(m_text, labelField);
    }
    m_ok->setFocus();
    QObject::connect(m_cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}
