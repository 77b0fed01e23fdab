#include "DialogStubs.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

void whenModal(QObject *context, std::function<void(QDialog *)> act)
{
    auto *timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, context, [timer, act] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->deleteLater();
        timer->stop();
        act(dialog);
    });
    timer->start(10);
}

FontDialogStub::FontDialogStub()
{
    setFontDialogFunction([this](QWidget *, const QFont &initial) -> std::optional<ChosenFont> {
        offered.append(initial);
        return answer ? answer(initial) : std::nullopt;
    });
}

FontDialogStub::~FontDialogStub()
{
    setFontDialogFunction({});
}

FileDialogStub::FileDialogStub()
{
    setFileDialogFunction(
        [this](QWidget *, const FileDialogRequest &request) -> std::optional<QString> {
            requests.append(request);
            return answer ? answer(request) : std::nullopt;
        });
}

FileDialogStub::~FileDialogStub()
{
    setFileDialogFunction({});
}
