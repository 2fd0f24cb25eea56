#pragma once
// The list-view component of both lists of the main window: rows numbered from 1 with a text,
// sub-items and an image number, shown in one of four modes (0 large icons, 1 small icons,
// 2 list, 3 details). One model and one selection model are shared by the two views that the
// modes switch between, so the selection survives every switch. A list that is not empty
// always has one selected row.

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>
#include <QStringList>
#include <QWidget>

#include <functional>

class QItemSelectionModel;
class QListView;
class QStackedWidget;
class QTableView;
class QAbstractItemView;

namespace lanceron {

struct ElementListe {
    QString texte;
    QStringList sousElements; // sub-items 1, 2, 3...
    int image = 0;            // image number (1-based), 0 for none
    QString donnee;           // data of the program's own, never shown
};

class ModeleListe final : public QAbstractTableModel {
    Q_OBJECT
public:
    ModeleListe(const QStringList& entetes, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    const QList<ElementListe>& elements() const { return m_elements; }
    void remplacer(QList<ElementListe> elements);
    void ajouter(ElementListe e);
    void retirer(int ligne);
    void modifier(int ligne, const ElementListe& e);
    void setFournisseurIcones(std::function<QIcon(int)> f) { m_icones = std::move(f); }
    void setLigneSurvolee(int ligne);

private:
    QStringList m_entetes;
    QList<ElementListe> m_elements;
    std::function<QIcon(int)> m_icones;
    int m_survolee = -1;
};

class ListeVue final : public QWidget {
    Q_OBJECT
public:
    explicit ListeVue(const QStringList& entetes, QWidget* parent = nullptr);

    // ListItems: rows numbered from 1.
    int Count() const;
    int Add(const QString& texte, int image, const QStringList& sousElements = {},
            const QString& donnee = {});
    void Clear();
    void Remove(int i);
    // Replaces every row at once (the fast way to fill the list); the first row is selected.
    void remplacer(QList<ElementListe> elements);
    const ElementListe& Item(int i) const;
    void modifier(int i, const ElementListe& e);
    QList<ElementListe> elements() const { return m_modele->elements(); }

    // The selected row, 0 when the list is empty.
    int SelectedIndex() const;
    // Selects row i and, with `defiler`, scrolls the list to it.
    void setSelectedIndex(int i, bool defiler = true);

    // View: 0 large icons, 1 small icons, 2 list, 3 details. False for another value.
    int View() const { return m_vue; }
    bool setView(int vue);

    bool GridLines() const { return m_grille; }
    void setGridLines(bool actif);
    // HotTracking and HoverSelection together: the row under the pointer is highlighted like a
    // link and becomes the selection.
    bool HotTracking() const { return m_suivi; }
    void setHotTracking(bool actif);

    // Column widths of the details view, in pixels.
    int largeurColonne(int colonne) const;
    void setLargeurColonne(int colonne, int largeur);

    void setFournisseurIcones(std::function<QIcon(int)> f);
    QAbstractItemView* vueActive() const;
    ModeleListe* modele() const { return m_modele; }
    QItemSelectionModel* selection() const { return m_selection; }

signals:
    // A mouse click on the list or any key going down or up in it.
    void clic();
    // A double-click on a row, or Enter.
    void activation();
    // The context menu, by the right button (at the pointer) or the keyboard (at the row).
    void menuContextuel(const QPoint& global);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void garantirSelection();
    void installer(QAbstractItemView* v);

    ModeleListe* m_modele;
    QItemSelectionModel* m_selection;
    QStackedWidget* m_pile;
    QListView* m_icones;
    QTableView* m_details;
    int m_vue = 0;
    bool m_grille = false;
    bool m_suivi = false;
};

} // namespace lanceron
