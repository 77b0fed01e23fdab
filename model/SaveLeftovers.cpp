#include "SaveLeftovers.h"

#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

void removeSaveLeftovers(const QDateTime &sessionStart)
{
    static const QRegularExpression leftover(
        QStringLiteral("^%1[A-Za-z0-9]{6}$")
            .arg(QRegularExpression::escape(QLatin1String(kPendingFilePrefix))));
    // Some file systems keep modification times to two seconds only.
    const QDateTime since = sessionStart.addSecs(-2);
    const QDir folder(QStringLiteral("."));
    for (const QFileInfo &file :
         folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        if (leftover.match(file.fileName()).hasMatch() && file.lastModified() >= since)
            QFile::remove(file.fileName());
    }
}
