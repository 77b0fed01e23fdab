#include "FileError.h"

#include <QCoreApplication>

#include <cerrno>

QString fileErrorText(int errorCode)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("FileError", text); };
    switch (errorCode) {
    case ENOSPC:
    case EDQUOT:
        return tr("Na disku není dost místa.");
    case EACCES:
    case EPERM:
        return tr("Přístup odepřen.");
    case EIO:
        return tr("Chyba vstupu/výstupu.");
    case EROFS:
        return tr("Disk je jen pro čtení.");
    case ENOENT:
    case ENOTDIR:
        return tr("Složka neexistuje.");
    case ENAMETOOLONG:
        return tr("Název souboru je příliš dlouhý.");
    case EISDIR:
        return tr("Pod tímto názvem je složka.");
    case ELOOP:
        return tr("Pod tímto názvem je symbolický odkaz, přes který se nezapisuje, nebo cesta "
                  "vede přes smyčku odkazů.");
    case EMFILE:
    case ENFILE:
        return tr("Je otevřeno příliš mnoho souborů.");
    case EFBIG:
        return tr("Soubor by byl větší, než systém dovoluje.");
    case EBUSY:
    case ETXTBSY:
        return tr("Soubor je právě používán.");
    case ENXIO:
    case ENODEV:
        return tr("Zařízení není dostupné.");
    default:
        // The system's own words are not Czech: its number is at least something to quote.
        return tr("Chyba systému č. %1.").arg(errorCode);
    }
}

QString notRegularFileText()
{
    return QCoreApplication::translate("FileError",
                                       "Pod tímto názvem není obyčejný soubor, ale zařízení nebo "
                                       "roura.");
}
