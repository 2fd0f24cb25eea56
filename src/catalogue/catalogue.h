#pragma once
// The catalogue: the rubriques of the folder "Rubriques" and their shortcuts, with every
// operation that changes them. No widget, no dialog, no selection: the window asks the user,
// calls one operation and shows its result.
//
// A rubrique is known by its identity, the real name of its file in the folder (any letter
// case, "Jeux.ini" or "JEUX.INI"). Each operation names the rubrique it acts on by that
// identity and writes into that file and no other. The shortcuts of a rubrique are read on
// demand (charger) and kept as its working copy: the operations change the working copy only
// once the file has been saved, atomically, so the copy always equals the file as last read
// or written by the program.

#include "storage/rubrique_fichier.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

namespace lanceron {

struct Rubrique {
    QString nom;     // shown to the user: the file name less its extension
    QString fichier; // identity: the file's real name in the folder
};

// The outcome of an operation: done, refused (nothing was tried: a bad name, a shortcut that is
// gone), or failed (the system refused: the file stays as it was). `raison` is in French, for
// the user.
struct Resultat {
    enum class Issue { Fait, Refuse, Echec };
    Issue issue = Issue::Fait;
    QString raison;

    bool fait() const { return issue == Issue::Fait; }
    static Resultat refus(const QString& raison) { return {Issue::Refuse, raison}; }
    static Resultat echec(const QString& raison) { return {Issue::Echec, raison}; }
};

// What an operation changed in the working copy of one rubrique.
struct Changement {
    enum class Sorte {
        Tout,         // read again from the file
        Ajout,        // one shortcut appended at `index`
        Retrait,      // the shortcut at `index` removed
        Modification, // the shortcut at `index` changed in place
        Deplacement,  // the shortcut at `index` moved to `vers`
    };
    QString fichier;
    Sorte sorte = Sorte::Tout;
    qsizetype index = -1;
    qsizetype vers = -1;
};

class Catalogue final : public QObject {
    Q_OBJECT
public:
    explicit Catalogue(const QString& dossierRubriques, QObject* parent = nullptr);

    QString dossier() const { return m_dossier; }
    // Runs the writing of a rubrique file and returns once it is done; by default at once.
    // The window runs it off its thread and keeps painting meanwhile.
    using Executeur = std::function<void(const std::function<void()>&)>;
    void setExecuteur(Executeur executeur) { m_executeur = std::move(executeur); }
    // True while a rubrique file is being written: every change asked meanwhile is refused.
    bool occupe() const { return m_occupe; }
    // The full path of a rubrique's file.
    QString chemin(const QString& fichier) const;

    // ----------------------------------------------------------------------- rubriques
    // Reads the folder again: every "*.ini" file, sorted by name as a person would (case
    // ignored, numbers by value).
    void relire();
    const QList<Rubrique>& rubriques() const { return m_rubriques; }
    // Position in rubriques() of the rubrique with that file, or of that name (any case of
    // the extension); -1 when none.
    qsizetype indexFichier(const QString& fichier) const;
    qsizetype indexNom(const QString& nom) const;
    static QString nomDe(const QString& fichier);

    // Creates the rubrique `nom` holding no shortcut. A name that cannot be a file name is
    // refused; a rubrique of that name keeps its shortcuts and is simply answered (done). The
    // rubrique's file goes to `fichier`. The folder is read again.
    Resultat creerRubrique(const QString& nom, QString* fichier = nullptr);
    // Renames the file only (its bytes and date stay); never over another rubrique. The
    // rubrique's file after the operation goes to `nouveauFichier` (the old one when nothing
    // changed). The folder is read again, also on failure.
    Resultat renommerRubrique(const QString& fichier, const QString& nouveauNom,
                              QString* nouveauFichier = nullptr);
    // Moves the file to the trash (or deletes it); the folder is read again when done.
    Resultat supprimerRubrique(const QString& fichier);

    // ----------------------------------------------------------------------- shortcuts
    // Reads the rubrique's file now and keeps its shortcuts as its working copy (the working
    // copies of other rubriques are let go). A file that cannot be used gives no shortcut and
    // its reason in refus().
    const QList<Raccourci>& charger(const QString& fichier);
    // The working copy; empty when the rubrique was not loaded.
    const QList<Raccourci>& raccourcis(const QString& fichier) const;
    QString refus(const QString& fichier) const;
    // The shortcuts of the file as it is on disk now, without keeping them.
    QList<Raccourci> lire(const QString& fichier) const;
    // How many times a rubrique file was read since the catalogue was made.
    int lectures() const { return m_lectures; }

    Resultat ajouterRaccourci(const QString& fichier, const Raccourci& r);
    // Appends several shortcuts at once: the file is written once.
    Resultat ajouterRaccourcis(const QString& fichier, const QList<Raccourci>& nouveaux);
    Resultat modifierRaccourci(const QString& fichier, qsizetype index, const Raccourci& r);
    Resultat supprimerRaccourci(const QString& fichier, qsizetype index);
    // Moves the shortcut at `index` within its rubrique, to position `vers`.
    Resultat reordonnerRaccourci(const QString& fichier, qsizetype index, qsizetype vers);
    // Moves (or, with `copier`, copies) the shortcut at `index` to the end of the rubrique
    // `destination`. The destination is written first, then the source: a failure may leave
    // the shortcut in both, never in neither.
    Resultat deplacerRaccourci(const QString& fichier, qsizetype index,
                               const QString& destination, bool copier = false);

signals:
    void rubriquesRelues();
    void raccourcisChanges(const lanceron::Changement& changement);

private:
    struct Copie {
        QList<Raccourci> raccourcis;
        QString refus;
    };

    // The working copy of `fichier`, read from the file when not loaded.
    Copie copie(const QString& fichier) const;
    QList<Raccourci> lireFichier(const QString& fichier, QString* refus = nullptr) const;
    // Saves `raccourcis` as the whole content of an existing rubrique file.
    Resultat enregistrer(const QString& fichier, const QList<Raccourci>& raccourcis);
    // The refusal of a change asked while a file is being written, if one is.
    Resultat refusOccupe() const;
    // Saves, then makes `raccourcis` the working copy and tells the change.
    Resultat appliquer(const QString& fichier, const QList<Raccourci>& raccourcis,
                       const Changement& changement);

    QString m_dossier;
    QList<Rubrique> m_rubriques;
    QHash<QString, Copie> m_copies;
    mutable int m_lectures = 0;
    Executeur m_executeur = [](const std::function<void()>& travail) { travail(); };
    bool m_occupe = false;
};

} // namespace lanceron
