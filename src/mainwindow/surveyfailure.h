// What the window tells the user when the sunshine file cannot be written:
// a file held open by a spreadsheet (or protected) is something the user can
// put right by closing it; a full disk is not, and must not be reported as if
// it were.
#pragma once

#include <QString>

namespace lumora {

enum class SurveyFailureKind {
    HeldOrProtected, // any failure that is not a lack of room
    DiskFull,        // no room left on the disk or in the user's quota, or a file-size limit reached
};

// The kind of a failure from the system's error number of the failed open or
// write (errno): ENOSPC, EDQUOT and EFBIG are DiskFull, anything else
// (0 included) HeldOrProtected.
SurveyFailureKind surveyFailureKind(int systemError);

// The same from the system's reason text alone, as Qt reports it for a file
// (its errorString()): the texts of those error numbers in the system's
// language are DiskFull, any other text HeldOrProtected.
SurveyFailureKind surveyFailureKind(const QString &reason);

struct SurveyFailureMessage {
    QString text;   // the headline
    QString detail; // the path and the system's reason, beneath it
};

// HeldOrProtected: "fermer le fichier dans excel"; DiskFull: "Le disque est
// plein : le fichier d'ensoleillement n'a pas pu être écrit.". The detail is
// "Impossible d'écrire <path> : <reason>", the path in the system's notation.
SurveyFailureMessage surveyFailureMessage(SurveyFailureKind kind, const QString &path, const QString &reason);

} // namespace lumora
