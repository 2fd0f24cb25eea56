// The storage layer: private-profile (INI) files, rubrique files and the settings file.

#include "storage/fichier_ini.h"
#include "storage/profil_prive.h"
#include "storage/rubrique_fichier.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QtTest>

#include <sys/stat.h>

using namespace lanceron;
using namespace lanceron::test;

namespace {

// Every entry under a folder with its kind, size and date: any write shows.
QStringList inventaire(const QString& dossier)
{
    QStringList r;
    QDirIterator it(dossier, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo f = it.nextFileInfo();
        r << f.filePath() + QString(" %1%2 %3 ").arg(f.isDir()).arg(f.isSymLink()).arg(f.size()) +
                 f.lastModified().toString(Qt::ISODateWithMs);
    }
    r.sort();
    return r;
}

// A rubrique file of count `nombre` whose sections (numbered as given) hold only a name.
QByteArray rubrique(const char* nombre, const QList<std::pair<const char*, QByteArray>>& noms)
{
    QByteArray r = QByteArray("[LOGICIEL]\nNombre=") + nombre + "\n";
    for (const auto& [i, nom] : noms)
        r += QByteArray("[LOGICIEL ") + i + "]\nNom=" + nom + "\n";
    return r;
}

// Records what the settings apply, in order, and serves fixed current values for writing.
class CibleTest final : public CibleReglages {
public:
    QStringList journal;
    qint32 etat = 0;
    qint32 etatCourant = 0;

    bool noter(const QString& entree, bool accepte = true)
    {
        journal << entree;
        return accepte;
    }
    bool appliquerOption(int i, qint16 v) override
    {
        return noter(QString("option%1=%2").arg(i).arg(v), v >= 0 && v <= 2);
    }
    qint16 option(int i) override { return QList<qint16>{1, 0, 0, 2}.at(i); }
    bool appliquerSplitter(const QString& t) override { return noter("splitter=" + t); }
    double splitter() const override { return 3172.5; } // written 3172: halves to even
    bool appliquerVue(int l, qint32 v) override { return noter(QString("vue%1=%2").arg(l).arg(v)); }
    qint32 vue(int l) const override { return l == 1 ? 2 : 3; }
    qint32 etatMemorise() const override { return etat; }
    void memoriserEtat(qint32 e) override { noter(QString("etat=%1").arg(etat = e)); }
    qint32 etatFenetre() const override { return etatCourant; }
    void maximiser() override { noter("maximiser"); }
    void appliquerGeometrie(const GeometrieTwips& g) override
    {
        const auto t = [](const std::optional<float>& v) { return v ? QString::number(*v) : "-"; };
        noter("geometrie=" +
              QStringList{t(g.hauteur), t(g.largeur), t(g.haut), t(g.gauche)}.join(','));
    }
    GeometrieTwips geometrie() const override { return {1.f, 2.f, 3.f, 4.f}; }
};

const QByteArray fichierComplet =
    "[OPTIONS]\nRubrique=1\nLogiciel=0\nApplication=1\nHotTracking=0\n"
    "[AFFICHAGE]\nSplitter1=3500\nRubrique=1\nLogiciel=3\n"
    "[DIVERS]\nWindows=0\nHauteur=6000\nLargeur=10700\n"
    "PositionX=1500\nPositionY=2250\n";

} // namespace

class TstStockage : public QObject {
    Q_OBJECT
    DossierTest m_dossier;
    QString fichierRubrique() const { return m_dossier.fichier("r.ini"); }
    QString reglages() const { return cheminReglages(m_dossier.chemin()); }

private slots:
    void init()
    {
        QFile::remove(fichierRubrique());
        QFile::remove(reglages());
    }

    void regles_data()
    {
        QTest::addColumn<QByteArray>("avant");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QString>("valeur");   // null: nothing written
        QTest::addColumn<QByteArray>("apres"); // null: not checked
        QTest::addColumn<QString>("lue");
        // Reads S/K unless told otherwise.
        const auto lu = [](const char* nom, const QByteArray& contenu, const char* lue,
                           const char* section = "S", const char* cle = "K") {
            QTest::newRow(nom) << contenu << QString(section) << QString(cle) << QString()
                               << contenu << QString(lue);
        };
        // Writes 3 in A/n unless told otherwise.
        const auto ecrit = [](const char* nom, const QByteArray& avant, const QByteArray& apres,
                              const char* valeur = "3", const char* section = "A",
                              const char* cle = "n") {
            QTest::newRow(nom) << avant << QString(section) << QString(cle) << QString(valeur)
                               << apres << QString(valeur);
        };
        const QByteArray s = "[S]\n";
        lu("casse hors ASCII", "[Éditeurs]\nÉté=x\n", "x", "éditeurs", "ÉTÉ");
        lu("nom d'une autre cle pour debut", "[S]\nKey=1\nK2=2\nk=3\n[T]\nK=4\n", "3");
        lu("blancs et guillemets autour de tout, jusqu'au dernier crochet",
           " \t[ S] ] \t\n \t K \t= \t 'v  w' \t\n", "v  w", "S]");
        lu("section en double: clé de la seconde", "[S]\nA=1\n[T]\nB=t\n[s]\nA=2\nB=3\n", "", "S",
           "B");
        lu("Windows-1252", s + "K=\xE9t\xE9 \x80 \x8C \x92 \x9F", "été € Œ ’ Ÿ");
        lu("UTF-8 coupé en fin de fichier", s + "K=a\xC3", "aÃ");
        lu("crochet sans fermant", s + "[T\nL=2\n", "2", "S", "L");
        QByteArray tous = s + "K=\xE9\x80\nL=";
        for (int o = 1; o < 256; ++o)
            tous += char(o);
        lu("tous les octets, gardés tels quels", tous, "é€");

        // Writing in place: only the value's text changes.
        const QByteArray fichier = "; Lanceron\r\n[OPTIONS]\r\nRubrique=1\r\nCite = \"ancien\"\r\n"
                                   "rubrique=doublon\r\n[options]\r\nRubrique=seconde\r\n";
        ecrit("valeur simple, le reste intact", fichier,
              QByteArray(fichier).replace("Rubrique=1", "Rubrique=0"), "0", "options", "RUBRIQUE");
        ecrit("même valeur, aucun octet changé", fichier, fichier, "ancien", "OPTIONS", "Cite");
        ecrit("blancs et nom gardés, guillemets ôtés", "[A]\n  N = 'a' \t\n", "[A]\n  N = 3 \t\n");
        ecrit("valeur à protéger", "[A]\nn=1\n", "[A]\nn=\" 2\"\n", " 2");
        ecrit("écrite sur une ligne sans égal", "[A]\nn\n", "[A]\nn=3\n");
        // A NUL ends the line it stands in, as the Windows functions read it.
        ecrit("valeur après un NUL", QByteArrayLiteral("[A]\nn=1\0x\n"),
              QByteArrayLiteral("[A]\nn=3\0x\n"));
        // Additions: a key after the last key line of the first section of its name, a section
        // at the end, with the file's first line end.
        ecrit("après la dernière clé, avant blancs et commentaires", "[A]\nk=1\n\n;c\n[B]\nz=2\n",
              "[A]\nk=1\nn=3\n\n;c\n[B]\nz=2\n", "3", "a", " n ");
        ecrit("la première de deux sections du même nom", "[A]\n[B]\n[a]\nk=2\n",
              "[A]\nn=3\n[B]\n[a]\nk=2\n");
        ecrit("clé d'avant toute section, dernière ligne sans fin, Ctrl-Z final ôté",
              "n=1\n[A]\nk=2\x1A", "n=1\n[A]\nk=2\nn=3\n");
        ecrit("la première fin de ligne décide, nouvelle section", "[A]\r\nk=1\n;c",
              "[A]\r\nk=1\n;c\r\n[C]\r\nn=3\r\n", "3", "C");
        // Encoding: a file keeps its own unless the value needs another.
        const QByteArray cp1252 = "[A]\r\nE=Fen\xEAtre\r\nn=x\r\n";
        ecrit("Windows-1252 gardé", cp1252, "[A]\r\nE=Fen\xEAtre\r\nn=\xE9\x80\r\n", "é€");
        ecrit("Windows-1252 passé en UTF-8", cp1252, "[A]\r\nE=Fenêtre\r\nn=Ω 日本\r\n", "Ω 日本");
        ecrit("document vide, en UTF-8", "", "[A]\nn=é\n", "é");
        // The UTF-16LE bytes of a text, after the byte-order mark, as Windows writes them.
        const auto utf16le = [](const QString& t) -> QByteArray {
            return QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(t);
        };
        ecrit("UTF-16LE gardé", utf16le("[A]\r\nn=x\r\n"), utf16le("[A]\r\nn=é ✓\r\n"), "é ✓");
        // Windows-1252 bytes that would be valid UTF-8 would read back as other characters.
        ecrit("Windows-1252 lu en UTF-8", "[A]\nE=\xC3\xA9\nn=\xE9\n", "[A]\nE=Ã©\nn=3\n");

        // Values that must read back as written, over a key with blanks and a comment.
        const auto valeur = [](const char* nom, const QString& v, const QString& lue) {
            QTest::newRow(nom) << QByteArray("[S]\r\nK = vieux \r\n;fin\r\n") << QString("S")
                               << QString("K") << v << QByteArray() << lue;
        };
        for (const char* v : {" a", "a ", "  ", "\"x\"", "'x'", "\"x'", "\"", "a;b", "=x", "[x]",
                              ";x", "", "C:\\Program Files\\x.exe"})
            valeur(qPrintable(QString("«%1»").arg(v)), v, v);
        // A value is one line: each line break is written as one blank.
        valeur("CR LF", "a\r\nb", "a b");
        valeur("LF CR final", "a\n\r", "a  ");
        // A NUL would end the line: it is dropped; other control characters stay. A lone
        // surrogate has no encoding but UTF-16.
        valeur("NUL et contrôles", QString::fromUtf8("a\0b\x01\t\x1A", 6), "ab\x01\t\x1A");
        valeur("surrogate seul", QString("a") + QChar(0xD800), "a\uFFFD");
    }

    void regles()
    {
        QFETCH(QByteArray, avant);
        QFETCH(QString, section);
        QFETCH(QString, cle);
        QFETCH(QString, valeur);
        QFETCH(QByteArray, apres);
        QFETCH(QString, lue);
        ProfilPrive p = ProfilPrive::depuisOctets(avant);
        if (!valeur.isNull())
            p.ecrire(section, cle, valeur);
        if (!apres.isNull())
            QCOMPARE(p.octets(), apres);
        QCOMPARE(p.lire(section, cle), lue);
        // A save never changes what the next read returns, nor the encoding.
        const ProfilPrive relu = ProfilPrive::depuisOctets(p.octets());
        QCOMPARE(relu.lire(section, cle), lue);
        QCOMPARE(p.encodage(), relu.encodage());
    }

    void refus()
    {
        // Unusable files read as empty and are never saved over, not even as a blank copy, and
        // the reason is told (a pipe is never waited on). Nothing changes in the folder.
        DossierTest d;
        ecrireOctets(d.fichier("image"),
                     QByteArrayLiteral("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10[S]\nK=v\n"));
        ecrireOctets(d.fichier("grand"), "[S]\nK=v\n");
        QVERIFY(QFile::resize(d.fichier("grand"), ProfilPrive::TailleMaximale + 1));
        QCOMPARE(::mkfifo(QFile::encodeName(d.fichier("tube")).constData(), 0600), 0);
        QVERIFY(QFile::link(d.fichier("absent"), d.fichier("mort")));
        QVERIFY(QDir(d.chemin()).mkdir("dossier"));
        ecrireOctets(d.fichier("dossier/dedans"), "dedans");
        const QStringList avant = inventaire(d.chemin());
        for (const char* nom : {"dossier", "image", "grand", "tube", "mort"}) {
            ProfilPrive p = ProfilPrive::charger(d.fichier(nom));
            QCOMPARE(p.etat(), ProfilPrive::Etat::Inutilisable);
            QCOMPARE(p.lire(u"S", u"K"), QString());
            ProfilPrive copie = ProfilPrive::vierge(p);
            for (ProfilPrive* q : {&p, &copie}) {
                q->ecrire("S", "K", "écrasé");
                QString erreur;
                QVERIFY(!q->enregistrer(d.fichier(nom), &erreur));
                QVERIFY(erreur.contains(p.raison()));
            }
            // Nor as a rubrique or as the settings file.
            QString refus, erreur, raison;
            QVERIFY(Lire_Rubrique(d.fichier(nom), &refus).isEmpty());
            QVERIFY(!refus.isEmpty());
            QVERIFY(!Ecrire_Rubrique(d.fichier(nom), {{"a", "", "", ""}}, &erreur));
            QVERIFY(erreur.contains(refus));
            CibleTest cible;
            QVERIFY(!Ecrire_Options(d.fichier(nom), cible, &raison));
            QVERIFY(raison.contains(refus));
        }
        // A new document saved over a folder fails too.
        QVERIFY(!ProfilPrive::depuisOctets("[S]\nK=nouveau\n").enregistrer(d.fichier("dossier")));
        QCOMPARE(inventaire(d.chemin()), avant);
    }

    void rubriqueLue_data()
    {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QStringList>("noms");
        const auto ligne = [](const char* cas, const QByteArray& contenu, const QStringList& noms) {
            QTest::newRow(cas) << contenu << noms;
        };
        ligne("au-dela du compte", rubrique("1", {{"1", "a"}, {"2", "b"}}), {"a"});
        ligne("compte enorme", rubrique("2000000000", {{"1", "a"}, {"3", "c"}}), {"a", "", "c"});
        // The rows are bounded by the file's lines, never by the number written in it.
        ligne("section au numero enorme", "[LOGICIEL]\nNombre=2000000000\n[LOGICIEL 2000000000]\n",
              {"", "", ""});
        ligne("NUL isole", rubrique("2", {{"1", QByteArray("a\0b", 3)}, {"2", "c"}}), {"a", "c"});
        ligne("compte illisible", rubrique("deux", {{"1", "a"}}), {});
    }

    void rubriqueLue()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(QStringList, noms);
        ecrireOctets(fichierRubrique(), contenu);
        QString refus = "pas encore lu";
        QStringList lus;
        for (const Raccourci& x : Lire_Rubrique(fichierRubrique(), &refus))
            lus << x.Nom + x.Dossier + x.Executer + x.Commande; // a missing key reads as ""
        QCOMPARE(lus, noms);
        QVERIFY(refus.isEmpty());
    }

    void rubriqueEcrite()
    {
        // Rewritten whole, a Windows-1252 file keeps its bytes, its byte-order mark and its
        // line ends; without the shortcut whose bytes are not UTF-8, the rest would read as
        // UTF-8 ("Ã©" is "é" there) and reads back the same; a character outside
        // Windows-1252 makes the whole file UTF-8.
        const QList<Raccourci> r = {{"Ã©", "Â¢", "", "-a"}, {"é", "/x", "Réduite", ""}};
        QString contenu = "[LOGICIEL]\rNombre=2\r";
        for (int i = 0; i < 2; ++i)
            contenu += QString("[LOGICIEL %1]\rNom=%2\rDossier=%3\rExecuter=%4\rCommande=%5\r")
                           .arg(i + 1)
                           .arg(r[i].Nom, r[i].Dossier, r[i].Executer, r[i].Commande);
        const QByteArray octets = "\xEF\xBB\xBF" + contenu.toLatin1();
        const QList<Raccourci> autres = {
            {" espace ✓", "/opt/mon prog/run.sh", "Fenêtre normale", "--titre \"a b\" 'c'"},
            {QString(250, 'n'), "/opt/" + QString(4000, 'x'), "", ""},
            {},
        };
        for (const QList<Raccourci>& reste : {r.mid(0, 1), r + autres, r}) {
            ecrireOctets(fichierRubrique(), octets);
            QVERIFY(Ecrire_Rubrique(fichierRubrique(), reste));
            QCOMPARE(Lire_Rubrique(fichierRubrique()), reste);
        }
        QCOMPARE(lireOctets(fichierRubrique()), octets);
        // A new rubrique, written over an empty file, holds the count 0 only.
        ecrireOctets(fichierRubrique(), "");
        QVERIFY(Ecrire_Rubrique(fichierRubrique(), {}));
        QCOMPARE(lireOctets(fichierRubrique()), QByteArray("[LOGICIEL]\nNombre=0\n"));
    }

    void reglagesLus_data()
    {
        QTest::addColumn<QByteArray>("contenu"); // null: no file
        QTest::addColumn<bool>("optionsSeulement");
        QTest::addColumn<QStringList>("journal");
        const QStringList options = {"option0=1", "option1=0", "option2=1", "option3=0"};
        const QStringList avantEtat = options + QStringList{"splitter=3500", "vue1=1", "vue2=3"};
        auto ligne = [&](const char* cas, const char* avant, const char* apres,
                         const QStringList& j) {
            QTest::newRow(cas) << QByteArray(fichierComplet).replace(avant, apres) << false << j;
        };
        ligne("complet", "", "",
              avantEtat + QStringList{"etat=0", "geometrie=6000,10700,1500,2250"});
        QTest::newRow("options seulement") << fichierComplet << true << options;
        QTest::newRow("sans fichier") << QByteArray() << false << QStringList();
        // The first value that cannot be converted, or is refused, ends the reading. Numbers:
        // blanks around them, a fraction rounded halves to even, with '.' or ','.
        const auto application = [&](const char* cas, const char* valeur, const QStringList& j) {
            ligne(cas, "Application=1", valeur, QStringList{"option0=1", "option1=0"} + j);
        };
        application("option refusee", "Application=7", {"option2=7"});
        application("demi vers le bas", "Application= 4,5 ", {"option2=4"});
        application("demi vers le haut, hors limite", "Application=32767.5", {});
        // The window's state: maximised, minimised (opened normal), unknown.
        ligne("maximisee", "Windows=0", "Windows=2",
              avantEtat + QStringList{"etat=2", "maximiser"});
        ligne("etat inconnu", "Windows=0", "Windows=3", avantEtat + QStringList{"etat=3"});
        // The geometry read up to the first failure stands; the rest keeps the window's values.
        // Minimised, it opens normal.
        ligne("reduite, largeur illisible", "Windows=0\nHauteur=6000\nLargeur=10700",
              "Windows=1\nHauteur=7000\nLargeur=",
              avantEtat + QStringList{"etat=1", "geometrie=7000,2,3,4"});
        ligne("hauteur illisible", "Hauteur=6000", "Hauteur=grand",
              avantEtat + QStringList{"etat=0"});
    }

    void reglagesLus()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(bool, optionsSeulement);
        QFETCH(QStringList, journal);
        if (!contenu.isNull())
            ecrireOctets(reglages(), contenu);
        CibleTest cible;
        Lire_Options(reglages(), optionsSeulement, cible);
        QCOMPARE(cible.journal, journal);
        // Reading never writes.
        QCOMPARE(QFileInfo::exists(reglages()), !contenu.isNull());
        QCOMPARE(lireOctets(reglages()), contenu);
    }

    void reglagesEcrits_data()
    {
        QTest::addColumn<QByteArray>("avant"); // null: no file
        QTest::addColumn<int>("memorise");
        QTest::addColumn<int>("courant");
        QTest::addColumn<QByteArray>("divers"); // the section DIVERS written
        const QByteArray geo = "Hauteur=6000\nLargeur=10700\nPositionX=1500\nPositionY=2250\n";
        const QByteArray normale = "Windows=0\nHauteur=1\nLargeur=2\nPositionX=3\nPositionY=4\n";
        QTest::newRow("nouveau fichier, normale") << QByteArray() << 2 << 0 << normale;
        // Outside the normal state, the geometry in the file stays as it was; a state outside 0
        // to 2 leaves the remembered one.
        QTest::newRow("maximisee") << fichierComplet << 0 << 2 << "Windows=2\n" + geo;
        QTest::newRow("reduite, puis etat inconnu")
            << fichierComplet << 1 << 3 << "Windows=1\n" + geo;
    }

    void reglagesEcrits()
    {
        QFETCH(QByteArray, avant);
        QFETCH(int, memorise);
        QFETCH(int, courant);
        QFETCH(QByteArray, divers);
        if (!avant.isNull())
            ecrireOctets(reglages(), avant);
        CibleTest cible;
        cible.etat = memorise;
        cible.etatCourant = courant;
        QVERIFY(Ecrire_Options(reglages(), cible));
        QCOMPARE(lireOctets(reglages()),
                 "[OPTIONS]\nRubrique=1\nLogiciel=0\nApplication=0\nHotTracking=2\n"
                 "[AFFICHAGE]\nSplitter1=3172\nRubrique=2\nLogiciel=3\n[DIVERS]\n" +
                     divers);
    }
};

QTEST_GUILESS_MAIN(TstStockage)
#include "tst_stockage.moc"
