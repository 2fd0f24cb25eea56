// Feeds every file of a folder of sample inputs to the fuzz targets' checks, so that each
// test run goes through them too: corpus <profil_prive|icones|images> <folder>.

#include "proprietes.h"

#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3)
        return 2;
    const lanceron::fuzz::Verification verifier = lanceron::fuzz::verification(argv[1]);
    if (!verifier)
        return 2;
    const QDir dossier(QString::fromLocal8Bit(argv[2]));
    const QStringList fichiers = dossier.entryList(QDir::Files, QDir::Name);
    int echecs = 0;
    for (const QString& nom : fichiers) {
        QFile f(dossier.filePath(nom));
        if (!f.open(QIODevice::ReadOnly))
            return 2;
        const QByteArray octets = f.readAll();
        const QString erreur = verifier(octets);
        if (!erreur.isEmpty()) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(nom), qPrintable(erreur));
            ++echecs;
        }
    }
    std::printf("%lld files, %d failed\n", static_cast<long long>(fichiers.size()), echecs);
    return fichiers.isEmpty() || echecs > 0 ? 1 : 0;
}
