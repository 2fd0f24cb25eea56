#include "proprietes.h"

#include "icons/contenu_image.h"
#include "icons/ico_format.h"
#include "icons/pe_icones.h"
#include "storage/profil_prive.h"
#include "storage/rubrique_fichier.h"

#include <QBuffer>
#include <QImageReader>
#include <QList>
#include <QStringList>

namespace lanceron::fuzz {

namespace {

using namespace Qt::Literals::StringLiterals;

// Names that may stand in the document: taken from its lines, in both readings of its bytes.
QStringList nomsCandidats(const QByteArray& octets)
{
    QStringList noms;
    for (const QByteArray& ligne : octets.left(1 << 16).split('\n')) {
        const qsizetype egal = ligne.indexOf('=');
        const QByteArray nom = (egal >= 0 ? ligne.left(egal) : ligne).trimmed();
        if (nom.isEmpty() || nom.size() > 64)
            continue;
        noms << QString::fromUtf8(nom) << QString::fromLatin1(nom);
        if (noms.size() >= 64)
            break;
    }
    noms.removeDuplicates();
    return noms;
}

QString ecart(const QString& quoi, const QString& section, const QString& cle,
              const QString& attendu, const QString& obtenu)
{
    return u"%1 [%2] %3: expected \"%4\", got \"%5\""_s.arg(quoi, section, cle, attendu, obtenu);
}

} // namespace

QString verifierProfil(const QByteArray& octets)
{
    const ProfilPrive p = ProfilPrive::depuisOctets(octets);
    if (p.etat() != ProfilPrive::Etat::Lu)
        return {};
    const QStringList sections = p.sections().mid(0, 32);
    const QStringList cles = nomsCandidats(octets);

    // Parse, write out, parse again: every value read stays.
    const ProfilPrive relu = ProfilPrive::depuisOctets(p.octets());
    if (relu.etat() != ProfilPrive::Etat::Lu)
        return u"the bytes written are not read back"_s;
    for (const QString& s : sections) {
        for (const QString& k : cles) {
            if (p.lire(s, k) != relu.lire(s, k))
                return ecart(u"rewritten"_s, s, k, p.lire(s, k), relu.lire(s, k));
        }
        // Several keys read at once give what each gives alone.
        for (qsizetype i = 0; i + 1 < cles.size(); i += 2) {
            const QStringList deux = p.lire(s, {cles[i], cles[i + 1], cles[i]});
            for (qsizetype j : {0, 1, 2}) {
                const QString& k = cles[i + j % 2];
                if (deux[j] != p.lire(s, k))
                    return ecart(u"read together"_s, s, k, p.lire(s, k), deux[j]);
            }
        }
    }

    // Writing a value: read back as written, other values unchanged, before and after a save.
    const qsizetype coupe = octets.size() / 2;
    const QString valeur =
        QString::fromUtf8(octets.sliced(coupe, std::min<qsizetype>(200, octets.size() - coupe)));
    const QString section = sections.isEmpty() ? u"S"_s : sections.constFirst();
    const QString cle = u"Nom"_s;
    ProfilPrive modifie = p;
    modifie.ecrire(section, cle, valeur);
    const QString ecrite = modifie.lire(section, cle);
    const ProfilPrive sauve = ProfilPrive::depuisOctets(modifie.octets());
    if (sauve.lire(section, cle) != ecrite)
        return ecart(u"written"_s, section, cle, ecrite, sauve.lire(section, cle));
    QString attendu = valeur;
    attendu.replace(u"\r\n"_s, u" "_s).replace(u'\r', u' ').replace(u'\n', u' ').remove(QChar(0));
    if (ecrite != attendu)
        return ecart(u"value"_s, section, cle, attendu, ecrite);
    for (const QString& s : sections) {
        for (const QString& k : cles) {
            const bool meme = s.compare(section, Qt::CaseInsensitive) == 0 &&
                              k.trimmed().compare(cle, Qt::CaseInsensitive) == 0;
            if (!meme && sauve.lire(s, k) != p.lire(s, k))
                return ecart(u"neighbour"_s, s, k, p.lire(s, k), sauve.lire(s, k));
        }
    }

    // A rubrique read in one pass gives what the whole document gives, refusal included.
    const QList<Raccourci> raccourcis = raccourcisDe(p);
    QString refus;
    const QList<Raccourci> enUnePasse = raccourcisDeOctets(octets, &refus);
    if (enUnePasse != raccourcis)
        return u"rubrique read in one pass: %1 shortcuts, %2 from the document"_s
            .arg(enUnePasse.size())
            .arg(raccourcis.size());
    if (refus != (p.etat() == ProfilPrive::Etat::Inutilisable ? p.raison() : QString()))
        return u"rubrique read in one pass: refused with \"%1\""_s.arg(refus);
    // A rubrique rewritten whole reads back the same shortcuts.
    const QList<Raccourci> relus =
        raccourcisDe(ProfilPrive::depuisOctets(documentRubrique(p, raccourcis).octets()));
    if (relus != raccourcis)
        return u"rubrique: %1 shortcuts written, %2 read back differently"_s.arg(raccourcis.size())
            .arg(relus.size());
    return {};
}

QString verifierIcones(const QByteArray& octets)
{
    const QList<ImageIco> images = imagesIco(octets);
    if (images.size() > NombreMaxImagesIco)
        return u"too many pictures"_s;
    for (const ImageIco& i : images) {
        if (i.largeur > CoteMaxIco || i.hauteur > CoteMaxIco ||
            i.donnees.size() > TailleMaxImageIco)
            return u"picture over the limits"_s;
    }
    if (!images.isEmpty()) {
        if (imagesIco(construireIco(images)).size() != images.size())
            return u"rebuilt .ico file lost pictures"_s;
        const int choisie = choisirImageIco(images, 32);
        if (choisie < 0 || choisie >= images.size())
            return u"no picture chosen"_s;
    }
    QByteArray copie = octets;
    QBuffer tampon(&copie);
    tampon.open(QIODevice::ReadOnly);
    const QByteArray ico = icoDepuisPe(tampon);
    if (!ico.isEmpty() && imagesIco(ico).isEmpty())
        return u"the icon of a program is not a sound .ico file"_s;
    return {};
}

QString verifierImages(const QByteArray& octets)
{
    const QByteArray format = formatImage(octets);
    if (!QList<QByteArray>{"", "png", "ico", "bmp", "xpm", "svg"}.contains(format))
        return u"format %1 told"_s.arg(QString::fromLatin1(format));
    if (pixelsIncorpores(octets) < 0)
        return u"negative count of embedded pixels"_s;
    QByteArray copie = octets;
    QBuffer tampon(&copie);
    tampon.open(QIODevice::ReadOnly);
    const QByteArray sorte = QImageReader::imageFormat(&tampon);
    if (sorte == "svg" || sorte == "svgz")
        return {}; // counted through its own embedded pictures
    tampon.seek(0);
    const QSize taille = QImageReader(&tampon, sorte).size();
    const qint64 attendus = taille.isValid() ? qint64(taille.width()) * taille.height() : 0;
    const QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\"><image href=\"data:;base64," +
                           octets.toBase64() + "\"/></svg>";
    if (pixelsIncorpores(svg) != attendus)
        return u"embedded picture counted %1 pixels, its header tells %2"_s
            .arg(pixelsIncorpores(svg))
            .arg(attendus);
    return {};
}

Verification verification(QByteArrayView cible)
{
    if (cible == "profil_prive")
        return verifierProfil;
    if (cible == "icones")
        return verifierIcones;
    if (cible == "images")
        return verifierImages;
    return nullptr;
}

} // namespace lanceron::fuzz
