#include "ColumnMappingDialog.h"

#include "AddressFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int kPreviewCount = 5;

QScrollArea *scrolled(QWidget *content, QWidget *parent)
{
    auto *area = new QScrollArea(parent);
    area->setWidget(content);
    area->setWidgetResizable(true);
    return area;
}

} // namespace

ColumnMappingDialog::ColumnMappingDialog(std::vector<QStringList> firstRows, ColumnLayout layout,
                                         QWidget *parent)
    : QDialog(parent), m_rows(std::move(firstRows)), m_layout(std::move(layout))
{
    setWindowTitle(tr("Sloupce importovaného souboru"));
    auto *intro = new QLabel(tr("Určete, co obsahuje který sloupec souboru. Náhled ukazuje "
                                "prvních pět obálek tak, jak se vytisknou."),
                             this);
    intro->setWordWrap(true);
    m_header = new QCheckBox(tr("&První řádek obsahuje názvy sloupců"), this);
    m_header->setObjectName(QStringLiteral("header"));
    m_header->setChecked(m_layout.hasHeader);

    auto *columns = new QWidget;
    auto *grid = new QGridLayout(columns);
    grid->addWidget(new QLabel(tr("Sloupec"), columns), 0, 0);
    grid->addWidget(new QLabel(tr("Obsah"), columns), 0, 1);
    grid->addWidget(new QLabel(tr("Ukázka"), columns), 0, 2);
    const QStringList &first = m_rows.front();
    for (std::size_t i = 0; i < m_layout.columns.size(); ++i) {
        if (m_layout.columns[i].field == AddressField::AddressKind) {
            m_fields.push_back(nullptr);
            continue;
        }
        const int row = grid->rowCount();
        const std::size_t sampleRow = m_layout.hasHeader ? 1 : 0;
        const QString sample =
            m_rows.size() > sampleRow ? m_rows[sampleRow].value(qsizetype(i)) : QString();
        auto *name = new QLabel(tr("%1. %2").arg(i + 1).arg(first.value(qsizetype(i))), columns);
        auto *field = new QComboBox(columns);
        field->setObjectName(QStringLiteral("column%1").arg(i + 1));
        for (int f = 0; f < kChosenFieldCount; ++f)
            field->addItem(addressFieldName(AddressField(f)));
        field->setCurrentIndex(int(m_layout.columns[i].field));
        name->setBuddy(field);
        grid->addWidget(name, row, 0);
        grid->addWidget(field, row, 1);
        auto *example = new QLabel(sample.section(QLatin1Char('\n'), 0, 0), columns);
        example->setTextFormat(Qt::PlainText);
        grid->addWidget(example, row, 2);
        connect(field, &QComboBox::currentIndexChanged, this, &ColumnMappingDialog::updatePreview);
        m_fields.push_back(field);
    }
    grid->setRowStretch(grid->rowCount(), 1);

    auto *preview = new QWidget;
    auto *envelopes = new QHBoxLayout(preview);
    for (int i = 0; i < kPreviewCount; ++i) {
        auto *envelope = new QLabel(preview);
        envelope->setObjectName(QStringLiteral("envelope%1").arg(i + 1));
        envelope->setFrameShape(QFrame::Box);
        envelope->setTextFormat(Qt::PlainText);
        envelope->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        envelope->setMargin(8);
        envelope->setMinimumWidth(160);
        envelopes->addWidget(envelope);
        m_envelopes.push_back(envelope);
    }
    envelopes->addStretch();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Zrušit"));
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_header, &QCheckBox::toggled, this, &ColumnMappingDialog::updatePreview);

    auto *main = new QVBoxLayout(this);
    main->addWidget(intro);
    main->addWidget(m_header);
    main->addWidget(scrolled(columns, this), 2);
    main->addWidget(new QLabel(tr("Náhled obálek:"), this));
    QScrollArea *previewArea = scrolled(preview, this);
    previewArea->setMinimumHeight(170);
    main->addWidget(previewArea, 1);
    main->addWidget(buttons);
    resize(720, 560);
    updatePreview();
}

ColumnChoice ColumnMappingDialog::choice() const
{
    ColumnChoice chosen{m_layout.fields(), m_header->isChecked()};
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i])
            chosen.fields[i] = AddressField(m_fields[i]->currentIndex());
    }
    return chosen;
}

void ColumnMappingDialog::updatePreview()
{
    const ColumnChoice chosen = choice();
    ColumnLayout layout = m_layout;
    layout.choose(chosen.fields, chosen.hasHeader);
    const QStringList texts = previewTexts(m_rows, layout, kPreviewCount);
    for (std::size_t i = 0; i < m_envelopes.size(); ++i) {
        m_envelopes[i]->setText(texts.value(qsizetype(i)));
        m_envelopes[i]->setVisible(qsizetype(i) < texts.size());
    }
    m_ok->setEnabled(layout.hasPlace());
    m_ok->setToolTip(layout.hasPlace() ? QString() : tr("Žádný sloupec nyní neobsahuje adresu."));
}
