#pragma once
// The icons of a list of programs, loaded without holding up the window: the files' own icons
// are extracted by a small pool of threads (or, for sources that need the user-interface
// thread, a few at a time between two turns of the event loop), the rows asked for first
// before the others, and the pairs are given their keys in the icon store on the
// user-interface thread. The result is the one that IcoFichier::Ajouter_Icone gives when it
// is called for every program in order: a key whose pair depends on the order (the first
// program of an extension that falls back on the associated icon) is decided in order only.

#include "icons/ico_fichier.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>

#include <memory>
#include <vector>


namespace lanceron {

class ChargeurIcones final : public QObject {
    Q_OBJECT
public:
    explicit ChargeurIcones(IcoFichier& store, QObject* parent = nullptr);
    ~ChargeurIcones() override;

    // Starts the load of `chemins` (entries numbered from 0, in order), dropping the one in
    // progress. Returns the numbers known at once (programs already in the store), 0 for
    // the others, which come with prets().
    QList<int> charger(const QStringList& chemins);
    // Entry `entree` is wanted now (a row about to be painted): extracted before the others.
    void demander(int entree);
    // Ends the load here, extracting what remains on this thread; prets() tells the last
    // numbers before it returns.
    void terminer();
    bool enCours() const { return m_restants > 0; }
    // While held, nothing found is taken in on this thread (extraction on the other threads
    // goes on): a window holds it until its first frame is painted, so that the icon theme's
    // first look-up does not delay it.
    void retenir(bool oui);
    // The number of entry `entree`; 0 while it is not known.
    int numero(int entree) const { return m_numeros.value(entree); }

signals:
    // Entries whose numbers became known.
    void prets(const QList<int>& entrees);

private:
    struct Partage;

    void lancer();
    void extraireIci();
    void recevoir(const std::shared_ptr<Partage>& p);
    void travailler(const std::shared_ptr<Partage>& p);
    void annuler();
    bool essayer(int entree, bool dansLOrdre);
    void avancer();
    void annoncer();

    IcoFichier& m_store;
    IconSource& m_source; // what the threads use: it may outlive the store
    QThreadPool m_pool;
    QTimer m_ici; // extraction on this thread, for sources that need it
    bool m_retenu = false;
    std::shared_ptr<Partage> m_recuRetenu; // results that came while held
    std::shared_ptr<Partage> m_partage;
    QStringList m_chemins;
    QList<int> m_numeros;
    QHash<int, IconeExtraite> m_extraites; // extracted, number not decided yet
    QHash<int, QList<int>> m_doublons;     // later entries of the same path, by first entry
    QList<int> m_premiere;        // the first entry of the same path, -1 for itself
    int m_curseur = 0;            // entries before it all have their numbers
    int m_suite = 0;              // and those before this one, but for costly ones
    std::vector<char> m_couteuse; // entries whose own icon is costly (IconSource)
    bool m_avecCouteuses = false;
    int m_restants = 0;
    QList<int> m_annonce;
};

} // namespace lanceron
