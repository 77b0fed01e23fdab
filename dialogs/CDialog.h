#pragma once

#include <QDialog>

class CDataExchange;
class QPushButton;

// A modal dialog whose set-up runs when it is first shown, after its owner has filled in
// the pointers and flags it works on, and whose default button goes through OnOK.
class CDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CDialog(QWidget *parent = nullptr);

    // The dialog's fields in their exchange order.
    virtual void DoDataExchange(CDataExchange &dx) = 0;

protected:
    // By default only fills the controls from the members.
    virtual void OnInitDialog();
    virtual void OnOK();

    void connectOk(QPushButton *button);

    void showEvent(QShowEvent *event) override;

private:
    bool m_initialized = false;
};
