#include "CommonDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>

#include <cmath>

namespace {
FontDialogFunction &fontDialogOverride()
{
    static FontDialogFunction function;
    return function;
}

FileDialogFunction &fileDialogOverride()
{
    static FileDialogFunction function;
    return function;
}
} // namespace

std::optional<ChosenFont> runFontDialog(QWidget *owner, const QFont &initial)
{
    if (fontDialogOverride())
        return fontDialogOverride()(owner, initial);
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, owner);
    if (!ok)
        return std::nullopt;
    return ChosenFont{font, int(std::lround(font.pointSizeF() * 10))};
}

void setFontDialogFunction(FontDialogFunction function)
{
    fontDialogOverride() = std::move(function);
}

QStringList nameFiltersFromWindowsFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        // The description usually names its patterns already; Qt reads the parenthesis.
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return filters;
}

std::optional<QString> runFileDialog(QWidget *owner, const FileDialogRequest &request)
{
    if (fileDialogOverride())
        return fileDialogOverride()(owner, request);

    QFileDialog dialog(owner, request.title, request.directory);
    dialog.setNameFilters(nameFiltersFromWindowsFilter(request.filter));
    dialog.setDefaultSuffix(request.defaultExtension);
    if (request.mode == FileDialogRequest::Mode::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!request.defaultName.isEmpty())
            dialog.selectFile(request.defaultName);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void setFileDialogFunction(FileDialogFunction function)
{
    fileDialogOverride() = std::move(function);
}
