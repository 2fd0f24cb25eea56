#pragma once
// What starting a shortcut's program means, decided without starting anything: the show
// command, the kind of file, the program, its arguments and its working folder.
//
// The program path and the command line stay two separate values all the way, and the
// command line is split into arguments without any shell: no text stored in a rubrique
// (quotes, ";", "$(...)", backquotes, blanks) can ever run a shell command.

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace lanceron {

class DesktopEntry;

// Show commands, numbered as the Windows show-window commands.
enum class Affichage { Cachee = 0, Normale = 1, Reduite = 2, Agrandie = 3 };

struct ResultatLancement {
    bool ok = false;
    QString erreur; // in French, the reason when ok is false
};

// The show command that the stored window state `Executer` asks for: its first character,
// case-sensitive, "F" normal, "R" minimised, "A" maximised, anything else or nothing hidden.
Affichage affichagePour(const QString& executer);

struct PlanLancement {
    enum class Sorte {
        EntreeBureau, // a .desktop application: `programme` and `arguments` come from its Exec
        Executable,   // an executable file, started with the command line's arguments
        Document,     // any other file (a document, a .exe for Wine): opened by its application
        Dossier,      // a folder: opened by the file manager
        Refuse        // nothing can be started; `erreur` says why
    };
    Sorte sorte = Sorte::Refuse;
    QString programme;     // EntreeBureau, Executable: the program to start
    QStringList arguments; // EntreeBureau, Executable
    QString dossier;       // the working folder
    QUrl document;         // Document, Dossier: the local file's URL
    QString erreur;        // Refuse: short French reason ("fichier introuvable")
};

// The plan for `programme` (full path of the shortcut's file) with `commande` (its command
// line, split by QProcess::splitCommand). A .desktop application runs in its Path=, else in
// the home folder; everything else in the file's own folder. `terminal` is the terminal
// emulator used for a .desktop entry with Terminal=true ("" when there is none: the program
// is then started directly).
PlanLancement planLancement(const QString& programme, const QString& commande,
                            const QString& terminal = {});

// The program and its arguments from the Exec line of `entree` (read from `cheminEntree`),
// filled with `fichiers`, the shortcut's arguments:
// - arguments are separated by blanks; a double-quoted part keeps its blanks, and in it \" \`
//   \$ \\ stand for the character after the backslash;
// - %f %u take the first of `fichiers`, %F %U all of them (each its own argument when the
//   code stands alone); %i gives "--icon" and the Icon value (nothing without Icon), %c the
//   Name, %k `cheminEntree`, %% a "%"; the deprecated codes %d %D %n %N %v %m and unknown
//   codes give nothing;
// - field codes are only read outside double quotes (a quoted "%f" stays as written, so a
//   shortcut's argument never lands inside a text that the program may hand to a shell);
//   %% is a "%" everywhere;
// - when the line has no %f %F %u %U, the shortcut's arguments are appended at the end, so
//   that a command line typed for a .desktop program is never silently dropped.
// nullopt when the line is empty, leaves a double quote open or gives no program.
std::optional<QStringList> developperExec(const DesktopEntry& entree, const QString& cheminEntree,
                                          const QStringList& fichiers);

} // namespace lanceron
