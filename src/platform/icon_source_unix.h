#pragma once
// Icons on Linux and other Unix desktops: a file's own icon from a desktop entry, from the
// icon resources of a Windows program or from a picture file; the associated icon from the
// icon theme, by the file's MIME type.

#include "platform/icon_source.h"

namespace lanceron {

class IconSourceUnix final : public IconSource {
public:
    // .desktop: its Icon= (theme name or absolute path of a picture); .exe, .dll: the first
    // icon group of its resources; .ico .png .svg .xpm .bmp: the picture itself. Anything
    // else, and any file that is missing, unreadable, damaged or not a regular file: none.
    IconeExtraite iconePropre(const QString& chemin) override;
    // The theme's icon for the file's MIME type (its icon name, then its generic icon name);
    // the type is found from the name, and from the content for regular files only.
    IconeExtraite iconeAssociee(const QString& chemin) override;
    // Programs and pictures: yes. Desktop entries may name a theme icon, which only the
    // user-interface thread may look up.
    bool iconePropreHorsFil(const QString& chemin) const override;
    // Desktop entries: reading the first one loads GIO (about 3 MB).
    bool iconePropreCouteuse(const QString& chemin) const override;

    // Picture files larger than this, or wider or higher than CoteMaxImage pixels, are not
    // decoded: they would cost much time and memory for a 32-pixel icon.
    static constexpr qint64 TailleMaxImage = 8 * 1024 * 1024;
    static constexpr int CoteMaxImage = 4096;
    // An SVG picture whose embedded pictures hold more pixels than this in all is not drawn
    // either: every one of them is decoded whole to draw it.
    static constexpr qint64 PixelsMaxIncorpores = 1024 * 1024;
};

// To be called once the application object exists, before any icon is asked for: when the
// desktop names no icon theme, or only "hicolor" (always so under Xvfb or offscreen), adds
// the system's icon folders to the theme search paths and uses the "Adwaita" theme, if
// installed.
void configurerThemeIcones();

} // namespace lanceron
