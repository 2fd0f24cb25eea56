#pragma once
// Properties that must hold for any bytes given to the readers of untrusted files. Each check
// returns an empty text when they hold, else what went wrong.

#include <QByteArray>
#include <QString>

namespace lanceron::fuzz {

// INI documents: parse -> octets() -> parse keeps every value read; writing a value then
// reading it back gives it; a rubrique rewritten whole reads back the same shortcuts.
QString verifierProfil(const QByteArray& octets);

// Icon files and Windows programs: pictures checked and bounded; an .ico file rebuilt from the
// pictures read gives them back.
QString verifierIcones(const QByteArray& octets);

// Picture files: the format told by the first bytes is one the program reads; the same bytes
// embedded in an SVG document count as many pixels as their header tells.
QString verifierImages(const QByteArray& octets);

// The check of a target named "profil_prive", "icones" or "images"; nullptr for another name.
using Verification = QString (*)(const QByteArray& octets);
Verification verification(QByteArrayView cible);

} // namespace lanceron::fuzz
