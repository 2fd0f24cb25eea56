#include "storage/profil_prive.h"

#include "platform/fichiers.h"

#include <QStringDecoder>
#include <QVarLengthArray>

#include <algorithm>
#include <array>

namespace lanceron {

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr QByteArrayView Bom = "\xEF\xBB\xBF";
constexpr QByteArrayView BomUtf16Le = "\xFF\xFE";

// Windows-1252 characters of the bytes 0x80 to 0x9F. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control character of the same
// number, as Windows reads them, so that every byte comes back unchanged.
constexpr std::array<char16_t, 32> Windows1252_80_9F = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98
};

QString depuisWindows1252(QByteArrayView octets)
{
    QString texte(octets.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < octets.size(); ++i) {
        const auto o = static_cast<uchar>(octets[i]);
        texte[i] = QChar(o >= 0x80 && o < 0xA0 ? Windows1252_80_9F[o - 0x80] : char16_t{o});
    }
    return texte;
}

// The Windows-1252 byte of a character, or -1 when the code page has none.
int octetWindows1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < Windows1252_80_9F.size(); ++i) {
        if (Windows1252_80_9F[i] == c)
            return 0x80 + static_cast<int>(i);
    }
    return -1;
}

bool representableWindows1252(QStringView texte)
{
    for (const QChar c : texte) {
        if (octetWindows1252(c.unicode()) < 0)
            return false;
    }
    return true;
}

// The bytes, or an empty array when a character has none in Windows-1252.
QByteArray versWindows1252(QStringView texte)
{
    QByteArray octets(texte.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const int o = octetWindows1252(texte[i].unicode());
        if (o < 0)
            return {};
        octets[i] = static_cast<char>(o);
    }
    return octets;
}

// Bytes that a reader would take for UTF-8 although they hold non-ASCII Windows-1252 text.
bool luCommeUtf8(QByteArrayView octets)
{
    if (std::all_of(octets.begin(), octets.end(), [](char o) { return uchar(o) < 0x80; }))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString texte = utf8(octets);
    return !utf8.hasError();
}

// A stray NUL is read as Windows reads it (it ends its line); pictures, programs and UTF-16
// without a byte-order mark hold NULs from their first bytes on, or throughout.
bool estBinaire(QStringView texte)
{
    constexpr qsizetype Debut = 8192;
    qsizetype auDebut = 0;
    qsizetype n = 0;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        if (texte[i].unicode() != 0)
            continue;
        ++n;
        if (i < Debut)
            ++auDebut;
    }
    return auDebut > 1 || (n > 1 && n * 256 > texte.size());
}

bool estBlanc(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView sansBlancs(QStringView v)
{
    while (!v.isEmpty() && estBlanc(v.front()))
        v = v.sliced(1);
    while (!v.isEmpty() && estBlanc(v.back()))
        v.chop(1);
    return v;
}

// The form of a name that lookups compare. Names are nearly always ASCII, which is folded
// here directly.
QString plier(QStringView nom)
{
    nom = sansBlancs(nom);
    QString plie(nom.size(), Qt::Uninitialized);
    QChar* sortie = plie.data();
    for (const QChar c : nom) {
        if (c.unicode() >= 0x80)
            return nom.toString().toCaseFolded();
        *sortie++ = c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 0x20) : c;
    }
    return plie;
}

bool memeNom(QStringView a, QStringView b)
{
    a = sansBlancs(a);
    b = sansBlancs(b);
    // ASCII letters fold one to one: the first difference before any other character decides.
    const qsizetype n = std::min(a.size(), b.size());
    const auto bas = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c; };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x >= 0x80 || y >= 0x80)
            return plier(a) == plier(b);
        if (bas(x) != bas(y))
            return false;
    }
    const QStringView reste = a.size() > n ? a.sliced(n) : b.sliced(n);
    for (const QChar c : reste) {
        if (c.unicode() >= 0x80)
            return plier(a) == plier(b);
    }
    return reste.isEmpty();
}

// The hash of plier(nom), without building it for an ASCII name.
size_t hacherNom(QStringView nom)
{
    nom = sansBlancs(nom);
    QVarLengthArray<char16_t, 64> plie(nom.size());
    for (qsizetype i = 0; i < nom.size(); ++i) {
        const char16_t c = nom[i].unicode();
        if (c >= 0x80)
            return qHash(plier(nom));
        plie[i] = c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c;
    }
    return qHash(QStringView(plie.constData(), plie.size()));
}

bool estGuillemet(QChar c)
{
    return c == u'"' || c == u'\'';
}

QStringView sansGuillemets(QStringView v)
{
    if (v.size() >= 2 && estGuillemet(v.front()) && v.back() == v.front())
        return v.sliced(1, v.size() - 2);
    return v;
}

// The part of a line that is read: a NUL ends it.
QStringView partieLue(QStringView ligne)
{
    const qsizetype nul = ligne.indexOf(QChar(u'\0'));
    return nul < 0 ? ligne : ligne.first(nul);
}

enum class Sorte { Vide, Commentaire, Section, Cle };

struct Analyse {
    Sorte sorte = Sorte::Vide;
    QStringView nom;           // trimmed
    bool egal = false;         // the key line has an '='
    qsizetype debutValeur = 0; // the value's text in the line, blanks trimmed, quotes kept;
    qsizetype finValeur = 0;   // without '=', both are just after the name
};

// `ligne` is the part read (partieLue).
Analyse analyserLigne(QStringView ligne)
{
    Analyse a;
    const QStringView t = sansBlancs(ligne);
    if (t.isEmpty())
        return a;
    if (t.front() == u'[') {
        const qsizetype fermant = t.lastIndexOf(u']');
        if (fermant < 0) // not a section: ignored
            return a;
        a.sorte = Sorte::Section;
        a.nom = sansBlancs(t.sliced(1, fermant - 1));
        return a;
    }
    if (t.front() == u';') {
        a.sorte = Sorte::Commentaire;
        return a;
    }
    a.sorte = Sorte::Cle;
    const qsizetype egal = ligne.indexOf(u'=');
    if (egal < 0) {
        a.nom = t;
        a.debutValeur = a.finValeur = t.data() + t.size() - ligne.data();
        return a;
    }
    a.egal = true;
    a.nom = sansBlancs(ligne.first(egal));
    const QStringView valeur = sansBlancs(ligne.sliced(egal + 1));
    a.debutValeur = valeur.isEmpty() ? egal + 1 : valeur.data() - ligne.data();
    a.finValeur = a.debutValeur + valeur.size();
    return a;
}

QStringView valeurLue(QStringView ligne)
{
    const Analyse a = analyserLigne(ligne);
    return sansGuillemets(ligne.sliced(a.debutValeur, a.finValeur - a.debutValeur));
}

// What a value becomes once written: one line, without the NULs that would end it. A lone
// surrogate, which only UTF-16 can hold, becomes U+FFFD in the other encodings.
QString nettoyer(QStringView valeur, bool utf16)
{
    QString v;
    v.reserve(valeur.size());
    for (qsizetype i = 0; i < valeur.size(); ++i) {
        const QChar c = valeur[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < valeur.size() && valeur[i + 1] == u'\n')
                ++i;
            v += u' ';
        } else if (c.unicode() == 0) {
            continue;
        } else if (c.isHighSurrogate() && i + 1 < valeur.size() && valeur[i + 1].isLowSurrogate()) {
            v += c;
            v += valeur[++i];
        } else if (c.isSurrogate() && !utf16) {
            v += QChar(QChar::ReplacementCharacter);
        } else {
            v += c;
        }
    }
    return v;
}

// The text that reads back as `valeur` (a cleaned value).
QString valeurEcrite(const QString& valeur)
{
    if (valeur.isEmpty())
        return valeur;
    const QChar premier = valeur.front();
    const QChar dernier = valeur.back();
    const bool entreGuillemets =
        estBlanc(premier) || estBlanc(dernier) ||
        (valeur.size() >= 2 && estGuillemet(premier) && premier == dernier);
    return entreGuillemets ? u'"' + valeur + u'"' : valeur;
}

QString raisonTropGrand()
{
    return u"Le fichier dépasse la taille maximale de %1 Mio."_s.arg(ProfilPrive::TailleMaximale /
                                                                     (1024 * 1024));
}

// Calls `f(debut, taille, fin)` for each line of m_texte[debut, debut + taille) until it
// returns true; `fin` is the length of the line end (0 for a last line without one).
template <typename F>
bool pourChaqueLigne(const QString& texte, qsizetype debut, qsizetype taille, F&& f)
{
    const QChar* d = texte.constData();
    const qsizetype limite = debut + taille;
    qsizetype ligne = debut;
    for (qsizetype i = debut; i < limite; ++i) {
        const char16_t c = d[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        const qsizetype fin = c == u'\r' && i + 1 < limite && d[i + 1] == u'\n' ? 2 : 1;
        if (f(ligne, i - ligne, fin))
            return true;
        i += fin - 1;
        ligne = i + 1;
    }
    if (ligne < limite)
        return f(ligne, limite - ligne, qsizetype(0));
    return false;
}

} // namespace

ProfilPrive::ProfilPrive()
{
    m_blocs.append(Bloc{});
}

ProfilPrive ProfilPrive::inutilisable(const QString& raison)
{
    ProfilPrive p;
    p.m_etat = Etat::Inutilisable;
    p.m_raison = raison;
    return p;
}

ProfilPrive ProfilPrive::charger(const QString& chemin)
{
    LectureFichier l = lireFichierOrdinaire(chemin, TailleMaximale);
    switch (l.issue) {
    case LectureFichier::Issue::Absent: return {};
    case LectureFichier::Issue::Refuse: return inutilisable(l.raison);
    case LectureFichier::Issue::Lu: break;
    }
    return depuisOctets(std::move(l.octets));
}

namespace {

// The element of one line (partieLue applied here), if any.
void elementDe(QStringView ligne, const std::function<void(const ProfilPrive::Element&)>& f)
{
    ligne = partieLue(ligne);
    const Analyse a = analyserLigne(ligne);
    if (a.sorte == Sorte::Section)
        f({true, a.nom, {}});
    else if (a.sorte == Sorte::Cle)
        f({false, a.nom, sansGuillemets(ligne.sliced(a.debutValeur, a.finValeur - a.debutValeur))});
}

} // namespace

bool ProfilPrive::memeNom(QStringView a, QStringView b)
{
    return lanceron::memeNom(a, b);
}

ProfilPrive::Etat ProfilPrive::parcourir(QByteArray octets,
                                         const std::function<void(const Element&)>& f,
                                         QString* raison, qsizetype* lignes)
{
    *lignes = 0;
    QByteArrayView corps = octets;
    if (octets.size() > TailleMaximale || corps.startsWith(BomUtf16Le)) {
        // Too large, or UTF-16 (rare): read whole.
        const ProfilPrive p = depuisOctets(std::move(octets));
        if (p.etat() == Etat::Inutilisable) {
            *raison = p.raison();
            return p.etat();
        }
        *lignes = p.m_lignes;
        const auto ligne = [&](qsizetype debut, qsizetype taille, qsizetype) {
            elementDe(QStringView(p.m_texte).sliced(debut, taille), f);
            return false;
        };
        pourChaqueLigne(p.m_texte, 0, p.m_texte.size(), ligne);
        return Etat::Lu;
    }
    if (corps.startsWith(Bom))
        corps = corps.sliced(Bom.size());
    const bool utf8 = corps.isValidUtf8();
    // The NULs of the text, counted in UTF-16 code units as estBinaire() counts them: a byte
    // that does not continue a UTF-8 sequence starts one unit, a four-byte sequence two.
    {
        qsizetype unites = 0;
        qsizetype nuls = 0;
        qsizetype nulsAuDebut = 0;
        for (const char c : corps) {
            const auto o = static_cast<uchar>(c);
            if (o == 0) {
                ++nuls;
                if (unites < 8192)
                    ++nulsAuDebut;
            }
            unites += !utf8 ? 1 : (o & 0xC0) == 0x80 ? 0 : o >= 0xF0 ? 2 : 1;
        }
        if (nulsAuDebut > 1 || (nuls > 1 && nuls * 256 > unites)) {
            *raison = u"Ce n'est pas un fichier texte."_s;
            return Etat::Inutilisable;
        }
    }
    if (corps.endsWith('\x1A'))
        corps.chop(1);
    const char* d = corps.data();
    const qsizetype limite = corps.size();
    // As the whole text is decoded: a byte-order mark left after the first one is a character.
    QStringDecoder decodeur(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                       QStringDecoder::Flag::ConvertInitialBom);
    auto ligne = [&](qsizetype debut, qsizetype taille) {
        ++*lignes;
        const QByteArrayView octetsLigne(d + debut, taille);
        elementDe(utf8 ? QString(decodeur(octetsLigne)) : depuisWindows1252(octetsLigne), f);
    };
    qsizetype debut = 0;
    for (qsizetype i = 0; i < limite; ++i) {
        if (d[i] != '\r' && d[i] != '\n')
            continue;
        ligne(debut, i - debut);
        if (d[i] == '\r' && i + 1 < limite && d[i + 1] == '\n')
            ++i;
        debut = i + 1;
    }
    if (debut < limite)
        ligne(debut, limite - debut);
    return Etat::Lu;
}

ProfilPrive ProfilPrive::depuisOctets(QByteArray octets)
{
    if (octets.size() > TailleMaximale)
        return inutilisable(raisonTropGrand());

    ProfilPrive p;
    QByteArrayView corps = octets;
    if (corps.startsWith(BomUtf16Le)) {
        p.m_bom = true;
        p.m_encodage = Encodage::Utf16Le;
        corps = corps.sliced(BomUtf16Le.size());
        QStringDecoder utf16(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless |
                                                          QStringDecoder::Flag::ConvertInitialBom);
        p.m_texte = utf16(corps.first(corps.size() & ~qsizetype(1)));
    } else {
        if (corps.startsWith(Bom)) {
            p.m_bom = true;
            corps = corps.sliced(Bom.size());
        }
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                      QStringDecoder::Flag::ConvertInitialBom);
        p.m_texte = utf8(corps);
        if (utf8.hasError()) {
            p.m_texte = depuisWindows1252(corps);
            p.m_encodage = Encodage::Windows1252;
        }
    }
    octets = QByteArray(); // the text alone is kept: a large file is not held twice
    if (estBinaire(p.m_texte))
        return inutilisable(u"Ce n'est pas un fichier texte."_s);
    if (p.m_texte.endsWith(QChar(0x1A)))
        p.m_texte.chop(1);
    p.m_etat = Etat::Lu;
    p.analyser();
    return p;
}

ProfilPrive ProfilPrive::vierge(const ProfilPrive& modele)
{
    ProfilPrive p;
    p.m_finDeLigne = modele.m_finDeLigne;
    p.m_encodage = modele.m_encodage;
    p.m_bom = modele.m_bom;
    p.m_etat = modele.m_etat;
    p.m_raison = modele.m_raison;
    return p;
}

void ProfilPrive::analyser()
{
    bool premiereFin = true;
    qsizetype debutBloc = 0;
    pourChaqueLigne(m_texte, 0, m_texte.size(), [&](qsizetype debut, qsizetype taille, qsizetype fin) {
        ++m_lignes;
        if (premiereFin && fin > 0) {
            premiereFin = false;
            m_finDeLigne = fin == 2 ? FinDeLigne::CrLf
                           : m_texte[debut + taille] == u'\r' ? FinDeLigne::Cr
                                                               : FinDeLigne::Lf;
        }
        const QStringView ligne = partieLue(QStringView(m_texte).sliced(debut, taille));
        const QStringView t = sansBlancs(ligne);
        if (t.isEmpty() || t.front() != u'[')
            return false;
        const Analyse a = analyserLigne(ligne);
        if (a.sorte != Sorte::Section)
            return false;
        m_blocs.last().texte = {debutBloc, debut - debutBloc};
        debutBloc = debut;
        m_blocs.append(Bloc{});
        indexerSection(m_blocs.size() - 1, a.nom);
        return false;
    });
    m_blocs.last().texte = {debutBloc, m_texte.size() - debutBloc};
}

void ProfilPrive::indexerSection(qsizetype bloc, QStringView nom)
{
    if (trouverSection(nom) < 0)
        m_sections.insert(hacherNom(nom), bloc);
}

qsizetype ProfilPrive::trouverSection(QStringView section) const
{
    const size_t h = hacherNom(section);
    for (auto i = m_sections.constFind(h); i != m_sections.cend() && i.key() == h; ++i) {
        if (memeNom(enTete(m_blocs[*i]), section))
            return *i;
    }
    return -1;
}

std::span<const ProfilPrive::Morceau> ProfilPrive::morceaux(const Bloc& b) const
{
    if (b.morceaux < 0)
        return {&b.texte, 1};
    const QList<Morceau>& liste = m_morceaux[b.morceaux];
    return {liste.constData(), std::size_t(liste.size())};
}

QList<ProfilPrive::Morceau>& ProfilPrive::modifiable(qsizetype bloc)
{
    Bloc& b = m_blocs[bloc];
    if (b.morceaux < 0) {
        b.morceaux = m_morceaux.size();
        m_morceaux.append(QList<Morceau>{b.texte});
    }
    return m_morceaux[b.morceaux];
}

// The name in a section's header line.
QStringView ProfilPrive::enTete(const Bloc& b) const
{
    QStringView nom;
    for (const Morceau& m : morceaux(b)) {
        if (m.taille == 0)
            continue;
        pourChaqueLigne(m_texte, m.debut, m.taille, [&](qsizetype debut, qsizetype taille, qsizetype) {
            nom = analyserLigne(partieLue(QStringView(m_texte).sliced(debut, taille))).nom;
            return true;
        });
        break;
    }
    return nom;
}

ProfilPrive::Position ProfilPrive::trouverCle(qsizetype bloc, QStringView cle,
                                              Position* derniere) const
{
    Position trouvee;
    bool entete = bloc > 0;
    const auto runs = morceaux(m_blocs[bloc]);
    for (std::size_t k = 0; k < runs.size(); ++k) {
        const bool fini = pourChaqueLigne(
            m_texte, runs[k].debut, runs[k].taille,
            [&](qsizetype debut, qsizetype taille, qsizetype fin) {
                const Position ici{qsizetype(k), debut, taille, fin};
                if (entete) {
                    entete = false;
                    if (derniere)
                        *derniere = ici;
                    return false;
                }
                const Analyse a =
                    analyserLigne(partieLue(QStringView(m_texte).sliced(debut, taille)));
                if (a.sorte != Sorte::Cle)
                    return false;
                if (derniere)
                    *derniere = ici;
                if (trouvee.morceau < 0 && memeNom(a.nom, cle)) {
                    trouvee = ici;
                    return derniere == nullptr;
                }
                return false;
            });
        if (fini)
            break;
    }
    return trouvee;
}

QString ProfilPrive::lire(QStringView section, QStringView cle) const
{
    const qsizetype b = trouverSection(section);
    if (b < 0)
        return {};
    const Position p = trouverCle(b, cle, nullptr);
    if (p.morceau < 0)
        return {};
    return valeurLue(partieLue(QStringView(m_texte).sliced(p.debut, p.taille))).toString();
}

QStringList ProfilPrive::lire(QStringView section, std::initializer_list<QStringView> cles) const
{
    QStringList valeurs(qsizetype(cles.size()));
    const qsizetype b = trouverSection(section);
    if (b < 0)
        return valeurs;
    QVarLengthArray<bool, 8> trouvees(qsizetype(cles.size()), false);
    qsizetype restantes = qsizetype(cles.size());
    bool entete = b > 0;
    for (const Morceau& m : morceaux(m_blocs[b])) {
        const bool fini = pourChaqueLigne(m_texte, m.debut, m.taille, [&](qsizetype debut, qsizetype taille, qsizetype) {
            if (entete) {
                entete = false;
                return false;
            }
            const QStringView ligne = partieLue(QStringView(m_texte).sliced(debut, taille));
            const Analyse a = analyserLigne(ligne);
            if (a.sorte != Sorte::Cle)
                return false;
            qsizetype i = 0;
            for (const QStringView cle : cles) {
                if (!trouvees[i] && memeNom(a.nom, cle)) {
                    trouvees[i] = true;
                    valeurs[i] = valeurLue(ligne).toString();
                    --restantes;
                }
                ++i;
            }
            return restantes == 0;
        });
        if (fini)
            break;
    }
    return valeurs;
}

QStringList ProfilPrive::sections() const
{
    QStringList noms;
    noms.reserve(nombreDeSections());
    for (qsizetype i = 0; i < nombreDeSections(); ++i)
        noms.append(section(i));
    return noms;
}

QString ProfilPrive::section(qsizetype i) const
{
    return enTete(m_blocs[i + 1]).toString();
}

ProfilPrive::Morceau ProfilPrive::ajouterTexte(QStringView texte)
{
    const Morceau m{m_texte.size(), texte.size()};
    m_texte += texte;
    return m;
}

QStringView ProfilPrive::finDeLigne() const
{
    static constexpr std::array<QStringView, 4> Fins = {u"", u"\n", u"\r\n", u"\r"};
    return Fins[static_cast<std::size_t>(m_finDeLigne)];
}

// Replaces the line (apres: inserts after it) with `texte`, which holds whole lines.
void ProfilPrive::remplacer(qsizetype bloc, const Position& ligne, QStringView texte, bool apres)
{
    QList<Morceau>& liste = modifiable(bloc);
    const Morceau m = liste[ligne.morceau];
    const qsizetype finLigne = ligne.debut + ligne.taille + ligne.fin;
    const qsizetype coupe = apres ? finLigne : ligne.debut;
    const Morceau avant{m.debut, coupe - m.debut};
    const Morceau nouveau = ajouterTexte(texte);
    const Morceau reste{finLigne, m.debut + m.taille - finLigne};
    QList<Morceau> remplacement;
    for (const Morceau& r : {avant, nouveau, reste}) {
        if (r.taille > 0)
            remplacement.append(r);
    }
    liste.remove(ligne.morceau);
    for (qsizetype i = 0; i < remplacement.size(); ++i)
        liste.insert(ligne.morceau + i, remplacement[i]);
}

void ProfilPrive::ecrire(const QString& section, const QString& cle, const QString& valeur)
{
    const bool utf16 = m_encodage == Encodage::Utf16Le;
    const QString lue = nettoyer(valeur, utf16);
    const QString texte = valeurEcrite(lue);
    const qsizetype n = bloc(section);
    Position derniere;
    const Position p = trouverCle(n, cle, &derniere);
    if (p.morceau >= 0) {
        const QStringView entiere = QStringView(m_texte).sliced(p.debut, p.taille + p.fin);
        const QStringView ligne = partieLue(entiere.first(p.taille));
        if (valeurLue(ligne) == lue)
            return;
        const Analyse a = analyserLigne(ligne);
        QString nouvelle = entiere.toString();
        nouvelle.replace(a.debutValeur, a.finValeur - a.debutValeur,
                         a.egal ? texte : u'=' + texte);
        // A Ctrl-Z at the very end of the file would be dropped on reading.
        if (p.fin == 0 && nouvelle.endsWith(QChar(0x1A)))
            nouvelle += finDeLigne();
        admettre(nouvelle);
        remplacer(n, p, nouvelle, false);
        return;
    }
    QString nouvelle = nettoyer(sansBlancs(cle), utf16) + u'=' + texte + finDeLigne().toString();
    admettre(nouvelle);
    if (derniere.fin == 0) // the file's last line: it gets its line end
        nouvelle.prepend(finDeLigne());
    remplacer(n, derniere, nouvelle, true);
}

// The bloc of the first section of this name, added at the end of the file if missing.
qsizetype ProfilPrive::bloc(const QString& section)
{
    if (const qsizetype b = trouverSection(section); b >= 0)
        return b;
    terminer();
    const QString nom = nettoyer(sansBlancs(section), m_encodage == Encodage::Utf16Le);
    const QString ligne = u'[' + nom + u']' + finDeLigne().toString();
    admettre(ligne);
    Bloc b;
    b.texte = ajouterTexte(ligne);
    m_blocs.append(b);
    indexerSection(m_blocs.size() - 1, nom);
    return m_blocs.size() - 1;
}

// Gives the file's last line its line end, if it has none.
void ProfilPrive::terminer()
{
    for (qsizetype b = m_blocs.size() - 1; b >= 0; --b) {
        const auto runs = morceaux(m_blocs[b]);
        for (auto r = runs.rbegin(); r != runs.rend(); ++r) {
            if (r->taille == 0)
                continue;
            const QChar dernier = m_texte[r->debut + r->taille - 1];
            if (dernier != u'\r' && dernier != u'\n') {
                const Morceau fin = ajouterTexte(finDeLigne());
                modifiable(b).append(fin);
            }
            return;
        }
    }
}

void ProfilPrive::admettre(QStringView texte)
{
    if (m_encodage == Encodage::Windows1252 && !representableWindows1252(texte))
        m_encodage = Encodage::Utf8;
}

QString ProfilPrive::texteEntier() const
{
    qsizetype taille = 0;
    for (const Bloc& b : m_blocs) {
        for (const Morceau& m : morceaux(b))
            taille += m.taille;
    }
    QString texte;
    texte.reserve(taille);
    for (const Bloc& b : m_blocs) {
        for (const Morceau& m : morceaux(b))
            texte += QStringView(m_texte).sliced(m.debut, m.taille);
    }
    return texte;
}

QByteArray ProfilPrive::encoder(const QString& texte, Encodage* effectif) const
{
    *effectif = m_encodage;
    if (m_encodage == Encodage::Utf16Le) {
        QByteArray octets = BomUtf16Le.toByteArray();
        for (const QChar c : texte) {
            octets += static_cast<char>(c.unicode() & 0xFF);
            octets += static_cast<char>(c.unicode() >> 8);
        }
        return octets;
    }
    QByteArray resultat = m_bom ? Bom.toByteArray() : QByteArray();
    if (m_encodage == Encodage::Windows1252) {
        const QByteArray octets = versWindows1252(texte);
        const bool representable = !octets.isEmpty() || texte.isEmpty();
        // Bytes that would read back as UTF-8 are written in UTF-8 instead.
        if (representable && !luCommeUtf8(octets))
            return resultat + octets;
        *effectif = Encodage::Utf8;
    }
    return resultat + texte.toUtf8();
}

ProfilPrive::Encodage ProfilPrive::encodage() const
{
    Encodage e = m_encodage;
    if (e == Encodage::Windows1252)
        encoder(texteEntier(), &e);
    return e;
}

QByteArray ProfilPrive::octets() const
{
    Encodage e;
    return encoder(texteEntier(), &e);
}

bool ProfilPrive::enregistrer(const QString& chemin, QString* erreur) const
{
    if (m_etat == Etat::Inutilisable) {
        if (erreur)
            *erreur = u"Le fichier est laissé tel quel, car il est inutilisable : "_s + m_raison;
        return false;
    }
    return ecrireAtomiquement(chemin, octets(), erreur);
}

} // namespace lanceron
