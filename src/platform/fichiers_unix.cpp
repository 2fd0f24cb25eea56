#include "platform/fichiers.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lanceron {

namespace {

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

ResultatRenommage renommerSansRemplacer(const QString& ancien, const QString& nouveau)
{
    using Issue = ResultatRenommage::Issue;
    if (ancien == nouveau)
        return {};
    const QByteArray a = QFile::encodeName(ancien);
    const QByteArray n = QFile::encodeName(nouveau);
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
        return {Issue::Echec, qt_error_string(erreur)};
    }
}

bool mettreALaCorbeille(const QString& chemin)
{
    return QFile::moveToTrash(chemin) || QFile::remove(chemin);
}

} // namespace lanceron
