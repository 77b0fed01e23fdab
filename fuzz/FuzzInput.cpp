#include "FuzzInput.h"

#include <QDir>
#include <QFile>

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
    // A plain write: the safe save syncs each file to the disk, which would slow every run.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
    return path;
}
