#pragma once

#include <QString>

#include <optional>
#include <string>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTextDocument;
class QTextEdit;
class QWidget;

// Dialog data exchange: one object per UpdateData call, handed to the dialog's
// DoDataExchange, which exchanges its fields in order. In the save direction a field that
// does not parse (or holds a character code page 1250 cannot store) shows a message, gets
// the focus and stops the exchange: later fields are then left alone.
class CDataExchange
{
public:
    CDataExchange(QWidget *dialog, bool saveAndValidate);

    const bool m_bSaveAndValidate;
    bool failed() const { return m_failed; }

    void text(QLineEdit *field, std::string &value);
    void text(QPlainTextEdit *field, std::string &value); // CR LF in value, \n in the field
    void text(QTextEdit *field, std::string &value);      // plain text, as above
    void number(QLineEdit *field, float &value);          // "%.6g"
    void number(QLineEdit *field, double &value);         // "%.15g"
    // A drop-down list's selected text; loading selects the item equal to value, exactly
    // first, then ignoring case.
    void selectedText(QComboBox *list, std::string &value);

private:
    void fail(QWidget *field, const QString &message);
    void saveStoredText(QWidget *field, const QTextDocument *document, std::string &value);
    // The field's number when it parses and lies within +-limit; else the exchange fails.
    std::optional<double> typedNumber(QLineEdit *field, double limit);

    QWidget *m_dialog;
    bool m_failed = false;
};

// Runs a dialog's exchange in one direction; false when a field failed.
template <typename Dialog> bool UpdateData(Dialog &dialog, bool saveAndValidate = true)
{
    CDataExchange dx(&dialog, saveAndValidate);
    dialog.DoDataExchange(dx);
    return !dx.failed();
}
