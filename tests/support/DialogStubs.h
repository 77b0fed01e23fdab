#pragma once

#include "CommonDialogs.h"

#include <QFont>
#include <QList>

#include <functional>
#include <optional>

class QDialog;
class QObject;

// Acts on the next modal dialog once it is up, so that exec() never waits for a person.
void whenModal(QObject *context, std::function<void(QDialog *)> act);

// For as long as one lives, its dialog does not open: each run is recorded and given the
// answer (or Cancel while no answer is set).

class FontDialogStub
{
public:
    FontDialogStub();
    ~FontDialogStub();
    FontDialogStub(const FontDialogStub &) = delete;
    FontDialogStub &operator=(const FontDialogStub &) = delete;

    std::function<std::optional<ChosenFont>(const QFont &initial)> answer;
    QList<QFont> offered; // the initial font of each run
};

class FileDialogStub
{
public:
    FileDialogStub();
    ~FileDialogStub();
    FileDialogStub(const FileDialogStub &) = delete;
    FileDialogStub &operator=(const FileDialogStub &) = delete;

    std::function<std::optional<QString>(const FileDialogRequest &request)> answer;
    QList<FileDialogRequest> requests;
};
