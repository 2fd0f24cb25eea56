#pragma once
// Finding shortcuts across every rubrique by a few letters of their name (or of their
// program's file name), case and accents ignored, best matches first.

#include "catalogue/catalogue.h"

namespace lanceron {

// The text as it is compared: letters without their accents, case folded ("Évé" gives "eve").
QString replier(const QString& texte);

// How well `texte` (folded) matches a name and a program path (folded too): 0 the name starts
// with it, 1 a word of the name does, 2 it is anywhere in the name, 3 it is in the program's
// file name; -1 no match.
int rangCorrespondance(const QString& texte, const QString& nom, const QString& programme);

struct Trouvaille {
    QString fichier; // the rubrique
    qsizetype index; // the shortcut's position in it
    Raccourci raccourci;
};

// Every shortcut of every rubrique, folded once; search per keystroke costs one scan.
class IndexRecherche {
public:
    // Reads every rubrique of the catalogue as it is on disk.
    void construire(const Catalogue& catalogue);
    // Reads the files of `rubriques` in the folder `dossier`; touches nothing else, so it may
    // run on any thread.
    void construire(const QList<Rubrique>& rubriques, const QString& dossier);
    void vider()
    {
        m_entrees.clear();
        m_construit = false;
    }
    bool construit() const { return m_construit; }
    qsizetype taille() const { return m_entrees.size(); }

    // The shortcuts matching `texte`, best first (then by name, then in catalogue order); at
    // most `maximum`. An empty text finds nothing.
    QList<Trouvaille> chercher(const QString& texte, qsizetype maximum = -1) const;

private:
    struct Entree {
        Trouvaille t;
        QString nom;       // folded
        QString programme; // folded file name
    };
    QList<Entree> m_entrees;
    bool m_construit = false;
};

} // namespace lanceron
