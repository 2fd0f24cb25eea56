#include "edition/rubrique.h"

#include "catalogue/catalogue.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "platform/prompts.h"

namespace lanceron {

namespace {

void informer(Menu& menu, const Resultat& r)
{
    menu.services().prompts->message(&menu, r.raison, QStringLiteral("Information"),
                                     IconeMessage::Information, BoutonsMessage::Ok);
}

} // namespace

void Creer_Rubrique(Menu& menu)
{
    const QString nom = menu.services().prompts->saisie(
        &menu, QStringLiteral("Donnez un nom explicite pour votre nouvelle rubrique.\r\r"),
        QStringLiteral("Création d'une nouvelle rubrique..."),
        QStringLiteral("Rubrique n°") + QString::number(menu.List1->Count() + 1));
    if (nom.isEmpty())
        return;
    QString fichier;
    const Resultat r = menu.catalogue().creerRubrique(nom, &fichier);
    if (r.issue == Resultat::Issue::Refuse)
        return informer(menu, r);
    menu.Enregistrer_Fichier(r);
    // The new rubrique, or the one of that name with its shortcuts, is selected.
    menu.Actualiser_Rubrique(r.fait() ? fichier : QString());
}

void Renommer_Rubrique(Menu& menu)
{
    const QString ancien = menu.rubriqueSelectionnee();
    const QString fichier = menu.fichierRubriqueSelectionnee();
    if (ancien.isEmpty())
        return;
    const QString nouveau = menu.services().prompts->saisie(
        &menu, QStringLiteral("Donnez un nom explicite pour votre rubrique.\r\r"),
        QStringLiteral("Renommer une rubrique"), ancien);
    if (nouveau.isEmpty())
        return;
    QString nouveauFichier;
    const Resultat r = menu.catalogue().renommerRubrique(fichier, nouveau, &nouveauFichier);
    if (!r.fait())
        informer(menu, r);
    menu.Actualiser_Rubrique(nouveauFichier);
}

void Supprimer_Rubrique(Menu& menu)
{
    const QString nom = menu.rubriqueSelectionnee();
    const QString fichier = menu.fichierRubriqueSelectionnee();
    if (nom.isEmpty())
        return;
    const Reponse reponse = menu.services().prompts->message(
        &menu, QStringLiteral("Souhaitez-vous vraiment supprimer cette rubrique ?"),
        QStringLiteral("Suppression de la rubrique '") + nom + QLatin1Char('\''),
        IconeMessage::Question, BoutonsMessage::OuiNon);
    // A rubrique that cannot be deleted (already gone, protected) stays as it is, silently.
    if (reponse != Reponse::Oui || !menu.catalogue().supprimerRubrique(fichier).fait())
        return;
    menu.Actualiser_Rubrique();
}

} // namespace lanceron
