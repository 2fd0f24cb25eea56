#pragma once
// The toolbar's and menus' pictures, taken from the desktop's icon theme. Looking them up walks
// the theme's folders, a large part of the window's start-up: the pictures found are kept in
// the cache folder with what they depend on (theme, search paths, style), read from there at
// the next start, and looked up again a few seconds after the window is shown, so that a
// theme updated in place is seen at the following start.

#include <QIcon>
#include <QList>

namespace lanceron {

// IcoBarre: 1 add a rubrique, 2 add a program, 3 modify, 4 delete, 5 properties, 6 unused,
// 7 options, 8 web site, 9 export, 10 about, 11 quit.
QList<QIcon> imagesBarre();

} // namespace lanceron
