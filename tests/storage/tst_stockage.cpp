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

// The UTF-16LE bytes of a text, after the byte-order mark, as Windows' Unicode INI files hold.
QByteArray utf16le(const QString& texte)
{
    return QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(texte);
}

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

Raccourci nomme(const char* nom)
{
    return {nom, "", "", ""};
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
        QTest::addColumn<bool>("vierge"); // written into the document's empty copy
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QString>("valeur");   // null: nothing written
        QTest::addColumn<QByteArray>("apres"); // null: not checked
        QTest::addColumn<QString>("lue");
        // Reads S/K unless told otherwise.
        const auto lu = [](const char* nom, const QByteArray& contenu, const char* lue,
                           const char* section = "S", const char* cle = "K") {
            QTest::newRow(nom) << contenu << false << QString(section) << QString(cle) << QString()
                               << contenu << QString(lue);
        };
        // Writes 3 in A/n unless told otherwise.
        const auto ecrit = [](const char* nom, const QByteArray& avant, const QByteArray& apres,
                              const char* valeur = "3", const char* section = "A",
                              const char* cle = "n", bool vierge = false) {
            QTest::newRow(nom) << avant << vierge << QString(section) << QString(cle)
                               << QString(valeur) << apres << QString(valeur);
        };
        const QByteArray s = "[S]\n";
        lu("casse hors ASCII", "[Éditeurs]\nÉté=x\n", "x", "éditeurs", "ÉTÉ");
        lu("blancs autour de tout", " \t[ S ] \t\n \t K \t= \t v  w \t\n", "v  w");
        lu("guillemets simples", s + "K = 'v' \n", "v");
        lu("une seule paire ôtée", s + "K=\"\"v\"\"\n", "\"v\"");
        lu("guillemets différents", s + "K=\"v'\n", "\"v'");
        lu("guillemet seul", s + "K=\"\n", "\"");
        lu("section en double: clé de la seconde", "[S]\nA=1\n[T]\nB=t\n[s]\nA=2\nB=3\n", "", "S",
           "B");
        lu("section voisine", "[LOGICIEL]\nNom=a\n[LOGICIEL 1]\nNom=b\n", "b", "LOGICIEL 1", "Nom");
        lu("jusqu'au dernier crochet", "[a]b] x\nK=v\n", "v", "a]b");
        lu("document vide", "", "");
        lu("fins mêlées", "[S]\rK=v\r\nL=w\n", "w", "S", "L");
        lu("Windows-1252", s + "K=\xE9t\xE9 \x80 \x8C \x92 \x9F", "été € Œ ’ Ÿ");
        lu("UTF-8 coupé en fin de fichier", s + "K=a\xC3", "aÃ");
        lu("UTF-8 trop long", s + "K=\xC0\xAF", "À¯");
        // A NUL ends the line it stands in, as the Windows functions read it.
        lu("NUL dans la valeur", s + QByteArrayLiteral("K=ab\0cd\nL=2\n"), "ab");
        lu("NUL puis d'autres clés", s + QByteArrayLiteral("K=\0\nL=2\n"), "2", "S", "L");
        lu("crochet sans fermant", s + "[T\nL=2\n", "2", "S", "L");
        QByteArray tous = s + "K=\xE9\x80\nL=";
        for (int o = 1; o < 256; ++o)
            tous += char(o);
        lu("tous les octets, gardés tels quels", tous, "é€");

        // Writing in place: only the value's text changes.
        const QByteArray fichier = "; Lanceron\r\n\r\n[OPTIONS]\r\nRubrique=1\r\n"
                                   "Inconnue=garder ; ceci\r\nCite = \"ancien\"\r\n"
                                   "rubrique=doublon\r\n\r\n[Autre]\r\nx=y\r\n"
                                   "[options]\r\nRubrique=seconde\r\n";
        ecrit("valeur simple, le reste intact", fichier,
              QByteArray(fichier).replace("Rubrique=1", "Rubrique=0"), "0", "options", "RUBRIQUE");
        ecrit("même valeur, aucun octet changé", fichier, fichier, "ancien", "OPTIONS", "Cite");
        ecrit("blancs et nom d'origine gardés", "[A]\n  N = 0 \t\n", "[A]\n  N = 3 \t\n");
        ecrit("guillemets devenus inutiles", "[A]\nn = 'a'\n", "[A]\nn = 3\n");
        ecrit("valeur à protéger", "[A]\nn=1\n", "[A]\nn=\" 2\"\n", " 2");
        ecrit("écrite sur une ligne sans égal", "[A]\nn\n", "[A]\nn=3\n");
        ecrit("valeur après un NUL", QByteArrayLiteral("[A]\nn=1\0x\n"),
              QByteArrayLiteral("[A]\nn=3\0x\n"));
        // Additions: a key after the last key line of the first section of its name, a section
        // at the end, with the file's first line end.
        ecrit("après la dernière clé, avant blancs et commentaires", "[A]\nk=1\n\n;c\n[B]\nz=2\n",
              "[A]\nk=1\nn=3\n\n;c\n[B]\nz=2\n", "3", "a", " n ");
        ecrit("la première de deux sections du même nom", "[A]\n[B]\n[a]\nk=2\n",
              "[A]\nn=3\n[B]\n[a]\nk=2\n");
        ecrit("nouvelle section en fin de fichier", "[A]\n\n", "[A]\n\n[C]\nn=3\n", "3", "C");
        ecrit("commentaire final sans fin de ligne", "[A]\n;c", "[A]\nn=3\n;c");
        ecrit("clé d'avant toute section", "n=1\n[A]\n", "n=1\n[A]\nn=3\n");
        ecrit("CR LF, nouvelle section", "[A]\r\nk=1", "[A]\r\nk=1\r\n[C]\r\nn=3\r\n", "3", "C");
        ecrit("la première fin de ligne décide", "[A]\r\nk=1\n", "[A]\r\nk=1\nn=3\r\n");
        ecrit("Ctrl-Z final ôté", "[A]\nk=1\n\x1A", "[A]\nk=1\n[B]\nn=3\n", "3", "B");
        // Encoding: a file keeps its own unless the value needs another.
        const QByteArray cp1252 = "[A]\r\nE=Fen\xEAtre\r\nn=x\r\n";
        ecrit("Windows-1252 gardé", cp1252, "[A]\r\nE=Fen\xEAtre\r\nn=\xE9t\xE9 \x80 \x9C\r\n",
              "été € œ");
        ecrit("Windows-1252 passé en UTF-8", cp1252, "[A]\r\nE=Fenêtre\r\nn=Ω 日本\r\n", "Ω 日本");
        ecrit("Windows-1252 passé en UTF-8 par un nom de section", cp1252,
              "[A]\r\nE=Fenêtre\r\nn=x\r\n[Ω]\r\nn=3\r\n", "3", "Ω");
        ecrit("UTF-8 avec BOM gardé", "\xEF\xBB\xBF[A]\nn=x\n", "\xEF\xBB\xBF[A]\nn=é\n", "é");
        ecrit("ASCII devient UTF-8", "[A]\nn=x\n", "[A]\nn=é\n", "é");
        ecrit("UTF-16LE gardé", utf16le("[A]\r\nn=x\r\n"), utf16le("[A]\r\nn=é ✓\r\n"), "é ✓");
        // Windows-1252 bytes that would be valid UTF-8 would read back as other characters.
        ecrit("Windows-1252 qui se lirait en UTF-8", "[A]\r\nE=\xC3\xA9\r\nn=\xE9\r\n",
              "[A]\r\nE=Ã©\r\nn=3\r\n");
        ecrit("copie vide en Windows-1252 et CR LF", cp1252, "[T]\r\nn=\xE9\r\n", "é", "T", "n",
              true);
        ecrit("copie vide en UTF-8 avec BOM et CR", "\xEF\xBB\xBF[A]\rn=ê\r",
              "\xEF\xBB\xBF[T]\rn=é\r", "é", "T", "n", true);

        // Values that must read back as written, over a key with blanks and a comment.
        const auto valeur = [](const char* nom, const QString& v, const QString& lue) {
            QTest::newRow(nom) << QByteArray("[S]\r\nK = vieux \r\n;fin\r\n") << false
                               << QString("S") << QString("K") << v << QByteArray() << lue;
        };
        for (const char* v : {" a", "a ", "  ", "\"x\"", "'x'", "\"x'", "\"", "a;b", "=x", "[x]",
                              ";x", "", "C:\\Program Files\\x.exe"})
            valeur(qPrintable(QString("«%1»").arg(v)), v, v);
        // A value is one line: each line break is written as one blank.
        valeur("CR LF", "a\r\nb", "a b");
        valeur("LF CR", "\n\r", "  ");
        valeur("LF final", "a\n", "a ");
        // A NUL would end the line: it is dropped; other control characters stay. A lone
        // surrogate has no encoding but UTF-16.
        valeur("NUL et contrôles", QString::fromUtf8("a\0b\x01\t\x1A", 6), "ab\x01\t\x1A");
        valeur("surrogate seul", QString("a") + QChar(0xD800), "a\uFFFD");
    }

    void regles()
    {
        QFETCH(QByteArray, avant);
        QFETCH(bool, vierge);
        QFETCH(QString, section);
        QFETCH(QString, cle);
        QFETCH(QString, valeur);
        QFETCH(QByteArray, apres);
        QFETCH(QString, lue);
        ProfilPrive p = ProfilPrive::depuisOctets(avant);
        if (vierge)
            p = ProfilPrive::vierge(p);
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

    void sectionsNombreuses()
    {
        // 1,000 sections written one by one after a header with blanks and its double, then one
        // value changed in the middle.
        ProfilPrive p = ProfilPrive::depuisOctets("k=0\n[ LOGICIEL ]\n;[X]\n[logiciel]\n");
        for (int i = 1; i <= 1000; ++i)
            p.ecrire(QString("Logiciel %1").arg(i), "Nom", QString::number(i));
        p.ecrire("logiciel 500", "nom", "Changé");
        const ProfilPrive relu = ProfilPrive::depuisOctets(p.octets());
        QCOMPARE(relu.sections().size(), 1002);
        QCOMPARE(relu.sections().mid(0, 3), (QStringList{"LOGICIEL", "logiciel", "Logiciel 1"}));
        for (int i = 1; i <= 1000; ++i)
            QCOMPARE(relu.lire(QString("LOGICIEL %1").arg(i), u"Nom"),
                     i == 500 ? QString("Changé") : QString::number(i));
    }

    void refus()
    {
        // Unusable files read as empty and are never saved over, not even as a blank copy, and
        // the reason is told (a pipe is never waited on). Nothing changes in the folder.
        DossierTest d;
        ecrireOctets(d.fichier("image"),
                     QByteArrayLiteral("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10[S]\nK=v\n"));
        ecrireOctets(d.fichier("utf16"), QByteArray("[\0S\0]\0\n\0", 8)); // without its mark
        ecrireOctets(d.fichier("grand"), "[S]\nK=v\n");
        QVERIFY(QFile::resize(d.fichier("grand"), ProfilPrive::TailleMaximale + 1));
        QCOMPARE(::mkfifo(QFile::encodeName(d.fichier("tube")).constData(), 0600), 0);
        QVERIFY(QFile::link(d.fichier("absent"), d.fichier("mort")));
        QVERIFY(QDir(d.chemin()).mkdir("dossier"));
        ecrireOctets(d.fichier("dossier/dedans"), "dedans");
        const QStringList avant = inventaire(d.chemin());
        for (const char* nom : {"dossier", "image", "utf16", "grand", "tube", "mort"}) {
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
            QVERIFY(!Ecrire_Rubrique(d.fichier(nom), {nomme("a")}, &erreur));
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
        ligne("trou au milieu", rubrique("3", {{"1", "a"}, {"3", "c"}}), {"a", "", "c"});
        ligne("sections au-dela du compte ignorees", rubrique("1", {{"1", "a"}, {"2", "b"}}),
              {"a"});
        ligne("compte enorme", rubrique("2000000000", {{"1", "a"}, {"3", "c"}}), {"a", "", "c"});
        // The rows are bounded by the file's lines, never by the number written in it.
        ligne("section au numero enorme", "[LOGICIEL]\nNombre=2000000000\n[LOGICIEL 2000000000]\n",
              {"", "", ""});
        ligne("NUL isole", rubrique("2", {{"1", QByteArray("a\0b", 3)}, {"2", "c"}}), {"a", "c"});
        ligne("compte illisible", rubrique("deux", {{"1", "a"}}), {});
        ligne("compte negatif", rubrique("-4", {{"1", "a"}}), {});
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

    void rubriqueAllerRetour()
    {
        const QList<Raccourci> r = {
            {"Éditeur", "/usr/bin/gedit", "Fenêtre normale", ""},
            {" espace ", "/opt/mon prog/run.sh", "Réduite", "--titre \"a b\" 'c'"},
            {QString(250, 'n'), "/opt/" + QString(4000, 'x'), "", ""},
            nomme(""),
        };
        QVERIFY(Ecrire_Rubrique(fichierRubrique(), r));
        QCOMPARE(Lire_Rubrique(fichierRubrique()), r);
        // A new rubrique holds the count 0 only.
        QVERIFY(Ecrire_Rubrique(fichierRubrique(), {}));
        QCOMPARE(lireOctets(fichierRubrique()), QByteArray("[LOGICIEL]\nNombre=0\n"));
    }

    void rubriqueWindows1252()
    {
        // Windows-1252 files of random texts: rewritten whole, they keep their bytes; deleting
        // any one shortcut reads back exactly the others, even when the rewritten bytes happen
        // to be valid UTF-8 (pairs of characters here form UTF-8 sequences, a lone "é" in one
        // name at least does not); a character outside Windows-1252 makes the whole file UTF-8.
        QRandomGenerator alea(1252);
        const auto texte = [&] {
            QString t;
            for (int k = alea.bounded(1, 4); k > 0; --k)
                t += QStringList{"Ã©", "Â¢", "x", " "}.at(alea.bounded(4));
            return t.trimmed();
        };
        for (int essai = 0; essai < 40; ++essai) {
            QList<Raccourci> r;
            QString contenu = "[LOGICIEL]\r\nNombre=3\r\n";
            for (int i = 1; i <= 3; ++i) {
                const QString nom =
                    texte() + (i == essai % 3 + 1 || alea.bounded(3) == 0 ? "é" : "");
                const Raccourci& x = r.emplaceBack(Raccourci{nom, texte(), texte(), texte()});
                contenu += QString("[LOGICIEL %1]\r\nNom=%2\r\nDossier=%3\r\nExecuter=%4\r\n"
                                   "Commande=%5\r\n")
                               .arg(i)
                               .arg(x.Nom, x.Dossier, x.Executer, x.Commande);
            }
            for (int cas = 0; cas <= 4; ++cas) {
                QList<Raccourci> reste = r;
                if (cas < 3)
                    reste.removeAt(cas);
                else if (cas == 3)
                    reste[2].Nom += "✓";
                ecrireOctets(fichierRubrique(), contenu.toLatin1());
                QVERIFY(Ecrire_Rubrique(fichierRubrique(), reste));
                QCOMPARE(Lire_Rubrique(fichierRubrique()), reste);
            }
            QCOMPARE(lireOctets(fichierRubrique()), contenu.toLatin1());
        }
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
        application("option illisible", "Application=oui", {});
        application("option refusee", "Application=7", {"option2=7"});
        application("demi vers le haut", "Application= 3.5 ", {"option2=4"});
        application("demi vers le bas", "Application=4,5", {"option2=4"});
        application("suffixe", "Application=1px", {});
        application("hors limite", "Application=32768", {});
        // The window's state: maximised, minimised (opened normal), unknown.
        ligne("maximisee", "Windows=0", "Windows=2",
              avantEtat + QStringList{"etat=2", "maximiser"});
        ligne("reduite", "Windows=0", "Windows=1",
              avantEtat + QStringList{"etat=1", "geometrie=6000,10700,1500,2250"});
        ligne("etat inconnu", "Windows=0", "Windows=3", avantEtat + QStringList{"etat=3"});
        // The geometry read up to the first failure stands; the rest keeps the window's values.
        ligne("largeur illisible", "Hauteur=6000\nLargeur=10700",
              "Hauteur=7000\nLargeur=", avantEtat + QStringList{"etat=0", "geometrie=7000,2,3,4"});
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
        QTest::newRow("nouveau fichier") << QByteArray() << 0 << 0 << normale;
        QTest::newRow("normale") << fichierComplet << 2 << 0 << normale;
        // Outside the normal state, the geometry in the file stays as it was; a state outside 0
        // to 2 leaves the remembered one.
        QTest::newRow("maximisee") << fichierComplet << 0 << 2 << "Windows=2\n" + geo;
        QTest::newRow("reduite") << fichierComplet << 0 << 1 << "Windows=1\n" + geo;
        QTest::newRow("etat inconnu") << fichierComplet << 2 << 3 << "Windows=2\n" + geo;
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
