// libFuzzer target: the checks of proprietes.h named by LANCERON_CIBLE ("profil_prive": the
// private-profile reader and writer; "icones": .ico files and Windows programs; "images": what
// is read of a picture before decoding it).

#include "proprietes.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* donnees, std::size_t taille)
{
    static const lanceron::fuzz::Verification verifier =
        lanceron::fuzz::verification(LANCERON_CIBLE);
    const QByteArray octets(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    const QString erreur = verifier(octets);
    if (!erreur.isEmpty()) {
        std::fprintf(stderr, "%s\n", erreur.toUtf8().constData());
        std::abort();
    }
    return 0;
}
