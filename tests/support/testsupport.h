#pragma once
// Shared test helpers: temporary folders under the build tree, scripted prompts.

#include "platform/prompts.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

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

} // namespace lanceron::test
