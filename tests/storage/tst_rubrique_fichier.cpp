// Rubrique files: reading, whole rewrite, encoding, bad files.

#include "storage/rubrique_fichier.h"
#include "testsupport.h"

#include <QtTest>

#include <optional>

using namespace lanceron;

namespace {

Raccourci nomme(const char* nom)
{
    return {nom, "", "", ""};
}

} // namespace

class TstRubriqueFichier : public QObject {
    Q_OBJECT
private slots:
    void init() { m_dossier.emplace(); } // a fresh folder for every case
    void lecture_data();
    void lecture();
    void allerRetour();
    void gardeLEncodageWindows1252();
    void fichierInutilisable();

private:
    std::optional<test::DossierTest> m_dossier;
    QString fichier() const { return m_dossier->fichier("r.ini"); }
};

void TstRubriqueFichier::lecture_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QList<Raccourci>>("attendus");
    QTest::newRow("deux raccourcis")
        << QByteArray("[LOGICIEL]\nNombre=2\n[LOGICIEL 1]\nNom=Tableur\nDossier=/opt/t\n"
                      "Executer=Agrandie\nCommande=-a\n[LOGICIEL 2]\nNom=Texte\n")
        << QList<Raccourci>{{"Tableur", "/opt/t", "Agrandie", "-a"}, nomme("Texte")};
    QTest::newRow("trou au milieu")
        << QByteArray("[LOGICIEL]\nNombre=3\n[LOGICIEL 1]\nNom=a\n[LOGICIEL 3]\nNom=c\n")
        << QList<Raccourci>{nomme("a"), nomme(""), nomme("c")};
    QTest::newRow("sections au-dela du compte ignorees")
        << QByteArray("[LOGICIEL]\nNombre=1\n[LOGICIEL 1]\nNom=a\n[LOGICIEL 2]\nNom=b\n")
        << QList<Raccourci>{nomme("a")};
    QTest::newRow("compte enorme")
        << QByteArray("[LOGICIEL]\nNombre=2000000000\n[LOGICIEL 1]\nNom=a\n[LOGICIEL 3]\nNom=c\n")
        << QList<Raccourci>{nomme("a"), nomme(""), nomme("c")};
    QTest::newRow("compte illisible")
        << QByteArray("[LOGICIEL]\nNombre=deux\n[LOGICIEL 1]\nNom=a\n") << QList<Raccourci>{};
    QTest::newRow("compte negatif")
        << QByteArray("[LOGICIEL]\nNombre=-4\n[LOGICIEL 1]\nNom=a\n") << QList<Raccourci>{};
}

void TstRubriqueFichier::lecture()
{
    QFETCH(QByteArray, contenu);
    QFETCH(QList<Raccourci>, attendus);
    test::ecrireOctets(fichier(), contenu);
    QCOMPARE(Lire_Rubrique(fichier()), attendus);
}

void TstRubriqueFichier::allerRetour()
{
    const QList<Raccourci> r = {
        {"Éditeur", "/usr/bin/gedit", "Fenêtre normale", ""},
        {" espace ", "/opt/mon prog/run.sh", "Réduite", "--titre \"a b\" 'c'"},
        {QString(250, QLatin1Char('n')), "/opt/" + QString(4000, QLatin1Char('x')), "", ""},
        nomme(""),
    };
    QVERIFY(Ecrire_Rubrique(fichier(), r));
    QCOMPARE(Lire_Rubrique(fichier()), r);
    // A new rubrique holds the count 0 only.
    QVERIFY(Ecrire_Rubrique(fichier(), {}));
    QCOMPARE(test::lireOctets(fichier()), QByteArray("[LOGICIEL]\nNombre=0\n"));
}

void TstRubriqueFichier::gardeLEncodageWindows1252()
{
    test::ecrireOctets(fichier(), "[LOGICIEL]\r\nNombre=1\r\n[LOGICIEL 1]\r\nNom=Bo\xEEte\r\n"
                                  "Executer=Fen\xEAtre normale\r\n");
    QList<Raccourci> r = Lire_Rubrique(fichier());
    QCOMPARE(r.value(0), (Raccourci{"Boîte", "", "Fenêtre normale", ""}));
    QVERIFY(Ecrire_Rubrique(fichier(), r));
    QVERIFY(test::lireOctets(fichier()).contains("Executer=Fen\xEAtre normale\r\n"));
    // A character outside Windows-1252: the whole file becomes UTF-8, nothing is lost.
    r[0].Nom = QStringLiteral("Boîte ✓");
    QVERIFY(Ecrire_Rubrique(fichier(), r));
    QCOMPARE(Lire_Rubrique(fichier()), r);
    QVERIFY(test::lireOctets(fichier()).contains("Fen\xC3\xAAtre"));
}

void TstRubriqueFichier::fichierInutilisable()
{
    const QByteArray binaire("[LOGICIEL]\nNombre=1\n\x00\xFF", 22);
    test::ecrireOctets(fichier(), binaire);
    QVERIFY(Lire_Rubrique(fichier()).isEmpty());
    QString erreur;
    QVERIFY(!Ecrire_Rubrique(fichier(), {{"a", "b", "c", "d"}}, &erreur));
    QVERIFY(!erreur.isEmpty());
    QCOMPARE(test::lireOctets(fichier()), binaire);
}

QTEST_GUILESS_MAIN(TstRubriqueFichier)
#include "tst_rubrique_fichier.moc"
