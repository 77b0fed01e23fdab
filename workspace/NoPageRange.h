#pragma once

#include <QObject>

class QDialog;

// One envelope is one page, so no print dialog offers a page range. Qt's dialog on Unix
// shows a range for the print server even when the program asks for none; this hides it
// each time a watched print dialog appears, also the one a print preview opens from its
// Print button.
class NoPageRange : public QObject
{
    Q_OBJECT
public:
    // dialog: a QPrintDialog, or a QPrintPreviewDialog whose print dialogs are to be watched.
    static void applyTo(QDialog *dialog);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
