#pragma once
// Shared test helpers: temporary folders under the build tree, scripted prompts.

#include "main_window/menu.h"
#include "platform/icon_source.h"
#include "platform/prompts.h"
#include "platform/services.h"
#include "platform/shell.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace lanceron::test {

// A fresh empty folder for one test, under LANCERON_TEST_TMP (never the user's home),
// removed with the object.
class DossierTest {
public:
    DossierTest();
    bool isValid() const { return m_dir.isValid(); }
    QString chemin() const { return m_dir.path(); }
    QString fichier(const QString& nom) const { return m_dir.filePath(nom); }

private:
    QTemporaryDir m_dir;
};

QByteArray lireOctets(const QString& chemin);
void ecrireOctets(const QString& chemin, const QByteArray& octets);

// Prompts whose answers the test queues in advance; every call is recorded.
class PromptsScriptes final : public Prompts {
public:
    struct Appel {
        QString sorte; // "message", "saisie", "ouvrir", "enregistrer"
        QString texte; // message text or input prompt
        QString titre;
        IconeMessage icone = IconeMessage::Information;
        BoutonsMessage boutons = BoutonsMessage::Ok;
        QString defaut; // pre-filled input text
        DialogueFichier dialogue;
    };

    QList<Reponse> reponses;   // answers to message(); Ok or Non when empty
    QList<QString> saisies;    // answers to saisie(); "" (cancel) when empty
    QList<QString> fichiers;   // answers to the file dialogs; "" (cancel) when empty
    QList<Appel> appels;

    Reponse message(QWidget*, const QString& texte, const QString& titre, IconeMessage icone,
                    BoutonsMessage boutons) override;
    QString saisie(QWidget*, const QString& invite, const QString& titre,
                   const QString& defaut) override;
    QString ouvrirFichier(QWidget*, const DialogueFichier& d) override;
    QString enregistrerFichier(QWidget*, const DialogueFichier& d) override;
};

// A shell that records what it is asked and starts nothing.
class ShellFactice final : public Shell {
public:
    struct Lancement {
        QString programme;
        QString commande;
        Affichage affichage;
    };
    QList<Lancement> lancements;
    QStringList adresses;
    QStringList proprietesDemandees;
    ResultatLancement resultat{true, {}};

    ResultatLancement lancer(const QString& programme, const QString& commande,
                             Affichage affichage) override;
    bool ouvrirAdresse(const QString& adresse) override;
    void proprietes(QWidget*, const QString& chemin) override;
};

// Icons without touching any file: a path holding "propre" has its own icon (a red square),
// anything else falls back on the associated icon (a blue square), except paths holding
// "aucune", which get none at all.
class SourceIconesFactice final : public IconSource {
public:
    int appelsPropre = 0;
    int appelsAssociee = 0;
    IconeExtraite iconePropre(const QString& chemin) override;
    IconeExtraite iconeAssociee(const QString& chemin) override;
};

// Services made of the fakes above.
struct ServicesFactices {
    PromptsScriptes prompts;
    ShellFactice shell;
    SourceIconesFactice icones;
    Services services() { return {&prompts, &shell, &icones, nullptr}; }
};

// A main window over a temporary application folder, with the fake services.
struct BancMenu {
    DossierTest dossier;
    ServicesFactices services;
    std::unique_ptr<Menu> menu;

    // Creates the window and runs its start-up; `commeLeProgramme`: as the program does, the
    // shortcut list filled after the first frame.
    void demarrer(bool commeLeProgramme = false);
    QString rubriques() const { return dossier.fichier(QStringLiteral("Rubriques")); }
    QString fichierRubrique(const QString& nom) const
    {
        return rubriques() + QLatin1Char('/') + nom + QStringLiteral(".ini");
    }
    QString reglages() const { return dossier.fichier(QStringLiteral("Lanceron.ini")); }
    // The texts of a list's rows.
    static QStringList textes(const ListeVue* liste);
};

// Writes a rubrique file "<dossierApplication>/Rubriques/<nom>.ini" with the given shortcuts
// (name, path, state, command line, four texts per shortcut).
void ecrireRubrique(const QString& dossierApplication, const QString& nom,
                    const QList<QStringList>& raccourcis);

} // namespace lanceron::test
