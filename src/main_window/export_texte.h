#pragma once
// The text of the catalogue export: every rubrique in list order, numbered from 1, each
// followed by the name and the program path of each of its shortcuts.

#include "storage/rubrique_fichier.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace lanceron {

struct RubriqueExportee {
    QString nom;
    QList<Raccourci> raccourcis; // only Nom and Dossier are written
};

// Per rubrique n: "n) <name> :", " ", then per shortcut " <Nom>", " <Dossier>", " ", and a
// closing " ". Every line ends with CR LF; nothing precedes the first header or follows the
// last closing line.
QString texteExport(const QList<RubriqueExportee>& rubriques);

// The same text in the system's encoding (UTF-8 on Linux, the ANSI code page on Windows).
QByteArray octetsExport(const QList<RubriqueExportee>& rubriques);

} // namespace lanceron
