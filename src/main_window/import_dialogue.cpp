#include "main_window/import_dialogue.h"

#include "main_window/menu.h"
#include "platform/prompts.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace lanceron {

ImportDialogue::ImportDialogue(const QList<GroupeImport>& groupes, QWidget* parent)
    : QDialog(parent), m_groupes(groupes), m_liste(new QListWidget)
{
    setObjectName(QStringLiteral("ImportDialogue"));
    setWindowTitle(QStringLiteral("Importer les applications installées"));
    auto* v = new QVBoxLayout(this);
    auto* texte = new QLabel(QStringLiteral(
        "Les applications installées sont rangées par rubrique. Cochez les rubriques à "
        "importer : celles qui manquent sont créées, et seuls les logiciels absents de vos "
        "rubriques sont ajoutés."));
    texte->setWordWrap(true);
    v->addWidget(texte);
    for (const GroupeImport& g : groupes) {
        auto* item = new QListWidgetItem(
            QStringLiteral("%1 (%2)").arg(g.rubrique).arg(g.raccourcis.size()), m_liste);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Checked);
    }
    m_liste->setAccessibleName(QStringLiteral("Rubriques à importer"));
    v->addWidget(m_liste, 1);
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    v->addWidget(boutons);
    resize(420, 360);
}

QList<GroupeImport> ImportDialogue::choisis() const
{
    QList<GroupeImport> r;
    for (int i = 0; i < m_liste->count(); ++i) {
        if (m_liste->item(i)->checkState() == Qt::Checked)
            r.append(m_groupes.at(i));
    }
    return r;
}

void Importer_Applications(Menu& menu)
{
    const QList<GroupeImport> groupes =
        grouperApplications(applicationsInstallees(), programmesPresents(menu.catalogue()));
    if (groupes.isEmpty()) {
        menu.services().prompts->message(
            &menu,
            QStringLiteral("Toutes les applications installées figurent déjà dans vos rubriques."),
            QStringLiteral("Information"), IconeMessage::Information, BoutonsMessage::Ok);
        return;
    }
    ImportDialogue dialogue(groupes, &menu);
    if (dialogue.exec() != QDialog::Accepted)
        return;
    const QList<GroupeImport> choisis = dialogue.choisis();
    if (choisis.isEmpty())
        return;

    QProgressDialog progres(QStringLiteral("Importation des applications…"), QString(), 0,
                            static_cast<int>(choisis.size()), &menu);
    progres.setWindowTitle(QStringLiteral("Importer les applications installées"));
    progres.setWindowModality(Qt::WindowModal);
    progres.setMinimumDuration(500);
    int ajoutes = 0;
    const Resultat r = importer(menu.catalogue(), choisis, &ajoutes, [&](int faits) {
        progres.setValue(faits);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    progres.reset();
    menu.Enregistrer_Fichier(r);
    const qsizetype premiere = menu.catalogue().indexNom(choisis.constFirst().rubrique);
    menu.Actualiser_Rubrique(premiere >= 0 ? menu.catalogue().rubriques()[premiere].fichier
                                           : QString());
}

} // namespace lanceron
