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

// The folder in which the save dialog of the export opens. The application folder where the
// user can see it: in portable mode (it is the executable's folder) and on Windows. Otherwise
// it is a hidden per-user folder, and the dialog opens in the user's documents folder, or in
// the home folder when there is none.
QString dossierExport(const QString& dossierApplication);

} // namespace lanceron
