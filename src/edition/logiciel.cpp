#include "edition/logiciel.h"

#include "catalogue/catalogue.h"
#include "edition/ajouter.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "main_window/modeles.h"
#include "platform/prompts.h"
#include "platform/shell.h"

namespace lanceron {

void Ajouter_Logiciel(Menu& menu)
{
    if (menu.List1->Count() == 0 || menu.rubriqueAffichee().isEmpty())
        return;
    menu.ajouter()->exec();
}

void Modifier_Logiciel(Menu& menu)
{
    const int i = menu.List2->SelectedIndex();
    if (i == 0)
        return;
    Ajouter* editeur = menu.ajouter();
    editeur->preparerModification(i - 1);
    editeur->exec();
}

void Supprimer_Logiciel(Menu& menu)
{
    const int i = menu.List2->SelectedIndex();
    if (i == 0)
        return;
    const QString fichier = menu.rubriqueAffichee();
    const QString nom = menu.raccourcis().raccourci(i - 1).Nom;
    const Reponse r = menu.services().prompts->message(
        &menu,
        QStringLiteral("Souhaitez-vous vraiment supprimer ce raccourci de la rubrique ") +
            Catalogue::nomDe(fichier) + QStringLiteral(" ?"),
        QStringLiteral("Suppression du raccourci '") + nom + QLatin1Char('\''),
        IconeMessage::Question, BoutonsMessage::OuiNon);
    if (r != Reponse::Oui)
        return;
    menu.Enregistrer_Fichier(menu.catalogue().supprimerRaccourci(fichier, i - 1));
}

void Proprietes_Logiciel(Menu& menu)
{
    const int i = menu.List2->SelectedIndex();
    if (i == 0)
        return;
    menu.services().shell->proprietes(&menu, menu.raccourcis().raccourci(i - 1).Dossier);
}

} // namespace lanceron
