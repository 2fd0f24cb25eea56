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
    double positionSplitter = 3170;
    qint32 vues[2] = {0, 3};
    qint32 etat = 0;
    qint32 etatCourant = 0;
    GeometrieTwips geo{6000.f, 10700.f, 1500.f, 2250.f};

    bool noter(const QString& entree, bool accepte = true)
    {
        journal << entree;
        return accepte;
    }
    bool appliquerOption(int i, qint16 v) override
    {
        return noter(QString("option%1=%2").arg(i).arg(v), v >= 0 && v <= 2);
    }
    qint16 option(int i) override { return options[i]; }
    bool appliquerSplitter(const QString& t) override { return noter("splitter=" + t); }
    double splitter() const override { return positionSplitter; }
    bool appliquerVue(int l, qint32 v) override { return noter(QString("vue%1=%2").arg(l).arg(v)); }
    qint32 vue(int l) const override { return vues[l - 1]; }
    qint32 etatMemorise() const override { return etat; }
    void memoriserEtat(qint32 e) override { noter(QString("etat=%1").arg(etat = e)); }
    qint32 etatFenetre() const override { return etatCourant; }
    void maximiser() override { noter("maximiser"); }
    void appliquerGeometrie(const GeometrieTwips& g) override
    {
        QStringList t;
        for (const auto& v : {g.hauteur, g.largeur, g.haut, g.gauche})
            t << (v ? QString::number(double(*v)) : "-");
        noter("geometrie=" + t.join(','));
    }
    GeometrieTwips geometrie() const override { return geo; }
};

const QByteArray fichierComplet =
    "[OPTIONS]\nRubrique=1\nLogiciel=0\nApplication=1\nHotTracking=0\n"
    "[AFFICHAGE]\nSplitter1=3500\nRubrique=1\nLogiciel=3\n"
    "[DIVERS]\nWindows=0\nHauteur=6000\nLargeur=10700\n"
    "PositionX=1500\nPositionY=2250\n";

} // namespace

class TstFichierIni : public QObject {
    Q_OBJECT
private slots:
    void conversions_data();
    void conversions();
    void lecture_data();
    void lecture();
    void ecritureNouveauFichier();
    void ecritureEtatFenetre_data();
    void ecritureEtatFenetre();
    void ecritureFichierInutilisable();

private:
    test::DossierTest m_dossier;
    QString chemin() const { return cheminReglages(m_dossier.chemin()); }
};

void TstFichierIni::conversions_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("attendu"); // "" when refused
    auto ligne = [](const char* cas, const char* texte, const char* attendu) {
        QTest::newRow(cas) << QString(texte) << QString(attendu);
    };
    ligne("blancs", "  2 ", "2");
    ligne("suffixe", "12px", "");
    ligne("demi pair vers le bas", "2.5", "2");
    ligne("demi impair vers le haut", "3.5", "4");
    ligne("virgule", "1,6", "2");
    ligne("hors limite", "32768", "");
}

void TstFichierIni::conversions()
{
    QFETCH(QString, texte);
    QFETCH(QString, attendu);
    const auto v = convertirEntier16(texte);
    QCOMPARE(v ? QString::number(*v) : QString(), attendu);
}

void TstFichierIni::lecture_data()
{
    QTest::addColumn<QByteArray>("contenu"); // null: no file
    QTest::addColumn<bool>("optionsSeulement");
    QTest::addColumn<QStringList>("journal");

    const QStringList options = {"option0=1", "option1=0", "option2=1", "option3=0"};
    const QStringList avantEtat = options + QStringList{"splitter=3500", "vue1=1", "vue2=3"};
    auto ligne = [&](const char* cas, const char* avant, const char* apres, const QStringList& j) {
        QTest::newRow(cas) << QByteArray(fichierComplet).replace(avant, apres) << false << j;
    };
    ligne("complet", "", "", avantEtat + QStringList{"etat=0", "geometrie=6000,10700,1500,2250"});
    QTest::newRow("options seulement") << fichierComplet << true << options;
    QTest::newRow("sans fichier") << QByteArray() << false << QStringList();
    // The first value that cannot be converted, or is refused, ends the reading.
    ligne("option illisible", "Application=1", "Application=oui", {"option0=1", "option1=0"});
    ligne("option refusee", "Application=1", "Application=7",
          {"option0=1", "option1=0", "option2=7"});
    // The window's state: maximised, minimised (opened normal), unknown.
    ligne("maximisee", "Windows=0", "Windows=2", avantEtat + QStringList{"etat=2", "maximiser"});
    ligne("reduite", "Windows=0", "Windows=1",
          avantEtat + QStringList{"etat=1", "geometrie=6000,10700,1500,2250"});
    ligne("etat inconnu", "Windows=0", "Windows=3", avantEtat + QStringList{"etat=3"});
    // The geometry read up to the first failure stands; the rest keeps the window's values.
    ligne("gauche illisible", "PositionX=1500\nPositionY=2250", "PositionX=1600\nPositionY=x",
          avantEtat + QStringList{"etat=0", "geometrie=6000,10700,1600,2250"});
    ligne("largeur illisible", "Hauteur=6000\nLargeur=10700", "Hauteur=7000\nLargeur=",
          avantEtat + QStringList{"etat=0", "geometrie=7000,10700,1500,2250"});
    ligne("hauteur illisible", "Hauteur=6000", "Hauteur=grand", avantEtat + QStringList{"etat=0"});
}

void TstFichierIni::lecture()
{
    QFETCH(QByteArray, contenu);
    QFETCH(bool, optionsSeulement);
    QFETCH(QStringList, journal);
    QFile::remove(chemin());
    if (!contenu.isNull())
        test::ecrireOctets(chemin(), contenu);
    CibleTest cible;
    Lire_Options(chemin(), optionsSeulement, cible);
    QCOMPARE(cible.journal, journal);
    // Reading never writes.
    QCOMPARE(QFileInfo::exists(chemin()), !contenu.isNull());
    QCOMPARE(test::lireOctets(chemin()), contenu);
}

void TstFichierIni::ecritureNouveauFichier()
{
    QFile::remove(chemin());
    CibleTest cible;
    cible.options[0] = 1;
    cible.options[3] = 2;
    cible.positionSplitter = 3172.5; // halves to even
    cible.vues[0] = 2;
    QVERIFY(Ecrire_Options(chemin(), cible));
    QCOMPARE(test::lireOctets(chemin()),
             QByteArray("[OPTIONS]\nRubrique=1\nLogiciel=0\nApplication=0\nHotTracking=2\n"
                        "[AFFICHAGE]\nSplitter1=3172\nRubrique=2\nLogiciel=3\n"
                        "[DIVERS]\nWindows=0\nHauteur=6000\nLargeur=10700\n"
                        "PositionX=1500\nPositionY=2250\n"));
}

void TstFichierIni::ecritureEtatFenetre_data()
{
    QTest::addColumn<int>("memorise");
    QTest::addColumn<int>("courant");
    QTest::addColumn<QByteArray>("divers"); // the section DIVERS written
    const QByteArray geo = "Hauteur=6000\nLargeur=10700\nPositionX=1500\nPositionY=2250\n";
    QTest::newRow("normale") << 2 << 0
                             << QByteArray(
                                    "Windows=0\nHauteur=1\nLargeur=2\nPositionX=3\nPositionY=4\n");
    // Outside the normal state, the geometry in the file stays as it was; a state outside 0 to 2
    // leaves the remembered one.
    QTest::newRow("maximisee") << 0 << 2 << "Windows=2\n" + geo;
    QTest::newRow("reduite") << 0 << 1 << "Windows=1\n" + geo;
    QTest::newRow("etat inconnu") << 2 << 3 << "Windows=2\n" + geo;
}

void TstFichierIni::ecritureEtatFenetre()
{
    QFETCH(int, memorise);
    QFETCH(int, courant);
    QFETCH(QByteArray, divers);
    test::ecrireOctets(chemin(), fichierComplet);
    CibleTest cible;
    cible.etat = memorise;
    cible.etatCourant = courant;
    cible.geo = {1.f, 2.f, 3.f, 4.f};
    QVERIFY(Ecrire_Options(chemin(), cible));
    QVERIFY(test::lireOctets(chemin()).endsWith("[DIVERS]\n" + divers));
}

void TstFichierIni::ecritureFichierInutilisable()
{
    const QByteArray binaire("\x00\x01\x02[OPTIONS]\x00", 13);
    test::ecrireOctets(chemin(), binaire);
    CibleTest cible;
    QString erreur;
    QVERIFY(!Ecrire_Options(chemin(), cible, &erreur));
    QVERIFY(!erreur.isEmpty());
    QCOMPARE(test::lireOctets(chemin()), binaire);
}

QTEST_GUILESS_MAIN(TstFichierIni)
#include "tst_fichier_ini.moc"
