#pragma once
// Small Windows program files (PE) and icon pictures made byte by byte, to test the reading
// of icon resources.

#include <QByteArray>
#include <QImage>
#include <QList>

namespace lanceron::test {

// A square icon bitmap of one colour, fully opaque: BITMAPINFOHEADER, pixels (`bits` 32 or
// 24), mask.
QByteArray bitmapIcone(int cote, QRgb couleur, int bits = 32);
// A picture of one colour, saved in `format`.
QByteArray imageUnie(int largeur, int hauteur, QRgb couleur, const char* format = "PNG",
                     QImage::Format sorte = QImage::Format_ARGB32);

// A program file with one section, .rsrc, holding the RT_ICON resources `icones` and the
// RT_GROUP_ICON resources `groupes` (each naming RT_ICON numbers), both numbered from 1 in
// the order given, in language 1033. The resources' root directory comes first, at
// PositionRessources in the file.
QByteArray fabriquerPe(const QList<QByteArray>& icones, const QList<QList<quint16>>& groupes,
                       bool pe32Plus = false);

inline constexpr int PositionSections = 0x40 + 24 + 224; // section table of a PE32 file
inline constexpr int PositionRessources = 0x200;         // raw data of .rsrc

} // namespace lanceron::test
