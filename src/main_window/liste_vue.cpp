#include "main_window/liste_vue.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace lanceron {

// ---------------------------------------------------------------------------- ModeleListe

ModeleListe::ModeleListe(const QStringList& entetes, QObject* parent)
    : QAbstractTableModel(parent), m_entetes(entetes)
{
}

int ModeleListe::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_elements.size());
}

int ModeleListe::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entetes.size());
}

QVariant ModeleListe::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_elements.size())
        return {};
    const ElementListe& e = m_elements[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return index.column() == 0 ? e.texte : e.sousElements.value(index.column() - 1);
    case Qt::DecorationRole:
        if (index.column() == 0 && e.image > 0 && m_icones)
            return m_icones(e.image);
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

void ModeleListe::remplacer(QList<ElementListe> elements)
{
    beginResetModel();
    m_elements = std::move(elements);
    m_survolee = -1;
    endResetModel();
}

void ModeleListe::ajouter(ElementListe e)
{
    const int ligne = static_cast<int>(m_elements.size());
    beginInsertRows({}, ligne, ligne);
    m_elements.append(std::move(e));
    endInsertRows();
}

void ModeleListe::retirer(int ligne)
{
    beginRemoveRows({}, ligne, ligne);
    m_elements.removeAt(ligne);
    if (m_survolee >= m_elements.size())
        m_survolee = -1;
    endRemoveRows();
}

void ModeleListe::modifier(int ligne, const ElementListe& e)
{
    m_elements[ligne] = e;
    emit dataChanged(index(ligne, 0), index(ligne, columnCount() - 1));
}

void ModeleListe::setLigneSurvolee(int ligne)
{
    if (ligne == m_survolee)
        return;
    const int ancienne = m_survolee;
    m_survolee = ligne;
    for (int l : {ancienne, ligne}) {
        if (l >= 0 && l < m_elements.size())
            emit dataChanged(index(l, 0), index(l, columnCount() - 1),
                             {Qt::FontRole, Qt::ForegroundRole});
    }
}

// ------------------------------------------------------------------------------ ListeVue

ListeVue::ListeVue(const QStringList& entetes, QWidget* parent)
    : QWidget(parent), m_modele(new ModeleListe(entetes, this)),
      m_selection(new QItemSelectionModel(m_modele, this)), m_pile(new QStackedWidget(this)),
      m_icones(new QListView), m_details(new QTableView)
{
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(m_pile);
    m_pile->addWidget(m_icones);
    m_pile->addWidget(m_details);

    for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(m_icones),
                                 static_cast<QAbstractItemView*>(m_details)})
        installer(v);

    m_icones->setMovement(QListView::Static);
    m_icones->setResizeMode(QListView::Adjust);
    m_icones->setWrapping(true);
    m_icones->setWordWrap(true);
    m_icones->setUniformItemSizes(false);

    m_details->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_details->setShowGrid(false);
    m_details->setWordWrap(false);
    m_details->setCornerButtonEnabled(false);
    m_details->verticalHeader()->hide();
    m_details->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_details->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_details->horizontalHeader()->setHighlightSections(false);
    m_details->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_details->horizontalHeader()->setStretchLastSection(false);
    m_details->horizontalHeader()->setMinimumSectionSize(0);
    m_details->setIconSize(QSize(16, 16));

    connect(m_selection, &QItemSelectionModel::selectionChanged, this,
            &ListeVue::garantirSelection);
    connect(m_modele, &QAbstractItemModel::modelReset, this, &ListeVue::garantirSelection);

    setView(0);
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

int ListeVue::Add(const QString& texte, int image, const QStringList& sousElements,
                  const QString& donnee)
{
    m_modele->ajouter({texte, sousElements, image, donnee});
    garantirSelection();
    return Count();
}

void ListeVue::Clear()
{
    m_modele->remplacer({});
}

void ListeVue::Remove(int i)
{
    if (i < 1 || i > Count())
        return;
    const int selection = SelectedIndex();
    m_modele->retirer(i - 1);
    if (Count() > 0 && (selection == i || selection == 0))
        setSelectedIndex(std::min(i, Count()));
}

void ListeVue::remplacer(QList<ElementListe> elements)
{
    m_modele->remplacer(std::move(elements));
}

const ElementListe& ListeVue::Item(int i) const
{
    return m_modele->elements().at(i - 1);
}

void ListeVue::modifier(int i, const ElementListe& e)
{
    if (i >= 1 && i <= Count())
        m_modele->modifier(i - 1, e);
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
        m_pile->setCurrentWidget(m_details);
    } else {
        m_icones->setViewMode(vue == 0 ? QListView::IconMode : QListView::ListMode);
        m_icones->setIconSize(vue == 0 ? QSize(32, 32) : QSize(16, 16));
        m_icones->setFlow(vue == 2 ? QListView::TopToBottom : QListView::LeftToRight);
        m_icones->setWrapping(true);
        m_icones->setWordWrap(vue == 0);
        m_icones->setGridSize(vue == 0   ? QSize(96, 72)
                              : vue == 1 ? QSize(170, fontMetrics().height() + 8)
                                         : QSize());
        m_icones->setSpacing(vue == 2 ? 2 : 0);
        m_pile->setCurrentWidget(m_icones);
    }
    const QModelIndex courant = m_selection->currentIndex();
    if (courant.isValid())
        vueActive()->scrollTo(courant);
    return true;
}

void ListeVue::setGridLines(bool actif)
{
    m_grille = actif;
    m_details->setShowGrid(actif);
}

void ListeVue::setHotTracking(bool actif)
{
    m_suivi = actif;
    if (!actif) {
        m_modele->setLigneSurvolee(-1);
        m_icones->viewport()->unsetCursor();
        m_details->viewport()->unsetCursor();
    }
}

int ListeVue::largeurColonne(int colonne) const
{
    return m_details->columnWidth(colonne);
}

void ListeVue::setLargeurColonne(int colonne, int largeur)
{
    if (largeur >= 0)
        m_details->setColumnWidth(colonne, largeur);
}

void ListeVue::setFournisseurIcones(std::function<QIcon(int)> f)
{
    m_modele->setFournisseurIcones(std::move(f));
}

QAbstractItemView* ListeVue::vueActive() const
{
    return m_vue == 3 ? static_cast<QAbstractItemView*>(m_details)
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
            emit clic();
            if (Count() > 0)
                emit activation();
            return true;
        }
        if (k->key() == Qt::Key_F10 && k->modifiers() == Qt::ShiftModifier) {
            menuSurLigne();
            return true;
        }
        const bool traite = QWidget::eventFilter(objet, evenement);
        // Let the view move the selection first, then report the key.
        QMetaObject::invokeMethod(this, &ListeVue::clic, Qt::QueuedConnection);
        return traite;
    }
    case QEvent::KeyRelease:
        emit clic();
        return false;
    case QEvent::MouseButtonRelease:
        if (surZone && static_cast<QMouseEvent*>(evenement)->button() == Qt::LeftButton)
            QMetaObject::invokeMethod(this, &ListeVue::clic, Qt::QueuedConnection);
        return false;
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(evenement);
        if (surZone && m->button() == Qt::RightButton) {
            const QModelIndex index = vue->indexAt(m->position().toPoint());
            if (index.isValid() && index.row() + 1 != SelectedIndex()) {
                setSelectedIndex(index.row() + 1);
                emit clic();
            }
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
            if (index.row() + 1 != SelectedIndex())
                setSelectedIndex(index.row() + 1);
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
