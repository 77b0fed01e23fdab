#pragma once

#include "LogFontQt.h"

#include <QFont>
#include <QString>

#include <functional>
#include <optional>

class QObject;
class QWidget;

// Qt's own dialogs and menus (files, fonts, printing, the edit menu of a line) and its
// command-line texts (usage, option errors) speak Czech like the program; the catalogue
// lives as long as owner. Needs the application object.
void installQtTranslations(QObject *owner);

// The font and file common dialogs. Tests replace them through the setters so that nothing
// blocks; an empty function restores the real dialog.

struct ChosenFont
{
    QFont font;
    int sizeInTenths = 0; // the chosen size in tenths of a point

    // The record Windows' font dialog gives: the height is that of the characters on a
    // 96-dpi screen, negative.
    LOGFONT logFont() const;
};
// The real dialog opens on the face actually drawn for initial (a name that is only a
// substitute here, such as "Times New Roman" drawn as "Liberation Serif", is not in its
// list), and confirming that face keeps initial's family name.
using FontDialogFunction =
    std::function<std::optional<ChosenFont>(QWidget *owner, const QFont &initial)>;
std::optional<ChosenFont> runFontDialog(QWidget *owner, const QFont &initial);
void setFontDialogFunction(FontDialogFunction function);

struct FileDialogRequest
{
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString title;
    QString directory;
    QString defaultName;      // without extension
    QString defaultExtension; // without dot; added to a typed name that has none
    QString filter;           // the Windows form "desc|pattern|desc|pattern||"
};
// The chosen full path, or nullopt when the user cancelled.
using FileDialogFunction = std::function<std::optional<QString>(QWidget *owner,
                                                               const FileDialogRequest &request)>;
std::optional<QString> runFileDialog(QWidget *owner, const FileDialogRequest &request);
void setFileDialogFunction(FileDialogFunction function);

// "desc|pattern||" to Qt's ";;"-separated name filters ("desc (pattern)").
QStringList nameFiltersFromWindowsFilter(const QString &filter);
