#include "storage/profil_prive.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <array>

namespace lanceron {

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr QByteArrayView Bom = "\xEF\xBB\xBF";

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

QByteArray versWindows1252(QStringView texte)
{
    QByteArray octets(texte.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const int o = octetWindows1252(texte[i].unicode());
        Q_ASSERT(o >= 0);
        octets[i] = static_cast<char>(o);
    }
    return octets;
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
// here directly: folding is most of the cost of a lookup.
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

enum class Sorte { Vide, Commentaire, Section, Cle };

struct Analyse {
    Sorte sorte = Sorte::Vide;
    QStringView nom;           // trimmed
    bool egal = false;         // the key line has an '='
    qsizetype debutValeur = 0; // the value's text in the line, blanks trimmed, quotes kept;
    qsizetype finValeur = 0;   // without '=', both are just after the name
};

Analyse analyserLigne(QStringView ligne)
{
    Analyse a;
    const QStringView t = sansBlancs(ligne);
    if (t.isEmpty())
        return a;
    if (t.front() == u'[') {
        const qsizetype fermant = t.lastIndexOf(u']');
        a.sorte = Sorte::Section;
        a.nom = sansBlancs(fermant > 0 ? t.sliced(1, fermant - 1) : t.sliced(1));
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

// A value is one line: each line break becomes one blank.
QString surUneLigne(const QString& valeur)
{
    QString v = valeur;
    v.replace(u"\r\n"_s, u" "_s);
    v.replace(u'\r', u' ');
    v.replace(u'\n', u' ');
    return v;
}

// The text that reads back as `valeur` (a value on one line).
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

} // namespace

ProfilPrive::ProfilPrive() = default;

ProfilPrive ProfilPrive::inutilisable(const QString& raison)
{
    ProfilPrive p;
    p.m_etat = Etat::Inutilisable;
    p.m_raison = raison;
    return p;
}

ProfilPrive ProfilPrive::charger(const QString& chemin)
{
    const QFileInfo info(chemin);
    if (!info.exists())
        return {};
    if (info.isDir())
        return inutilisable(u"C'est un dossier, pas un fichier."_s);
    if (!info.isFile())
        return inutilisable(u"Ce n'est pas un fichier ordinaire."_s);
    if (info.size() > TailleMaximale)
        return inutilisable(raisonTropGrand());
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return inutilisable(u"Le fichier ne peut pas être lu : "_s + f.errorString());
    const QByteArray octets = f.read(TailleMaximale + 1);
    if (f.error() != QFileDevice::NoError)
        return inutilisable(u"Le fichier ne peut pas être lu : "_s + f.errorString());
    return depuisOctets(octets);
}

ProfilPrive ProfilPrive::depuisOctets(const QByteArray& octets)
{
    if (octets.size() > TailleMaximale)
        return inutilisable(raisonTropGrand());
    if (octets.contains('\0'))
        return inutilisable(
            u"Le fichier contient des octets nuls : ce n'est pas un fichier texte."_s);

    ProfilPrive p;
    p.m_etat = Etat::Lu;
    QByteArrayView corps = octets;
    if (corps.startsWith(Bom)) {
        p.m_bom = true;
        corps = corps.sliced(Bom.size());
    }
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString texte = utf8(corps);
    if (utf8.hasError()) {
        texte = depuisWindows1252(corps);
        p.m_encodage = Encodage::Windows1252;
    }
    p.analyser(texte);
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

void ProfilPrive::analyser(const QString& texte)
{
    bool premiereFin = true;
    qsizetype debut = 0;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte[i];
        if (c != u'\r' && c != u'\n')
            continue;
        FinDeLigne fin = FinDeLigne::Lf;
        if (c == u'\r')
            fin = i + 1 < texte.size() && texte[i + 1] == u'\n' ? FinDeLigne::CrLf : FinDeLigne::Cr;
        if (premiereFin) {
            m_finDeLigne = fin;
            premiereFin = false;
        }
        ajouterLigne(texte.sliced(debut, i - debut), fin);
        if (fin == FinDeLigne::CrLf)
            ++i;
        debut = i + 1;
    }
    if (debut < texte.size())
        ajouterLigne(texte.sliced(debut), FinDeLigne::Aucune);
}

void ProfilPrive::ajouterLigne(QString texte, FinDeLigne fin)
{
    const Analyse a = analyserLigne(texte);
    if (a.sorte == Sorte::Section) {
        Bloc b;
        b.nom = a.nom.toString();
        const QString cle = plier(b.nom);
        b.premier = !m_sections.contains(cle);
        if (b.premier)
            m_sections.insert(cle, m_blocs.size());
        b.lignes.append({std::move(texte), fin});
        m_blocs.append(std::move(b));
        return;
    }
    if (m_blocs.isEmpty()) {
        m_preambule.append({std::move(texte), fin});
        return;
    }
    Bloc& b = m_blocs.last();
    if (a.sorte == Sorte::Cle) {
        b.derniereCle = b.lignes.size();
        if (b.premier) {
            Adresse adresse{m_blocs.size() - 1, plier(a.nom)};
            if (!m_cles.contains(adresse))
                m_cles.insert(std::move(adresse), b.derniereCle);
        }
    }
    b.lignes.append({std::move(texte), fin});
}

QString ProfilPrive::lire(QStringView section, QStringView cle) const
{
    const auto b = m_sections.constFind(plier(section));
    if (b == m_sections.cend())
        return {};
    const auto l = m_cles.constFind(Adresse{*b, plier(cle)});
    if (l == m_cles.cend())
        return {};
    return valeurLue(m_blocs[*b].lignes[*l].texte).toString();
}

QStringList ProfilPrive::sections() const
{
    QStringList noms;
    noms.reserve(m_blocs.size());
    for (const Bloc& b : m_blocs)
        noms.append(b.nom);
    return noms;
}

void ProfilPrive::ecrire(const QString& section, const QString& cle, const QString& valeur)
{
    const QString lue = surUneLigne(valeur);
    const QString texte = valeurEcrite(lue);
    const qsizetype n = bloc(section);
    Bloc& b = m_blocs[n];
    Adresse adresse{n, plier(cle)};
    if (const auto l = m_cles.constFind(adresse); l != m_cles.cend()) {
        QString& ligne = b.lignes[*l].texte;
        if (valeurLue(ligne) == lue)
            return;
        const Analyse a = analyserLigne(ligne);
        admettre(texte);
        ligne.replace(a.debutValeur, a.finValeur - a.debutValeur, a.egal ? texte : u'=' + texte);
        return;
    }
    const qsizetype position = b.derniereCle + 1;
    terminer(b.lignes[position - 1]);
    Ligne nouvelle{sansBlancs(cle).toString() + u'=' + texte, m_finDeLigne};
    admettre(nouvelle.texte);
    b.lignes.insert(position, std::move(nouvelle));
    b.derniereCle = position;
    m_cles.insert(std::move(adresse), position);
}

// The bloc of the first section of this name, added at the end of the file if missing.
qsizetype ProfilPrive::bloc(const QString& section)
{
    const QString nomPlie = plier(section);
    if (const auto b = m_sections.constFind(nomPlie); b != m_sections.cend())
        return *b;
    if (!m_blocs.isEmpty())
        terminer(m_blocs.last().lignes.last());
    else if (!m_preambule.isEmpty())
        terminer(m_preambule.last());
    Bloc b;
    b.nom = sansBlancs(section).toString();
    b.lignes.append({u'[' + b.nom + u']', m_finDeLigne});
    admettre(b.lignes.front().texte);
    m_sections.insert(nomPlie, m_blocs.size());
    m_blocs.append(std::move(b));
    return m_blocs.size() - 1;
}

void ProfilPrive::terminer(Ligne& ligne) const
{
    if (ligne.fin == FinDeLigne::Aucune)
        ligne.fin = m_finDeLigne;
}

void ProfilPrive::admettre(QStringView texte)
{
    if (m_encodage == Encodage::Windows1252 && !representableWindows1252(texte))
        m_encodage = Encodage::Utf8;
}

QByteArray ProfilPrive::octets() const
{
    static constexpr std::array<QStringView, 4> Fins = {u"", u"\n", u"\r\n", u"\r"};
    QString texte;
    const auto ajouter = [&texte](const QList<Ligne>& lignes) {
        for (const Ligne& l : lignes) {
            texte += l.texte;
            texte += Fins[static_cast<std::size_t>(l.fin)];
        }
    };
    ajouter(m_preambule);
    for (const Bloc& b : m_blocs)
        ajouter(b.lignes);

    QByteArray resultat = m_bom ? Bom.toByteArray() : QByteArray();
    resultat += m_encodage == Encodage::Windows1252 ? versWindows1252(texte) : texte.toUtf8();
    return resultat;
}

bool ProfilPrive::enregistrer(const QString& chemin, QString* erreur) const
{
    if (m_etat == Etat::Inutilisable) {
        if (erreur)
            *erreur = u"Le fichier est laissé tel quel, car il est inutilisable : "_s + m_raison;
        return false;
    }
    const QByteArray contenu = octets();
    QSaveFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || f.write(contenu) != contenu.size() || !f.commit()) {
        if (erreur)
            *erreur = f.errorString();
        return false;
    }
    return true;
}

} // namespace lanceron
