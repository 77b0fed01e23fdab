#pragma once

#include <QComboBox>
#include <QLineEdit>

#include <optional>

class LabelListModel;

// The edit field inside an editable CAutoComboBox: Enter posts WM_COMBO_ENTER to the combo.
class CComboEnterEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit CComboEnterEdit(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// A sorted selection list. Editable ones complete typed text from the list (the text last
// seen is shared by all of them) and forward Enter to their parent as WM_COMBO_ENTER with
// themselves as the control. A non-editable one (the scale list) is unsorted and posts
// nothing.
class CAutoComboBox : public QComboBox
{
    Q_OBJECT
public:
    enum class Kind
    {
        SortedEditable,
        DropDownList
    };
    explicit CAutoComboBox(Kind kind, QWidget *parent = nullptr);

    void OnEditChange(const QString &text);
    // The list shown by the editable kind: one collection's labels.
    void setLabelModel(LabelListModel *model);

protected:
    bool event(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void OnEditEnter();
    void keepNoSelectionBegin();
    void keepNoSelectionEnd();

    CComboEnterEdit *m_enterEdit = nullptr;
    std::optional<QString> m_textWithoutSelection;
    bool m_signalsWereBlocked = false;
    static QString s_lastSeenText;
};
