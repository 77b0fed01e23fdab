#include "DialogStubs.h"

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
