// Why a file could not be written, in words for the user.
#include "common/fileerrors.h"

#include <QCoreApplication>

#include <cerrno>

namespace lumora {

QString fileErrorReason(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
        return QCoreApplication::translate("FileErrors", "le disque est plein");
    case EFBIG:
        return QCoreApplication::translate("FileErrors", "le fichier est trop gros");
    default:
        return qt_error_string(errorNumber);
    }
}

} // namespace lumora
