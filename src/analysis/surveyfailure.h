// What the window tells the user when the sunshine file cannot be written:
// a file held open by a spreadsheet (or protected) is something the user can
// put right by closing it; a full disk is not, and must not be reported as if
// it were.
#pragma once

#include "analysis/surveyfile.h"

#include <QString>

namespace lumora {

struct SurveyFailureMessage {
    QString text;   // the headline
    QString detail; // the path and the system's reason, beneath it
};

// DiskFull: "Le disque est plein : le fichier d'ensoleillement n'a pas pu être
// écrit."; TooLarge (the file size limit): "Le fichier est trop gros : le fichier
// d'ensoleillement n'a pas pu être écrit."; any other failure: "fermer le fichier dans excel". The detail is
// "Impossible d'écrire <path> : <reason>", the path in the system's notation.
SurveyFailureMessage surveyFailureMessage(SurveyFile::Failure failure, const QString &path, const QString &reason);

} // namespace lumora
