#pragma once
// Which typed names can name a rubrique. The name becomes a file name (name + ".ini"), so it
// must be one file name of the folder and nothing else; otherwise it is kept exactly as typed.

#include <QString>

namespace lanceron {

// Longest file name, in UTF-8 bytes, that the usual file systems accept.
constexpr qsizetype LongueurMaxNomFichier = 255;

// Why `nom` cannot name a rubrique, in French for the user; "" when it can. The empty name is
// the caller's business (it means the user gave up).
QString refusNomRubrique(const QString& nom);

} // namespace lanceron
