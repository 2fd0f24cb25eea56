// Finding shortcuts across every rubrique: folding, matching and ranking.

#include "catalogue/recherche.h"
#include "testsupport.h"

#include <QtTest>

using namespace lanceron;

class TstRecherche : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void chercher_data();
    void chercher();
    void indexSuitLeDisque();

private:
    test::DossierTest m_dossier;
    Catalogue* m_catalogue = nullptr;
    IndexRecherche m_index;
};

void TstRecherche::initTestCase()
{
    const QString d = m_dossier.chemin();
    test::ecrireRubrique(d, "Bureau",
                         {{"Fenêtre de terminal", "/usr/bin/xterm", "F", ""},
                          {"Éditeur de texte", "/usr/bin/gedit", "F", ""},
                          {"Calc", "/opt/libreoffice/scalc", "F", ""},
                          {"Attente", "/usr/bin/attente", "F", ""}});
    test::ecrireRubrique(d, "Jeux",
                         {{"Évé Online", "/opt/eve/launcher", "F", ""},
                          {"Super Tux", "/usr/games/supertux2", "F", ""},
                          {"Lève-tôt", "/opt/leve", "F", ""}});
    test::ecrireRubrique(d, "Vide", {});
    m_catalogue = new Catalogue(m_dossier.fichier("Rubriques"), this);
    m_catalogue->relire();
    m_index.construire(*m_catalogue);
}

void TstRecherche::chercher_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QStringList>("trouves"); // rubrique/index name, best first
    QTest::newRow("accent et casse") << "fenetre" << QStringList{"Bureau/0 Fenêtre de terminal"};
    QTest::newRow("debut puis mot puis dedans")
        << "eve" << QStringList{"Jeux/0 Évé Online", "Jeux/2 Lève-tôt"};
    QTest::newRow("mot apres tiret") << "TOT" << QStringList{"Jeux/2 Lève-tôt"};
    QTest::newRow("mots par nom puis milieu")
        << "te"
        << QStringList{"Bureau/1 Éditeur de texte", "Bureau/0 Fenêtre de terminal",
                       "Bureau/3 Attente"};
    QTest::newRow("nom du programme") << "supertux2" << QStringList{"Jeux/1 Super Tux"};
    QTest::newRow("nom avant programme") << "calc" << QStringList{"Bureau/2 Calc"};
    QTest::newRow("dossier du programme ignore") << "libreoffice" << QStringList{};
    QTest::newRow("vide") << "" << QStringList{};
    QTest::newRow("rien") << "zzz" << QStringList{};
}

void TstRecherche::chercher()
{
    QFETCH(QString, texte);
    QFETCH(QStringList, trouves);
    QStringList r;
    for (const Trouvaille& t : m_index.chercher(texte))
        r << QString("%1/%2 %3").arg(Catalogue::nomDe(t.fichier)).arg(t.index).arg(t.raccourci.Nom);
    QCOMPARE(r, trouves);
    QCOMPARE(m_index.chercher(texte, 1).size(), std::min<qsizetype>(trouves.size(), 1));
}

void TstRecherche::indexSuitLeDisque()
{
    // Built again, the index sees what was added since.
    QVERIFY(
        m_catalogue->ajouterRaccourci("Vide.ini", {"Terminal", "/usr/bin/xterm", "F", ""}).fait());
    QCOMPARE(m_index.chercher("terminal").size(), 1);
    m_index.construire(*m_catalogue);
    QCOMPARE(m_index.chercher("terminal").size(), 2);
    QCOMPARE(m_index.chercher("terminal").constFirst().fichier, QString("Vide.ini"));
}

QTEST_GUILESS_MAIN(TstRecherche)
#include "tst_recherche.moc"
