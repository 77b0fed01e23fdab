#include "CAutoComboBox.h"

#include "PostedEvents.h"
#include "SortedList.h"

#include "LabelListModel.h"

#include <QKeyEvent>
#include <QWheelEvent>

CComboEnterEdit::CComboEnterEdit(QWidget *parent) : QLineEdit(parent) {}

void CComboEnterEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (parentWidget())
            postControlEvent(parentWidget(), WM_COMBO_ENTER, nullptr);
        // Enter belongs to the parent, which applies the text when the notice arrives; it
        // must not also reach a default button.
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

QString CAutoComboBox::s_lastSeenText;

CAutoComboBox::CAutoComboBox(Kind kind, QWidget *parent) : QComboBox(parent)
{
    if (kind == Kind::DropDownList)
        return;
    makeSortedList(this);
    // Long lists: neither the combo box nor its pop-up measures every item.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_enterEdit = new CComboEnterEdit(this);
    setLineEdit(m_enterEdit);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // QComboBox would pick the matching item itself on Enter and when the field loses the
    // focus; here only the list and Enter (through the parent) choose an entry.
    disconnect(m_enterEdit, &QLineEdit::editingFinished, this, nullptr);
    disconnect(m_enterEdit, &QLineEdit::returnPressed, this, nullptr);
    connect(m_enterEdit, &QLineEdit::textEdited, this, &CAutoComboBox::OnEditChange);
}

void CAutoComboBox::setLabelModel(LabelListModel *model)
{
    setModel(model);
    connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this,
            &CAutoComboBox::keepNoSelectionBegin);
    connect(model, &QAbstractItemModel::rowsInserted, this, &CAutoComboBox::keepNoSelectionEnd);
}

// QComboBox selects the first item that arrives in an empty list, and says so; a sorted
// list without a selection keeps none, and its edit text.
void CAutoComboBox::keepNoSelectionBegin()
{
    if (currentIndex() >= 0)
        return;
    m_textWithoutSelection = currentText();
    m_signalsWereBlocked = blockSignals(true);
}

void CAutoComboBox::keepNoSelectionEnd()
{
    if (!m_textWithoutSelection)
        return;
    setCurrentIndex(-1);
    setEditText(*std::exchange(m_textWithoutSelection, std::nullopt));
    blockSignals(m_signalsWereBlocked);
}

void CAutoComboBox::OnEditChange(const QString &text)
{
    // After Backspace removed a completed tail the text is the one seen before, so it is
    // left as the user made it.
    if (text == s_lastSeenText)
        return;
    s_lastSeenText = text;

    const int index = findStringPrefix(this, text);
    if (index < 0)
        return;
    const QString found = itemText(index);
    lineEdit()->setText(found);
    lineEdit()->setSelection(int(text.size()), int(found.size() - text.size()));
}

bool CAutoComboBox::event(QEvent *event)
{
    if (event->type() == WM_COMBO_ENTER) {
        OnEditEnter();
        return true;
    }
    return QComboBox::event(event);
}

void CAutoComboBox::wheelEvent(QWheelEvent *event)
{
    // Only the combo box with the keyboard focus turns its selection: scrolling over another
    // one must not apply an entry and replace the text typed into a box.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

void CAutoComboBox::OnEditEnter()
{
    if (parentWidget())
        postControlEvent(parentWidget(), WM_COMBO_ENTER, this);
}
