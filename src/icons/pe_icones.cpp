#include "icons/pe_icones.h"

#include "icons/ico_format.h"
#include "icons/octets.h"

#include "platform/fichiers.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>
#include <QIODevice>

#include <optional>

namespace lanceron {

namespace {

using octets::u16;
using octets::u32;

constexpr quint32 TypeIcone = 3;         // RT_ICON
constexpr quint32 TypeGroupeIcones = 14; // RT_GROUP_ICON
constexpr int NombreMaxSections = 1024;
constexpr quint32 BitHaut = 0x80000000u;

struct Section {
    quint32 adresse;  // relative virtual address
    quint32 etendue;  // bytes of the section present in the file
    quint32 position; // in the file
};

// One entry of a resource directory: a name or a number, then a subdirectory or a resource.
struct Entree {
    quint32 nom;
    quint32 cible;
    bool estRepertoire() const { return cible & BitHaut; }
    quint32 decalage() const { return cible & ~BitHaut; }
};

struct Donnee {
    quint32 adresse;
    quint32 taille;
};

class LecteurPe {
public:
    explicit LecteurPe(QIODevice& fichier) : m_fichier(fichier) {}

    QByteArray ico()
    {
        if (!lireEntetes())
            return {};
        const QList<Entree> types = repertoire(0);
        const std::optional<Entree> groupes = chercher(types, TypeGroupeIcones);
        const std::optional<Entree> icones = chercher(types, TypeIcone);
        if (!groupes || !icones || !icones->estRepertoire())
            return {};
        const std::optional<Donnee> groupe = premiereDonnee(*groupes, 2);
        if (!groupe)
            return {};
        // GRPICONDIR: reserved, type 1, count; then 14 bytes per picture, its number last.
        constexpr int TailleEntree = 14;
        const QByteArray g = lireAdresse(
            groupe->adresse, qMin<qint64>(groupe->taille, 6 + TailleEntree * NombreMaxImagesIco));
        if (g.size() < 6 || u16(g, 0) != 0 || u16(g, 2) != 1)
            return {};
        const int nombre = qMin<qint64>(u16(g, 4), (g.size() - 6) / TailleEntree);
        const QList<Entree> images = repertoire(icones->decalage());
        QList<ImageIco> trouvees;
        for (int i = 0; i < nombre; ++i) {
            const std::optional<Entree> e = chercher(images, u16(g, 6 + TailleEntree * i + 12));
            const std::optional<Donnee> d = e ? premiereDonnee(*e, 1) : std::nullopt;
            if (!d || d->taille > TailleMaxImageIco)
                continue;
            if (auto image = verifierImageIco(lireAdresse(d->adresse, d->taille)))
                trouvees.append(*image);
        }
        return trouvees.isEmpty() ? QByteArray() : construireIco(trouvees);
    }

private:
    // Exactly `n` bytes at `position`, or nothing; counts against the reading budget.
    QByteArray lire(qint64 position, qint64 n)
    {
        if (position < 0 || n < 0 || n > LectureMaxPe - m_lu || position > m_fichier.size() ||
            n > m_fichier.size() - position || !m_fichier.seek(position))
            return {};
        m_lu += n;
        QByteArray b = m_fichier.read(n);
        return b.size() == n ? b : QByteArray();
    }

    // Exactly `n` bytes at a relative virtual address, all within one section, or nothing.
    QByteArray lireAdresse(quint64 adresse, qint64 n)
    {
        for (const Section& s : m_sections) {
            if (adresse < s.adresse || adresse - s.adresse >= s.etendue)
                continue;
            const quint64 decalage = adresse - s.adresse;
            if (quint64(n) > s.etendue - decalage)
                return {};
            return lire(qint64(s.position) + qint64(decalage), n);
        }
        return {};
    }

    bool lireEntetes()
    {
        const QByteArray dos = lire(0, 64);
        if (!dos.startsWith("MZ"))
            return false;
        const qint64 pe = u32(dos, 0x3c);
        // Signature, then the file header: machine, number of sections, ..., optional
        // header size.
        const QByteArray entete = lire(pe, 24);
        if (!entete.startsWith(QByteArrayView("PE\0\0", 4)))
            return false;
        const int nombreSections = qMin<int>(u16(entete, 6), NombreMaxSections);
        const quint16 tailleOptionnel = u16(entete, 20);
        const QByteArray optionnel = lire(pe + 24, tailleOptionnel);
        // The data directories follow the number of directories; the third is the resources.
        qint64 repertoires = 0;
        switch (u16(optionnel, 0)) {
        case 0x10b:
            repertoires = 96;
            break; // PE32
        case 0x20b:
            repertoires = 112;
            break; // PE32+
        default:
            return false;
        }
        if (u32(optionnel, repertoires - 4) < 3 ||
            !octets::contient(optionnel, repertoires + 16, 8))
            return false;
        m_base = u32(optionnel, repertoires + 16);
        const QByteArray table = lire(pe + 24 + tailleOptionnel, 40 * qint64(nombreSections));
        for (int i = 0; i < nombreSections && !table.isEmpty(); ++i) {
            const qint64 s = 40 * qint64(i);
            // Name, virtual size, virtual address, raw size, raw position.
            const quint32 tailleVirtuelle = u32(table, s + 8);
            const quint32 tailleBrute = u32(table, s + 16);
            m_sections.append(
                Section{u32(table, s + 12),
                        tailleVirtuelle != 0 ? qMin(tailleVirtuelle, tailleBrute) : tailleBrute,
                        u32(table, s + 20)});
        }
        return m_base != 0 && !m_sections.isEmpty();
    }

    // The entries of the resource directory at `decalage` from the resources' start.
    QList<Entree> repertoire(quint32 decalage)
    {
        const quint64 adresse = quint64(m_base) + decalage;
        const QByteArray entete = lireAdresse(adresse, 16);
        const qint64 nombre = qint64(u16(entete, 12)) + u16(entete, 14);
        const QByteArray table = lireAdresse(adresse + 16, 8 * nombre);
        QList<Entree> entrees;
        for (qint64 i = 0; i < nombre && !table.isEmpty(); ++i)
            entrees.append(Entree{u32(table, 8 * i), u32(table, 8 * i + 4)});
        return entrees;
    }

    // The entry numbered `numero` (not named).
    static std::optional<Entree> chercher(const QList<Entree>& entrees, quint32 numero)
    {
        for (const Entree& e : entrees) {
            if (e.nom == numero)
                return e;
        }
        return std::nullopt;
    }

    // The first resource under `e`, down at most `profondeur` directories.
    std::optional<Donnee> premiereDonnee(Entree e, int profondeur)
    {
        for (int i = 0; i < profondeur && e.estRepertoire(); ++i) {
            const QList<Entree> sous = repertoire(e.decalage());
            if (sous.isEmpty())
                return std::nullopt;
            e = sous.first();
        }
        if (e.estRepertoire())
            return std::nullopt;
        // IMAGE_RESOURCE_DATA_ENTRY: address of the data, size, code page, reserved.
        const QByteArray d = lireAdresse(quint64(m_base) + e.decalage(), 16);
        if (d.isEmpty())
            return std::nullopt;
        return Donnee{u32(d, 0), u32(d, 4)};
    }

    QIODevice& m_fichier;
    qint64 m_lu = 0;
    quint32 m_base = 0; // relative virtual address of the resources
    QList<Section> m_sections;
};

} // namespace

QByteArray icoDepuisPe(QIODevice& fichier)
{
    if (!fichier.isOpen() || fichier.isSequential())
        return {};
    return LecteurPe(fichier).ico();
}

QByteArray icoDepuisFichierPe(const QString& chemin)
{
    // Only regular files are opened, without waiting on a pipe or a device.
    const int fd = ouvrirFichierOrdinaire(chemin, TailleMaxFichierPe);
    if (fd < 0)
        return {};
    QFile fichier;
    // Small reads here and there: no read-ahead.
    if (!fichier.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered,
                      QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    return icoDepuisPe(fichier);
}

} // namespace lanceron
