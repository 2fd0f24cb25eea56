#pragma once
// The models of the two lists, over the catalogue: the rubriques of the folder, and the
// shortcuts of one rubrique with their icons.

#include "catalogue/catalogue.h"
#include "main_window/liste_vue.h"

#include <memory>

namespace lanceron {

class ChargeurIcones;
class IcoFichier;

// One row per rubrique, all with the same icon.
class ModeleRubriques final : public ModeleListe {
    Q_OBJECT
public:
    ModeleRubriques(Catalogue& catalogue, const QIcon& icone, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QString texte(int ligne, int colonne) const override;
    QIcon icone(int ligne) const override;
    // The file (the identity) of the rubrique of row `ligne` (from 0); "" outside the list.
    QString fichier(int ligne) const;

private:
    void relire();

    Catalogue& m_catalogue;
    QIcon m_icone;
    QList<Rubrique> m_rubriques;
};

// The shortcuts of one rubrique, named by its file: what the list shows is always the working
// copy of that rubrique in the catalogue, and follows every operation made on it. Each row's
// icon is the icon store's pair for its program, taken when the row is read or added; a row
// changed in place keeps its icon until the rubrique is loaded again. The rows of a rubrique
// read from its file show a blank icon until theirs is extracted, off the window's thread,
// the painted rows first; a row added waits for the rows before it.
class ModeleRaccourcis final : public ModeleListe {
    Q_OBJECT
public:
    ModeleRaccourcis(Catalogue& catalogue, IcoFichier& icones, QObject* parent = nullptr);
    ~ModeleRaccourcis() override;

    // Reads the rubrique `fichier` and shows its shortcuts; "" shows none.
    void lier(const QString& fichier);
    QString fichier() const { return m_fichier; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QString texte(int ligne, int colonne) const override;
    QIcon icone(int ligne) const override;
    const Raccourci& raccourci(int ligne) const { return m_raccourcis.at(ligne); }
    // The image number of the row's icon, 0 while it is being extracted. Known as soon as the
    // loader decides it, before the row is told: the icon store keeps what is on screen.
    int image(int ligne) const override;
    bool iconesEnCours() const;
    // Extracts every icon still awaited, now.
    void terminerIcones();
    // See ChargeurIcones::retenir.
    void retenirIcones(bool oui);

private:
    void suivre(const Changement& c);
    int imageDe(const Raccourci& r) const;
    void iconesPretes(const QList<int>& entrees);
    // Keeps the row -> load entry map when rows move while icons load.
    void detacherEntrees();

    Catalogue& m_catalogue;
    IcoFichier& m_icones;
    QString m_fichier;
    QList<Raccourci> m_raccourcis; // shares the catalogue's working copy
    QList<int> m_images;
    std::unique_ptr<ChargeurIcones> m_chargeur;
    QList<int> m_entrees; // the load entry of each row, when rows moved during the load
    QIcon m_attente;      // the blank icon of a row whose icon is on its way
};

} // namespace lanceron
