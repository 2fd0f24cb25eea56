#pragma once
// Keys of the icon store: a file's extension and the key of an icon that comes from the
// file's type.

#include <QString>

namespace lanceron {

// The extension of the last component of `chemin` (separators '/' and '\'), without the dot;
// empty when it has none. "archive.tar.gz" gives "gz". A name whose only dots lead it
// (".bashrc", "..x") is a hidden file without extension; a name ending in a dot has none.
QString Extension_Fichier(const QString& chemin);

// The key of the associated icon of `chemin`: its extension in capitals followed by "ID",
// "ID" alone when it has no extension ("C:\Jeux\Solitaire.exe" gives "EXEID").
QString Cle_Icone_Associee(const QString& chemin);

} // namespace lanceron
