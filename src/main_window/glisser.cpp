#include "main_window/glisser.h"

#include "main_window/attente.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "main_window/modeles.h"
#include "main_window/recherche.h"
#include "platform/filtres_applications.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDrag>
#include <QDropEvent>
#include <QFileInfo>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QRubberBand>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace lanceron {

namespace {

bool controle(QChar c)
{
    return c.category() == QChar::Other_Control;
}

QList<QWidget*> zones(const ListeVue* liste)
{
    QList<QWidget*> r;
    for (auto* v : liste->findChildren<QAbstractItemView*>())
        r << v->viewport();
    return r;
}

} // namespace

const QString Glisser::TypeRaccourci = QStringLiteral("application/x-lanceron-raccourci");

Glisser::Glisser(Menu& menu) : QObject(&menu), m_menu(menu)
{
    for (const ListeVue* liste : {menu.List1, menu.List2}) {
        for (QWidget* zone : zones(liste)) {
            zone->setAcceptDrops(true);
            zone->installEventFilter(this);
        }
    }
    // Search results can be dragged onto a rubrique; nothing is dropped on them.
    for (QWidget* zone : zones(menu.recherche().resultats()))
        zone->installEventFilter(this);
    const std::pair<QKeyCombination, int> touches[] = {{Qt::CTRL | Qt::Key_Up, -1},
                                                       {Qt::CTRL | Qt::Key_Down, 1}};
    for (const auto& [touche, pas] : touches) {
        auto* raccourci = new QShortcut(QKeySequence(touche), menu.List2);
        raccourci->setContext(Qt::WidgetWithChildrenShortcut);
        connect(raccourci, &QShortcut::activated, this, [this, p = pas] { decaler(p); });
    }
}

bool Glisser::deposerFichiers(const QString& fichier, const QList<QUrl>& urls)
{
    if (fichier.isEmpty())
        return false;
    if (m_enCours)
        return false;
    // Reading a thousand desktop entries takes a while: off the window's thread.
    QList<Raccourci> nouveaux;
    m_enCours = true;
    attendreSansFiger([&] {
        for (const QUrl& url : urls) {
            const QString chemin = url.toLocalFile();
            if (chemin.isEmpty() || std::any_of(chemin.cbegin(), chemin.cend(), controle))
                continue;
            QString nom = nomApplication(chemin, QFileInfo(chemin).fileName());
            nom.removeIf(controle);
            nouveaux.append({nom, chemin, QStringLiteral("Fenêtre normale"), QString()});
        }
    });
    m_enCours = false;
    if (nouveaux.isEmpty())
        return false;
    return m_menu.Enregistrer_Fichier(m_menu.catalogue().ajouterRaccourcis(fichier, nouveaux));
}

void Glisser::decaler(int pas)
{
    const int i = m_menu.List2->SelectedIndex();
    const int vers = i + pas;
    if (i == 0 || vers < 1 || vers > m_menu.List2->Count())
        return;
    if (m_menu.Enregistrer_Fichier(
            m_menu.catalogue().reordonnerRaccourci(m_menu.rubriqueAffichee(), i - 1, vers - 1)))
        m_menu.List2->setSelectedIndex(vers);
}

void Glisser::deplacerVers(const QString& destination, bool copier)
{
    const int i = m_menu.List2->SelectedIndex();
    if (i == 0 || destination.isEmpty())
        return;
    m_menu.Enregistrer_Fichier(m_menu.catalogue().deplacerRaccourci(m_menu.rubriqueAffichee(),
                                                                    i - 1, destination, copier));
}

void Glisser::Deplacer_Vers_Rubrique()
{
    if (m_menu.List2->SelectedIndex() == 0)
        return;
    QDialog choix(&m_menu);
    choix.setObjectName(QStringLiteral("ChoixRubrique"));
    choix.setWindowTitle(QStringLiteral("Déplacer vers la rubrique"));
    auto* liste = new QListWidget;
    QStringList fichiers;
    for (const Rubrique& r : m_menu.catalogue().rubriques()) {
        if (r.fichier != m_menu.rubriqueAffichee()) {
            liste->addItem(r.nom);
            fichiers << r.fichier;
        }
    }
    if (fichiers.isEmpty())
        return;
    liste->setCurrentRow(0);
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(boutons, &QDialogButtonBox::accepted, &choix, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, &choix, &QDialog::reject);
    connect(liste, &QListWidget::itemActivated, &choix, &QDialog::accept);
    auto* v = new QVBoxLayout(&choix);
    v->addWidget(liste);
    v->addWidget(boutons);
    if (choix.exec() == QDialog::Accepted && liste->currentRow() >= 0)
        deplacerVers(fichiers.at(liste->currentRow()), false);
}

bool Glisser::accepte(const QMimeData* donnees) const
{
    // Nothing is taken while a drop is read or a rubrique written.
    if (m_enCours || m_menu.catalogue().occupe())
        return false;
    return donnees && (donnees->hasFormat(TypeRaccourci) || donnees->hasUrls());
}

QRect Glisser::cibleVisee(QWidget* zone, const QMimeData* donnees, const QPoint& position) const
{
    auto* vue = qobject_cast<QAbstractItemView*>(zone->parentWidget());
    if (!vue || !accepte(donnees) || !zone->acceptDrops())
        return {};
    const QModelIndex ligne = vue->indexAt(position);
    const QString glisse = QString::fromUtf8(donnees->data(TypeRaccourci));
    if (!glisse.isEmpty() && glisse.section(u'\n', 0, 0) != m_menu.catalogue().dossier())
        return {}; // a shortcut of another catalogue
    if (zones(m_menu.List1).contains(zone)) {
        const QString source = glisse.section(u'\n', 1, 1);
        const bool memeRubrique =
            ligne.isValid() && source == m_menu.catalogue().rubriques().value(ligne.row()).fichier;
        return ligne.isValid() && !memeRubrique ? vue->visualRect(ligne) : QRect();
    }
    if (m_menu.rubriqueAffichee().isEmpty())
        return {};
    if (!donnees->hasFormat(TypeRaccourci))
        return zone->rect(); // files: into the rubrique shown
    const int derniere = vue->model()->rowCount() - 1;
    return vue->visualRect(ligne.isValid() ? ligne : vue->model()->index(derniere, 0));
}

void Glisser::marquer(QWidget* zone, const QRect& cadre)
{
    if (cadre.isEmpty()) {
        if (m_marque)
            m_marque->hide();
        return;
    }
    if (!m_marque || m_marque->parentWidget() != zone) {
        delete m_marque;
        m_marque = new QRubberBand(QRubberBand::Rectangle, zone);
        m_marque->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_marque->setGeometry(cadre);
    m_marque->show();
}

bool Glisser::deposer(QWidget* zone, const QMimeData* donnees, const QPoint& position,
                      Qt::KeyboardModifiers touches)
{
    auto* vue = qobject_cast<QAbstractItemView*>(zone->parentWidget());
    if (!vue || !accepte(donnees) || !zone->acceptDrops())
        return false;
    const bool surRubriques = zones(m_menu.List1).contains(zone);
    const int ligne = vue->indexAt(position).row(); // -1: below the rows
    QString cible = m_menu.rubriqueAffichee();
    if (surRubriques) {
        if (ligne < 0)
            return false;
        cible = m_menu.catalogue().rubriques().value(ligne).fichier;
    }
    if (!donnees->hasFormat(TypeRaccourci))
        return deposerFichiers(cible, donnees->urls());

    // Folder, rubrique, row: a shortcut dragged from another catalogue (a second Lanceron on
    // another folder) names rubriques that are not ours and is refused.
    QStringList source = QString::fromUtf8(donnees->data(TypeRaccourci)).split(QLatin1Char('\n'));
    bool ok = false;
    const qsizetype index = source.value(2).toLongLong(&ok);
    if (source.size() != 3 || !ok || source.takeFirst() != m_menu.catalogue().dossier())
        return false;
    if (surRubriques) {
        if (cible == source[0])
            return false;
        return m_menu.Enregistrer_Fichier(m_menu.catalogue().deplacerRaccourci(
            source[0], index, cible, touches.testFlag(Qt::ControlModifier)));
    }
    if (source[0] != cible)
        return false;
    const qsizetype vers = ligne < 0 ? m_menu.List2->Count() - 1 : ligne;
    if (!m_menu.Enregistrer_Fichier(m_menu.catalogue().reordonnerRaccourci(cible, index, vers)))
        return false;
    m_menu.List2->setSelectedIndex(static_cast<int>(vers) + 1);
    return true;
}

QMimeData* Glisser::donneesGlissees(bool depuisResultats)
{
    // A search result is dragged from its own rubrique, as its commands act there.
    if (depuisResultats && !m_menu.recherche().placer())
        return nullptr;
    const int i = m_menu.List2->SelectedIndex();
    if (i == 0)
        return nullptr;
    auto* donnees = new QMimeData;
    donnees->setData(
        TypeRaccourci,
        (m_menu.catalogue().dossier() + QLatin1Char('\n') + m_menu.rubriqueAffichee() +
         QLatin1Char('\n') + QString::number(i - 1))
            .toUtf8());
    return donnees;
}

void Glisser::commencerGlisser(bool depuisResultats)
{
    QMimeData* donnees = donneesGlissees(depuisResultats);
    if (!donnees)
        return;
    auto* glisser = new QDrag(m_menu.List2);
    glisser->setMimeData(donnees);
    glisser->setPixmap(
        m_menu.raccourcis().icone(m_menu.List2->SelectedIndex() - 1).pixmap(32, 32));
    glisser->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

bool Glisser::eventFilter(QObject* objet, QEvent* evenement)
{
    auto* zone = qobject_cast<QWidget*>(objet);
    if (!zone)
        return false;
    switch (evenement->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* e = static_cast<QDropEvent*>(evenement);
        // The row or the list that would receive the drop is outlined; elsewhere the drop is
        // refused, so that the pointer says it.
        const QRect cadre = cibleVisee(zone, e->mimeData(), e->position().toPoint());
        marquer(zone, cadre);
        if (evenement->type() == QEvent::DragEnter ? !accepte(e->mimeData()) : cadre.isEmpty()) {
            e->ignore(); // entering accepted, the moves over the zone say where it may go
            return true;
        }
        e->setDropAction(e->modifiers().testFlag(Qt::ControlModifier) ? Qt::CopyAction
                                                                      : Qt::MoveAction);
        e->accept();
        return true;
    }
    case QEvent::DragLeave:
        marquer(zone, {});
        return false;
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(evenement);
        marquer(zone, {});
        if (deposer(zone, e->mimeData(), e->position().toPoint(), e->modifiers()))
            e->acceptProposedAction();
        else
            e->ignore();
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(evenement);
        m_depuisResultats = zones(m_menu.recherche().resultats()).contains(zone);
        m_appui = m->button() == Qt::LeftButton &&
                  (m_depuisResultats || zones(m_menu.List2).contains(zone));
        m_depart = m->position().toPoint();
        return false;
    }
    case QEvent::MouseButtonRelease:
        m_appui = false;
        return false;
    case QEvent::MouseMove: {
        auto* m = static_cast<QMouseEvent*>(evenement);
        if (m_appui && m->buttons().testFlag(Qt::LeftButton) &&
            (m->position().toPoint() - m_depart).manhattanLength() >=
                QApplication::startDragDistance()) {
            m_appui = false;
            commencerGlisser(m_depuisResultats);
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

} // namespace lanceron
