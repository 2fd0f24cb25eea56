#include "main_window/export.h"

#include "main_window/export_texte.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "platform/dossier_application.h"
#include "platform/prompts.h"

#include <QSaveFile>

namespace lanceron {

void Export_TXT(Menu& menu)
{
    DialogueFichier dialogue;
    dialogue.titre = QStringLiteral("Exporter au format Texte");
    dialogue.filtres = {{QStringLiteral("Fichier texte (*.txt)"), QStringLiteral("*.txt")}};
    dialogue.filtreChoisi = 0;
    dialogue.dossierInitial = dossierExport(menu.dossierApplication());
    dialogue.nomInitial = menu.rubriqueSelectionnee();
    dialogue.confirmerRemplacement = true;
    const QString chemin = menu.services().prompts->enregistrerFichier(&menu, dialogue);
    if (chemin.isEmpty())
        return;

    // Every rubrique is loaded in turn, as a click on it does: the last one stays shown.
    QList<RubriqueExportee> rubriques;
    const int nombre = menu.List1->Count();
    for (int n = 1; n <= nombre; ++n) {
        menu.List1->setSelectedIndex(n);
        menu.List1_Click();
        RubriqueExportee rubrique{menu.List1->Item(n).texte, {}};
        for (const ElementListe& ligne : menu.List2->elements())
            rubrique.raccourcis.append({ligne.texte, ligne.sousElements.value(0), {}, {}});
        rubriques.append(rubrique);
    }

    // Written whole or not at all: a failure leaves an existing file as it was.
    const QByteArray octets = octetsExport(rubriques);
    QSaveFile fichier(chemin);
    if (fichier.open(QIODevice::WriteOnly) && fichier.write(octets) == octets.size() &&
        fichier.commit())
        return;
    menu.services().prompts->message(
        &menu,
        QStringLiteral("L'export n'a pas pu être écrit dans « %1 ».\n\n%2")
            .arg(chemin, fichier.errorString()),
        QStringLiteral("Attention"), IconeMessage::Avertissement, BoutonsMessage::Ok);
}

} // namespace lanceron
