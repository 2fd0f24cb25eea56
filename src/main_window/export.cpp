#include "main_window/export.h"

#include "main_window/export_texte.h"
#include "catalogue/catalogue.h"
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

    // Every rubrique in list order, each read from its file; the last one is shown afterwards.
    QList<RubriqueExportee> rubriques;
    const QList<Rubrique> liste = menu.catalogue().rubriques();
    for (const Rubrique& r : liste)
        rubriques.append({r.nom, menu.catalogue().lire(r.fichier)});
    menu.List1->setSelectedIndex(menu.List1->Count());

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
