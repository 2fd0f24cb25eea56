#pragma once
// The program's own properties window of a file, for desktops whose file manager shows none.

#include <QDialog>
#include <QFileDevice>
#include <QString>

namespace lanceron {

// A size in French for people: "512 octets", "1,5 Ko (1536 octets)", "3 Mo (3145728 octets)".
QString tailleLisible(qint64 octets);

// Permissions as "rwxr-xr-x": owner, group, others.
QString permissionsTexte(QFileDevice::Permissions permissions);

// Non-modal, deletes itself when closed. Shows the file's icon, name, full path, type, size,
// dates, permissions, whether it is executable and, for a link, its target; a file that does
// not exist shows "Fichier introuvable". The value labels are named after their row
// ("nom", "chemin", "type", "taille", "creation", "modification", "permissions",
// "executable", "cible", "introuvable").
class FenetreProprietes final : public QDialog {
    Q_OBJECT
public:
    explicit FenetreProprietes(const QString& chemin, QWidget* parent = nullptr);
};

} // namespace lanceron
