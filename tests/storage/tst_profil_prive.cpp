#include "storage/profil_prive.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;
using lanceron::ProfilPrive;
using lanceron::test::DossierTest;
using lanceron::test::ecrireOctets;
using lanceron::test::lireOctets;

namespace {

// A value of `taille` characters that shows where it was cut.
QString longueValeur(int taille)
{
    QString v;
    for (int i = 0; i < taille; ++i)
        v += QChar(u'a' + i % 26);
    return v;
}

QStringList fichiersDe(const QString& dossier)
{
    return QDir(dossier).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

class TestProfilPrive : public QObject {
    Q_OBJECT

private slots:
    void lecture_data();
    void lecture();
    void sectionsDansLOrdreDuFichier();
    void encodageLu_data();
    void encodageLu();
    void octetsRelusALIdentique_data();
    void octetsRelusALIdentique();
    void ecritureEnPlace_data();
    void ecritureEnPlace();
    void placementDesAjouts_data();
    void placementDesAjouts();
    void nouveauDocument();
    void encodageConserve_data();
    void encodageConserve();
    void allerRetourDesValeurs_data();
    void allerRetourDesValeurs();
    void grandDocument();
    void enregistrementAtomique();
    void fichierAbsent();
    void echecEnregistrement_data();
    void echecEnregistrement();
    void fichierInutilisable_data();
    void fichierInutilisable();
    void vierge_data();
    void vierge();
    void viergeDUnFichierInutilisable();
};

void TestProfilPrive::lecture_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("cle");
    QTest::addColumn<QString>("attendu");

    const QByteArray s = "[S]\n";
    QTest::newRow("simple") << s + "K=v\n" << u"S"_s << u"K"_s << u"v"_s;
    QTest::newRow("casse des noms")
        << QByteArray("[Logiciel 1]\nNOM=x\n") << u"LOGICIEL 1"_s << u"nom"_s << u"x"_s;
    QTest::newRow("casse hors ASCII") << QByteArray("[\xC3\x89"
                                                    "diteurs]\n\xC3\x89t\xC3\xA9=x\n")
                                      << u"éditeurs"_s << u"ÉTÉ"_s << u"x"_s;
    QTest::newRow("casse de la valeur gardée") << s + "K=Fenêtre Normale\n"
                                               << u"S"_s << u"K"_s << u"Fenêtre Normale"_s;
    QTest::newRow("blancs autour de tout")
        << QByteArray(" \t[ S ] \t\n \t K \t= \t v  w \t\n") << u"S"_s << u"K"_s << u"v  w"_s;
    QTest::newRow("blancs dans la question") << s + "K=v\n" << u" S\t"_s << u"\tK "_s << u"v"_s;
    QTest::newRow("guillemets doubles") << s + "K=\"  v  \"\n" << u"S"_s << u"K"_s << u"  v  "_s;
    QTest::newRow("guillemets simples") << s + "K = 'v' \n" << u"S"_s << u"K"_s << u"v"_s;
    QTest::newRow("une seule paire ôtée") << s + "K=\"\"v\"\"\n" << u"S"_s << u"K"_s << u"\"v\""_s;
    QTest::newRow("guillemet non fermé") << s + "K=\"v\n" << u"S"_s << u"K"_s << u"\"v"_s;
    QTest::newRow("guillemets différents") << s + "K=\"v'\n" << u"S"_s << u"K"_s << u"\"v'"_s;
    QTest::newRow("guillemet seul") << s + "K=\"\n" << u"S"_s << u"K"_s << u"\""_s;
    QTest::newRow("guillemets vides") << s + "K=''\n" << u"S"_s << u"K"_s << u""_s;
    QTest::newRow("guillemets au milieu") << s + "K=a \"b\" c\n"
                                          << u"S"_s << u"K"_s << u"a \"b\" c"_s;
    QTest::newRow("point-virgule dans la valeur") << s + "K=a;b\n" << u"S"_s << u"K"_s << u"a;b"_s;
    QTest::newRow("égal dans la valeur") << s + "K=a=b\n" << u"S"_s << u"K"_s << u"a=b"_s;
    QTest::newRow("valeur vide") << s + "K=\nL=w\n" << u"S"_s << u"K"_s << u""_s;
    QTest::newRow("ligne sans égal") << s + "K\nL=w\n" << u"S"_s << u"K"_s << u""_s;
    QTest::newRow("après une ligne sans égal") << s + "K\nL=w\n" << u"S"_s << u"L"_s << u"w"_s;
    QTest::newRow("commentaire") << s + ";K=1\nK=2\n" << u"S"_s << u"K"_s << u"2"_s;
    QTest::newRow("commentaire indenté") << s + " \t;K=1\n" << u"S"_s << u"K"_s << u""_s;
    QTest::newRow("clé en double") << s + "k=1\nK=2\n" << u"S"_s << u"K"_s << u"1"_s;
    const QByteArray doublon = "[S]\nA=1\n[T]\nB=t\n[s]\nA=2\nB=3\n";
    QTest::newRow("section en double: la première") << doublon << u"S"_s << u"A"_s << u"1"_s;
    QTest::newRow("section en double: clé de la seconde") << doublon << u"S"_s << u"B"_s << u""_s;
    QTest::newRow("section voisine") << QByteArray("[LOGICIEL]\nNom=a\n[LOGICIEL 1]\nNom=b\n")
                                     << u"LOGICIEL 1"_s << u"Nom"_s << u"b"_s;
    QTest::newRow("jusqu'au dernier crochet")
        << QByteArray("[a]b] x\nK=v\n") << u"a]b"_s << u"K"_s << u"v"_s;
    QTest::newRow("crochet non fermé") << QByteArray("[S\nK=v\n") << u"S"_s << u"K"_s << u"v"_s;
    QTest::newRow("clé avant toute section")
        << QByteArray("K=v\n[S]\n") << u"S"_s << u"K"_s << u""_s;
    QTest::newRow("section absente") << s + "K=v\n" << u"T"_s << u"K"_s << u""_s;
    QTest::newRow("clé absente") << s + "K=v\n" << u"S"_s << u"L"_s << u""_s;
    QTest::newRow("document vide") << QByteArray() << u"S"_s << u"K"_s << u""_s;
    QTest::newRow("CR LF") << QByteArray("[S]\r\nK=v\r\nL=w\r\n") << u"S"_s << u"K"_s << u"v"_s;
    QTest::newRow("CR seul") << QByteArray("[S]\rK=v\rL=w\r") << u"S"_s << u"L"_s << u"w"_s;
    QTest::newRow("fins mêlées") << QByteArray("[S]\rK=v\r\nL=w\n") << u"S"_s << u"L"_s << u"w"_s;
    QTest::newRow("sans fin de ligne finale") << s + "K=v" << u"S"_s << u"K"_s << u"v"_s;
    QTest::newRow("Windows-1252") << s + "K=Fen\xEAtre normale\n"
                                  << u"S"_s << u"K"_s << u"Fenêtre normale"_s;
    QTest::newRow("UTF-8") << s + "K=Fen\xC3\xAAtre normale\n"
                           << u"S"_s << u"K"_s << u"Fenêtre normale"_s;
    QTest::newRow("UTF-8 avec BOM") << "\xEF\xBB\xBF" + s + "K=v\n" << u"S"_s << u"K"_s << u"v"_s;
    QTest::newRow("250 caractères") << s + "K=" + longueValeur(250).toLatin1() + '\n'
                                    << u"S"_s << u"K"_s << longueValeur(250);
    QTest::newRow("5000 caractères")
        << s + "K=" + longueValeur(5000).toLatin1() << u"S"_s << u"K"_s << longueValeur(5000);
}

void TestProfilPrive::lecture()
{
    QFETCH(QByteArray, contenu);
    QFETCH(QString, section);
    QFETCH(QString, cle);
    QFETCH(QString, attendu);

    const ProfilPrive p = ProfilPrive::depuisOctets(contenu);
    QCOMPARE(p.etat(), ProfilPrive::Etat::Lu);
    QCOMPARE(p.lire(section, cle), attendu);
}

void TestProfilPrive::sectionsDansLOrdreDuFichier()
{
    const ProfilPrive p =
        ProfilPrive::depuisOctets("k=0\n[ LOGICIEL ]\n;[X]\n[Logiciel 1]\nNom=a\n[logiciel]\n");
    QCOMPARE(p.sections(), (QStringList{u"LOGICIEL"_s, u"Logiciel 1"_s, u"logiciel"_s}));
}

void TestProfilPrive::encodageLu_data()
{
    QTest::addColumn<QByteArray>("valeur");
    QTest::addColumn<ProfilPrive::Encodage>("encodage");
    QTest::addColumn<QString>("attendu");

    using E = ProfilPrive::Encodage;
    QTest::newRow("ASCII") << QByteArray("Agrandie") << E::Utf8 << u"Agrandie"_s;
    QTest::newRow("UTF-8") << QByteArray("R\xC3\xA9"
                                         "duite \xE2\x82\xAC")
                           << E::Utf8 << u"Réduite €"_s;
    QTest::newRow("Windows-1252") << QByteArray("R\xE9"
                                                "duite")
                                  << E::Windows1252 << u"Réduite"_s;
    QTest::newRow("Windows-1252, plage 80 à 9F")
        << QByteArray("\x80 \x8C \x92 \x9C \x9F") << E::Windows1252 << u"€ Œ ’ œ Ÿ"_s;
    QTest::newRow("UTF-8 coupé en fin de fichier")
        << QByteArray("a\xC3") << E::Windows1252 << u"aÃ"_s;
    QTest::newRow("UTF-8 trop long") << QByteArray("\xC0\xAF") << E::Windows1252 << u"À¯"_s;
}

void TestProfilPrive::encodageLu()
{
    QFETCH(QByteArray, valeur);
    QFETCH(ProfilPrive::Encodage, encodage);
    QFETCH(QString, attendu);

    const ProfilPrive p = ProfilPrive::depuisOctets("[S]\r\nK=" + valeur);
    QCOMPARE(p.encodage(), encodage);
    QCOMPARE(p.lire(u"S", u"K"), attendu);
}

void TestProfilPrive::octetsRelusALIdentique_data()
{
    QTest::addColumn<QByteArray>("contenu");

    QByteArray tousLesOctets = "[S]\r\nK=";
    for (int o = 1; o < 256; ++o)
        tousLesOctets += static_cast<char>(o);
    QTest::newRow("chaque octet en Windows-1252") << tousLesOctets;
    QTest::newRow("UTF-8 avec BOM") << QByteArray("\xEF\xBB\xBF;\xC3\xA9\r\n[S]\r\nK=\xE2\x82\xAC");
    QTest::newRow("fins mêlées, blancs, doublons")
        << QByteArray("\n \t\r\r\n[S] ;x\n k = v \r[s]\nk=w\n\n");
}

void TestProfilPrive::octetsRelusALIdentique()
{
    QFETCH(QByteArray, contenu);
    QCOMPARE(ProfilPrive::depuisOctets(contenu).octets(), contenu);
}

void TestProfilPrive::ecritureEnPlace_data()
{
    QTest::addColumn<QByteArray>("avant");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("cle");
    QTest::addColumn<QString>("valeur");
    QTest::addColumn<QByteArray>("apres");

    const QByteArray fichier = "; Lanceron\r\n"
                               "\r\n"
                               "[OPTIONS]\r\n"
                               "Rubrique=1\r\n"
                               "  Logiciel = 0 \t\r\n"
                               "Inconnue=garder ; ceci\r\n"
                               "Cite = \"ancien\"\r\n"
                               "Seule\r\n"
                               "rubrique=doublon\r\n"
                               "\r\n"
                               "[Autre]\r\n"
                               "x=y\r\n"
                               "[options]\r\n"
                               "Rubrique=seconde\r\n";
    const auto remplacer = [&fichier](const char* avant, const char* apres) {
        QByteArray r = fichier;
        return r.replace(avant, apres);
    };
    QTest::newRow("valeur simple") << fichier << u"OPTIONS"_s << u"Rubrique"_s << u"0"_s
                                   << remplacer("Rubrique=1", "Rubrique=0");
    QTest::newRow("blancs et nom d'origine gardés")
        << fichier << u"options"_s << u"LOGICIEL"_s << u"1"_s
        << remplacer("  Logiciel = 0 \t", "  Logiciel = 1 \t");
    QTest::newRow("guillemets devenus inutiles")
        << fichier << u"OPTIONS"_s << u"Cite"_s << u"neuf"_s
        << remplacer("Cite = \"ancien\"", "Cite = neuf");
    QTest::newRow("ligne sans égal") << fichier << u"OPTIONS"_s << u"Seule"_s << u"oui"_s
                                     << remplacer("Seule\r\n", "Seule=oui\r\n");
    QTest::newRow("valeur à protéger") << fichier << u"OPTIONS"_s << u"Rubrique"_s << u" 2"_s
                                       << remplacer("Rubrique=1", "Rubrique=\" 2\"");
    QTest::newRow("valeur vidée") << fichier << u"Autre"_s << u"x"_s << u""_s
                                  << remplacer("x=y", "x=");
    QTest::newRow("même valeur, aucun octet changé")
        << fichier << u"OPTIONS"_s << u"Cite"_s << u"ancien"_s << fichier;
}

void TestProfilPrive::ecritureEnPlace()
{
    QFETCH(QByteArray, avant);
    QFETCH(QString, section);
    QFETCH(QString, cle);
    QFETCH(QString, valeur);
    QFETCH(QByteArray, apres);

    ProfilPrive p = ProfilPrive::depuisOctets(avant);
    p.ecrire(section, cle, valeur);
    QCOMPARE(p.octets(), apres);
    QCOMPARE(p.lire(section, cle), valeur);
    QCOMPARE(ProfilPrive::depuisOctets(p.octets()).lire(section, cle), valeur);
}

void TestProfilPrive::placementDesAjouts_data()
{
    QTest::addColumn<QByteArray>("avant");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QByteArray>("apres");

    // Each row writes n=3 into `section`.
    QTest::newRow("après la dernière clé, avant blancs et commentaires")
        << QByteArray("[A]\nk=1\n\n;c\n[B]\nz=2\n") << u"a"_s
        << QByteArray("[A]\nk=1\nn=3\n\n;c\n[B]\nz=2\n");
    QTest::newRow("section sans clé")
        << QByteArray("[A]\n\n[B]\n") << u"A"_s << QByteArray("[A]\nn=3\n\n[B]\n");
    QTest::newRow("dans la première de deux sections du même nom")
        << QByteArray("[A]\nk=1\n[B]\n[a]\nk=2\n") << u"A"_s
        << QByteArray("[A]\nk=1\nn=3\n[B]\n[a]\nk=2\n");
    QTest::newRow("après une ligne sans égal")
        << QByteArray("[A]\nk\n\n") << u"A"_s << QByteArray("[A]\nk\nn=3\n\n");
    QTest::newRow("nouvelle section en fin de fichier")
        << QByteArray("[A]\nk=1\n\n") << u"C"_s << QByteArray("[A]\nk=1\n\n[C]\nn=3\n");
    QTest::newRow("fichier sans fin de ligne finale, nouvelle section")
        << QByteArray("[A]\nk=1") << u"C"_s << QByteArray("[A]\nk=1\n[C]\nn=3\n");
    QTest::newRow("fichier sans fin de ligne finale, nouvelle clé")
        << QByteArray("[A]\nk=1") << u"A"_s << QByteArray("[A]\nk=1\nn=3\n");
    QTest::newRow("commentaire final sans fin de ligne")
        << QByteArray("[A]\nk=1\n;c") << u"A"_s << QByteArray("[A]\nk=1\nn=3\n;c");
    QTest::newRow("seulement un commentaire")
        << QByteArray(";c") << u"C"_s << QByteArray(";c\n[C]\nn=3\n");
    QTest::newRow("clé d'avant toute section")
        << QByteArray("n=1\n[A]\n") << u"A"_s << QByteArray("n=1\n[A]\nn=3\n");
    QTest::newRow("CR LF") << QByteArray("[A]\r\nk=1") << u"C"_s
                           << QByteArray("[A]\r\nk=1\r\n[C]\r\nn=3\r\n");
    QTest::newRow("CR seul") << QByteArray("[A]\rk=1\r") << u"A"_s << QByteArray("[A]\rk=1\rn=3\r");
    QTest::newRow("la première fin de ligne décide")
        << QByteArray("[A]\r\nk=1\n") << u"A"_s << QByteArray("[A]\r\nk=1\nn=3\r\n");
}

void TestProfilPrive::placementDesAjouts()
{
    QFETCH(QByteArray, avant);
    QFETCH(QString, section);
    QFETCH(QByteArray, apres);

    ProfilPrive p = ProfilPrive::depuisOctets(avant);
    p.ecrire(section, u" n "_s, u"3"_s);
    QCOMPARE(p.octets(), apres);
    QCOMPARE(p.lire(section, u"n"), u"3"_s);
}

void TestProfilPrive::nouveauDocument()
{
    ProfilPrive p;
    QCOMPARE(p.etat(), ProfilPrive::Etat::Absent);
    p.ecrire(u"LOGICIEL"_s, u"Nombre"_s, u"1"_s);
    p.ecrire(u"LOGICIEL 1"_s, u"Nom"_s, u"Éditeur"_s);
    p.ecrire(u"LOGICIEL 1"_s, u"Executer"_s, u"Fenêtre normale"_s);
    p.ecrire(u"LOGICIEL 1"_s, u"Commande"_s, QString());
    p.ecrire(u"LOGICIEL"_s, u"Nombre"_s, u"2"_s);

    QCOMPARE(p.encodage(), ProfilPrive::Encodage::Utf8);
    QCOMPARE(p.octets(), QByteArray("[LOGICIEL]\nNombre=2\n[LOGICIEL 1]\nNom=\xC3\x89"
                                    "diteur\n"
                                    "Executer=Fen\xC3\xAAtre normale\nCommande=\n"));
    QCOMPARE(p.sections(), (QStringList{u"LOGICIEL"_s, u"LOGICIEL 1"_s}));
}

void TestProfilPrive::encodageConserve_data()
{
    QTest::addColumn<QByteArray>("avant");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("valeur");
    QTest::addColumn<QByteArray>("apres");
    QTest::addColumn<ProfilPrive::Encodage>("encodage");

    using E = ProfilPrive::Encodage;
    const QByteArray cp1252 = "[S]\r\nE=Fen\xEAtre normale\r\nK=x\r\n";
    QTest::newRow("Windows-1252 gardé") << cp1252 << u"S"_s << u"Réduite"_s
                                        << QByteArray("[S]\r\nE=Fen\xEAtre normale\r\nK=R\xE9"
                                                      "duite\r\n")
                                        << E::Windows1252;
    QTest::newRow("Windows-1252, caractère de la plage 80 à 9F")
        << cp1252 << u"S"_s << u"€ œ"_s
        << QByteArray("[S]\r\nE=Fen\xEAtre normale\r\nK=\x80 \x9C\r\n") << E::Windows1252;
    QTest::newRow("Windows-1252 passé en UTF-8")
        << cp1252 << u"S"_s << u"Ω 日本"_s
        << QByteArray("[S]\r\nE=Fen\xC3\xAAtre normale\r\nK=\xCE\xA9 \xE6\x97\xA5\xE6\x9C\xAC\r\n")
        << E::Utf8;
    QTest::newRow("Windows-1252 passé en UTF-8 par un nom de section")
        << cp1252 << u"Ω"_s << u"x"_s
        << QByteArray("[S]\r\nE=Fen\xC3\xAAtre normale\r\nK=x\r\n[\xCE\xA9]\r\nK=x\r\n") << E::Utf8;
    QTest::newRow("UTF-8 avec BOM gardé")
        << QByteArray("\xEF\xBB\xBF[S]\nK=x\n") << u"S"_s << u"é"_s
        << QByteArray("\xEF\xBB\xBF[S]\nK=\xC3\xA9\n") << E::Utf8;
    QTest::newRow("ASCII devient UTF-8") << QByteArray("[S]\nK=x\n") << u"S"_s << u"é"_s
                                         << QByteArray("[S]\nK=\xC3\xA9\n") << E::Utf8;
}

void TestProfilPrive::encodageConserve()
{
    QFETCH(QByteArray, avant);
    QFETCH(QString, section);
    QFETCH(QString, valeur);
    QFETCH(QByteArray, apres);
    QFETCH(ProfilPrive::Encodage, encodage);

    ProfilPrive p = ProfilPrive::depuisOctets(avant);
    p.ecrire(section, u"K"_s, valeur);
    QCOMPARE(p.encodage(), encodage);
    QCOMPARE(p.octets(), apres);
    const ProfilPrive relu = ProfilPrive::depuisOctets(p.octets());
    QCOMPARE(relu.lire(section, u"K"), valeur);
    QCOMPARE(relu.lire(u"S", u"E"), p.lire(u"S", u"E"));
}

void TestProfilPrive::allerRetourDesValeurs_data()
{
    QTest::addColumn<QString>("valeur");
    QTest::addColumn<QString>("relue");

    const QStringList telles = {u" a"_s,    u"a "_s,
                                u"\t"_s,    u"  "_s,
                                u"\"x\""_s, u"'x'"_s,
                                u"\"x'"_s,  u"\""_s,
                                u"''"_s,    u"\" a \""_s,
                                u"a;b"_s,   u"a=b"_s,
                                u"[x]"_s,   u";x"_s,
                                u"=x"_s,    u"C:\\Program Files\\x.exe"_s,
                                u"a\tb"_s,  u"Fenêtre normale"_s};
    for (const QString& v : telles)
        QTest::newRow(qPrintable(u"«"_s + v + u"»"_s)) << v << v;
    QTest::newRow("250 caractères") << longueValeur(250) << longueValeur(250);
    QTest::newRow("5000 caractères") << longueValeur(5000) << longueValeur(5000);
    QTest::newRow("LF") << u"a\nb"_s << u"a b"_s;
    QTest::newRow("CR LF") << u"a\r\nb"_s << u"a b"_s;
    QTest::newRow("CR") << u"a\rb"_s << u"a b"_s;
    QTest::newRow("LF final") << u"a\n"_s << u"a "_s;
    QTest::newRow("LF CR") << u"\n\r"_s << u"  "_s;
}

void TestProfilPrive::allerRetourDesValeurs()
{
    QFETCH(QString, valeur);
    QFETCH(QString, relue);

    for (const QByteArray& avant : {QByteArray(), QByteArray("[S]\r\nK = vieux \r\n;fin\r\n")}) {
        ProfilPrive p = ProfilPrive::depuisOctets(avant);
        p.ecrire(u"S"_s, u"K"_s, valeur);
        QCOMPARE(p.lire(u"S", u"K"), relue);
        const ProfilPrive relu = ProfilPrive::depuisOctets(p.octets());
        QCOMPARE(relu.lire(u"S", u"K"), relue);
        QCOMPARE(relu.sections(), QStringList{u"S"_s});
    }
}

void TestProfilPrive::grandDocument()
{
    // A rubrique of 1,000 shortcuts, written key by key, then one value changed in the middle.
    const int nombre = 1000;
    ProfilPrive p;
    p.ecrire(u"LOGICIEL"_s, u"Nombre"_s, QString::number(nombre));
    for (int i = 1; i <= nombre; ++i) {
        const QString section = u"LOGICIEL %1"_s.arg(i);
        p.ecrire(section, u"Nom"_s, u"Logiciel %1"_s.arg(i));
        p.ecrire(section, u"Dossier"_s, u"/opt/l%1/bin"_s.arg(i));
        p.ecrire(section, u"Executer"_s, u"Réduite"_s);
        p.ecrire(section, u"Commande"_s, QString::number(i));
    }
    p.ecrire(u"logiciel 500"_s, u"nom"_s, u"Changé"_s);

    const ProfilPrive relu = ProfilPrive::depuisOctets(p.octets());
    QCOMPARE(relu.sections().size(), nombre + 1);
    QCOMPARE(relu.lire(u"LOGICIEL", u"Nombre"), QString::number(nombre));
    for (int i = 1; i <= nombre; ++i) {
        const QString section = u"LOGICIEL %1"_s.arg(i);
        const QString nom = i == 500 ? u"Changé"_s : u"Logiciel %1"_s.arg(i);
        QCOMPARE(relu.lire(section, u"Nom"), nom);
        QCOMPARE(relu.lire(section, u"Dossier"), u"/opt/l%1/bin"_s.arg(i));
        QCOMPARE(relu.lire(section, u"Commande"), QString::number(i));
    }
    QCOMPARE(relu.octets(), p.octets());
    QCOMPARE(relu.octets().count('\n'), 5 * nombre + 2);
}

void TestProfilPrive::enregistrementAtomique()
{
    DossierTest dossier;
    const QString chemin = dossier.fichier(u"Lanceron.ini"_s);
    const QByteArray avant = "[OPTIONS]\r\nRubrique=1\r\n; garder\r\nInconnue=\xE9\r\n";
    ecrireOctets(chemin, avant);

    ProfilPrive p = ProfilPrive::charger(chemin);
    QCOMPARE(p.etat(), ProfilPrive::Etat::Lu);
    QCOMPARE(p.lire(u"OPTIONS", u"Inconnue"), u"é"_s);
    p.ecrire(u"OPTIONS"_s, u"Rubrique"_s, u"0"_s);
    QString erreur;
    QVERIFY2(p.enregistrer(chemin, &erreur), qPrintable(erreur));

    QCOMPARE(lireOctets(chemin),
             QByteArray("[OPTIONS]\r\nRubrique=0\r\n; garder\r\nInconnue=\xE9\r\n"));
    QCOMPARE(fichiersDe(dossier.chemin()), QStringList{u"Lanceron.ini"_s});
}

void TestProfilPrive::fichierAbsent()
{
    DossierTest dossier;
    const QString chemin = dossier.fichier(u"Nouvelle.ini"_s);

    ProfilPrive p = ProfilPrive::charger(chemin);
    QCOMPARE(p.etat(), ProfilPrive::Etat::Absent);
    QCOMPARE(p.lire(u"LOGICIEL", u"Nombre"), QString());
    QVERIFY(p.sections().isEmpty());
    p.ecrire(u"LOGICIEL"_s, u"Nombre"_s, u"0"_s);
    QVERIFY(p.enregistrer(chemin));
    QCOMPARE(lireOctets(chemin), QByteArray("[LOGICIEL]\nNombre=0\n"));
}

void TestProfilPrive::echecEnregistrement_data()
{
    QTest::addColumn<QString>("cible");

    QTest::newRow("dossier parent qui est un fichier") << u"fichier/x.ini"_s;
    QTest::newRow("dossier parent absent") << u"absent/x.ini"_s;
    QTest::newRow("la cible est un dossier") << u"dossier"_s;
    // The temporary file beside it cannot get a longer name: the save fails after the old
    // file was seen, and that file must stay as it was.
    QTest::newRow("ancien fichier au nom le plus long") << QString(251, u'n') + u".ini"_s;
}

void TestProfilPrive::echecEnregistrement()
{
    QFETCH(QString, cible);
    DossierTest dossier;
    ecrireOctets(dossier.fichier(u"fichier"_s), "ancien");
    QVERIFY(QDir(dossier.chemin()).mkdir(u"dossier"_s));
    ecrireOctets(dossier.fichier(u"dossier/dedans"_s), "dedans");
    const QString longNom = QString(251, u'n') + u".ini"_s;
    ecrireOctets(dossier.fichier(longNom), "[S]\nK=ancien\n");
    const QStringList fichiers = fichiersDe(dossier.chemin());

    ProfilPrive p = ProfilPrive::charger(dossier.fichier(longNom));
    p.ecrire(u"S"_s, u"K"_s, u"nouveau"_s);
    QString erreur;
    QVERIFY(!p.enregistrer(dossier.fichier(cible), &erreur));
    QVERIFY(!erreur.isEmpty());

    QCOMPARE(fichiersDe(dossier.chemin()), fichiers);
    QCOMPARE(lireOctets(dossier.fichier(u"fichier"_s)), QByteArray("ancien"));
    QCOMPARE(fichiersDe(dossier.fichier(u"dossier"_s)), QStringList{u"dedans"_s});
    QCOMPARE(lireOctets(dossier.fichier(longNom)), QByteArray("[S]\nK=ancien\n"));
}

void TestProfilPrive::fichierInutilisable_data()
{
    QTest::addColumn<QString>("sorte");
    QTest::newRow("dossier") << u"dossier"_s;
    QTest::newRow("octets nuls") << u"nuls"_s;
    QTest::newRow("trop grand") << u"grand"_s;
}

void TestProfilPrive::fichierInutilisable()
{
    QFETCH(QString, sorte);
    DossierTest dossier;
    const QString chemin = dossier.fichier(u"Mauvais.ini"_s);
    const QByteArray texte = "[S]\nK=v\n";
    if (sorte == u"dossier") {
        QVERIFY(QDir(dossier.chemin()).mkdir(u"Mauvais.ini"_s));
    } else if (sorte == u"nuls") {
        ecrireOctets(chemin, texte + QByteArray("\0\x01\x02", 3) + texte);
    } else {
        ecrireOctets(chemin, texte);
        QVERIFY(QFile::resize(chemin, ProfilPrive::TailleMaximale + 1));
    }
    const QFileInfo avant(chemin);

    ProfilPrive p = ProfilPrive::charger(chemin);
    QCOMPARE(p.etat(), ProfilPrive::Etat::Inutilisable);
    QVERIFY(!p.raison().isEmpty());
    QCOMPARE(p.lire(u"S", u"K"), QString());
    QVERIFY(p.sections().isEmpty());

    p.ecrire(u"S"_s, u"K"_s, u"écrasé"_s);
    QString erreur;
    QVERIFY(!p.enregistrer(chemin, &erreur));
    QVERIFY(erreur.contains(p.raison()));
    const QFileInfo apres(chemin);
    QCOMPARE(apres.isDir(), avant.isDir());
    QCOMPARE(apres.size(), avant.size());
    if (sorte != u"dossier")
        QVERIFY(lireOctets(chemin).startsWith(texte));
}

void TestProfilPrive::vierge_data()
{
    QTest::addColumn<QByteArray>("modele");
    QTest::addColumn<QByteArray>("attendu");

    // Each row writes S/K=é into an empty copy of the model.
    QTest::newRow("Windows-1252 et CR LF")
        << QByteArray("[A]\r\nK=\xEA\r\n") << QByteArray("[S]\r\nK=\xE9\r\n");
    QTest::newRow("UTF-8 avec BOM et CR") << QByteArray("\xEF\xBB\xBF[A]\rK=\xC3\xAA\r")
                                          << QByteArray("\xEF\xBB\xBF[S]\rK=\xC3\xA9\r");
    QTest::newRow("vide") << QByteArray() << QByteArray("[S]\nK=\xC3\xA9\n");
}

void TestProfilPrive::vierge()
{
    QFETCH(QByteArray, modele);
    QFETCH(QByteArray, attendu);

    ProfilPrive p = ProfilPrive::vierge(ProfilPrive::depuisOctets(modele));
    QVERIFY(p.sections().isEmpty());
    p.ecrire(u"S"_s, u"K"_s, u"é"_s);
    QCOMPARE(p.octets(), attendu);
}

void TestProfilPrive::viergeDUnFichierInutilisable()
{
    DossierTest dossier;
    const QString chemin = dossier.fichier(u"Binaire.ini"_s);
    const QByteArray binaire("[S]\0", 4);
    ecrireOctets(chemin, binaire);

    ProfilPrive p = ProfilPrive::vierge(ProfilPrive::charger(chemin));
    QCOMPARE(p.etat(), ProfilPrive::Etat::Inutilisable);
    p.ecrire(u"LOGICIEL"_s, u"Nombre"_s, u"0"_s);
    QVERIFY(!p.enregistrer(chemin));
    QCOMPARE(lireOctets(chemin), binaire);
}

QTEST_GUILESS_MAIN(TestProfilPrive)
#include "tst_profil_prive.moc"
