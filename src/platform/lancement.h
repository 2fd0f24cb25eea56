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

namespace lanceron {

// Show commands, numbered as the Windows show-window commands.
enum class Affichage { Cachee = 0, Normale = 1, Reduite = 2, Agrandie = 3 };

struct ResultatLancement {
    bool ok = false;
    QString erreur; // in French, the reason when ok is false
};

// The show command that the stored window state `Executer` asks for: its first character,
// case-sensitive, "F" normal, "R" minimised, "A" maximised, anything else or nothing hidden.
Affichage affichagePour(const QString& executer);

// A desktop entry larger than this is not read: no real one comes near it.
constexpr qint64 TailleMaxEntree = 1024 * 1024;

struct PlanLancement {
    enum class Sorte {
        EntreeBureau, // a .desktop file: `programme` is the entry, started by the desktop's rules
        Executable,   // a program (execute permission and an ELF or "#!" start), started directly
        Document,     // any other file (a document, a .exe for Wine): opened by its application
        Dossier,      // a folder: opened by the file manager
        Refuse        // nothing can be started; `erreur` says why
    };
    Sorte sorte = Sorte::Refuse;
    QString programme;     // EntreeBureau, Executable: the entry or the program
    QStringList arguments; // EntreeBureau, Executable: the command line's arguments
    QString dossier;       // Executable, Document: the file's own folder
    QUrl document;         // Document, Dossier: the local file's URL
    QString erreur;        // Refuse: short French reason ("fichier introuvable")
};

// The plan for `programme` (full path of the shortcut's file) with `commande` (its command
// line, split by QProcess::splitCommand). Only a regular file is ever opened, and only without
// waiting: a named pipe, a device or a socket is refused whatever its name. The execute
// permission alone does not make a program (every file on a FAT, exFAT or NTFS medium has it):
// the file must also start as an ELF program or a "#!" script, else it is a document.
PlanLancement planLancement(const QString& programme, const QString& commande);

} // namespace lanceron
