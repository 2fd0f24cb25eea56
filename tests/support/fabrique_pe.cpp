#include "fabrique_pe.h"

#include <QBuffer>
#include <QImage>
#include <QtEndian>

namespace lanceron::test {

namespace {

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
constexpr int PositionEntetePe = 0x40;

} // namespace

QByteArray bitmapIcone(int cote, QRgb couleur, int bits)
{
    QByteArray b;
    ecrire32(b, 0, 40);
    ecrire32(b, 4, quint32(cote));
    ecrire32(b, 8, quint32(cote * 2)); // colour rows and mask rows
    ecrire16(b, 12, 1);
    ecrire16(b, 14, quint16(bits));
    ecrire32(b, 36, 0); // compression, image size, resolution, colours: 0
    QByteArray pixel;
    pixel.append(char(qBlue(couleur))).append(char(qGreen(couleur))).append(char(qRed(couleur)));
    if (bits == 32)
        pixel.append(char(0xff));
    QByteArray ligne = pixel.repeated(cote);
    aligner(ligne, 4);
    b.append(ligne.repeated(cote));
    b.append(QByteArray((cote + 31) / 32 * 4 * cote, '\0')); // mask: every pixel shown
    return b;
}

QByteArray imageUnie(int largeur, int hauteur, QRgb couleur, const char* format,
                     QImage::Format sorte)
{
    QImage image(largeur, hauteur, sorte);
    image.fill(couleur);
    QByteArray b;
    QBuffer tampon(&b);
    tampon.open(QIODevice::WriteOnly);
    image.save(&tampon, format);
    return b;
}

QByteArray groupeIcones(const QList<quint16>& numeros)
{
    QByteArray b;
    ecrire16(b, 2, 1); // icons
    ecrire16(b, 4, quint16(numeros.size()));
    for (quint16 numero : numeros) {
        // Width, height, colours, planes, bits and size left 0: the reader takes the
        // picture's own header instead.
        ecrire16(b, b.size() + 12, numero);
    }
    return b;
}

QByteArray fabriquerPe(const QList<RessourcePe>& ressources, bool pe32Plus)
{
    // The resource tree: root, a directory per type, a language directory per resource, the
    // data entries, the names, then the data.
    QList<quint32> types;
    for (const RessourcePe& r : ressources) {
        if (!types.contains(r.type))
            types.append(r.type);
    }
    const auto nombre = quint32(ressources.size());
    const quint32 langues = 24 * quint32(types.size()) + 8 * nombre + 16;
    const quint32 entrees = langues + 24 * nombre;
    const quint32 noms = entrees + 16 * nombre;
    QByteArray rsrc(noms, '\0');
    QList<QByteArray> donnees;
    ecrire16(rsrc, 14, quint16(types.size()));
    quint32 repertoireType = 16 + 8 * quint32(types.size());
    for (int t = 0; t < types.size(); ++t) {
        ecrire32(rsrc, 16 + 8 * t, types[t]);
        ecrire32(rsrc, 16 + 8 * t + 4, Repertoire | repertoireType);
        quint32 entree = repertoireType + 16;
        quint16 nommees = 0;
        quint16 numerotees = 0;
        for (const RessourcePe& r : ressources) {
            if (r.type != types[t])
                continue;
            if (r.nom.isEmpty()) {
                ++numerotees;
                ecrire32(rsrc, entree, r.numero);
            } else {
                ++nommees;
                ecrire32(rsrc, entree, Repertoire | quint32(rsrc.size()));
                ecrire16(rsrc, rsrc.size(), quint16(r.nom.size()));
                for (QChar c : r.nom)
                    ecrire16(rsrc, rsrc.size(), c.unicode());
            }
            const quint32 langue = langues + 24 * quint32(donnees.size());
            ecrire32(rsrc, entree + 4, Repertoire | langue);
            ecrire16(rsrc, langue + 14, 1);
            ecrire32(rsrc, langue + 16, 1033);
            ecrire32(rsrc, langue + 20, entrees + 16 * quint32(donnees.size()));
            donnees.append(r.donnees);
            entree += 8;
        }
        ecrire16(rsrc, repertoireType + 12, nommees);
        ecrire16(rsrc, repertoireType + 14, numerotees);
        repertoireType = entree;
    }
    for (int i = 0; i < donnees.size(); ++i) {
        aligner(rsrc, 4);
        ecrire32(rsrc, entrees + 16 * i, AdresseRessources + quint32(rsrc.size()));
        ecrire32(rsrc, entrees + 16 * i + 4, quint32(donnees[i].size()));
        rsrc.append(donnees[i]);
    }
    const quint32 tailleRsrc = quint32(rsrc.size());
    aligner(rsrc, 0x200);

    // Headers: only the fields that a reader of resources follows.
    QByteArray pe(PositionRessources, '\0');
    pe.replace(0, 2, "MZ");
    ecrire32(pe, 0x3c, PositionEntetePe);
    pe.replace(PositionEntetePe, 4, QByteArray("PE\0\0", 4));
    const quint16 tailleOptionnel = pe32Plus ? 240 : 224;
    ecrire16(pe, PositionEntetePe + 6, 1); // sections
    ecrire16(pe, PositionEntetePe + 20, tailleOptionnel);
    const int optionnel = PositionEntetePe + 24;
    ecrire16(pe, optionnel, pe32Plus ? 0x20b : 0x10b);
    const int repertoires = optionnel + (pe32Plus ? 112 : 96);
    ecrire32(pe, repertoires - 4, 16); // number of data directories
    ecrire32(pe, repertoires + 16, AdresseRessources);
    ecrire32(pe, repertoires + 20, tailleRsrc);
    const int section = optionnel + tailleOptionnel;
    pe.replace(section, 8, QByteArray(".rsrc\0\0\0", 8));
    ecrire32(pe, section + 8, tailleRsrc);
    ecrire32(pe, section + 12, AdresseRessources);
    ecrire32(pe, section + 16, quint32(rsrc.size()));
    ecrire32(pe, section + 20, PositionRessources);
    return pe + rsrc;
}

} // namespace lanceron::test
