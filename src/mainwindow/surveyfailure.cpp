// The message for a sunshine file that could not be written.
#include "mainwindow/surveyfailure.h"

#include <QDir>

#include <cerrno>

namespace lumora {

namespace {
constexpr int kNoRoomErrors[] = {ENOSPC, EDQUOT, EFBIG};
} // namespace

SurveyFailureKind surveyFailureKind(int systemError)
{
    for (int error : kNoRoomErrors)
        if (systemError == error)
            return SurveyFailureKind::DiskFull;
    return SurveyFailureKind::HeldOrProtected;
}

SurveyFailureKind surveyFailureKind(const QString &reason)
{
    for (int error : kNoRoomErrors)
        if (reason == qt_error_string(error))
            return SurveyFailureKind::DiskFull;
    return SurveyFailureKind::HeldOrProtected;
}

SurveyFailureMessage surveyFailureMessage(SurveyFailureKind kind, const QString &path, const QString &reason)
{
    const QString detail = QStringLiteral("Impossible d'écrire %1 : %2").arg(QDir::toNativeSeparators(path), reason);
    if (kind == SurveyFailureKind::DiskFull)
        return {QStringLiteral("Le disque est plein : le fichier d'ensoleillement n'a pas pu être écrit."), detail};
    return {QStringLiteral("fermer le fichier dans excel"), detail};
}

} // namespace lumora
