#include "main_window/liste_vue.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace lanceron {

// ---------------------------------------------------------------------------- ModeleListe

ModeleListe::ModeleListe(const QStringList& entetes, QObject* parent)
    : QAbstractTableModel(parent), m_entetes(entetes)
{
}

int ModeleListe::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entetes.size());
}

QVariant ModeleListe::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        const QString t = texte(index.row(), index.column());
        if (t.size() <= LongueurAffichee)
            return t;
        return QStringView(t).left(LongueurAffichee - 1).toString() + QChar(0x2026);
    }
    case Qt::DecorationRole:
        if (index.column() == 0)
            return icone(index.row());
        return {};
    case Qt::FontRole:
        if (index.row() == m_survolee) {
            QFont f = QApplication::font();
            f.setUnderline(true);
            return f;
        }
        return {};
    case Qt::ForegroundRole:
        if (index.row() == m_survolee)
            return QApplication::palette().brush(QPalette::Link);
        return {};
    default:
        return {};
    }
}

QVariant ModeleListe::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal && role == Qt::DisplayRole)
        return m_entetes.value(section);
    return {};
}

void ModeleListe::rafraichirIcones()
{
    if (const int n = rowCount())
        emit dataChanged(index(0, 0), index(n - 1, 0), {Qt::DecorationRole});
}

void ModeleListe::setLigneSurvolee(int ligne)
{
    if (ligne == m_survolee)
        return;
    const int ancienne = m_survolee;
    m_survolee = ligne;
    for (int l : {ancienne, ligne}) {
        if (l >= 0 && l < rowCount())
            emit dataChanged(index(l, 0), index(l, columnCount() - 1),
                             {Qt::FontRole, Qt::ForegroundRole});
    }
}

// ------------------------------------------------------------------------------ ListeVue

// Large icons: every row takes one cell of the grid, its name wrapped and cut to fit when it
// is painted. Measuring each name's wrapped layout beforehand would cost a text layout per row.
class DelegueGrille final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize cellule;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return cellule.isValid() ? cellule : QStyledItemDelegate::sizeHint(option, index);
    }
};

ListeVue::ListeVue(ModeleListe* modele, QWidget* parent)
    : QWidget(parent), m_modele(modele), m_pile(new QStackedWidget(this)),
      m_icones(new QListView)
{
    if (!m_modele->parent())
        m_modele->setParent(this);
    // The selected row removed: the row that takes its place, or the new last row, is
    // selected. Noted before the selection model moves the current row up.
    connect(m_modele, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int premiere, int derniere) {
                const int s = SelectedIndex();
                m_retiree = s >= premiere + 1 && s <= derniere + 1 ? premiere + 1 : 0;
            });
    m_selection = new QItemSelectionModel(m_modele, this);
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(m_pile);
    m_pile->addWidget(m_icones);

    installer(m_icones);

    m_delegue = new DelegueGrille(m_icones);
    m_icones->setItemDelegate(m_delegue);
    m_icones->setMovement(QListView::Static);
    m_icones->setResizeMode(QListView::Adjust);
    m_icones->setWrapping(true);
    m_icones->setWordWrap(true);


    connect(m_selection, &QItemSelectionModel::selectionChanged, this,
            &ListeVue::garantirSelection);
    // The selected row follows the current one, whatever moved it (Ctrl with an arrow key
    // moves only the current row of a view).
    connect(m_selection, &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& courant) {
                if (courant.isValid() && !m_selection->isRowSelected(courant.row()))
                    m_selection->select(courant, QItemSelectionModel::ClearAndSelect |
                                                     QItemSelectionModel::Rows);
            });
    connect(m_modele, &QAbstractItemModel::modelReset, this, &ListeVue::garantirSelection);
    connect(m_modele, &QAbstractItemModel::rowsInserted, this, &ListeVue::garantirSelection);
    connect(m_modele, &QAbstractItemModel::rowsRemoved, this, [this] {
        if (m_retiree > 0 && Count() > 0)
            setSelectedIndex(std::min(m_retiree, Count()), false);
        m_retiree = 0;
        garantirSelection();
    });

    m_defilement = new QTimer(this);
    m_defilement->setInterval(0);
    connect(m_defilement, &QTimer::timeout, this, [this] {
        // A batch is laid out between two turns: every row is laid out long before the end.
        if (!m_aDefiler.isValid() || !m_icones->isVisible() || ++m_essaisDefilement > 10000)
            m_defilement->stop();
        else if (toutDispose())
            defilerVers(m_aDefiler);
    });
    setView(0);
}

// The details view, made when first needed (most lists never show it); making it changes
// nothing that the list shows.
QTableView* ListeVue::details() const
{
    if (m_details)
        return m_details;
    auto* moi = const_cast<ListeVue*>(this);
    auto* t = new QTableView;
    m_details = t;
    m_pile->addWidget(t);
    moi->installer(t);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setShowGrid(m_grille);
    t->setWordWrap(false);
    t->setCornerButtonEnabled(false);
    t->verticalHeader()->hide();
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    t->horizontalHeader()->setHighlightSections(false);
    t->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    t->horizontalHeader()->setStretchLastSection(false);
    t->horizontalHeader()->setMinimumSectionSize(0);
    t->setIconSize(QSize(16, 16));
    t->setAccessibleName(m_icones->accessibleName());
    for (auto i = m_largeurs.cbegin(); i != m_largeurs.cend(); ++i)
        t->setColumnWidth(i.key(), i.value());
    moi->m_largeurs.clear();
    return t;
}

void ListeVue::installer(QAbstractItemView* v)
{
    v->setModel(m_modele);
    v->setSelectionModel(m_selection);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setContextMenuPolicy(Qt::DefaultContextMenu);
    v->setTextElideMode(Qt::ElideRight);
    v->installEventFilter(this);
    v->viewport()->installEventFilter(this);
    v->viewport()->setMouseTracking(true);
}

int ListeVue::Count() const
{
    return m_modele->rowCount();
}

QString ListeVue::texte(int i, int colonne) const
{
    return i >= 1 && i <= Count() ? m_modele->texte(i - 1, colonne) : QString();
}

int ListeVue::SelectedIndex() const
{
    const QModelIndexList lignes = m_selection->selectedRows();
    if (!lignes.isEmpty())
        return lignes.constFirst().row() + 1;
    return 0;
}

void ListeVue::setSelectedIndex(int i, bool defiler)
{
    if (i < 1 || i > Count())
        return;
    const QModelIndex index = m_modele->index(i - 1, 0);
    m_selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                            QItemSelectionModel::Rows);
    if (defiler)
        defilerVers(index);
}

bool ListeVue::toutDispose() const
{
    // The last row is laid out with the last batch, and the scroll range set with it.
    const int n = m_modele->rowCount();
    return n == 0 || m_icones->visualRect(m_modele->index(n - 1, 0)).isValid();
}

void ListeVue::defilerVers(const QModelIndex& index)
{
    // Large icons lay out their rows in batches after the first paint: a row not laid out yet
    // is scrolled to once every row is.
    m_aDefiler = index;
    if (vueActive() == m_icones && m_icones->layoutMode() == QListView::Batched &&
        !toutDispose()) {
        m_essaisDefilement = 0;
        m_defilement->start();
        return;
    }
    m_defilement->stop();
    vueActive()->scrollTo(index);
}

void ListeVue::garantirSelection()
{
    if (Count() == 0 || !m_selection->selectedRows().isEmpty())
        return;
    const QModelIndex courant = m_selection->currentIndex();
    // No scrolling here: it would lay out every row at once, and a refilled list starts at
    // its top anyway.
    setSelectedIndex(courant.isValid() ? courant.row() + 1 : 1, false);
}

bool ListeVue::setView(int vue)
{
    if (vue < 0 || vue > 3)
        return false;
    m_vue = vue;
    if (vue == 3) {
        m_pile->setCurrentWidget(details());
    } else {
        m_icones->setViewMode(vue == 0 ? QListView::IconMode : QListView::ListMode);
        m_icones->setIconSize(vue == 0 ? QSize(32, 32) : QSize(16, 16));
        m_icones->setFlow(vue == 2 ? QListView::TopToBottom : QListView::LeftToRight);
        m_icones->setWrapping(true);
        m_icones->setWordWrap(vue == 0);
        const QSize grille = vue == 0   ? QSize(96, 72)
                             : vue == 1 ? QSize(170, fontMetrics().height() + 8)
                                        : QSize();
        m_icones->setGridSize(grille);
        m_icones->setSpacing(vue == 2 ? 2 : 0);
        // Large and small icons sit in a fixed grid: every row is as large as the first one
        // (large icons take their whole cell). The list mode is as wide as each name.
        m_delegue->cellule = vue == 0 ? grille : QSize();
        m_icones->setUniformItemSizes(vue <= 1);
        // Large icons are laid out in batches between event-loop turns, so that a long list
        // shows at once. (In the list mode, batches leave the scroll range short of the end.)
        m_icones->setLayoutMode(vue == 0 ? QListView::Batched : QListView::SinglePass);
        m_pile->setCurrentWidget(m_icones);
    }
    const QModelIndex courant = m_selection->currentIndex();
    if (courant.isValid())
        defilerVers(courant);
    return true;
}

void ListeVue::setGridLines(bool actif)
{
    m_grille = actif;
    if (m_details)
        m_details->setShowGrid(actif);
}

void ListeVue::setHotTracking(bool actif)
{
    m_suivi = actif;
    if (!actif) {
        m_modele->setLigneSurvolee(-1);
        m_icones->viewport()->unsetCursor();
        if (m_details)
            m_details->viewport()->unsetCursor();
    }
}

int ListeVue::largeurColonne(int colonne) const
{
    if (!m_details && m_largeurs.contains(colonne))
        return m_largeurs.value(colonne);
    return details()->columnWidth(colonne);
}

void ListeVue::setLargeurColonne(int colonne, int largeur)
{
    if (largeur < 0)
        return;
    if (m_details)
        m_details->setColumnWidth(colonne, largeur);
    else
        m_largeurs.insert(colonne, largeur);
}

void ListeVue::setNomAccessible(const QString& nom)
{
    setAccessibleName(nom);
    m_icones->setAccessibleName(nom);
    if (m_details)
        m_details->setAccessibleName(nom);
}

QList<int> ListeVue::imagesVisibles() const
{
    QList<int> images;
    const QAbstractItemView* v = vueActive();
    if (!v->isVisible())
        return images;
    const QRect zone = v->viewport()->rect();
    // The rows on screen follow one another, in every mode, from the one at the top left.
    const QModelIndex premiere = v->indexAt(QPoint(1, 1));
    bool dedans = false;
    for (int ligne = premiere.isValid() ? premiere.row() : 0; ligne < Count(); ++ligne) {
        const QRect r = v->visualRect(m_modele->index(ligne, 0));
        if (r.isValid() && r.intersects(zone)) {
            dedans = true;
            if (const int n = m_modele->image(ligne))
                images.append(n);
        } else if (dedans) {
            break;
        }
    }
    return images;
}

QAbstractItemView* ListeVue::vueActive() const
{
    return m_vue == 3 ? static_cast<QAbstractItemView*>(details())
                      : static_cast<QAbstractItemView*>(m_icones);
}

bool ListeVue::eventFilter(QObject* objet, QEvent* evenement)
{
    QAbstractItemView* vue = vueActive();
    const bool surVue = objet == vue;
    const bool surZone = objet == vue->viewport();
    if (!surVue && !surZone)
        return QWidget::eventFilter(objet, evenement);

    auto menuSurLigne = [this, vue] {
        const QModelIndex courant = m_selection->currentIndex();
        QRect r = courant.isValid() ? vue->visualRect(courant) : QRect();
        const QPoint local = r.isValid() && vue->viewport()->rect().intersects(r)
                                 ? r.center()
                                 : QPoint(8, 8);
        emit menuContextuel(vue->viewport()->mapToGlobal(local));
    };

    switch (evenement->type()) {
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(evenement);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            if (Count() > 0)
                emit activation();
            return true;
        }
        if (k->key() == Qt::Key_F10 && k->modifiers() == Qt::ShiftModifier) {
            menuSurLigne();
            return true;
        }
        return QWidget::eventFilter(objet, evenement);
    }
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(evenement);
        if (surZone && m->button() == Qt::RightButton) {
            const QModelIndex index = vue->indexAt(m->position().toPoint());
            if (index.isValid() && index.row() + 1 != SelectedIndex())
                setSelectedIndex(index.row() + 1);
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonDblClick: {
        auto* m = static_cast<QMouseEvent*>(evenement);
        if (surZone && m->button() == Qt::LeftButton &&
            vue->indexAt(m->position().toPoint()).isValid()) {
            emit activation();
            return true;
        }
        return false;
    }
    case QEvent::ContextMenu: {
        auto* c = static_cast<QContextMenuEvent*>(evenement);
        if (c->reason() == QContextMenuEvent::Mouse)
            emit menuContextuel(c->globalPos());
        else
            menuSurLigne();
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_suivi || !surZone)
            return false;
        const QModelIndex index =
            vue->indexAt(static_cast<QMouseEvent*>(evenement)->position().toPoint());
        m_modele->setLigneSurvolee(index.isValid() ? index.row() : -1);
        if (index.isValid()) {
            vue->viewport()->setCursor(Qt::PointingHandCursor);
            if (index.row() + 1 != SelectedIndex()) {
                // The row under the pointer is often half visible: selecting it must not
                // scroll the list, which would bring the next row under the pointer.
                const bool defilement = vue->hasAutoScroll();
                vue->setAutoScroll(false);
                setSelectedIndex(index.row() + 1, false);
                vue->setAutoScroll(defilement);
            }
        } else {
            vue->viewport()->unsetCursor();
        }
        return false;
    }
    case QEvent::Leave:
        if (surZone) {
            m_modele->setLigneSurvolee(-1);
            vue->viewport()->unsetCursor();
        }
        return false;
    default:
        return false;
    }
}

} // namespace lanceron
