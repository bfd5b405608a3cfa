// Why a file could not be written, for the user: a full disk and a file-size
// limit in plain French words (the system's own words for them are obscure or
// misleading), any other error in the system's words.
#pragma once

#include <QString>

namespace lumora {

// ENOSPC, EDQUOT: "le disque est plein"; EFBIG: "le fichier est trop gros";
// otherwise the system's description of errorNumber.
QString fileErrorReason(int errorNumber);

} // namespace lumora
