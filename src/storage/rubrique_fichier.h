#pragma once
// Rubrique files: one private-profile file per rubrique in the folder "Rubriques", holding the
// count in [LOGICIEL] Nombre and one section "LOGICIEL <i>" per shortcut, numbered from 1.

#include "storage/profil_prive.h"

#include <QList>
#include <QString>

namespace lanceron {

// One shortcut.
struct Raccourci {
    QString Nom;      // display name
    QString Dossier;  // path of the program file
    QString Executer; // window state: "Fenêtre normale", "Réduite" or "Agrandie"
    QString Commande; // command line, may be empty

    bool operator==(const Raccourci&) const = default;
};

// The shortcuts of a rubrique file, in file order. A missing or non-numeric count gives no
// shortcut; positions past the highest numbered section present in the file, or past the
// number of lines of the file, are not added, so a huge count costs nothing. A missing section
// or key gives an empty field. When the file is unusable (too large, not text, unreadable, not
// a regular file) `refus` receives the reason in French, and is emptied otherwise; such a file
// gives no shortcut and is never written.
QList<Raccourci> Lire_Rubrique(const QString& chemin, QString* refus = nullptr);

// The shortcuts of a document read (what Lire_Rubrique returns for a file).
QList<Raccourci> raccourcisDe(const ProfilPrive& p);
// The same, from a file's bytes read in one pass without keeping their text (what
// Lire_Rubrique does): the memory of a large rubrique is that of its shortcuts only.
QList<Raccourci> raccourcisDeOctets(QByteArray octets, QString* refus = nullptr);
// The whole document of a rubrique holding `raccourcis`, in `modele`'s encoding and line ends
// (what Ecrire_Rubrique writes).
ProfilPrive documentRubrique(const ProfilPrive& modele, const QList<Raccourci>& raccourcis);

// Rewrites the whole file: the count, then sections 1 to n in list order. The file keeps its
// encoding and line ends. An unusable file is refused. Atomic: on failure returns false with the reason in French in
// `erreur`, and the file keeps its previous content.
bool Ecrire_Rubrique(const QString& chemin, const QList<Raccourci>& raccourcis,
                     QString* erreur = nullptr);

} // namespace lanceron
