#include "fabrique_pe.h"

#include <QBuffer>
#include <QImage>
#include <QMap>

#include <algorithm>

namespace lanceron::test {

namespace {

void ecrire16(QByteArray& b, qsizetype pos, quint16 v)
{
    if (b.size() < pos + 2)
        b.resize(pos + 2, '\0');
    b[pos] = char(v & 0xff);
    b[pos + 1] = char(v >> 8);
}

void ecrire32(QByteArray& b, qsizetype pos, quint32 v)
{
    ecrire16(b, pos, quint16(v & 0xffff));
    ecrire16(b, pos + 2, quint16(v >> 16));
}

void ajouter16(QByteArray& b, quint16 v)
{
    ecrire16(b, b.size(), v);
}

void ajouter32(QByteArray& b, quint32 v)
{
    ecrire32(b, b.size(), v);
}

void aligner(QByteArray& b, int alignement)
{
    while (b.size() % alignement != 0)
        b.append('\0');
}

constexpr quint32 AdresseRessources = 0x1000;
constexpr quint32 Repertoire = 0x80000000u;

} // namespace

QByteArray bitmapIcone(int cote, QRgb couleur, int bits)
{
    QByteArray b;
    ajouter32(b, 40);
    ajouter32(b, quint32(cote));
    ajouter32(b, quint32(cote * 2));
    ajouter16(b, 1);
    ajouter16(b, quint16(bits));
    for (int i = 0; i < 6; ++i)
        ajouter32(b, 0); // compression, image size, resolution, colours used and important
    const int octetsLigne = (cote * bits + 31) / 32 * 4;
    for (int y = 0; y < cote; ++y) {
        QByteArray ligne;
        for (int x = 0; x < cote; ++x) {
            ligne.append(char(qBlue(couleur)));
            ligne.append(char(qGreen(couleur)));
            ligne.append(char(qRed(couleur)));
            if (bits == 32)
                ligne.append(char(0xff));
        }
        ligne.resize(octetsLigne, '\0');
        b.append(ligne);
    }
    b.append(QByteArray((cote + 31) / 32 * 4 * cote, '\0')); // mask: every pixel shown
    return b;
}

QByteArray pngIcone(int cote, QRgb couleur)
{
    QImage image(cote, cote, QImage::Format_ARGB32);
    image.fill(couleur);
    QByteArray b;
    QBuffer tampon(&b);
    tampon.open(QIODevice::WriteOnly);
    image.save(&tampon, "PNG");
    return b;
}

QByteArray groupeIcones(const QList<quint16>& numeros, quint16 reserve, quint16 type)
{
    QByteArray b;
    ajouter16(b, reserve);
    ajouter16(b, type);
    ajouter16(b, quint16(numeros.size()));
    for (quint16 numero : numeros) {
        // Width, height, colours, reserved, planes, bits, size: the reader takes the picture's
        // own header instead.
        b.append(QByteArray(4, '\0'));
        ajouter16(b, 1);
        ajouter16(b, 32);
        ajouter32(b, 0);
        ajouter16(b, numero);
    }
    return b;
}

QByteArray fabriquerPe(const QList<RessourcePe>& ressources, bool pe32Plus)
{
    // Resource tree: types, then names or numbers, then one language each.
    QMap<quint32, QList<RessourcePe>> parType;
    for (const RessourcePe& r : ressources)
        parType[r.type].append(r);
    for (auto& liste : parType) {
        std::stable_sort(liste.begin(), liste.end(),
                         [](const RessourcePe& a, const RessourcePe& b) {
                             if (a.nom.isEmpty() != b.nom.isEmpty())
                                 return !a.nom.isEmpty();
                             return a.nom.isEmpty() ? a.numero < b.numero : a.nom < b.nom;
                         });
    }
    auto tailleRepertoire = [](qsizetype entrees) { return quint32(16 + 8 * entrees); };
    // Layout: root, type directories, language directories, data entries, names, data.
    quint32 position = tailleRepertoire(parType.size());
    QList<quint32> repertoiresTypes;
    for (const auto& liste : parType) {
        repertoiresTypes.append(position);
        position += tailleRepertoire(liste.size());
    }
    const quint32 repertoiresLangues = position;
    position += tailleRepertoire(1) * quint32(ressources.size());
    const quint32 entreesDonnees = position;
    position += 16 * quint32(ressources.size());
    const quint32 noms = position;

    QByteArray rsrc;
    auto repertoire = [&](quint32 pos, int nommees, int numerotees) {
        ecrire32(rsrc, pos, 0);
        ecrire32(rsrc, pos + 4, 0);
        ecrire32(rsrc, pos + 8, 0);
        ecrire16(rsrc, pos + 12, quint16(nommees));
        ecrire16(rsrc, pos + 14, quint16(numerotees));
    };
    repertoire(0, 0, int(parType.size()));
    QByteArray textesNoms;
    QList<QByteArray> donnees;
    int rang = 0;
    int t = 0;
    for (auto it = parType.cbegin(); it != parType.cend(); ++it, ++t) {
        ecrire32(rsrc, 16 + 8 * t, it.key());
        ecrire32(rsrc, 16 + 8 * t + 4, Repertoire | repertoiresTypes[t]);
        const auto& liste = it.value();
        const int nommees = int(std::count_if(
            liste.begin(), liste.end(), [](const RessourcePe& r) { return !r.nom.isEmpty(); }));
        repertoire(repertoiresTypes[t], nommees, int(liste.size()) - nommees);
        for (int i = 0; i < liste.size(); ++i, ++rang) {
            const RessourcePe& r = liste[i];
            const quint32 entree = repertoiresTypes[t] + 16 + 8 * quint32(i);
            if (r.nom.isEmpty()) {
                ecrire32(rsrc, entree, r.numero);
            } else {
                ecrire32(rsrc, entree, Repertoire | (noms + quint32(textesNoms.size())));
                ajouter16(textesNoms, quint16(r.nom.size()));
                for (QChar c : r.nom)
                    ajouter16(textesNoms, c.unicode());
            }
            const quint32 langue = repertoiresLangues + tailleRepertoire(1) * quint32(rang);
            ecrire32(rsrc, entree + 4, Repertoire | langue);
            repertoire(langue, 0, 1);
            ecrire32(rsrc, langue + 16, 1033);
            ecrire32(rsrc, langue + 20, entreesDonnees + 16 * quint32(rang));
            donnees.append(r.donnees);
        }
    }
    rsrc.resize(noms, '\0');
    rsrc.append(textesNoms);
    for (int i = 0; i < donnees.size(); ++i) {
        aligner(rsrc, 4);
        const quint32 entree = entreesDonnees + 16 * quint32(i);
        ecrire32(rsrc, entree, AdresseRessources + quint32(rsrc.size()));
        ecrire32(rsrc, entree + 4, quint32(donnees[i].size()));
        ecrire32(rsrc, entree + 8, 0);
        ecrire32(rsrc, entree + 12, 0);
        rsrc.append(donnees[i]);
    }
    const quint32 tailleRsrc = quint32(rsrc.size());
    aligner(rsrc, 0x200);

    QByteArray pe(PositionRessources, '\0');
    pe[0] = 'M';
    pe[1] = 'Z';
    ecrire32(pe, PositionEnteteDos, PositionEntetePe);
    const int entete = PositionEntetePe;
    pe.replace(entete, 4, QByteArray("PE\0\0", 4));
    const quint16 tailleOptionnel = pe32Plus ? 240 : 224;
    ecrire16(pe, entete + 4, pe32Plus ? 0x8664 : 0x14c); // machine
    ecrire16(pe, entete + 6, 1);                         // sections
    ecrire16(pe, entete + 20, tailleOptionnel);
    ecrire16(pe, entete + 22, 0x0102); // executable image, 32-bit machine
    const int optionnel = entete + 24;
    ecrire16(pe, optionnel, pe32Plus ? 0x20b : 0x10b);
    ecrire32(pe, optionnel + 32, 0x1000); // section alignment
    ecrire32(pe, optionnel + 36, 0x200);  // file alignment
    ecrire32(pe, optionnel + 56, AdresseRessources + ((tailleRsrc + 0xfff) & ~0xfffu));
    ecrire32(pe, optionnel + 60, PositionRessources); // size of headers
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
    ecrire32(pe, section + 36, 0x40000040); // initialised data, readable
    pe.append(rsrc);
    return pe;
}

} // namespace lanceron::test
