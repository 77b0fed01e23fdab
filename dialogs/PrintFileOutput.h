#pragma once

#include "SafeFile.h"

#include <QString>

#include <optional>

class QPrinter;
class QWidget;

// "Print to file" of the print dialog: the printer writes to a new hidden file beside the
// chosen one, which replaces it only when the PDF is whole, so a full disk or a size limit
// leaves the older file as it was. The printer gets the chosen name back afterwards, for
// its dialog. A printer that prints on paper is left as it is.
class PrintFileOutput
{
public:
    explicit PrintFileOutput(QPrinter &printer);
    ~PrintFileOutput();
    PrintFileOutput(const PrintFileOutput &) = delete;
    PrintFileOutput &operator=(const PrintFileOutput &) = delete;

    // False when the hidden file could not be made: nothing may be printed then, or the
    // printer would write to the chosen file itself.
    bool ready() const { return !m_file || m_file->isOpen(); }
    // After the painter has ended (or when not ready): puts the file in place, or tells the
    // user in a message box owned by owner why it could not be made whole.
    void commit(QWidget *owner);

private:
    QPrinter &m_printer;
    QString m_target;
    std::optional<PendingFile> m_file;
};
