#pragma once
// The list-view component of both lists of the main window: rows numbered from 1, shown in one
// of four modes (0 large icons, 1 small icons, 2 list, 3 details). The rows come from a model
// (ModeleListe); one selection model is shared by the two views that the modes switch between,
// so the selection survives every switch. A list that is not empty always has one selected
// row, and the selected row is always the current one.

#include <QAbstractTableModel>
#include <QIcon>
#include <QMap>
#include <QPersistentModelIndex>
#include <QStringList>
#include <QWidget>

class QItemSelectionModel;
class QListView;
class QTimer;
class QStackedWidget;
class QTableView;
class QAbstractItemView;

namespace lanceron {

// The rows of a list: texts by column and an icon. The views show at most LongueurAffichee
// characters of a text, so that a huge name cannot freeze the window; texte() stays whole.
class ModeleListe : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr qsizetype LongueurAffichee = 260;

    ModeleListe(const QStringList& entetes, QObject* parent);

    virtual QString texte(int ligne, int colonne) const = 0;
    virtual QIcon icone(int ligne) const = 0;
    // The icon store's number of the row's icon; 0 when it has none (yet).
    virtual int image(int) const { return 0; }
    // The icons were taken again from their files: every row is painted again.
    void rafraichirIcones();

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    // The row under the pointer when hot tracking is on, drawn like a link; -1 for none.
    void setLigneSurvolee(int ligne);

protected:
    int m_survolee = -1;

private:
    QStringList m_entetes;
};

class DelegueGrille;

class ListeVue final : public QWidget {
    Q_OBJECT
public:
    // `modele` becomes a child of the list when it has no parent.
    explicit ListeVue(ModeleListe* modele, QWidget* parent = nullptr);

    // ListItems: rows numbered from 1.
    int Count() const;
    QString texte(int i, int colonne = 0) const;

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
    // link and becomes the selection, without ever scrolling the list.
    bool HotTracking() const { return m_suivi; }
    void setHotTracking(bool actif);

    // Column widths of the details view, in pixels.
    int largeurColonne(int colonne) const;
    void setLargeurColonne(int colonne, int largeur);

    // The name a screen reader announces, given to both views.
    void setNomAccessible(const QString& nom);

    QAbstractItemView* vueActive() const;
    // The icon store's numbers of the rows on screen.
    QList<int> imagesVisibles() const;
    ModeleListe* modele() const { return m_modele; }
    QItemSelectionModel* selection() const { return m_selection; }

signals:
    // A double-click on a row, or Enter.
    void activation();
    // The context menu, by the right button (at the pointer) or the keyboard (at the row).
    void menuContextuel(const QPoint& global);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void garantirSelection();
    void defilerVers(const QModelIndex& index);
    bool toutDispose() const;
    void installer(QAbstractItemView* v);

    ModeleListe* m_modele;
    QItemSelectionModel* m_selection = nullptr;
    QStackedWidget* m_pile;
    QListView* m_icones;
    DelegueGrille* m_delegue;
    QTableView* details() const;
    mutable QTableView* m_details = nullptr;
    QMap<int, int> m_largeurs; // column widths given before the details view was made
    int m_vue = 0;
    int m_retiree = 0; // the selected row while rows are being removed
    bool m_grille = false;
    bool m_suivi = false;
    QTimer* m_defilement;             // retries a scroll to a row not laid out yet
    QPersistentModelIndex m_aDefiler; // that row
    int m_essaisDefilement = 0;
};

} // namespace lanceron
