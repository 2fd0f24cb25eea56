#include "platform/lancement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lanceron {

using namespace Qt::StringLiterals;

Affichage affichagePour(const QString& executer)
{
    if (executer.startsWith(u'F'))
        return Affichage::Normale;
    if (executer.startsWith(u'R'))
        return Affichage::Reduite;
    if (executer.startsWith(u'A'))
        return Affichage::Agrandie;
    return Affichage::Cachee;
}

namespace {

// What the file system says of a path, learnt without ever waiting: a named pipe or a device
// is only looked at (stat), never opened; a regular file is opened without blocking and only
// its first bytes are read.
struct Examen {
    enum class Genre { Absent, Dossier, Ordinaire, Special } genre = Genre::Absent;
    qint64 taille = 0;
    bool lisible = false;
    QByteArray debut; // the first bytes of a readable regular file
};

Examen examiner(const QString& chemin)
{
    Examen e;
    const QByteArray nom = QFile::encodeName(chemin);
    struct stat st {};
    if (nom.isEmpty() || ::stat(nom.constData(), &st) != 0)
        return e;
    if (S_ISDIR(st.st_mode)) {
        e.genre = Examen::Genre::Dossier;
        return e;
    }
    e.genre = S_ISREG(st.st_mode) ? Examen::Genre::Ordinaire : Examen::Genre::Special;
    if (e.genre != Examen::Genre::Ordinaire)
        return e;
    e.taille = st.st_size;
    const int fd = ::open(nom.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return e;
    // The path may have been replaced between the two calls: check what was opened.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        e.genre = Examen::Genre::Special;
        return e;
    }
    e.taille = st.st_size;
    e.lisible = true;
    char octets[4];
    ssize_t lus;
    do
        lus = ::read(fd, octets, sizeof octets);
    while (lus < 0 && errno == EINTR);
    if (lus > 0)
        e.debut = QByteArray(octets, lus);
    ::close(fd);
    return e;
}

// An ELF program or a script: what the system can run from its first bytes.
bool debutDeProgramme(const QByteArray& debut)
{
    return debut.startsWith("\x7f"
                            "ELF") ||
           debut.startsWith("#!");
}

} // namespace

PlanLancement planLancement(const QString& programme, const QString& commande)
{
    PlanLancement plan;
    const QFileInfo fichier(programme);
    const Examen examen = examiner(programme);
    const QString chemin = fichier.absoluteFilePath();
    plan.dossier = fichier.absolutePath();
    plan.document = QUrl::fromLocalFile(chemin);
    switch (examen.genre) {
    case Examen::Genre::Absent:
        plan.erreur = u"fichier introuvable"_s;
        return plan;
    case Examen::Genre::Dossier:
        plan.sorte = PlanLancement::Sorte::Dossier;
        return plan;
    case Examen::Genre::Special:
        plan.erreur = u"ce n'est pas un fichier ordinaire"_s;
        return plan;
    case Examen::Genre::Ordinaire:
        break;
    }
    const bool executable = fichier.isExecutable();
    if (!examen.lisible && !executable) {
        plan.erreur = u"accès refusé"_s;
        return plan;
    }
    const QStringList arguments = QProcess::splitCommand(commande);
    if (fichier.suffix().compare(u"desktop"_s, Qt::CaseInsensitive) == 0) {
        if (!examen.lisible) {
            plan.erreur = u"accès refusé"_s;
            return plan;
        }
        if (examen.taille > TailleMaxEntree) {
            plan.erreur = u"entrée de bureau trop grande"_s;
            return plan;
        }
        plan.sorte = PlanLancement::Sorte::EntreeBureau;
        plan.programme = chemin;
        plan.arguments = arguments;
        return plan;
    }
    // A program that may be run but not read cannot be a script: only an ELF program runs so.
    if (executable && (!examen.lisible || debutDeProgramme(examen.debut))) {
        plan.sorte = PlanLancement::Sorte::Executable;
        plan.programme = chemin;
        plan.arguments = arguments;
        return plan;
    }
    plan.sorte = PlanLancement::Sorte::Document;
    return plan;
}

} // namespace lanceron
