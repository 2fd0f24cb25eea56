#include "icons/ico_format.h"

#include "icons/octets.h"

#include <tuple>

namespace lanceron {

namespace {

using octets::u16;
using octets::u32;

constexpr int TailleEnteteIco = 6;
constexpr int TailleEntreeIco = 16;
constexpr int TailleEnteteBitmap = 40;

bool coteValide(qint64 cote)
{
    return cote >= 1 && cote <= CoteMaxIco;
}

// Bytes of one row of a bitmap, rows being padded to 32 bits.
qint64 octetsParLigne(qint64 largeur, qint64 bits)
{
    return (largeur * bits + 31) / 32 * 4;
}

std::optional<ImageIco> verifierPng(const QByteArray& d)
{
    // Signature, then the first chunk, IHDR: width, height, bit depth, colour type.
    if (d.size() < 33 || QByteArrayView(d).sliced(12, 4) != "IHDR")
        return {};
    const quint32 largeur = octets::u32be(d, 16);
    const quint32 hauteur = octets::u32be(d, 20);
    if (!coteValide(largeur) || !coteValide(hauteur))
        return {};
    int canaux = 0;
    switch (octets::u8(d, 25)) {
    case 0:
        canaux = 1;
        break; // grey
    case 2:
        canaux = 3;
        break; // RGB
    case 3:
        canaux = 1;
        break; // palette
    case 4:
        canaux = 2;
        break; // grey and alpha
    case 6:
        canaux = 4;
        break; // RGBA
    default:
        return {};
    }
    return ImageIco{int(largeur), int(hauteur), canaux * octets::u8(d, 24), d};
}

std::optional<ImageIco> verifierBitmap(const QByteArray& d)
{
    // BITMAPINFOHEADER; the height counts the colour rows and the mask rows.
    if (d.size() < TailleEnteteBitmap || u32(d, 0) != TailleEnteteBitmap)
        return {};
    const qint64 largeur = octets::i32(d, 4);
    const qint64 hauteur = octets::i32(d, 8) / 2;
    const int bits = u16(d, 14);
    const quint32 compression = u32(d, 16);
    const quint32 couleursUtilisees = u32(d, 32);
    if (!coteValide(largeur) || !coteValide(hauteur) || compression != 0)
        return {};
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return {};
    const qint64 couleurs = bits > 8 ? 0 : couleursUtilisees != 0 ? couleursUtilisees : 1 << bits;
    if (couleurs > 256)
        return {};
    const qint64 taille = TailleEnteteBitmap + couleurs * 4 +
                          octetsParLigne(largeur, bits) * hauteur +
                          octetsParLigne(largeur, 1) * hauteur;
    if (d.size() < taille)
        return {};
    return ImageIco{int(largeur), int(hauteur), bits, d};
}

} // namespace

std::optional<ImageIco> verifierImageIco(const QByteArray& donnees)
{
    if (donnees.size() > TailleMaxImageIco)
        return {};
    if (donnees.startsWith("\x89PNG\r\n\x1a\n"))
        return verifierPng(donnees);
    return verifierBitmap(donnees);
}

QList<ImageIco> imagesIco(QByteArrayView fichier)
{
    QList<ImageIco> images;
    if (fichier.size() < TailleEnteteIco || u16(fichier, 0) != 0 || u16(fichier, 2) != 1)
        return images;
    const int nombre = qMin<int>(u16(fichier, 4), NombreMaxImagesIco);
    for (int i = 0; i < nombre; ++i) {
        const qint64 entree = TailleEnteteIco + qint64(i) * TailleEntreeIco;
        if (!octets::contient(fichier, entree, TailleEntreeIco))
            break;
        const qint64 taille = u32(fichier, entree + 8);
        const qint64 position = u32(fichier, entree + 12);
        if (taille > TailleMaxImageIco || !octets::contient(fichier, position, taille))
            continue;
        if (auto image = verifierImageIco(fichier.sliced(position, taille).toByteArray()))
            images.append(*image);
    }
    return images;
}

QByteArray construireIco(const QList<ImageIco>& images)
{
    QByteArray ico;
    auto ajouter16 = [&ico](quint16 v) {
        ico.append(char(v & 0xff));
        ico.append(char(v >> 8));
    };
    auto ajouter32 = [&](quint32 v) {
        ajouter16(quint16(v & 0xffff));
        ajouter16(quint16(v >> 16));
    };
    ajouter16(0); // reserved
    ajouter16(1); // icon
    ajouter16(quint16(images.size()));
    quint32 position = TailleEnteteIco + TailleEntreeIco * quint32(images.size());
    for (const ImageIco& image : images) {
        // A side of 256 pixels is written 0; a palette of more than 255 colours, 0.
        ico.append(char(image.largeur & 0xff));
        ico.append(char(image.hauteur & 0xff));
        ico.append(char(image.bits < 8 ? 1 << image.bits : 0));
        ico.append('\0');
        ajouter16(1); // planes
        ajouter16(quint16(image.bits));
        ajouter32(quint32(image.donnees.size()));
        ajouter32(position);
        position += quint32(image.donnees.size());
    }
    for (const ImageIco& image : images)
        ico.append(image.donnees);
    return ico;
}

int choisirImageIco(const QList<ImageIco>& images, int cote)
{
    // Ordered key, smaller is better: exact size first, then larger sizes from the nearest,
    // then smaller sizes from the nearest; more colours first among equal sizes.
    auto rang = [cote](const ImageIco& image) {
        const int c = qMax(image.largeur, image.hauteur);
        const int classe = c == cote ? 0 : c > cote ? 1 : 2;
        return std::tuple(classe, classe == 2 ? -c : c, -image.bits);
    };
    int meilleure = -1;
    for (int i = 0; i < images.size(); ++i) {
        if (meilleure < 0 || rang(images[i]) < rang(images[meilleure]))
            meilleure = i;
    }
    return meilleure;
}

} // namespace lanceron
