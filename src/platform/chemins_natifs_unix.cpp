#include "platform/chemins_natifs.h"

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace lanceron {

namespace {

constexpr char16_t EchappementBase = 0xDC00;

bool estEchappement(char16_t c)
{
    return c >= 0xDC80 && c <= 0xDCFF;
}

// Length of the valid UTF-8 sequence at `i` (1 to 4), or 0 when the byte there starts none.
int sequenceUtf8(const QByteArray& o, qsizetype i)
{
    const auto b = [&](qsizetype k) { return static_cast<uchar>(o[k]); };
    const uchar c = b(i);
    if (c < 0x80)
        return 1;
    int n = 0;
    uchar min = 0x80;
    uchar max = 0xBF;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0)
            min = 0xA0; // no overlong form
        if (c == 0xED)
            max = 0x9F; // no surrogate
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0)
            min = 0x90;
        if (c == 0xF4)
            max = 0x8F; // nothing past U+10FFFF
    } else
        return 0;
    if (i + n > o.size())
        return 0;
    if (b(i + 1) < min || b(i + 1) > max)
        return 0;
    for (int k = 2; k < n; ++k) {
        if (b(i + k) < 0x80 || b(i + k) > 0xBF)
            return 0;
    }
    return n;
}

// Windows-1252 characters of 0x80 to 0x9F; the five undefined bytes stay control characters.
constexpr char16_t Windows1252_80_9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

struct FermerDossier {
    void operator()(DIR* d) const { ::closedir(d); }
};

} // namespace

QString depuisNatif(const QByteArray& octets)
{
    QString texte;
    texte.reserve(octets.size());
    qsizetype debut = 0; // start of the valid run not yet copied
    qsizetype i = 0;
    while (i < octets.size()) {
        const int n = sequenceUtf8(octets, i);
        if (n > 0) {
            i += n;
            continue;
        }
        texte += QString::fromUtf8(octets.constData() + debut, i - debut);
        texte += QChar(static_cast<char16_t>(EchappementBase + static_cast<uchar>(octets[i])));
        debut = ++i;
    }
    texte += QString::fromUtf8(octets.constData() + debut, i - debut);
    return texte;
}

QByteArray versNatif(const QString& nom)
{
    QByteArray octets;
    octets.reserve(nom.size());
    qsizetype debut = 0;
    for (qsizetype i = 0; i < nom.size(); ++i) {
        const char16_t c = nom[i].unicode();
        // A low surrogate is an escape only when no high surrogate stands before it.
        if (!estEchappement(c) || (i > 0 && nom[i - 1].isHighSurrogate()))
            continue;
        octets += QStringView(nom).sliced(debut, i - debut).toUtf8();
        octets += static_cast<char>(c - EchappementBase);
        debut = i + 1;
    }
    octets += QStringView(nom).sliced(debut).toUtf8();
    return octets;
}

QString nomLisible(const QString& nom)
{
    QString lisible = nom;
    for (qsizetype i = 0; i < lisible.size(); ++i) {
        const char16_t c = lisible[i].unicode();
        if (!estEchappement(c) || (i > 0 && lisible[i - 1].isHighSurrogate()))
            continue;
        const char16_t o = c - EchappementBase;
        lisible[i] = QChar(o < 0xA0 ? Windows1252_80_9F[o - 0x80] : o);
    }
    return lisible;
}

QStringList fichiersIni(const QString& dossier)
{
    const QByteArray natif = versNatif(dossier);
    const std::unique_ptr<DIR, FermerDossier> d(::opendir(natif.constData()));
    if (!d)
        return {};
    QList<QByteArray> noms;
    while (const dirent* e = ::readdir(d.get())) {
        const QByteArray nom(e->d_name);
        if (nom.size() < 4 || nom.right(4).toLower() != ".ini")
            continue;
        bool dossierTrouve = e->d_type == DT_DIR;
        if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            struct stat s {};
            dossierTrouve = ::stat((natif + '/' + nom).constData(), &s) == 0 && S_ISDIR(s.st_mode);
        }
        if (!dossierTrouve)
            noms.append(nom);
    }
    std::sort(noms.begin(), noms.end());
    QStringList resultat;
    resultat.reserve(noms.size());
    for (const QByteArray& nom : noms)
        resultat.append(depuisNatif(nom));
    return resultat;
}

EmpreinteFichier empreinte(const QString& chemin)
{
    struct stat s {};
    if (chemin.isEmpty() || ::stat(versNatif(chemin).constData(), &s) != 0)
        return {};
    return {true, qint64(s.st_size), qint64(s.st_mtim.tv_sec) * 1000000000 + s.st_mtim.tv_nsec};
}

bool existe(const QString& chemin)
{
    struct stat s {};
    return ::lstat(versNatif(chemin).constData(), &s) == 0;
}

} // namespace lanceron
