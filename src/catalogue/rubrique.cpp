#include "catalogue/rubrique.h"

#include "catalogue/nom_rubrique.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "platform/fichiers.h"
#include "platform/prompts.h"
#include "storage/rubrique_fichier.h"

#include <QFileInfo>

namespace lanceron {

namespace {

QString cheminRubrique(const Menu& menu, const QString& nom)
{
    return menu.dossierRubriques() + QLatin1Char('/') + nom + QStringLiteral(".ini");
}

// The row of List1 that lists the rubrique `nom`, 0 when none. A row's data is its real
// file name, whose extension may be written in any case ("JEUX.INI").
int ligneRubrique(const ListeVue& liste, const QString& nom)
{
    for (int i = 1; i <= liste.Count(); ++i) {
        if (liste.Item(i).donnee.chopped(4) == nom)
            return i;
    }
    return 0;
}

// Actualiser_Rubrique, selecting the rubrique `nom` when it is listed rather than the first.
void actualiserSur(Menu& menu, const QString& nom)
{
    menu.Affiche_Rubrique();
    if (const int i = ligneRubrique(*menu.List1, nom))
        menu.List1->setSelectedIndex(i);
    menu.List1_Click();
}

void informer(Menu& menu, const QString& texte)
{
    menu.services().prompts->message(&menu, texte, QStringLiteral("Information"),
                                     IconeMessage::Information, BoutonsMessage::Ok);
}

// A name that cannot be a file name of the folder is refused, with the reason.
bool nomAccepte(Menu& menu, const QString& nom)
{
    const QString refus = refusNomRubrique(nom);
    if (!refus.isEmpty())
        informer(menu, refus);
    return refus.isEmpty();
}

} // namespace

void Creer_Rubrique(Menu& menu)
{
    const QString nom = menu.services().prompts->saisie(
        &menu, QStringLiteral("Donnez un nom explicite pour votre nouvelle rubrique.\r\r"),
        QStringLiteral("Création d'une nouvelle rubrique..."),
        QStringLiteral("Rubrique n°") + QString::number(menu.List1->Count() + 1));
    if (nom.isEmpty() || !nomAccepte(menu, nom))
        return;

    // A rubrique of that name keeps its shortcuts: it is simply selected.
    const QString chemin = cheminRubrique(menu, nom);
    if (ligneRubrique(*menu.List1, nom) == 0 && !QFileInfo::exists(chemin)) {
        menu.List2->Clear();
        QString erreur;
        if (!Ecrire_Rubrique(chemin, {}, &erreur))
            menu.services().prompts->message(
                &menu,
                QStringLiteral("La rubrique « %1 » n'a pas pu être créée.\n\n%2").arg(nom, erreur),
                QStringLiteral("Attention"), IconeMessage::Avertissement, BoutonsMessage::Ok);
    }
    actualiserSur(menu, nom);
}

void Renommer_Rubrique(Menu& menu)
{
    const int ligne = menu.List1->SelectedIndex();
    if (ligne == 0)
        return;
    const QString ancien = menu.List1->Item(ligne).texte;
    const QString fichier = menu.List1->Item(ligne).donnee;
    if (ancien.isEmpty())
        return;
    const QString nouveau = menu.services().prompts->saisie(
        &menu, QStringLiteral("Donnez un nom explicite pour votre rubrique.\r\r"),
        QStringLiteral("Renommer une rubrique"), ancien);
    if (nouveau.isEmpty())
        return;

    QString nomFinal = ancien;
    if (nouveau != ancien) {
        if (!nomAccepte(menu, nouveau))
            return;
        // Another rubrique listed under that name with its extension in capitals counts too.
        ResultatRenommage r{ResultatRenommage::Issue::NomPris, {}};
        if (ligneRubrique(*menu.List1, nouveau) == 0)
            r = renommerSansRemplacer(menu.dossierRubriques() + QLatin1Char('/') + fichier,
                                      cheminRubrique(menu, nouveau));
        switch (r.issue) {
        case ResultatRenommage::Issue::Fait:
            nomFinal = nouveau;
            break;
        case ResultatRenommage::Issue::NomPris:
            informer(menu, QStringLiteral("Une rubrique nommée « %1 » existe déjà.").arg(nouveau));
            break;
        case ResultatRenommage::Issue::Absent:
            informer(menu, QStringLiteral("La rubrique « %1 » n'existe plus.").arg(ancien));
            break;
        case ResultatRenommage::Issue::Echec:
            informer(menu, QStringLiteral("La rubrique « %1 » n'a pas pu être renommée : %2")
                               .arg(ancien, r.raison));
            break;
        }
    }
    actualiserSur(menu, nomFinal);
}

void Supprimer_Rubrique(Menu& menu)
{
    const QString nom = menu.rubriqueSelectionnee();
    if (nom.isEmpty())
        return;
    const QString fichier = menu.fichierRubriqueSelectionnee();
    const Reponse r = menu.services().prompts->message(
        &menu, QStringLiteral("Souhaitez-vous vraiment supprimer cette rubrique ?"),
        QStringLiteral("Suppression de la rubrique '") + nom + QLatin1Char('\''),
        IconeMessage::Question, BoutonsMessage::OuiNon);
    if (r != Reponse::Oui || !mettreALaCorbeille(fichier))
        return;
    menu.List2->Clear();
    menu.Actualiser_Rubrique();
}

} // namespace lanceron
