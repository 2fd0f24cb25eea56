#pragma once
// Starting programs, opening addresses and showing a file's properties: the desktop shell.

#include "platform/lancement.h"

#include <QString>

class QWidget;

namespace lanceron {

class Shell {
public:
    virtual ~Shell() = default;
    // Starts `programme` with `commande` (a command line, split without a shell) in the
    // program's own folder. `affichage` is a wish that the platform may ignore.
    virtual ResultatLancement lancer(const QString& programme, const QString& commande,
                                     Affichage affichage) = 0;
    // Opens an address (web site) with the default application.
    virtual bool ouvrirAdresse(const QString& adresse) = 0;
    // Shows the properties of a file (file manager, else a window of our own); returns at once.
    virtual void proprietes(QWidget* parent, const QString& chemin) = 0;
};

} // namespace lanceron
