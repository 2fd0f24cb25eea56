#include "fabrique_pe.h"

#include <QBuffer>

namespace lanceron::test {

namespace {

// Writes `v` on `taille` bytes, little-endian, at `pos`, growing `b` as needed.
void ecrire(QByteArray& b, qsizetype pos, quint32 v, int taille = 4)
{
    b.resize(qMax(b.size(), pos + taille), '\0');
    for (int i = 0; i < taille; ++i)
        b[pos + i] = char(v >> 8 * i);
}

constexpr quint32 AdresseRessources = 0x1000;
constexpr quint32 Repertoire = 0x80000000u;

using Entrees = QList<std::pair<quint32, quint32>>; // number, target

// Writes at `pos` a resource directory of numbered `entrees`; gives its offset, as a target.
quint32 repertoire(QByteArray& rsrc, qsizetype pos, const Entrees& entrees)
{
    ecrire(rsrc, pos + 14, quint32(entrees.size()), 2);
    for (qsizetype i = 0; i < entrees.size(); ++i) {
        ecrire(rsrc, pos + 16 + 8 * i, entrees[i].first);
        ecrire(rsrc, pos + 20 + 8 * i, entrees[i].second);
    }
    return Repertoire | quint32(pos);
}

} // namespace

QByteArray bitmapIcone(int cote, QRgb couleur, int bits)
{
    QByteArray b(40, '\0');
    ecrire(b, 0, 40);
    ecrire(b, 4, quint32(cote));
    ecrire(b, 8, quint32(cote * 2));        // colour rows and mask rows
    ecrire(b, 12, 1 | quint32(bits) << 16); // planes, bits per pixel
    const char pixel[] = {char(qBlue(couleur)), char(qGreen(couleur)), char(qRed(couleur)), -1};
    QByteArray ligne = QByteArray(pixel, bits / 8).repeated(cote);
    ligne.resize((ligne.size() + 3) / 4 * 4, '\0'); // rows padded to 32 bits
    b.append(ligne.repeated(cote));
    return b + QByteArray((cote + 31) / 32 * 4 * cote, '\0'); // mask: every pixel shown
}

QByteArray imageUnie(int largeur, int hauteur, QRgb couleur, const char* format,
                     QImage::Format sorte)
{
    QImage image(largeur, hauteur, sorte);
    image.fill(couleur);
    QByteArray b;
    QBuffer tampon(&b);
    image.save(&tampon, format);
    return b;
}

QByteArray fabriquerPe(const QList<QByteArray>& icones, const QList<QList<quint16>>& groupes,
                       bool pe32Plus)
{
    // The root directory, then for each type its resources: data, data entry, language
    // directory; then the directory of the type. A group (GRPICONDIR) leaves the sizes of its
    // pictures 0: the reader takes the pictures' own headers.
    QList<QByteArray> donnees[2] = {icones, {}};
    for (const QList<quint16>& numeros : groupes) {
        QByteArray groupe;
        ecrire(groupe, 2, 1 | quint32(numeros.size()) << 16); // type, count
        for (quint16 numero : numeros)
            ecrire(groupe, groupe.size() + 12, numero, 2);
        donnees[1].append(groupe);
    }
    QByteArray rsrc(16 + 2 * 8, '\0');
    Entrees types;
    for (int t : {0, 1}) {
        Entrees ressources;
        for (const QByteArray& d : std::as_const(donnees[t])) {
            const auto position = quint32(rsrc.size());
            rsrc.append(d);
            const auto entree = quint32(rsrc.size());
            ecrire(rsrc, entree, AdresseRessources + position);
            ecrire(rsrc, entree + 4, quint32(d.size()));
            ecrire(rsrc, entree + 12, 0);
            const quint32 langue = repertoire(rsrc, rsrc.size(), {{1033, entree}});
            ressources.append({quint32(ressources.size() + 1), langue});
        }
        if (!ressources.isEmpty())
            types.append({t == 0 ? 3 : 14, repertoire(rsrc, rsrc.size(), ressources)});
    }
    repertoire(rsrc, 0, types);
    const auto tailleRsrc = quint32(rsrc.size());

    // Headers: only the fields that a reader of resources follows: "PE\0\0", one section, the
    // optional header, its data directories (the third: resources) and the section table. The
    // 16-bit fields are written as 32-bit ones, with the zero field that follows each.
    const quint32 optionnel = 0x40 + 24;
    const quint32 repertoires = optionnel + (pe32Plus ? 112 : 96);
    const quint32 section = optionnel + (pe32Plus ? 240 : 224);
    QByteArray pe = QByteArray("MZ").leftJustified(PositionRessources, '\0');
    const quint32 champs[][2] = {{0x3c, 0x40},
                                 {0x40, 0x4550},
                                 {0x40 + 6, 1},
                                 {0x40 + 20, section - optionnel},
                                 {optionnel, pe32Plus ? 0x20bu : 0x10bu},
                                 {repertoires - 4, 16},
                                 {repertoires + 16, AdresseRessources},
                                 {repertoires + 20, tailleRsrc},
                                 {section + 8, tailleRsrc},
                                 {section + 12, AdresseRessources},
                                 {section + 16, tailleRsrc},
                                 {section + 20, PositionRessources}};
    for (const auto& [position, valeur] : champs)
        ecrire(pe, position, valeur);
    pe.replace(section, 5, ".rsrc");
    return pe + rsrc;
}

} // namespace lanceron::test
