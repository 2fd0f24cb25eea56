#pragma once
// Every dialog that asks the user something goes through Prompts, so that tests can script
// the answers. PromptsQt shows real dialogs.

#include <QString>
#include <QList>

class QWidget;

namespace lanceron {

enum class IconeMessage { Information, Question, Avertissement };
enum class BoutonsMessage { Ok, OuiNon }; // OuiNon: "Non" is the default button
enum class Reponse { Ok, Oui, Non };

struct FiltreFichier {
    QString libelle; // "Fichier EXE"
    QString motifs;  // "*.exe"
    // Text of the entry as the file dialog shows it: "Fichier EXE (*.exe)".
    QString texte() const;
};

struct DialogueFichier {
    QString titre;
    QList<FiltreFichier> filtres;
    int filtreChoisi = 0;     // index in filtres
    QString dossierInitial;   // may be the full path of a file: its folder is used
    QString nomInitial;       // proposed file name (save dialog)
    bool confirmerRemplacement = true; // save dialog: ask before replacing a file
};

class Prompts {
public:
    virtual ~Prompts() = default;
    // Modal message box; returns the button chosen (Non when closed with OuiNon).
    virtual Reponse message(QWidget* parent, const QString& texte, const QString& titre,
                            IconeMessage icone, BoutonsMessage boutons) = 0;
    // Modal text-input box: the text as edited on OK, "" on cancel.
    virtual QString saisie(QWidget* parent, const QString& invite, const QString& titre,
                           const QString& defaut) = 0;
    // File dialogs: the chosen full path, "" on cancel.
    virtual QString ouvrirFichier(QWidget* parent, const DialogueFichier& d) = 0;
    virtual QString enregistrerFichier(QWidget* parent, const DialogueFichier& d) = 0;
};

// The real dialogs.
class PromptsQt final : public Prompts {
public:
    Reponse message(QWidget* parent, const QString& texte, const QString& titre, IconeMessage icone,
                    BoutonsMessage boutons) override;
    QString saisie(QWidget* parent, const QString& invite, const QString& titre,
                   const QString& defaut) override;
    QString ouvrirFichier(QWidget* parent, const DialogueFichier& d) override;
    QString enregistrerFichier(QWidget* parent, const DialogueFichier& d) override;
};

} // namespace lanceron
