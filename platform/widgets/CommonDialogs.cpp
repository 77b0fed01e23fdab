#include "CommonDialogs.h"

#include "MulDiv.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>

#include <climits>
#include <cmath>
#include <cstdlib>

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

// The font dialog looks the style up by a name Qt makes of weight and slant ("Normal", in
// Czech "Normální"); a face whose upright style is "Regular" has none of that name, and the
// dialog falls on the first style it lists, say "Italic". So the face's own style with the
// font's slant and the nearest weight is named.
QString closestStyle(const QString &family, const QFont &font)
{
    QString closest;
    int closestDistance = INT_MAX;
    for (const QString &style : QFontDatabase::styles(family)) {
        if (QFontDatabase::italic(family, style) != font.italic())
            continue;
        const int distance = std::abs(QFontDatabase::weight(family, style) - font.weight());
        if (distance < closestDistance) {
            closest = style;
            closestDistance = distance;
        }
    }
    return closest;
}

} // namespace

void installQtTranslations(QObject *owner)
{
    auto *qtTexts = new QTranslator(owner);
    if (qtTexts->load(QLocale(QLocale::Czech, QLocale::Czechia), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);
}

LOGFONT ChosenFont::logFont() const
{
    constexpr int kScreenDpi = 96;
    LOGFONT record = logFontFromFont(font);
    record.lfHeight = -MulDiv(sizeInTenths, kScreenDpi, 720);
    return record;
}

std::optional<ChosenFont> runFontDialog(QWidget *owner, const QFont &initial)
{
    if (fontDialogOverride())
        return fontDialogOverride()(owner, initial);
    const QString drawnFamily = QFontInfo(initial).family();
    QFont shown = initial;
    shown.setFamily(drawnFamily);
    shown.setStyleName(closestStyle(drawnFamily, initial));
    bool ok = false;
    QFont font = QFontDialog::getFont(&ok, shown, owner);
    if (!ok)
        return std::nullopt;
    if (font.family() == drawnFamily)
        font.setFamily(initial.family());
    return ChosenFont{font, int(std::lround(font.pointSizeF() * 10))};
}

void setFontDialogFunction(FontDialogFunction function)
{
    fontDialogOverride() = std::move(function);
}

QStringList nameFiltersFromWindowsFilter(const QString &filter)
{
    // A trailing "(...)" of a description only names its patterns for the reader; Qt reads
    // the patterns from that parenthesis and shows it, so it is replaced by the patterns
    // that really apply ("*.*" shown on Windows means "*").
    static const QRegularExpression namedPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QString description = parts[i];
        description.remove(namedPatterns);
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(description, patterns);
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
