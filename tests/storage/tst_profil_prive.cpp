#include "storage/profil_prive.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using lanceron::ProfilPrive;
using lanceron::test::DossierTest;
using lanceron::test::ecrireOctets;
using lanceron::test::lireOctets;
using E = ProfilPrive::Encodage;

namespace {

// The UTF-16LE bytes of a text, after the byte-order mark, as Windows' Unicode INI files hold.
QByteArray utf16le(const QString& texte)
{
    QByteArray octets("\xFF\xFE");
    for (const QChar c : texte)
        octets.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    return octets;
}

QStringList fichiersDe(const QString& dossier)
{
    return QDir(dossier).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

class TestProfilPrive : public QObject {
    Q_OBJECT

private slots:
    void lecture_data()
    {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QString>("attendu");

        // Reads S/K unless told otherwise.
        const auto ligne = [](const char* nom, const QByteArray& contenu, const QString& attendu,
                              const QString& section = u"S"_s, const QString& cle = u"K"_s) {
            QTest::newRow(nom) << contenu << section << cle << attendu;
        };
        const QByteArray s = "[S]\n";
        ligne("casse des noms", "[Logiciel 1]\nNOM=x\n", u"x"_s, u"LOGICIEL 1"_s, u"nom"_s);
        ligne("casse hors ASCII", "[Éditeurs]\nÉté=x\n", u"x"_s, u"éditeurs"_s, u"ÉTÉ"_s);
        ligne("casse de la valeur gardée", s + "K=Fenêtre Normale\n", u"Fenêtre Normale"_s);
        ligne("blancs autour de tout", " \t[ S ] \t\n \t K \t= \t v  w \t\n", u"v  w"_s);
        ligne("guillemets doubles", s + "K=\"  v  \"\n", u"  v  "_s);
        ligne("guillemets simples", s + "K = 'v' \n", u"v"_s);
        ligne("une seule paire ôtée", s + "K=\"\"v\"\"\n", u"\"v\""_s);
        ligne("guillemets différents", s + "K=\"v'\n", u"\"v'"_s);
        ligne("guillemet seul", s + "K=\"\n", u"\""_s);
        ligne("point-virgule et égal dans la valeur", s + "K=a;b=c\n", u"a;b=c"_s);
        ligne("ligne sans égal", s + "K\nL=w\n", u""_s);
        ligne("commentaires", s + ";K=1\n \t;K=2\nK=3\n", u"3"_s);
        ligne("clé en double", s + "k=1\nK=2\n", u"1"_s);
        const QByteArray doublon = "[S]\nA=1\n[T]\nB=t\n[s]\nA=2\nB=3\n";
        ligne("section en double: la première", doublon, u"1"_s, u"S"_s, u"A"_s);
        ligne("section en double: clé de la seconde", doublon, u""_s, u"S"_s, u"B"_s);
        ligne("section voisine", "[LOGICIEL]\nNom=a\n[LOGICIEL 1]\nNom=b\n", u"b"_s,
              u"LOGICIEL 1"_s, u"Nom"_s);
        ligne("jusqu'au dernier crochet", "[a]b] x\nK=v\n", u"v"_s, u"a]b"_s);
        ligne("clé avant toute section", "K=v\n[S]\n", u""_s);
        ligne("document vide", "", u""_s);
        ligne("fins mêlées", "[S]\rK=v\r\nL=w\n", u"w"_s, u"S"_s, u"L"_s);
        ligne("sans fin de ligne finale", s + "K=v", u"v"_s);
        ligne("UTF-8 avec BOM", "\xEF\xBB\xBF" + s + "K=v\n", u"v"_s);
        ligne("Windows-1252", s + "K=\xE9t\xE9 \x80 \x8C \x92 \x9F", u"été € Œ ’ Ÿ"_s);
        ligne("UTF-8 coupé en fin de fichier", s + "K=a\xC3", u"aÃ"_s);
        ligne("UTF-8 trop long", s + "K=\xC0\xAF", u"À¯"_s);
        ligne("UTF-16LE", utf16le(u"[S]\r\nK=été ✓\r\n"_s), u"été ✓"_s);
        // A NUL ends the line it stands in, as the Windows functions read it.
        ligne("NUL dans la valeur", s + QByteArrayLiteral("K=ab\0cd\nL=2\n"), u"ab"_s);
        ligne("NUL puis d'autres clés", s + QByteArrayLiteral("K=\0\nL=2\n"), u"2"_s, u"S"_s,
              u"L"_s);
        ligne("crochet sans fermant", s + "[T\nL=2\n", u"2"_s, u"S"_s, u"L"_s);
    }

    void lecture()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(QString, section);
        QFETCH(QString, cle);
        QFETCH(QString, attendu);
        const ProfilPrive p = ProfilPrive::depuisOctets(contenu);
        QCOMPARE(p.etat(), ProfilPrive::Etat::Lu);
        QCOMPARE(p.lire(section, cle), attendu);
        QCOMPARE(p.octets(), contenu);
    }

    void sectionsDansLOrdreDuFichier()
    {
        const ProfilPrive p =
            ProfilPrive::depuisOctets("k=0\n[ LOGICIEL ]\n;[X]\n[Logiciel 1]\nNom=a\n[logiciel]\n");
        QCOMPARE(p.sections(), (QStringList{u"LOGICIEL"_s, u"Logiciel 1"_s, u"logiciel"_s}));
    }

    void chaqueOctetRelu()
    {
        QByteArray contenu = "[S]\r\nK=";
        for (int o = 1; o < 256; ++o)
            contenu += static_cast<char>(o);
        const ProfilPrive p = ProfilPrive::depuisOctets(contenu);
        QCOMPARE(p.encodage(), E::Windows1252);
        QCOMPARE(p.octets(), contenu);
    }

    void ecriture_data()
    {
        QTest::addColumn<QByteArray>("avant");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<QByteArray>("apres");

        const auto ligne = [](const char* nom, const QByteArray& avant, const QString& section,
                              const QString& cle, const QString& valeur, const QByteArray& apres) {
            QTest::newRow(nom) << avant << section << cle << valeur << apres;
        };
        const QByteArray fichier = "; Lanceron\r\n\r\n[OPTIONS]\r\nRubrique=1\r\n"
                                   "Inconnue=garder ; ceci\r\nCite = \"ancien\"\r\n"
                                   "rubrique=doublon\r\n\r\n[Autre]\r\nx=y\r\n"
                                   "[options]\r\nRubrique=seconde\r\n";
        // In place: only the value's text changes.
        ligne("valeur simple, le reste intact", fichier, u"options"_s, u"RUBRIQUE"_s, u"0"_s,
              QByteArray(fichier).replace("Rubrique=1", "Rubrique=0"));
        ligne("même valeur, aucun octet changé", fichier, u"OPTIONS"_s, u"Cite"_s, u"ancien"_s,
              fichier);
        ligne("blancs et nom d'origine gardés", "[O]\n  Cle = 0 \t\n", u"O"_s, u"cle"_s, u"1"_s,
              "[O]\n  Cle = 1 \t\n");
        ligne("guillemets devenus inutiles", "[O]\nK = 'a'\n", u"O"_s, u"K"_s, u"b"_s,
              "[O]\nK = b\n");
        ligne("valeur à protéger", "[O]\nK=1\n", u"O"_s, u"K"_s, u" 2"_s, "[O]\nK=\" 2\"\n");
        ligne("ligne sans égal", "[O]\nK\n", u"O"_s, u"K"_s, u"oui"_s, "[O]\nK=oui\n");
        // Additions of n=3: a key after the last key line of the first section of its name, a
        // section at the end, with the file's first line end.
        const auto ajout = [&ligne](const char* nom, const QByteArray& avant,
                                    const QString& section, const QByteArray& apres) {
            ligne(nom, avant, section, u"n"_s, u"3"_s, apres);
        };
        ligne("après la dernière clé, avant blancs et commentaires", "[A]\nk=1\n\n;c\n[B]\nz=2\n",
              u"a"_s, u" n "_s, u"3"_s, "[A]\nk=1\nn=3\n\n;c\n[B]\nz=2\n");
        ajout("section sans clé", "[A]\n\n[B]\n", u"A"_s, "[A]\nn=3\n\n[B]\n");
        ajout("la première de deux sections du même nom", "[A]\n[B]\n[a]\nk=2\n", u"A"_s,
              "[A]\nn=3\n[B]\n[a]\nk=2\n");
        ajout("nouvelle section en fin de fichier", "[A]\n\n", u"C"_s, "[A]\n\n[C]\nn=3\n");
        ajout("fichier sans fin de ligne finale", "[A]\nk=1", u"A"_s, "[A]\nk=1\nn=3\n");
        ajout("commentaire final sans fin de ligne", "[A]\n;c", u"A"_s, "[A]\nn=3\n;c");
        ajout("clé d'avant toute section", "n=1\n[A]\n", u"A"_s, "n=1\n[A]\nn=3\n");
        ajout("CR LF, nouvelle section", "[A]\r\nk=1", u"C"_s, "[A]\r\nk=1\r\n[C]\r\nn=3\r\n");
        ajout("la première fin de ligne décide", "[A]\r\nk=1\n", u"A"_s, "[A]\r\nk=1\nn=3\r\n");
        ajout("Ctrl-Z final ôté", "[A]\nk=1\n\x1A", u"B"_s, "[A]\nk=1\n[B]\nn=3\n");
        ligne("valeur après un NUL", QByteArrayLiteral("[A]\nn=1\0x\n"), u"A"_s, u"n"_s, u"3"_s,
              QByteArrayLiteral("[A]\nn=3\0x\n"));
    }

    void ecriture()
    {
        QFETCH(QByteArray, avant);
        QFETCH(QString, section);
        QFETCH(QString, cle);
        QFETCH(QString, valeur);
        QFETCH(QByteArray, apres);
        ProfilPrive p = ProfilPrive::depuisOctets(avant);
        p.ecrire(section, cle, valeur);
        QCOMPARE(p.octets(), apres);
        QCOMPARE(ProfilPrive::depuisOctets(p.octets()).lire(section, cle), valeur);
    }

    void enregistrer()
    {
        // A new file is created; an existing one is replaced whole, nothing left beside it.
        DossierTest dossier;
        const QString chemin = dossier.fichier(u"Lanceron.ini"_s);
        ProfilPrive p = ProfilPrive::charger(chemin);
        QCOMPARE(p.etat(), ProfilPrive::Etat::Absent);
        p.ecrire(u"LOGICIEL"_s, u"Nombre"_s, u"1"_s);
        p.ecrire(u"LOGICIEL 1"_s, u"Nom"_s, u"Éditeur"_s);
        p.ecrire(u"LOGICIEL"_s, u"Nombre"_s, u"2"_s);
        QVERIFY(p.enregistrer(chemin));
        QCOMPARE(lireOctets(chemin),
                 QByteArray("[LOGICIEL]\nNombre=2\n[LOGICIEL 1]\nNom=Éditeur\n"));

        ecrireOctets(chemin, "[OPTIONS]\r\nRubrique=1\r\n; garder\r\nInconnue=\xE9\r\n");
        ProfilPrive lu = ProfilPrive::charger(chemin);
        lu.ecrire(u"OPTIONS"_s, u"Rubrique"_s, u"0"_s);
        QString erreur;
        QVERIFY2(lu.enregistrer(chemin, &erreur), qPrintable(erreur));
        QCOMPARE(lireOctets(chemin),
                 QByteArray("[OPTIONS]\r\nRubrique=0\r\n; garder\r\nInconnue=\xE9\r\n"));
        QCOMPARE(fichiersDe(dossier.chemin()), QStringList{u"Lanceron.ini"_s});
    }

    void encodage_data()
    {
        QTest::addColumn<QByteArray>("avant");
        QTest::addColumn<bool>("vierge");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<QByteArray>("apres");
        QTest::addColumn<ProfilPrive::Encodage>("encodage");

        // Each row writes `valeur` into `section`/K, of the document or of its empty copy.
        const auto ligne = [](const char* nom, const QByteArray& avant, bool vierge,
                              const QString& section, const QString& valeur,
                              const QByteArray& apres, E encodage) {
            QTest::newRow(nom) << avant << vierge << section << valeur << apres << encodage;
        };
        const QByteArray cp1252 = "[S]\r\nE=Fen\xEAtre\r\nK=x\r\n";
        ligne("Windows-1252 gardé", cp1252, false, u"S"_s, u"été € œ"_s,
              "[S]\r\nE=Fen\xEAtre\r\nK=\xE9t\xE9 \x80 \x9C\r\n", E::Windows1252);
        ligne("Windows-1252 passé en UTF-8", cp1252, false, u"S"_s, u"Ω 日本"_s,
              "[S]\r\nE=Fenêtre\r\nK=Ω 日本\r\n", E::Utf8);
        ligne("Windows-1252 passé en UTF-8 par un nom de section", cp1252, false, u"Ω"_s, u"x"_s,
              "[S]\r\nE=Fenêtre\r\nK=x\r\n[Ω]\r\nK=x\r\n", E::Utf8);
        ligne("UTF-8 avec BOM gardé", "\xEF\xBB\xBF[S]\nK=x\n", false, u"S"_s, u"é"_s,
              "\xEF\xBB\xBF[S]\nK=é\n", E::Utf8);
        ligne("ASCII devient UTF-8", "[S]\nK=x\n", false, u"S"_s, u"é"_s, "[S]\nK=é\n", E::Utf8);
        ligne("copie vide en Windows-1252 et CR LF", cp1252, true, u"T"_s, u"é"_s,
              "[T]\r\nK=\xE9\r\n", E::Windows1252);
        ligne("copie vide en UTF-8 avec BOM et CR", "\xEF\xBB\xBF[A]\rK=ê\r", true, u"T"_s, u"é"_s,
              "\xEF\xBB\xBF[T]\rK=é\r", E::Utf8);
        ligne("UTF-16LE gardé", utf16le(u"[S]\r\nK=x\r\n"_s), false, u"S"_s, u"é ✓"_s,
              utf16le(u"[S]\r\nK=é ✓\r\n"_s), E::Utf16Le);
        // Windows-1252 bytes that would be valid UTF-8 would read back as other characters.
        ligne("Windows-1252 qui se lirait en UTF-8", "[S]\r\nE=\xC3\xA9\r\nK=\xE9\r\n", false,
              u"S"_s, u"x"_s, "[S]\r\nE=Ã©\r\nK=x\r\n", E::Utf8);
    }

    void encodage()
    {
        QFETCH(QByteArray, avant);
        QFETCH(bool, vierge);
        QFETCH(QString, section);
        QFETCH(QString, valeur);
        QFETCH(QByteArray, apres);
        QFETCH(ProfilPrive::Encodage, encodage);
        ProfilPrive p = ProfilPrive::depuisOctets(avant);
        if (vierge)
            p = ProfilPrive::vierge(p);
        p.ecrire(section, u"K"_s, valeur);
        QCOMPARE(p.encodage(), encodage);
        QCOMPARE(p.octets(), apres);
        QCOMPARE(ProfilPrive::depuisOctets(p.octets()).lire(section, u"K"), valeur);
    }

    void allerRetourDesValeurs_data()
    {
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<QString>("relue");

        for (const QString& v : {u" a"_s, u"a "_s, u"  "_s, u"\"x\""_s, u"'x'"_s, u"\"x'"_s,
                                 u"\""_s, u"a;b"_s, u"=x"_s, u"[x]"_s, u";x"_s, QString(),
                                 u"C:\\Program Files\\x.exe"_s, QString(5000, u'x')})
            QTest::newRow(qPrintable(u"«"_s + v.left(30) + u"»"_s)) << v << v;
        // A value is one line: each line break is written as one blank.
        QTest::newRow("CR LF") << u"a\r\nb"_s << u"a b"_s;
        QTest::newRow("LF CR") << u"\n\r"_s << u"  "_s;
        QTest::newRow("LF final") << u"a\n"_s << u"a "_s;
        // A NUL would end the line: it is dropped; other control characters stay. A lone
        // surrogate has no encoding but UTF-16.
        QTest::newRow("NUL et contrôles") << u"a\0b\x01" "c\t\x1A"_s << u"ab\x01" "c\t\x1A"_s;
        QTest::newRow("surrogate seul") << (u"a"_s + QChar(0xD800)) << u"a\uFFFD"_s;
    }

    void allerRetourDesValeurs()
    {
        QFETCH(QString, valeur);
        QFETCH(QString, relue);
        for (const QByteArray& avant :
             {QByteArray(), QByteArray("[S]\r\nK = vieux \r\n;fin\r\n")}) {
            ProfilPrive p = ProfilPrive::depuisOctets(avant);
            p.ecrire(u"S"_s, u"K"_s, valeur);
            QCOMPARE(p.lire(u"S", u"K"), relue);
            const ProfilPrive relu = ProfilPrive::depuisOctets(p.octets());
            QCOMPARE(relu.lire(u"S", u"K"), relue);
            QCOMPARE(relu.sections(), QStringList{u"S"_s});
        }
    }

    void grandDocument()
    {
        // A rubrique of 1,000 shortcuts, written key by key, then one value changed in the
        // middle.
        ProfilPrive p;
        for (int i = 1; i <= 1000; ++i) {
            p.ecrire(u"LOGICIEL %1"_s.arg(i), u"Nom"_s, u"Logiciel %1"_s.arg(i));
            p.ecrire(u"LOGICIEL %1"_s.arg(i), u"Commande"_s, QString::number(i));
        }
        p.ecrire(u"logiciel 500"_s, u"nom"_s, u"Changé"_s);
        const ProfilPrive relu = ProfilPrive::depuisOctets(p.octets());
        QCOMPARE(relu.sections().size(), 1000);
        for (int i = 1; i <= 1000; ++i) {
            const QString section = u"LOGICIEL %1"_s.arg(i);
            QCOMPARE(relu.lire(section, u"Nom"), i == 500 ? u"Changé"_s : u"Logiciel %1"_s.arg(i));
            QCOMPARE(relu.lire(section, u"Commande"), QString::number(i));
        }
    }

    void echecEnregistrement_data()
    {
        QTest::addColumn<QString>("cible");
        QTest::newRow("dossier parent qui est un fichier") << u"fichier/x.ini"_s;
        QTest::newRow("un dossier") << u"dossier"_s;
    }

    void echecEnregistrement()
    {
        QFETCH(QString, cible);
        DossierTest dossier;
        ecrireOctets(dossier.fichier(u"fichier"_s), "ancien");
        QVERIFY(QDir(dossier.chemin()).mkdir(u"dossier"_s));
        ecrireOctets(dossier.fichier(u"dossier/dedans"_s), "dedans");
        const QString longNom = dossier.fichier(QString(251, u'n') + u".ini"_s);
        ecrireOctets(longNom, "[S]\nK=ancien\n");
        const QStringList fichiers = fichiersDe(dossier.chemin());

        ProfilPrive p = ProfilPrive::charger(longNom);
        p.ecrire(u"S"_s, u"K"_s, u"nouveau"_s);
        QString erreur;
        QVERIFY(!p.enregistrer(dossier.fichier(cible), &erreur));
        QVERIFY(!erreur.isEmpty());
        QCOMPARE(fichiersDe(dossier.chemin()), fichiers);
        QCOMPARE(lireOctets(dossier.fichier(u"fichier"_s)), QByteArray("ancien"));
        QCOMPARE(fichiersDe(dossier.fichier(u"dossier"_s)), QStringList{u"dedans"_s});
        QCOMPARE(lireOctets(longNom), QByteArray("[S]\nK=ancien\n"));
    }

    void fichierInutilisable_data()
    {
        QTest::addColumn<QString>("sorte");
        for (const char* sorte : {"dossier", "image", "trop grand", "tube", "lien mort"})
            QTest::newRow(sorte) << QString::fromLatin1(sorte);
    }

    void fichierInutilisable()
    {
        // Reads as empty and is never saved over, not even as a blank copy; a pipe is never
        // waited on.
        QFETCH(QString, sorte);
        DossierTest dossier;
        const QString chemin = dossier.fichier(u"Mauvais.ini"_s);
        const QByteArray image = QByteArrayLiteral("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10[S]\nK=v\n");
        if (sorte == u"dossier")
            QVERIFY(QDir(dossier.chemin()).mkdir(u"Mauvais.ini"_s));
        else if (sorte == u"tube")
            QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
        else if (sorte == u"lien mort")
            QVERIFY(QFile::link(dossier.fichier(u"absent"_s), chemin));
        else
            ecrireOctets(chemin, image);
        if (sorte == u"trop grand")
            QVERIFY(QFile::resize(chemin, ProfilPrive::TailleMaximale + 1));
        const QFileInfo info(chemin);
        const QByteArray avant = info.isFile() ? lireOctets(chemin) : QByteArray();

        ProfilPrive p = ProfilPrive::charger(chemin);
        QCOMPARE(p.etat(), ProfilPrive::Etat::Inutilisable);
        QVERIFY(!p.raison().isEmpty());
        QCOMPARE(p.lire(u"S", u"K"), QString());
        QVERIFY(p.sections().isEmpty());
        ProfilPrive copie = ProfilPrive::vierge(p);
        for (ProfilPrive* q : {&p, &copie}) {
            q->ecrire(u"S"_s, u"K"_s, u"écrasé"_s);
            QString erreur;
            QVERIFY(!q->enregistrer(chemin, &erreur));
            QVERIFY(erreur.contains(p.raison()));
        }
        const QFileInfo apres(chemin);
        QCOMPARE(apres.isDir(), info.isDir());
        QCOMPARE(apres.isSymLink(), info.isSymLink());
        if (info.isFile())
            QCOMPARE(lireOctets(chemin), avant);
        else
            QVERIFY(!apres.isFile());
    }
};

QTEST_GUILESS_MAIN(TestProfilPrive)
#include "tst_profil_prive.moc"
