#pragma once
// Icon pictures as stored in .ico files and in the icon resources of Windows programs:
// checking them, choosing the one that suits a size, and writing .ico files that Qt's
// ICO reader decodes.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

namespace lanceron {

// One picture of an icon: a device-independent bitmap (header, colours, mask) or a PNG stream.
struct ImageIco {
    int largeur = 0;
    int hauteur = 0;
    int bits = 0; // bits per pixel
    QByteArray donnees;
};

inline constexpr int CoteMaxIco = 256;
inline constexpr qsizetype TailleMaxImageIco = 1024 * 1024;
inline constexpr int NombreMaxImagesIco = 64;

// The picture held in `donnees` when its header is sound: a PNG stream or an uncompressed
// bitmap of 1, 4, 8, 24 or 32 bits whose colours and mask are all present, at most
// 256x256 pixels and 1 MB. Anything else gives nothing.
std::optional<ImageIco> verifierImageIco(const QByteArray& donnees);

// The sound pictures of an .ico file, in the file's order, at most 64; empty when the bytes
// are not an icon file.
QList<ImageIco> imagesIco(QByteArrayView fichier);

// A standard .ico file holding `images` in this order.
QByteArray construireIco(const QList<ImageIco>& images);

// The index of the picture that best fills a square of `cote` pixels: one of exactly that
// size, else the smallest larger one, else the largest smaller one; among equals, the one
// with the most colours, then the first. -1 when `images` is empty.
int choisirImageIco(const QList<ImageIco>& images, int cote);

} // namespace lanceron
