#include "PrintFileOutput.h"

#include "FileError.h"
#include "MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>

#include <cerrno>

namespace {

// A PDF ends with the offset of its cross-reference table, which must be where it says: a
// file cut short lacks the end, and one with a write lost in the middle has it elsewhere.
bool isWholePdf(const QByteArray &path)
{
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::ReadOnly) || file.size() < 32)
        return false;
    file.seek(file.size() - 32);
    const QByteArray tail = file.read(32);
    const qsizetype start = tail.lastIndexOf("startxref");
    if (start < 0 || !tail.trimmed().endsWith("%%EOF"))
        return false;
    bool number = false;
    const qint64 offset = tail.mid(start + 9).split('%').front().trimmed().toLongLong(&number);
    return number && offset >= 0 && offset < file.size() && file.seek(offset) &&
           file.read(4) == "xref";
}

} // namespace

PrintFileOutput::PrintFileOutput(QPrinter &printer)
    : m_printer(printer), m_target(printer.outputFileName())
{
    if (printer.outputFormat() != QPrinter::PdfFormat || m_target.isEmpty())
        return;
    m_file.emplace(QFile::encodeName(m_target));
    if (m_file->isOpen())
        printer.setOutputFileName(QFile::decodeName(m_file->path()));
}

PrintFileOutput::~PrintFileOutput()
{
    if (m_file)
        m_printer.setOutputFileName(m_target);
}

void PrintFileOutput::commit(QWidget *owner)
{
    if (!m_file)
        return;
    QString why;
    if (m_file->isOpen() && !isWholePdf(m_file->path()))
        why = fileErrorText(EIO);
    else if (m_file->commit())
        return;
    else
        why = m_file->errorText();
    showMessageBox(owner,
                   QCoreApplication::translate("PrintFileOutput",
                                               "Soubor „%1“ se nepodařilo zapsat celý: %2 "
                                               "Předchozí obsah souboru zůstal beze změny.")
                       .arg(QDir::toNativeSeparators(m_target), why),
                   QCoreApplication::translate("PrintFileOutput", "Chyba"), MessageIcon::Error);
}
