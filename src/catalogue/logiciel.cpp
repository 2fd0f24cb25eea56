#include "catalogue/logiciel.h"

#include "catalogue/ajouter.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "platform/prompts.h"
#include "platform/shell.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace lanceron {

void Ajouter_Logiciel(Menu& menu)
{
    if (menu.List1->Count() == 0)
        return;
    menu.ajouter()->exec();
}

void Modifier_Logiciel(Menu& menu)
{
    const int i = menu.List2->SelectedIndex();
    if (i == 0)
        return;
    const ElementListe ligne = menu.List2->Item(i);
    const QString etat = ligne.sousElements.value(1);

    Ajouter* editeur = menu.ajouter();
    editeur->setWindowTitle(QStringLiteral("Modifier le raccourci '") + ligne.texte +
                            QLatin1Char('\''));
    editeur->Command1[1]->setText(QStringLiteral("Modifier"));
    editeur->Command1[1]->setToolTip(QStringLiteral("Modifier le raccourci"));
    editeur->Text1->setText(ligne.texte);
    editeur->Text2->setText(ligne.sousElements.value(0));
    editeur->Text3->setText(ligne.sousElements.value(2));
    // Only the first letter counts, in capitals; anything else keeps "Fenêtre normale".
    if (etat.startsWith(QLatin1Char('F')))
        editeur->Combo1->setCurrentIndex(0);
    if (etat.startsWith(QLatin1Char('R')))
        editeur->Combo1->setCurrentIndex(1);
    if (etat.startsWith(QLatin1Char('A')))
        editeur->Combo1->setCurrentIndex(2);
    editeur->exec();
}

void Supprimer_Logiciel(Menu& menu)
{
    const int i = menu.List2->SelectedIndex();
    if (i == 0)
        return;
    const QString nom = menu.List2->Item(i).texte;
    const Reponse r = menu.services().prompts->message(
        &menu,
        QStringLiteral("Souhaitez-vous vraiment supprimer ce raccourci de la rubrique ") +
            menu.rubriqueSelectionnee() + QStringLiteral(" ?"),
        QStringLiteral("Suppression du raccourci '") + nom + QLatin1Char('\''),
        IconeMessage::Question, BoutonsMessage::OuiNon);
    if (r != Reponse::Oui)
        return;
    menu.List2->Remove(i);
    menu.Enregistrer_Fichier();
}

void Proprietes_Logiciel(Menu& menu)
{
    const int i = menu.List2->SelectedIndex();
    if (i == 0)
        return;
    menu.services().shell->proprietes(&menu, menu.List2->Item(i).sousElements.value(0));
}

} // namespace lanceron
