#include "FuzzInput.h"

#include "Archive.h"

#include <QDir>

#include <cstdlib>
#include <unistd.h>

QString fuzzInputFile(const std::uint8_t *data, std::size_t size)
{
    static const QString path =
        QDir::temp().filePath(QStringLiteral("tobrel-fuzz-%1.bin").arg(::getpid()));
    static const bool removedAtExit = [] {
        std::atexit([] { QFile::remove(path); });
        return true;
    }();
    Q_UNUSED(removedAtExit);
    if (!writeFileSafely(path, QByteArrayView(data, qsizetype(size))))
        std::abort();
    return path;
}
