#pragma once

#include "CommonDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QList>
#include <QTimer>

#include <functional>
#include <optional>
#include <type_traits>

// Acts on the next modal dialog of its kind once it is up, so exec() never waits for a person.
template <typename Dialog = QDialog>
void whenModal(QObject *context, std::type_identity_t<std::function<void(Dialog *)>> act)
{
    auto *timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, context, [timer, act] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->deleteLater();
        timer->stop();
        act(dialog);
    });
    timer->start(10);
}

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
