#pragma once
// Where program icons come from: a file's own icon, or the icon of its file type.

#include <QImage>
#include <QString>

namespace lanceron {

struct IconeExtraite {
    enum class Sorte {
        Aucune,   // the file holds no icon or cannot be read: use the associated icon
        Propre    // the file's own icon
    };
    Sorte sorte = Sorte::Aucune;
    QImage grande; // 32x32 logical pixels (device pixel ratio applied), may be null
    QImage petite; // 16x16 logical pixels, may be null
};

class IconSource {
public:
    virtual ~IconSource() = default;
    // The file's own icon (.desktop Icon=, icon resources of .exe/.dll, picture files).
    virtual IconeExtraite iconePropre(const QString& chemin) = 0;
    // The icon of the file's type (MIME type icon from the icon theme); null images when none.
    virtual IconeExtraite iconeAssociee(const QString& chemin) = 0;
    // Whether iconePropre(chemin) may run on another thread than the user interface's (it
    // then only reads files and decodes pictures). False by default.
    virtual bool iconePropreHorsFil(const QString& chemin) const
    {
        Q_UNUSED(chemin);
        return false;
    }
    // Whether the first iconePropre(chemin) of its kind is costly (a library to load): it is
    // then asked only for rows that are shown. True for a kind of file, told by its extension:
    // the pairs of such files depend on each other only. False by default.
    virtual bool iconePropreCouteuse(const QString& chemin) const
    {
        Q_UNUSED(chemin);
        return false;
    }
};

} // namespace lanceron
