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
inline QByteArray pngIcone(int cote, QRgb couleur)
{
    return imageUnie(cote, cote, couleur);
}
// An icon group (GRPICONDIR) naming the RT_ICON resources `numeros`, in this order.
QByteArray groupeIcones(const QList<quint16>& numeros);

struct RessourcePe {
    quint32 type; // 3 RT_ICON, 14 RT_GROUP_ICON, ...
    quint32 numero;
    QByteArray donnees;
};

// A program file with one section, .rsrc, holding `ressources` (language 1033), listed in
// the order given; the resources of one type must follow each other.
QByteArray fabriquerPe(const QList<RessourcePe>& ressources, bool pe32Plus = false);

// Where the fields that the reader follows lie in a file made by fabriquerPe.
inline constexpr int PositionSections = 0x40 + 24 + 224; // section table of a PE32 file
inline constexpr int PositionRessources = 0x200;         // raw data of .rsrc

} // namespace lanceron::test
