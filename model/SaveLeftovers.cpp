#include "SaveLeftovers.h"

#include "StoreFiles.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

void removeSaveLeftovers(const QDateTime &sessionStart)
{
    // The temporary name is the file's name, a dot and six letters or digits.
    static const QRegularExpression leftover(
        QStringLiteral("^(%1)\\.[A-Za-z0-9]{6}$")
            .arg(QStringList{QString::fromLatin1(kEnvelopeStoreName),
                             QString::fromLatin1(kAddressStoreName),
                             QString::fromLatin1(kPrintFontFileName),
                             QString::fromLatin1(kRecoveryFileName)}
                     .replaceInStrings(QStringLiteral("."), QStringLiteral("\\."))
                     .join(QLatin1Char('|'))));
    // Some file systems keep modification times to two seconds only.
    const QDateTime since = sessionStart.addSecs(-2);
    const QDir folder(QStringLiteral("."));
    for (const QFileInfo &file : folder.entryInfoList(QDir::Files)) {
        if (leftover.match(file.fileName()).hasMatch() && file.lastModified() >= since)
            QFile::remove(file.fileName());
    }
}
