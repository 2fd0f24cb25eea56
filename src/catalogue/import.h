#pragma once
// Importing the installed applications: each application becomes a shortcut to its desktop
// entry, in a rubrique named after its main category. Importing again adds only the programs
// that no rubrique holds yet; a shortcut the user has is never changed or removed.

#include "catalogue/catalogue.h"
#include "platform/entrees_bureau.h"

#include <QSet>

#include <functional>

namespace lanceron {

// The rubrique of an application: its first main category in the order written ("Game" gives
// "Jeux"), "Autres" when it has none.
QString rubriqueImport(const QStringList& categories);

struct GroupeImport {
    QString rubrique;
    QList<Raccourci> raccourcis;
};

// The applications shown in the desktop's menus (hidden entries left out), as shortcuts
// ("Fenêtre normale", empty command line), grouped by rubrique in the order of the categories,
// "Autres" last. An entry whose path holds a control character is left out; its name loses
// them. Programs already in `dejaLa` (paths), or met twice, are left out; groups left empty are
// not returned.
QList<GroupeImport> grouperApplications(const QList<EntreeBureau>& entrees,
                                        const QSet<QString>& dejaLa = {});

// The programs (paths) of every rubrique of the catalogue, as on disk.
QSet<QString> programmesPresents(const Catalogue& catalogue);

// Creates the missing rubriques of `groupes` and appends their shortcuts that no rubrique holds
// yet, each rubrique written once. `progres` is told the number of groups done. Stops at the
// first failure, with its reason; `ajoutes` counts the shortcuts written.
Resultat importer(Catalogue& catalogue, const QList<GroupeImport>& groupes, int* ajoutes = nullptr,
                  const std::function<void(int)>& progres = {});

} // namespace lanceron
