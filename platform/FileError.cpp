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
    case EFBIG:
        return tr("Soubor by byl větší, než systém dovoluje.");
    case ELOOP:
        return tr("Pod tímto názvem je symbolický odkaz, přes který se nezapisuje.");
    default:
        return qt_error_string(errorCode);
    }
}

QString notRegularFileText()
{
    return QCoreApplication::translate("FileError",
                                       "Pod tímto názvem není obyčejný soubor, ale zařízení nebo "
                                       "roura.");
}
