#pragma once
// File names as the system stores them: bytes. Names that are not valid UTF-8 (a Latin-1
// "Vid\xE9o.ini" copied from an old disk) still have to be listed, read, written, renamed and
// deleted. Each byte that is not part of a valid UTF-8 sequence is carried in a QString as the
// lone surrogate U+DC80..U+DCFF (the byte plus 0xDC00), so that the bytes come back exactly.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lanceron {

// The name's bytes as text: valid UTF-8 as is, every other byte as its escape character.
QString depuisNatif(const QByteArray& octets);

// The exact inverse of depuisNatif: escape characters become their byte again, the rest is
// written in UTF-8.
QByteArray versNatif(const QString& nom);

// The name for display: escaped bytes are shown as the Windows-1252 characters they most
// likely were.
QString nomLisible(const QString& nom);

// The entries of `dossier` whose name ends in ".ini" (any letter case) and that are not
// folders, unreadable ones included, as depuisNatif names (without the folder), sorted by
// their bytes. Empty when the folder cannot be read.
QStringList fichiersIni(const QString& dossier);

// What tells whether a file has changed: whether it exists, its size and modification time.
struct EmpreinteFichier {
    bool existe = false;
    qint64 taille = 0;
    qint64 modifie = 0; // nanoseconds
    bool operator==(const EmpreinteFichier&) const = default;
};
EmpreinteFichier empreinte(const QString& chemin);

// True when something (a file, a folder, a dangling link...) stands at the path.
bool existe(const QString& chemin);

} // namespace lanceron
