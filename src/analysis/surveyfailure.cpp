// The message for a sunshine file that could not be written.
#include "analysis/surveyfailure.h"

#include <QCoreApplication>
#include <QDir>

namespace lumora {

SurveyFailureMessage surveyFailureMessage(SurveyFile::Failure failure, const QString &path, const QString &reason)
{
    const QString detail = QCoreApplication::translate("SurveyFailure", "Impossible d'écrire %1 : %2")
                               .arg(QDir::toNativeSeparators(path), reason);
    if (failure == SurveyFile::Failure::DiskFull)
        return {QCoreApplication::translate("SurveyFailure",
                                            "Le disque est plein : le fichier d'ensoleillement n'a pas pu être écrit."),
                detail};
    if (failure == SurveyFile::Failure::TooLarge)
        return {QCoreApplication::translate("SurveyFailure",
                                            "Le fichier est trop gros : le fichier d'ensoleillement n'a pas pu être écrit."),
                detail};
    return {QCoreApplication::translate("SurveyFailure", "fermer le fichier dans excel"), detail};
}

} // namespace lumora
