// libFuzzer target: the picture readers (format and embedded pictures).

#include "proprietes.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* donnees, std::size_t taille)
{
    const QByteArray octets(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    const QString erreur = lanceron::fuzz::verifierImages(octets);
    if (!erreur.isEmpty()) {
        std::fprintf(stderr, "%s\n", erreur.toUtf8().constData());
        std::abort();
    }
    return 0;
}
