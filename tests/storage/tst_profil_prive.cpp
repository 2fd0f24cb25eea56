#include "storage/profil_prive.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <sys/stat.h>

using lanceron::ProfilPrive;
using lanceron::test::DossierTest;
using lanceron::test::ecrireOctets;
using lanceron::test::lireOctets;

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
        const auto ligne = [](const char* nom, const QByteArray& contenu, const char* attendu,
                              const char* section = "S", const char* cle = "K") {
            QTest::newRow(nom) << contenu << QString(section) << QString(cle) << QString(attendu);
        };
        const QByteArray s = "[S]\n";
        ligne("casse des noms", "[Logiciel 1]\nNOM=x\n", "x", "LOGICIEL 1", "nom");
        ligne("casse hors ASCII", "[Éditeurs]\nÉté=x\n", "x", "éditeurs", "ÉTÉ");
        ligne("casse de la valeur gardée", s + "K=Fenêtre Normale\n", "Fenêtre Normale");
        ligne("blancs autour de tout", " \t[ S ] \t\n \t K \t= \t v  w \t\n", "v  w");
        ligne("guillemets doubles", s + "K=\"  v  \"\n", "  v  ");
        ligne("guillemets simples", s + "K = 'v' \n", "v");
        ligne("une seule paire ôtée", s + "K=\"\"v\"\"\n", "\"v\"");
        ligne("guillemets différents", s + "K=\"v'\n", "\"v'");
        ligne("guillemet seul", s + "K=\"\n", "\"");
        ligne("point-virgule et égal dans la valeur", s + "K=a;b=c\n", "a;b=c");
        ligne("ligne sans égal", s + "K\nL=w\n", "");
        ligne("commentaires", s + ";K=1\n \t;K=2\nK=3\n", "3");
        ligne("clé en double", s + "k=1\nK=2\n", "1");
        const QByteArray doublon = "[S]\nA=1\n[T]\nB=t\n[s]\nA=2\nB=3\n";
        ligne("section en double: la première", doublon, "1", "S", "A");
        ligne("section en double: clé de la seconde", doublon, "", "S", "B");
        ligne("section voisine", "[LOGICIEL]\nNom=a\n[LOGICIEL 1]\nNom=b\n", "b", "LOGICIEL 1",
              "Nom");
        ligne("jusqu'au dernier crochet", "[a]b] x\nK=v\n", "v", "a]b");
        ligne("clé avant toute section", "K=v\n[S]\n", "");
        ligne("document vide", "", "");
        ligne("fins mêlées", "[S]\rK=v\r\nL=w\n", "w", "S", "L");
        ligne("sans fin de ligne finale", s + "K=v", "v");
        ligne("UTF-8 avec BOM", "\xEF\xBB\xBF" + s + "K=v\n", "v");
        ligne("Windows-1252", s + "K=\xE9t\xE9 \x80 \x8C \x92 \x9F", "été € Œ ’ Ÿ");
        ligne("UTF-8 coupé en fin de fichier", s + "K=a\xC3", "aÃ");
        ligne("UTF-8 trop long", s + "K=\xC0\xAF", "À¯");
        ligne("UTF-16LE", utf16le("[S]\r\nK=été ✓\r\n"), "été ✓");
        // A NUL ends the line it stands in, as the Windows functions read it.
        ligne("NUL dans la valeur", s + QByteArrayLiteral("K=ab\0cd\nL=2\n"), "ab");
        ligne("NUL puis d'autres clés", s + QByteArrayLiteral("K=\0\nL=2\n"), "2", "S", "L");
        ligne("crochet sans fermant", s + "[T\nL=2\n", "2", "S", "L");
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

    void sectionsEtOctetsRelus()
    {
        const ProfilPrive p =
            ProfilPrive::depuisOctets("k=0\n[ LOGICIEL ]\n;[X]\n[Logiciel 1]\nNom=a\n[logiciel]\n");
        QCOMPARE(p.sections(), (QStringList{"LOGICIEL", "Logiciel 1", "logiciel"}));
        QByteArray contenu = "[S]\r\nK=";
        for (int o = 1; o < 256; ++o)
            contenu += static_cast<char>(o);
        QCOMPARE(ProfilPrive::depuisOctets(contenu).encodage(), ProfilPrive::Encodage::Windows1252);
        QCOMPARE(ProfilPrive::depuisOctets(contenu).octets(), contenu);
    }

    void ecriture_data()
    {
        QTest::addColumn<QByteArray>("avant");
        QTest::addColumn<bool>("vierge"); // written into the document's empty copy
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<QByteArray>("apres");
        const auto ligne = [](const char* nom, const QByteArray& avant, const char* section,
                              const char* cle, const char* valeur, const QByteArray& apres,
                              bool vierge = false) {
            QTest::newRow(nom) << avant << vierge << QString(section) << QString(cle)
                               << QString(valeur) << apres;
        };
        const QByteArray fichier = "; Lanceron\r\n\r\n[OPTIONS]\r\nRubrique=1\r\n"
                                   "Inconnue=garder ; ceci\r\nCite = \"ancien\"\r\n"
                                   "rubrique=doublon\r\n\r\n[Autre]\r\nx=y\r\n"
                                   "[options]\r\nRubrique=seconde\r\n";
        // In place: only the value's text changes.
        ligne("valeur simple, le reste intact", fichier, "options", "RUBRIQUE", "0",
              QByteArray(fichier).replace("Rubrique=1", "Rubrique=0"));
        ligne("même valeur, aucun octet changé", fichier, "OPTIONS", "Cite", "ancien", fichier);
        ligne("blancs et nom d'origine gardés", "[O]\n  Cle = 0 \t\n", "O", "cle", "1",
              "[O]\n  Cle = 1 \t\n");
        ligne("guillemets devenus inutiles", "[O]\nK = 'a'\n", "O", "K", "b", "[O]\nK = b\n");
        ligne("valeur à protéger", "[O]\nK=1\n", "O", "K", " 2", "[O]\nK=\" 2\"\n");
        ligne("ligne sans égal", "[O]\nK\n", "O", "K", "oui", "[O]\nK=oui\n");
        ligne("valeur après un NUL", QByteArrayLiteral("[A]\nn=1\0x\n"), "A", "n", "3",
              QByteArrayLiteral("[A]\nn=3\0x\n"));
        // Additions: a key after the last key line of the first section of its name, a section
        // at the end, with the file's first line end.
        ligne("après la dernière clé, avant blancs et commentaires", "[A]\nk=1\n\n;c\n[B]\nz=2\n",
              "a", " n ", "3", "[A]\nk=1\nn=3\n\n;c\n[B]\nz=2\n");
        ligne("section sans clé", "[A]\n\n[B]\n", "A", "n", "3", "[A]\nn=3\n\n[B]\n");
        ligne("la première de deux sections du même nom", "[A]\n[B]\n[a]\nk=2\n", "A", "n", "3",
              "[A]\nn=3\n[B]\n[a]\nk=2\n");
        ligne("nouvelle section en fin de fichier", "[A]\n\n", "C", "n", "3", "[A]\n\n[C]\nn=3\n");
        ligne("fichier sans fin de ligne finale", "[A]\nk=1", "A", "n", "3", "[A]\nk=1\nn=3\n");
        ligne("commentaire final sans fin de ligne", "[A]\n;c", "A", "n", "3", "[A]\nn=3\n;c");
        ligne("clé d'avant toute section", "n=1\n[A]\n", "A", "n", "3", "n=1\n[A]\nn=3\n");
        ligne("CR LF, nouvelle section", "[A]\r\nk=1", "C", "n", "3",
              "[A]\r\nk=1\r\n[C]\r\nn=3\r\n");
        ligne("la première fin de ligne décide", "[A]\r\nk=1\n", "A", "n", "3",
              "[A]\r\nk=1\nn=3\r\n");
        ligne("Ctrl-Z final ôté", "[A]\nk=1\n\x1A", "B", "n", "3", "[A]\nk=1\n[B]\nn=3\n");
        // Encoding: a file keeps its own unless the value needs another.
        const QByteArray cp1252 = "[S]\r\nE=Fen\xEAtre\r\nK=x\r\n";
        ligne("Windows-1252 gardé", cp1252, "S", "K", "été € œ",
              "[S]\r\nE=Fen\xEAtre\r\nK=\xE9t\xE9 \x80 \x9C\r\n");
        ligne("Windows-1252 passé en UTF-8", cp1252, "S", "K", "Ω 日本",
              "[S]\r\nE=Fenêtre\r\nK=Ω 日本\r\n");
        ligne("Windows-1252 passé en UTF-8 par un nom de section", cp1252, "Ω", "K", "x",
              "[S]\r\nE=Fenêtre\r\nK=x\r\n[Ω]\r\nK=x\r\n");
        ligne("UTF-8 avec BOM gardé", "\xEF\xBB\xBF[S]\nK=x\n", "S", "K", "é",
              "\xEF\xBB\xBF[S]\nK=é\n");
        ligne("ASCII devient UTF-8", "[S]\nK=x\n", "S", "K", "é", "[S]\nK=é\n");
        ligne("UTF-16LE gardé", utf16le("[S]\r\nK=x\r\n"), "S", "K", "é ✓",
              utf16le("[S]\r\nK=é ✓\r\n"));
        // Windows-1252 bytes that would be valid UTF-8 would read back as other characters.
        ligne("Windows-1252 qui se lirait en UTF-8", "[S]\r\nE=\xC3\xA9\r\nK=\xE9\r\n", "S", "K",
              "x", "[S]\r\nE=Ã©\r\nK=x\r\n");
        ligne("copie vide en Windows-1252 et CR LF", cp1252, "T", "K", "é", "[T]\r\nK=\xE9\r\n",
              true);
        ligne("copie vide en UTF-8 avec BOM et CR", "\xEF\xBB\xBF[A]\rK=ê\r", "T", "K", "é",
              "\xEF\xBB\xBF[T]\rK=é\r", true);
    }

    void ecriture()
    {
        QFETCH(QByteArray, avant);
        QFETCH(bool, vierge);
        QFETCH(QString, section);
        QFETCH(QString, cle);
        QFETCH(QString, valeur);
        QFETCH(QByteArray, apres);
        ProfilPrive p = ProfilPrive::depuisOctets(avant);
        if (vierge)
            p = ProfilPrive::vierge(p);
        p.ecrire(section, cle, valeur);
        QCOMPARE(p.octets(), apres);
        const ProfilPrive relu = ProfilPrive::depuisOctets(apres);
        QCOMPARE(p.encodage(), relu.encodage());
        QCOMPARE(relu.lire(section, cle), valeur);
    }

    void allerRetourDesValeurs_data()
    {
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<QString>("relue");
        for (const char* v : {" a", "a ", "  ", "\"x\"", "'x'", "\"x'", "\"", "a;b", "=x", "[x]",
                              ";x", "", "C:\\Program Files\\x.exe"})
            QTest::addRow("«%s»", v) << QString(v) << QString(v);
        const auto ligne = [](const char* nom, const QString& valeur, const QString& relue) {
            QTest::newRow(nom) << valeur << relue;
        };
        ligne("long", QString(5000, 'x'), QString(5000, 'x'));
        // A value is one line: each line break is written as one blank.
        ligne("CR LF", "a\r\nb", "a b");
        ligne("LF CR", "\n\r", "  ");
        ligne("LF final", "a\n", "a ");
        // A NUL would end the line: it is dropped; other control characters stay. A lone
        // surrogate has no encoding but UTF-16.
        ligne("NUL et contrôles", QString::fromUtf8("a\0b\x01\t\x1A", 6), "ab\x01\t\x1A");
        ligne("surrogate seul", QString("a") + QChar(0xD800), "a\uFFFD");
    }

    void allerRetourDesValeurs()
    {
        QFETCH(QString, valeur);
        QFETCH(QString, relue);
        for (const QByteArray& avant :
             {QByteArray(), QByteArray("[S]\r\nK = vieux \r\n;fin\r\n")}) {
            ProfilPrive p = ProfilPrive::depuisOctets(avant);
            p.ecrire("S", "K", valeur);
            QCOMPARE(p.lire(u"S", u"K"), relue);
            const ProfilPrive relu = ProfilPrive::depuisOctets(p.octets());
            QCOMPARE(relu.lire(u"S", u"K"), relue);
            QCOMPARE(relu.sections(), QStringList{"S"});
        }
    }

    void grandDocument()
    {
        // A rubrique of 1,000 shortcuts written key by key, then one value changed in the middle.
        ProfilPrive p;
        for (int i = 1; i <= 1000; ++i) {
            p.ecrire(QString("LOGICIEL %1").arg(i), "Nom", QString("Logiciel %1").arg(i));
            p.ecrire(QString("LOGICIEL %1").arg(i), "Commande", QString::number(i));
        }
        p.ecrire("logiciel 500", "nom", "Changé");
        const ProfilPrive relu = ProfilPrive::depuisOctets(p.octets());
        QCOMPARE(relu.sections().size(), 1000);
        for (int i = 1; i <= 1000; ++i) {
            const QString section = QString("LOGICIEL %1").arg(i);
            QCOMPARE(relu.lire(section, u"Nom"),
                     i == 500 ? "Changé" : "Logiciel " + QString::number(i));
            QCOMPARE(relu.lire(section, u"Commande"), QString::number(i));
        }
    }

    void enregistrer()
    {
        // A new file is created; an existing one is replaced whole, nothing left beside it.
        DossierTest dossier;
        const QString chemin = dossier.fichier("Lanceron.ini");
        ProfilPrive p = ProfilPrive::charger(chemin);
        QCOMPARE(p.etat(), ProfilPrive::Etat::Absent);
        p.ecrire("LOGICIEL", "Nombre", "1");
        QVERIFY(p.enregistrer(chemin));
        QCOMPARE(lireOctets(chemin), QByteArray("[LOGICIEL]\nNombre=1\n"));
        ecrireOctets(chemin, "[O]\r\nR=1\r\n; garder\r\nI=\xE9\r\n");
        ProfilPrive lu = ProfilPrive::charger(chemin);
        lu.ecrire("O", "R", "0");
        QString erreur;
        QVERIFY2(lu.enregistrer(chemin, &erreur), qPrintable(erreur));
        QCOMPARE(lireOctets(chemin), QByteArray("[O]\r\nR=0\r\n; garder\r\nI=\xE9\r\n"));
        QCOMPARE(fichiersDe(dossier.chemin()), QStringList{"Lanceron.ini"});
    }

    void echecEnregistrement_data()
    {
        QTest::addColumn<QString>("cible");
        QTest::newRow("dossier parent qui est un fichier") << QString("fichier/x.ini");
        QTest::newRow("un dossier") << QString("dossier");
    }

    void echecEnregistrement()
    {
        QFETCH(QString, cible);
        DossierTest dossier;
        ecrireOctets(dossier.fichier("fichier"), "ancien");
        QVERIFY(QDir(dossier.chemin()).mkdir("dossier"));
        ecrireOctets(dossier.fichier("dossier/dedans"), "dedans");
        const QStringList fichiers = fichiersDe(dossier.chemin());
        ProfilPrive p;
        p.ecrire("S", "K", "nouveau");
        QString erreur;
        QVERIFY(!p.enregistrer(dossier.fichier(cible), &erreur));
        QVERIFY(!erreur.isEmpty());
        QCOMPARE(fichiersDe(dossier.chemin()), fichiers);
        QCOMPARE(lireOctets(dossier.fichier("fichier")), QByteArray("ancien"));
        QCOMPARE(fichiersDe(dossier.fichier("dossier")), QStringList{"dedans"});
    }

    void fichierInutilisable_data()
    {
        QTest::addColumn<QString>("sorte");
        for (const char* sorte : {"dossier", "image", "trop grand", "tube", "lien mort"})
            QTest::newRow(sorte) << QString(sorte);
    }

    void fichierInutilisable()
    {
        // Reads as empty and is never saved over, not even as a blank copy; a pipe is never
        // waited on.
        QFETCH(QString, sorte);
        DossierTest dossier;
        const QString chemin = dossier.fichier("Mauvais.ini");
        if (sorte == "dossier")
            QVERIFY(QDir(dossier.chemin()).mkdir("Mauvais.ini"));
        else if (sorte == "tube")
            QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
        else if (sorte == "lien mort")
            QVERIFY(QFile::link(dossier.fichier("absent"), chemin));
        else
            ecrireOctets(chemin,
                         QByteArrayLiteral("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10[S]\nK=v\n"));
        if (sorte == "trop grand")
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
            q->ecrire("S", "K", "écrasé");
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
