#include "platform/fichiers.h"

#include "platform/chemins_natifs.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lanceron {

namespace {

using namespace Qt::Literals::StringLiterals;

struct Descripteur {
    int fd = -1;
    ~Descripteur()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Hard link, then removal of the old name: link() fails on an existing name, like a rename
// that may not replace. For file systems without renameat2's RENAME_NOREPLACE. Returns 0 or
// the error number.
int renommerParLien(const char* ancien, const char* nouveau)
{
    if (::link(ancien, nouveau) != 0)
        return errno;
    if (::unlink(ancien) == 0)
        return 0;
    const int erreur = errno;
    ::unlink(nouveau);
    return erreur;
}

bool memeFichier(const char* a, const char* b)
{
    struct stat sa {};
    struct stat sb {};
    return ::stat(a, &sa) == 0 && ::stat(b, &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

} // namespace

QString raisonErreur(int numeroErreur)
{
    switch (numeroErreur) {
    case EACCES:
    case EPERM: return u"Vous n'avez pas l'autorisation nécessaire."_s;
    case ENOSPC:
    case EDQUOT: return u"Le disque est plein."_s;
    case EROFS: return u"Le système de fichiers est en lecture seule."_s;
    case ENOTDIR: return u"Un élément du chemin n'est pas un dossier."_s;
    case ENOENT: return u"Le fichier ou le dossier n'existe pas."_s;
    case EEXIST: return u"Un fichier de ce nom existe déjà."_s;
    case ENAMETOOLONG: return u"Le nom est trop long."_s;
    case EISDIR: return u"C'est un dossier, pas un fichier."_s;
    default: return qt_error_string(numeroErreur);
    }
}

int ouvrirFichierOrdinaire(const QString& chemin, qint64 tailleMaximale, QString* raison)
{
    const auto refuser = [raison](const QString& r) {
        if (raison)
            *raison = r;
        return -1;
    };
    Descripteur d;
    d.fd = ::open(versNatif(chemin).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (d.fd < 0)
        return refuser(raisonErreur(errno));
    struct stat s {};
    if (::fstat(d.fd, &s) != 0)
        return refuser(raisonErreur(errno));
    if (S_ISDIR(s.st_mode))
        return refuser(raisonErreur(EISDIR));
    if (!S_ISREG(s.st_mode))
        return refuser(u"Ce n'est pas un fichier ordinaire."_s);
    if (s.st_size > tailleMaximale)
        return refuser(u"Le fichier dépasse la taille maximale de %1 Mio."_s.arg(
            (tailleMaximale + 1024 * 1024 - 1) / (1024 * 1024)));
    // Reads on a regular file block as usual.
    ::fcntl(d.fd, F_SETFL, ::fcntl(d.fd, F_GETFL) & ~O_NONBLOCK);
    return std::exchange(d.fd, -1);
}

LectureFichier lireFichierOrdinaire(const QString& chemin, qint64 tailleMaximale)
{
    LectureFichier l;
    struct stat s {};
    if (::lstat(versNatif(chemin).constData(), &s) != 0 && errno == ENOENT)
        return l;
    l.issue = LectureFichier::Issue::Refuse;
    Descripteur d;
    d.fd = ouvrirFichierOrdinaire(chemin, tailleMaximale, &l.raison);
    if (d.fd < 0)
        return l;
    // The size may have grown since: never read more than the limit and one byte.
    QByteArray octets;
    qint64 taille = 0;
    struct stat etat {};
    const qint64 attendue = ::fstat(d.fd, &etat) == 0 ? qint64(etat.st_size) : 0;
    octets.resize(std::min<qint64>(tailleMaximale, std::max<qint64>(attendue, 4096)) + 1);
    for (;;) {
        if (taille == octets.size()) {
            if (taille > tailleMaximale)
                break;
            octets.resize(std::min<qint64>(tailleMaximale + 1, taille * 2));
        }
        const ssize_t n = ::read(d.fd, octets.data() + taille, std::size_t(octets.size() - taille));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            l.raison = raisonErreur(errno);
            return l;
        }
        if (n == 0)
            break;
        taille += n;
    }
    if (taille > tailleMaximale) {
        l.raison = u"Le fichier dépasse la taille maximale de %1 Mio."_s.arg(
            (tailleMaximale + 1024 * 1024 - 1) / (1024 * 1024));
        return l;
    }
    octets.truncate(taille);
    l.octets = std::move(octets);
    l.issue = LectureFichier::Issue::Lu;
    return l;
}

bool ecrireAtomiquement(const QString& chemin, const QByteArray& contenu, QString* raison)
{
    const auto echec = [raison](int erreur) {
        if (raison)
            *raison = raisonErreur(erreur);
        return false;
    };
    // A link is followed: the file it leads to is replaced, the link stays.
    QByteArray cible = versNatif(chemin);
    struct stat lien {};
    if (::lstat(cible.constData(), &lien) == 0 && S_ISLNK(lien.st_mode)) {
        char* reel = ::realpath(cible.constData(), nullptr);
        if (!reel)
            return echec(errno);
        cible = QByteArray(reel);
        ::free(reel);
    }
    // A new file gets the usual permissions for a document (umask applied by open).
    mode_t mode = 0666;
    bool garderMode = false;
    struct stat s {};
    if (::stat(cible.constData(), &s) == 0) {
        if (S_ISDIR(s.st_mode))
            return echec(EISDIR);
        mode = s.st_mode & 07777;
        garderMode = true;
    }
    const qsizetype barre = cible.lastIndexOf('/');
    const QByteArray dossier = barre >= 0 ? cible.left(barre + 1) : QByteArray();
    QByteArray temporaire;
    Descripteur d;
    for (int essai = 0; essai < 100 && d.fd < 0; ++essai) {
        temporaire = dossier + ".lanceron-" +
                     QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
        d.fd = ::open(temporaire.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (d.fd < 0 && errno != EEXIST)
            return echec(errno);
    }
    if (d.fd < 0)
        return echec(EEXIST);
    const auto abandonner = [&](int erreur) {
        ::unlink(temporaire.constData());
        return echec(erreur);
    };
    qsizetype ecrit = 0;
    while (ecrit < contenu.size()) {
        const ssize_t n =
            ::write(d.fd, contenu.constData() + ecrit, std::size_t(contenu.size() - ecrit));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return abandonner(errno);
        ecrit += n;
    }
    if (garderMode && ::fchmod(d.fd, mode) != 0)
        return abandonner(errno);
    if (::fsync(d.fd) != 0)
        return abandonner(errno);
    const int fd = std::exchange(d.fd, -1);
    if (::close(fd) != 0)
        return abandonner(errno);
    if (::rename(temporaire.constData(), cible.constData()) != 0)
        return abandonner(errno);
    return true;
}

ResultatRenommage renommerSansRemplacer(const QString& ancien, const QString& nouveau)
{
    using Issue = ResultatRenommage::Issue;
    if (ancien == nouveau)
        return {};
    const QByteArray a = versNatif(ancien);
    const QByteArray n = versNatif(nouveau);
    int erreur =
        ::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, n.constData(), RENAME_NOREPLACE) ? errno : 0;
    if (erreur == EINVAL || erreur == ENOSYS || erreur == EOPNOTSUPP)
        erreur = renommerParLien(a.constData(), n.constData());
    // On a file system that ignores letter case, a change of case only finds "another" file
    // of the new name, which is the file itself.
    if (erreur == EEXIST && memeFichier(a.constData(), n.constData()))
        erreur = ::rename(a.constData(), n.constData()) ? errno : 0;

    switch (erreur) {
    case 0:
        return {};
    case EEXIST:
        return {Issue::NomPris, {}};
    case ENOENT:
        return {Issue::Absent, {}};
    default:
        return {Issue::Echec, raisonErreur(erreur)};
    }
}

bool mettreALaCorbeille(const QString& chemin)
{
    // Names that are not valid UTF-8 cannot go through Qt: they are deleted.
    const QByteArray natif = versNatif(chemin);
    if (natif == chemin.toUtf8() && QFile::moveToTrash(chemin))
        return true;
    return ::unlink(natif.constData()) == 0;
}

} // namespace lanceron
