#pragma once
// Searching every rubrique from the field above the shortcut list. While the field holds text,
// the results stand in for the shortcut list; a result is started, modified or deleted in its
// own rubrique, exactly as from there. Emptying the field (Escape) brings back the rubrique that
// was shown.

#include "catalogue/recherche.h"
#include "main_window/liste_vue.h"

#include <QHash>

#include <future>

class QLineEdit;

namespace lanceron {

class IcoFichier;
class Menu;

// The results: name, rubrique, program, window state; the rubrique's name in the tooltip.
class ModeleResultats final : public ModeleListe {
    Q_OBJECT
public:
    ModeleResultats(IcoFichier& icones, QObject* parent = nullptr);

    void remplir(const QList<Trouvaille>& trouvailles);
    const Trouvaille& trouvaille(int ligne) const { return m_trouvailles.at(ligne); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QString texte(int ligne, int colonne) const override;
    QIcon icone(int ligne) const override;
    int image(int ligne) const override { return m_images.value(ligne); }
    QVariant data(const QModelIndex& index, int role) const override;

private:
    IcoFichier& m_icones;
    QList<Trouvaille> m_trouvailles;
    mutable QHash<int, int> m_images; // row -> image, taken when first shown
};

class Recherche final : public QObject {
    Q_OBJECT
public:
    // Most results shown at once.
    static constexpr qsizetype MaximumResultats = 500;

    explicit Recherche(Menu& menu);

    QLineEdit* champ() const { return m_champ; }
    ListeVue* resultats() const { return m_resultats; }
    bool active() const { return m_active; }

    // Selects the rubrique of the selected result in the rubrique list and the result's row in
    // the shortcut list, so that the shortcut commands act on it. False (the user told) when
    // the shortcut is no longer there.
    bool placer();
    // Searches again (the catalogue changed), keeping the selected row when possible.
    void relancer();
    // Empties the field and shows the rubrique that was shown before the search.
    void finir();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void chercher();
    void demarrer();
    void lancer();

    Menu& m_menu;
    QLineEdit* m_champ;
    ModeleResultats* m_modele;
    ListeVue* m_resultats;
    // The index is read on a thread of its own from the field's first focus; a search waits
    // for it only when typed before it is ready.
    void preparerIndex();
    void attendreIndex();

    IndexRecherche m_index;
    std::future<IndexRecherche> m_indexPrepare;
    bool m_indexPerime = false; // the catalogue changed while it was read
    bool m_active = false;
    bool m_placement = false; // placer() moving the rubrique list
    QString m_rubriqueAvant;  // the rubrique shown when the search began
};

} // namespace lanceron
