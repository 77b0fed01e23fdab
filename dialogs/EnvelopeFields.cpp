#include "EnvelopeFields.h"

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

QLineEdit *numberField(QDialog *dialog, const char *id)
{
    auto *field = new QLineEdit(dialog);
    field->setObjectName(QLatin1String(id));
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 10);
    return field;
}

QPushButton *button(QDialog *dialog, const char *id, const QString &text)
{
    auto *pushButton = new QPushButton(text, dialog);
    pushButton->setObjectName(QLatin1String(id));
    return pushButton;
}

// A group of two fields under their captions, with an optional button above them.
QGroupBox *fieldGroup(QDialog *dialog, const QString &title, QPushButton *compute,
                      const QString &firstCaption, QLineEdit *first, const QString &secondCaption,
                      QLineEdit *second)
{
    auto *group = new QGroupBox(title, dialog);
    auto *grid = new QGridLayout(group);
    int row = 0;
    if (compute)
        grid->addWidget(compute, row++, 0);
    grid->addWidget(new QLabel(firstCaption, group), row, 0);
    grid->addWidget(new QLabel(secondCaption, group), row++, 1);
    grid->addWidget(first, row, 0);
    grid->addWidget(second, row, 1);
    grid->setRowStretch(row + 1, 1);
    return group;
}

} // namespace

EnvelopeFields::EnvelopeFields(QDialog *dialog, const QString &okText, QWidget *labelField,
                               LabelPlace labelPlace)
    : m_ok(button(dialog, "1", okText)), m_cancel(button(dialog, "2", tr("Cancel"))),
      m_width(numberField(dialog, "1000")), m_height(numberField(dialog, "1001")),
      m_senderLeft(numberField(dialog, "1002")), m_senderTop(numberField(dialog, "1003")),
      m_addresseeLeft(numberField(dialog, "1005")), m_addresseeTop(numberField(dialog, "1006")),
      m_computeAddressee(button(dialog, "1012", tr("Spočítat"))),
      m_computeSender(button(dialog, "1013", tr("Spočítat")))
{
    const QString left = tr("Levá strana:");
    const QString top = tr("Horní strana:");
    QGroupBox *size = fieldGroup(dialog, tr("Velikost obálky (cm)"), nullptr, tr("Šířka:"), m_width,
                                 tr("Výška:"), m_height);
    QGroupBox *sender = fieldGroup(dialog, tr("Umístění adresy odesílatele (cm)"), m_computeSender,
                                   left, m_senderLeft, top, m_senderTop);
    QGroupBox *addressee =
        fieldGroup(dialog, tr("Umístění adresy adresáta (cm)"), m_computeAddressee, left,
                   m_addresseeLeft, top, m_addresseeTop);

    auto *labelColumn = new QVBoxLayout;
    labelColumn->addWidget(new QLabel(tr("Označení obálky"), dialog));
    labelColumn->addWidget(labelField);
    labelColumn->addStretch();

    auto *grid = new QGridLayout;
    grid->addWidget(size, 0, 0);
    grid->addLayout(labelColumn, 0, 1);
    grid->addWidget(sender, 1, 0);
    grid->addWidget(addressee, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(dialog);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget *chain[] = {m_ok,         m_cancel,           m_width,         m_height,
                        m_senderLeft, m_senderTop,        m_addresseeLeft, m_addresseeTop,
                        labelField,   m_computeAddressee, m_computeSender};
    if (labelPlace == LabelPlace::Last)
        std::rotate(std::begin(chain) + 8, std::begin(chain) + 9, std::end(chain));
    for (std::size_t i = 1; i < std::size(chain); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    m_ok->setFocus();
    QObject::connect(m_cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}

float suggestedAddressPosition(float size, float offset)
{
    const double five = 5.0f;
    const double half = 0.5f;
    const double tenth = 0.1f;
    return float((five * size + (five * size - offset) * half) * tenth);
}
