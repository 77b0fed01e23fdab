#include "QtMessages.h"

#include <QString>
#include <QtGlobal>

namespace {

QtMessageHandler g_passOn = nullptr;

void filterMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(u"QStandardPaths: ") &&
        (message.contains(u"XDG_RUNTIME_DIR") || message.contains(u"runtime directory")))
        return;
    g_passOn(type, context, message);
}

} // namespace

void hideRuntimeFolderWarnings()
{
    g_passOn = qInstallMessageHandler(filterMessage);
}
