// The settings file: reading order and its stopping rule, the window-state rule, writing order,
// conversions.

#include "storage/conversions.h"
#include "storage/fichier_ini.h"
#include "testsupport.h"

#include <QtTest>

using namespace lanceron;

namespace {

// Records what the settings apply, in order, and serves fixed current values for writing.
class CibleTest final : public CibleReglages {
public:
    QStringList journal;
    qint16 options[4] = {0, 0, 0, 0};
    QString splitterTexte;
    double positionSplitter = 3170;
    qint32 vues[2] = {0, 3};
    qint32 etat = 0;
    qint32 etatCourant = 0;
    GeometrieTwips geo{6000.f, 10700.f, 1500.f, 2250.f};

    bool appliquerOption(int i, qint16 v) override
    {
        journal << QStringLiteral("option%1=%2").arg(i).arg(v);
        if (v < 0 || v > 2)
            return false;
        options[i] = v;
        return true;
    }
    qint16 option(int i) override { return options[i]; }
    bool appliquerSplitter(const QString& t) override
    {
        journal << QStringLiteral("splitter=") + t;
        bool ok = false;
        const double v = t.toDouble(&ok);
        if (ok)
            positionSplitter = v;
        return ok;
    }
    double splitter() const override { return positionSplitter; }
    bool appliquerVue(int l, qint32 v) override
    {
        journal << QStringLiteral("vue%1=%2").arg(l).arg(v);
        if (v < 0 || v > 3)
            return false;
        vues[l - 1] = v;
        return true;
    }
    qint32 vue(int l) const override { return vues[l - 1]; }
    qint32 etatMemorise() const override { return etat; }
    void memoriserEtat(qint32 e) override
    {
        journal << QStringLiteral("etat=%1").arg(e);
        etat = e;
    }
    qint32 etatFenetre() const override { return etatCourant; }
    void maximiser() override { journal << QStringLiteral("maximiser"); }
    void appliquerGeometrie(const GeometrieTwips& g) override
    {
        auto t = [](const std::optional<float>& v) {
            return v ? QString::number(static_cast<double>(*v)) : QStringLiteral("-");
        };
        journal << QStringLiteral("geometrie=%1,%2,%3,%4")
                       .arg(t(g.hauteur), t(g.largeur), t(g.haut), t(g.gauche));
    }
    GeometrieTwips geometrie() const override { return geo; }
};

const QByteArray fichierComplet = "[OPTIONS]\n"
                                  "Rubrique=1\n"
                                  "Logiciel=0\n"
                                  "Application=1\n"
                                  "HotTracking=0\n"
                                  "[AFFICHAGE]\n"
                                  "Splitter1=3500\n"
                                  "Rubrique=1\n"
                                  "Logiciel=3\n"
                                  "[DIVERS]\n"
                                  "Windows=0\n"
                                  "Hauteur=6000\n"
                                  "Largeur=10700\n"
                                  "PositionX=1500\n"
                                  "PositionY=2250\n";

} // namespace

class TstFichierIni : public QObject {
    Q_OBJECT
private slots:
    void conversions_data();
    void conversions();
    void lecture_data();
    void lecture();
    void lectureOptionsSeulement();
    void lectureSansFichier();
    void ecritureNouveauFichier();
    void ecritureMaximiseeGardeLaGeometrie();
    void ecritureGardeLesAutresCles();
    void ecritureEtatInconnuGardeLEtatMemorise();
    void ecritureFichierInutilisable();
};

void TstFichierIni::conversions_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<int>("attendu"); // -99999 when refused
    QTest::newRow("simple") << QStringLiteral("1") << 1;
    QTest::newRow("blancs") << QStringLiteral("  2 ") << 2;
    QTest::newRow("vide") << QString() << -99999;
    QTest::newRow("texte") << QStringLiteral("abc") << -99999;
    QTest::newRow("demi pair vers le bas") << QStringLiteral("2.5") << 2;
    QTest::newRow("demi impair vers le haut") << QStringLiteral("3.5") << 4;
    QTest::newRow("virgule") << QStringLiteral("1,6") << 2;
    QTest::newRow("negatif") << QStringLiteral("-3") << -3;
    QTest::newRow("limite haute") << QStringLiteral("32767") << 32767;
    QTest::newRow("hors limite") << QStringLiteral("32768") << -99999;
    QTest::newRow("suffixe") << QStringLiteral("12px") << -99999;
}

void TstFichierIni::conversions()
{
    QFETCH(QString, texte);
    QFETCH(int, attendu);
    const auto v = convertirEntier16(texte);
    if (attendu == -99999)
        QVERIFY(!v);
    else
        QCOMPARE(int(v.value_or(-1)), attendu);
}

void TstFichierIni::lecture_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QStringList>("journal");

    const QStringList options = {"option0=1", "option1=0", "option2=1", "option3=0"};
    const QStringList affichage = {"splitter=3500", "vue1=1", "vue2=3"};

    QTest::newRow("complet") << fichierComplet
                             << (options + affichage +
                                 QStringList{"etat=0", "geometrie=6000,10700,1500,2250"});
    QByteArray f = fichierComplet;
    QTest::newRow("premiere option vide")
        << QByteArray(f).replace("Rubrique=1\nLogiciel=0", "Rubrique=\nLogiciel=0") << QStringList{};
    QTest::newRow("option illisible au milieu")
        << QByteArray(f).replace("Application=1", "Application=oui")
        << QStringList{"option0=1", "option1=0"};
    QTest::newRow("option hors plage arrete")
        << QByteArray(f).replace("Application=1", "Application=7")
        << QStringList{"option0=1", "option1=0", "option2=7"};
    QTest::newRow("splitter illisible")
        << QByteArray(f).replace("Splitter1=3500", "Splitter1=gauche")
        << (options + QStringList{"splitter=gauche"});
    QTest::newRow("vue hors plage")
        << QByteArray(f).replace("Logiciel=3\n", "Logiciel=4\n")
        << (options + QStringList{"splitter=3500", "vue1=1", "vue2=4"});
    QTest::newRow("maximisee")
        << QByteArray(f).replace("Windows=0", "Windows=2")
        << (options + affichage + QStringList{"etat=2", "maximiser"});
    QTest::newRow("reduite ouvre normale a la geometrie")
        << QByteArray(f).replace("Windows=0", "Windows=1")
        << (options + affichage + QStringList{"etat=1", "geometrie=6000,10700,1500,2250"});
    QTest::newRow("etat 3 arrete") << QByteArray(f).replace("Windows=0", "Windows=3")
                                   << (options + affichage + QStringList{"etat=3"});
    QTest::newRow("geometrie partielle")
        << QByteArray(f).replace("PositionX=1500", "PositionX=")
        << (options + affichage + QStringList{"etat=0", "geometrie=6000,10700,-,-"});
    QTest::newRow("hauteur illisible")
        << QByteArray(f).replace("Hauteur=6000", "Hauteur=grand")
        << (options + affichage + QStringList{"etat=0"});
    QTest::newRow("troisieme etat d'une option")
        << QByteArray(f).replace("HotTracking=0", "HotTracking=2")
        << (QStringList{"option0=1", "option1=0", "option2=1", "option3=2"} + affichage +
            QStringList{"etat=0", "geometrie=6000,10700,1500,2250"});
}

void TstFichierIni::lecture()
{
    QFETCH(QByteArray, contenu);
    QFETCH(QStringList, journal);
    test::DossierTest dossier;
    const QString chemin = cheminReglages(dossier.chemin());
    test::ecrireOctets(chemin, contenu);
    CibleTest cible;
    Lire_Options(chemin, false, cible);
    QCOMPARE(cible.journal, journal);
    QCOMPARE(test::lireOctets(chemin), contenu); // reading never writes
}

void TstFichierIni::lectureOptionsSeulement()
{
    test::DossierTest dossier;
    const QString chemin = cheminReglages(dossier.chemin());
    test::ecrireOctets(chemin, fichierComplet);
    CibleTest cible;
    Lire_Options(chemin, true, cible);
    QCOMPARE(cible.journal,
             (QStringList{"option0=1", "option1=0", "option2=1", "option3=0"}));
}

void TstFichierIni::lectureSansFichier()
{
    test::DossierTest dossier;
    CibleTest cible;
    Lire_Options(cheminReglages(dossier.chemin()), false, cible);
    QVERIFY(cible.journal.isEmpty());
    QVERIFY(!QFileInfo::exists(cheminReglages(dossier.chemin())));
}

void TstFichierIni::ecritureNouveauFichier()
{
    test::DossierTest dossier;
    const QString chemin = cheminReglages(dossier.chemin());
    CibleTest cible;
    cible.options[0] = 1;
    cible.options[3] = 2;
    cible.positionSplitter = 3172.5; // halves to even
    cible.vues[0] = 2;
    QVERIFY(Ecrire_Options(chemin, cible));
    QCOMPARE(test::lireOctets(chemin), QByteArray("[OPTIONS]\n"
                                                  "Rubrique=1\n"
                                                  "Logiciel=0\n"
                                                  "Application=0\n"
                                                  "HotTracking=2\n"
                                                  "[AFFICHAGE]\n"
                                                  "Splitter1=3172\n"
                                                  "Rubrique=2\n"
                                                  "Logiciel=3\n"
                                                  "[DIVERS]\n"
                                                  "Windows=0\n"
                                                  "Hauteur=6000\n"
                                                  "Largeur=10700\n"
                                                  "PositionX=1500\n"
                                                  "PositionY=2250\n"));
}

void TstFichierIni::ecritureMaximiseeGardeLaGeometrie()
{
    test::DossierTest dossier;
    const QString chemin = cheminReglages(dossier.chemin());
    test::ecrireOctets(chemin, fichierComplet);
    CibleTest cible;
    cible.etatCourant = 2;
    cible.geo = {1.f, 2.f, 3.f, 4.f};
    QVERIFY(Ecrire_Options(chemin, cible));
    QByteArray attendu = fichierComplet;
    attendu.replace("Rubrique=1\nLogiciel=0\nApplication=1", "Rubrique=0\nLogiciel=0\nApplication=0");
    attendu.replace("Splitter1=3500\nRubrique=1", "Splitter1=3170\nRubrique=0");
    attendu.replace("Windows=0", "Windows=2");
    QCOMPARE(test::lireOctets(chemin), attendu);

    // Back to the normal state: the four keys are rewritten, PositionX taking the top edge.
    cible.etatCourant = 0;
    QVERIFY(Ecrire_Options(chemin, cible));
    const QByteArray apres = test::lireOctets(chemin);
    QVERIFY(apres.contains("Windows=0\nHauteur=1\nLargeur=2\nPositionX=3\nPositionY=4\n"));
}

void TstFichierIni::ecritureGardeLesAutresCles()
{
    test::DossierTest dossier;
    const QString chemin = cheminReglages(dossier.chemin());
    const QByteArray avant = "; réglages\r\n[DIVERS]\r\nCouleur=bleu\r\nWindows=0\r\n\r\n[AUTRE]\r\nx=1\r\n";
    test::ecrireOctets(chemin, avant);
    CibleTest cible;
    QVERIFY(Ecrire_Options(chemin, cible));
    const QByteArray apres = test::lireOctets(chemin);
    QVERIFY(apres.startsWith("; réglages\r\n[DIVERS]\r\nCouleur=bleu\r\nWindows=0\r\n"));
    QVERIFY(apres.contains("[AUTRE]\r\nx=1\r\n"));
    QVERIFY(apres.contains("[OPTIONS]\r\nRubrique=0\r\n"));
    QVERIFY(!apres.contains("\n\n")); // line ends kept as CR LF everywhere
}

void TstFichierIni::ecritureEtatInconnuGardeLEtatMemorise()
{
    test::DossierTest dossier;
    const QString chemin = cheminReglages(dossier.chemin());
    CibleTest cible;
    cible.etat = 1;
    cible.etatCourant = 3; // a state outside 0 to 2 leaves the kept value
    QVERIFY(Ecrire_Options(chemin, cible));
    const QByteArray apres = test::lireOctets(chemin);
    QVERIFY(apres.contains("Windows=1\n"));
    QVERIFY(!apres.contains("Hauteur"));
}

void TstFichierIni::ecritureFichierInutilisable()
{
    test::DossierTest dossier;
    const QString chemin = cheminReglages(dossier.chemin());
    const QByteArray binaire("\x00\x01\x02[OPTIONS]\x00", 13);
    test::ecrireOctets(chemin, binaire);
    CibleTest cible;
    Lire_Options(chemin, false, cible);
    QVERIFY(cible.journal.isEmpty());
    QString erreur;
    QVERIFY(!Ecrire_Options(chemin, cible, &erreur));
    QVERIFY(!erreur.isEmpty());
    QCOMPARE(test::lireOctets(chemin), binaire);

    // A folder in place of the file.
    const QString dossierIni = cheminReglages(dossier.fichier(QStringLiteral("sous")));
    QVERIFY(QDir().mkpath(dossierIni));
    QVERIFY(!Ecrire_Options(dossierIni, cible));
    QVERIFY(QFileInfo(dossierIni).isDir());
}

QTEST_GUILESS_MAIN(TstFichierIni)
#include "tst_fichier_ini.moc"
