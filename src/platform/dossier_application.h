#pragma once

#include <QString>

namespace lanceron {

// The application folder, which holds "Lanceron.ini" and the folder "Rubriques".
// Portable mode: the executable's folder when it already holds either of them.
// Otherwise the per-user data folder (created if needed), so that rebuilding or reinstalling
// never loses the catalogue.
QString dossierApplication(const QString& dossierExecutable);

// The folder of the rubrique files.
QString dossierRubriques(const QString& dossierApplication);

} // namespace lanceron
