#include "DataExchange.h"

#include "Cp1250.h"
#include "MessageBox.h"
#include "NumberText.h"
#include "SortedList.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>

#include <cmath>
#include <limits>

namespace {

QString numberPrompt()
{
    return QCoreApplication::translate("CDataExchange", "Zadejte číslo.");
}

QString unstorablePrompt(const QString &characters)
{
    return QCoreApplication::translate(
               "CDataExchange",
               "Tyto znaky nelze uložit: „%1“.\nOdstraňte je nebo je nahraďte jinými.")
        .arg(characters);
}

// toPlainText() turns no-break spaces into plain ones; code page 1250 keeps them, so the
// raw text is read and only the block separators become line feeds.
QString plainTextOf(const QTextDocument *document)
{
    QString text = document->toRawText();
    for (QChar &c : text) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case 0xfdd0: // beginning of frame
        case 0xfdd1: // end of frame
            c = u'\n';
            break;
        default:
            break;
        }
    }
    return text;
}

} // namespace

CDataExchange::CDataExchange(QWidget *dialog, bool saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_dialog(dialog)
{
}

void CDataExchange::fail(QWidget *field, const QString &message)
{
    m_failed = true;
    showMessageBox(m_dialog, message, applicationCaption(), MessageIcon::Exclamation);
    field->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        edit->selectAll();
}

void CDataExchange::text(QLineEdit *field, std::string &value)
{
    if (m_failed)
        return;
    if (!m_bSaveAndValidate) {
        field->setText(fromCp1250(value));
        return;
    }
    const QString typed = field->text();
    if (auto bytes = toCp1250(typed))
        value = std::move(*bytes);
    else
        fail(field, unstorablePrompt(charactersOutsideCp1250(typed)));
}

void CDataExchange::text(QPlainTextEdit *field, std::string &value)
{
    if (m_failed)
        return;
    if (m_bSaveAndValidate)
        saveStoredText(field, field->document(), value);
    else
        field->setPlainText(fromStoredText(value));
}

void CDataExchange::text(QTextEdit *field, std::string &value)
{
    if (m_failed)
        return;
    if (m_bSaveAndValidate)
        saveStoredText(field, field->document(), value);
    else
        field->setPlainText(fromStoredText(value));
}

void CDataExchange::saveStoredText(QWidget *field, const QTextDocument *document,
                                   std::string &value)
{
    const QString typed = plainTextOf(document);
    if (auto bytes = toStoredText(typed))
        value = std::move(*bytes);
    else
        fail(field, unstorablePrompt(charactersOutsideCp1250(typed)));
}

// strtod also reads "inf", "nan" and overflows to infinity; such a length would reach the
// drawing code as an unrepresentable coordinate, so it counts as no number at all.
std::optional<double> CDataExchange::typedNumber(QLineEdit *field, double limit)
{
    const auto parsed = parseDialogNumber(field->text().toStdString());
    if (parsed && std::isfinite(*parsed) && std::fabs(*parsed) <= limit)
        return parsed;
    fail(field, numberPrompt());
    return std::nullopt;
}

void CDataExchange::number(QLineEdit *field, float &value)
{
    if (m_failed)
        return;
    if (!m_bSaveAndValidate)
        field->setText(QString::fromStdString(formatFloat(value)));
    else if (const auto typed = typedNumber(field, std::numeric_limits<float>::max()))
        value = float(*typed);
}

void CDataExchange::number(QLineEdit *field, double &value)
{
    if (m_failed)
        return;
    if (!m_bSaveAndValidate)
        field->setText(QString::fromStdString(formatDouble(value)));
    else if (const auto typed = typedNumber(field, std::numeric_limits<double>::max()))
        value = *typed;
}

void CDataExchange::selectedText(QComboBox *list, std::string &value)
{
    if (m_failed)
        return;
    if (!m_bSaveAndValidate) {
        const int index = findStringExactCase(list, fromCp1250(value));
        if (index >= 0)
            list->setCurrentIndex(index);
        return;
    }
    // The items came from stored labels, so they always convert back.
    value = toCp1250(list->currentText()).value_or(std::string());
}
