#include "fabrique_pe.h"

#include <QBuffer>
#include <QtEndian>

namespace lanceron::test {

namespace {

// Writes the little-endian `v` at `pos`, growing `b` as needed.
template <typename T> void ecrire(QByteArray& b, qsizetype pos, T v)
{
    if (b.size() < pos + qsizetype(sizeof v))
        b.resize(pos + qsizetype(sizeof v), '\0');
    qToLittleEndian(v, b.data() + pos);
}

const auto ecrire16 = ecrire<quint16>;
const auto ecrire32 = ecrire<quint32>;

void aligner(QByteArray& b, int alignement)
{
    b.resize((b.size() + alignement - 1) / alignement * alignement, '\0');
}

constexpr quint32 AdresseRessources = 0x1000;
constexpr quint32 Repertoire = 0x80000000u;

} // namespace

QByteArray bitmapIcone(int cote, QRgb couleur, int bits)
{
    QByteArray b;
    ecrire32(b, 0, 40);
    ecrire32(b, 4, quint32(cote));
    ecrire32(b, 8, quint32(cote * 2)); // colour rows and mask rows
    ecrire16(b, 12, 1);
    ecrire16(b, 14, quint16(bits));
    ecrire32(b, 36, 0);
    const char pixel[] = {char(qBlue(couleur)), char(qGreen(couleur)), char(qRed(couleur)), -1};
    QByteArray ligne = QByteArray(pixel, bits / 8).repeated(cote);
    aligner(ligne, 4);
    b.append(ligne.repeated(cote));
    return b + QByteArray((cote + 31) / 32 * 4 * cote, '\0'); // mask: every pixel shown
}

QByteArray imageUnie(int largeur, int hauteur, QRgb couleur, const char* format,
                     QImage::Format sorte)
{
    QImage image(largeur, hauteur, sorte);
    image.fill(couleur);
    QBuffer tampon;
    tampon.open(QIODevice::WriteOnly);
    image.save(&tampon, format);
    return tampon.data();
}

QByteArray groupeIcones(const QList<quint16>& numeros)
{
    QByteArray b;
    ecrire16(b, 2, 1); // icons
    ecrire16(b, 4, quint16(numeros.size()));
    for (quint16 numero : numeros) // sizes left 0: the picture's own header tells them
        ecrire16(b, b.size() + 12, numero);
    return b;
}

QByteArray fabriquerPe(const QList<RessourcePe>& ressources, bool pe32Plus)
{
    // The resource tree: root, a directory per type, a language directory per resource, the
    // data entries, then the data.
    QList<quint32> types;
    for (const RessourcePe& r : ressources) {
        if (types.isEmpty() || types.last() != r.type)
            types.append(r.type);
    }
    const auto n = quint32(ressources.size());
    const quint32 langues = 16 + 24 * quint32(types.size()) + 8 * n;
    const quint32 entrees = langues + 24 * n;
    QByteArray rsrc(entrees + 16 * n, '\0');
    ecrire16(rsrc, 14, quint16(types.size()));
    quint32 repertoire = 16 + 8 * quint32(types.size());
    quint32 i = 0;
    for (int t = 0; t < types.size(); ++t) {
        ecrire32(rsrc, 16 + 8 * t, types[t]);
        ecrire32(rsrc, 20 + 8 * t, Repertoire | repertoire);
        quint32 entree = repertoire + 16;
        for (; i < n && ressources[i].type == types[t]; ++i, entree += 8) {
            const quint32 langue = langues + 24 * i;
            ecrire32(rsrc, entree, ressources[i].numero);
            ecrire32(rsrc, entree + 4, Repertoire | langue);
            ecrire16(rsrc, langue + 14, 1);
            ecrire32(rsrc, langue + 16, 1033);
            ecrire32(rsrc, langue + 20, entrees + 16 * i);
        }
        ecrire16(rsrc, repertoire + 14, quint16((entree - repertoire - 16) / 8));
        repertoire = entree;
    }
    for (i = 0; i < n; ++i) {
        aligner(rsrc, 4);
        ecrire32(rsrc, entrees + 16 * i, AdresseRessources + quint32(rsrc.size()));
        ecrire32(rsrc, entrees + 16 * i + 4, quint32(ressources[i].donnees.size()));
        rsrc.append(ressources[i].donnees);
    }
    const auto tailleRsrc = quint32(rsrc.size());
    aligner(rsrc, 0x200);

    // Headers: only the fields that a reader of resources follows: "PE\0\0", one section, the
    // optional header, its data directories (the third: resources) and the section table.
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
                                 {section + 16, quint32(rsrc.size())},
                                 {section + 20, PositionRessources}};
    for (const auto& [position, valeur] : champs)
        ecrire32(pe, position, valeur);
    return pe + rsrc;
}

} // namespace lanceron::test
