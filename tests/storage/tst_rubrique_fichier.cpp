// Rubrique files: reading, whole rewrite with renumbering, bad files.

#include "storage/rubrique_fichier.h"
#include "testsupport.h"

#include <QtTest>

using namespace lanceron;

class TstRubriqueFichier : public QObject {
    Q_OBJECT
private slots:
    void lecture_data();
    void lecture();
    void allerRetour();
    void suppressionRenumerote();
    void gardeLEncodageWindows1252();
    void valeursLonguesEntieres();
    void fichiersInutilisables_data();
    void fichiersInutilisables();
    void echecDEnregistrementGardeLAncienContenu();
};

void TstRubriqueFichier::lecture_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QStringList>("noms"); // one per row; fields other than Nom are checked below

    QTest::newRow("deux raccourcis")
        << QByteArray("[LOGICIEL]\nNombre=2\n[LOGICIEL 1]\nNom=Tableur\nDossier=/opt/t\n"
                      "Executer=Agrandie\nCommande=\n[LOGICIEL 2]\nNom=Texte\n")
        << QStringList{"Tableur", "Texte"};
    QTest::newRow("trou au milieu")
        << QByteArray("[LOGICIEL]\nNombre=3\n[LOGICIEL 1]\nNom=a\n[LOGICIEL 3]\nNom=c\n")
        << QStringList{"a", "", "c"};
    QTest::newRow("sections au-dela du compte ignorees")
        << QByteArray("[LOGICIEL]\nNombre=1\n[LOGICIEL 1]\nNom=a\n[LOGICIEL 2]\nNom=b\n")
        << QStringList{"a"};
    QTest::newRow("compte enorme")
        << QByteArray("[LOGICIEL]\nNombre=2000000000\n[LOGICIEL 1]\nNom=a\n[LOGICIEL 3]\nNom=c\n")
        << QStringList{"a", "", "c"};
    QTest::newRow("compte manquant") << QByteArray("[LOGICIEL 1]\nNom=a\n") << QStringList{};
    QTest::newRow("compte illisible")
        << QByteArray("[LOGICIEL]\nNombre=deux\n[LOGICIEL 1]\nNom=a\n") << QStringList{};
    QTest::newRow("compte negatif")
        << QByteArray("[LOGICIEL]\nNombre=-4\n[LOGICIEL 1]\nNom=a\n") << QStringList{};
    QTest::newRow("casse et blancs")
        << QByteArray("[logiciel]\r\n nombre = 1 \r\n[Logiciel 1]\r\nNOM= Jeu \r\n")
        << QStringList{"Jeu"};
    QTest::newRow("vide") << QByteArray() << QStringList{};
}

void TstRubriqueFichier::lecture()
{
    QFETCH(QByteArray, contenu);
    QFETCH(QStringList, noms);
    test::DossierTest dossier;
    const QString chemin = dossier.fichier(QStringLiteral("r.ini"));
    test::ecrireOctets(chemin, contenu);
    const QList<Raccourci> r = Lire_Rubrique(chemin);
    QStringList lus;
    for (const Raccourci& x : r)
        lus << x.Nom;
    QCOMPARE(lus, noms);
    if (QTest::currentDataTag() == QByteArray("deux raccourcis")) {
        QCOMPARE(r[0], (Raccourci{"Tableur", "/opt/t", "Agrandie", ""}));
        QCOMPARE(r[1], (Raccourci{"Texte", "", "", ""}));
    }
}

void TstRubriqueFichier::allerRetour()
{
    test::DossierTest dossier;
    const QString chemin = dossier.fichier(QStringLiteral("Jeux.ini"));
    const QList<Raccourci> r = {
        {"Éditeur", "/usr/bin/gedit", "Fenêtre normale", ""},
        {" espace ", "/opt/mon prog/run.sh", "Réduite", "--titre \"a b\" 'c'"},
        {"", "", "", ""},
    };
    QVERIFY(Ecrire_Rubrique(chemin, r));
    QCOMPARE(Lire_Rubrique(chemin), r);

    // A new rubrique holds the count 0 only.
    const QString vide = dossier.fichier(QStringLiteral("Vide.ini"));
    QVERIFY(Ecrire_Rubrique(vide, {}));
    QCOMPARE(test::lireOctets(vide), QByteArray("[LOGICIEL]\nNombre=0\n"));
}

void TstRubriqueFichier::suppressionRenumerote()
{
    test::DossierTest dossier;
    const QString chemin = dossier.fichier(QStringLiteral("r.ini"));
    test::ecrireOctets(chemin, "; notes\n[LOGICIEL]\nNombre=3\n[LOGICIEL 1]\nNom=a\n[LOGICIEL 2]\n"
                               "Nom=b\n[LOGICIEL 3]\nNom=c\n[LOGICIEL 9]\nNom=z\n");
    QList<Raccourci> r = Lire_Rubrique(chemin);
    QCOMPARE(r.size(), 3);
    r.removeAt(1);
    QVERIFY(Ecrire_Rubrique(chemin, r));
    QCOMPARE(test::lireOctets(chemin),
             QByteArray("[LOGICIEL]\nNombre=2\n[LOGICIEL 1]\nNom=a\nDossier=\nExecuter=\n"
                        "Commande=\n[LOGICIEL 2]\nNom=c\nDossier=\nExecuter=\nCommande=\n"));
}

void TstRubriqueFichier::gardeLEncodageWindows1252()
{
    test::DossierTest dossier;
    const QString chemin = dossier.fichier(QStringLiteral("r.ini"));
    test::ecrireOctets(chemin, "[LOGICIEL]\r\nNombre=1\r\n[LOGICIEL 1]\r\nNom=Bo\xEEte\r\n"
                               "Executer=Fen\xEAtre normale\r\n");
    QList<Raccourci> r = Lire_Rubrique(chemin);
    QCOMPARE(r.value(0).Executer, QStringLiteral("Fenêtre normale"));
    QCOMPARE(r.value(0).Nom, QStringLiteral("Boîte"));
    QVERIFY(Ecrire_Rubrique(chemin, r));
    const QByteArray apres = test::lireOctets(chemin);
    QVERIFY(apres.contains("Executer=Fen\xEAtre normale\r\n"));

    // A character outside Windows-1252: the whole file becomes UTF-8, nothing is lost.
    r[0].Nom = QStringLiteral("Boîte ✓");
    QVERIFY(Ecrire_Rubrique(chemin, r));
    QCOMPARE(Lire_Rubrique(chemin), r);
    QVERIFY(test::lireOctets(chemin).contains("Fen\xC3\xAAtre"));
}

void TstRubriqueFichier::valeursLonguesEntieres()
{
    test::DossierTest dossier;
    const QString chemin = dossier.fichier(QStringLiteral("r.ini"));
    const QString longue = QStringLiteral("/opt/") + QString(4000, QLatin1Char('x'));
    QVERIFY(Ecrire_Rubrique(chemin, {{QString(250, QLatin1Char('n')), longue, "Agrandie", ""}}));
    const auto r = Lire_Rubrique(chemin);
    QCOMPARE(r.value(0).Dossier, longue);
    QCOMPARE(r.value(0).Nom.size(), 250);
}

void TstRubriqueFichier::fichiersInutilisables_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::newRow("binaire") << QByteArray("[LOGICIEL]\nNombre=1\n\x00\xFF", 22);
    QTest::newRow("dossier") << QByteArray();
}

void TstRubriqueFichier::fichiersInutilisables()
{
    QFETCH(QByteArray, contenu);
    test::DossierTest dossier;
    const QString chemin = dossier.fichier(QStringLiteral("r.ini"));
    if (contenu.isEmpty())
        QVERIFY(QDir().mkpath(chemin));
    else
        test::ecrireOctets(chemin, contenu);
    QVERIFY(Lire_Rubrique(chemin).isEmpty());
    QString erreur;
    QVERIFY(!Ecrire_Rubrique(chemin, {{"a", "b", "c", "d"}}, &erreur));
    QVERIFY(!erreur.isEmpty());
    if (contenu.isEmpty())
        QVERIFY(QFileInfo(chemin).isDir());
    else
        QCOMPARE(test::lireOctets(chemin), contenu);
}

void TstRubriqueFichier::echecDEnregistrementGardeLAncienContenu()
{
    test::DossierTest dossier;
    // The rubrique's folder is a regular file: nothing can be created in it.
    const QString bloque = dossier.fichier(QStringLiteral("bloque"));
    test::ecrireOctets(bloque, "x");
    QString erreur;
    QVERIFY(!Ecrire_Rubrique(bloque + QStringLiteral("/r.ini"), {{"a", "b", "c", "d"}}, &erreur));
    QVERIFY(!erreur.isEmpty());
    QCOMPARE(test::lireOctets(bloque), QByteArray("x"));
}

QTEST_GUILESS_MAIN(TstRubriqueFichier)
#include "tst_rubrique_fichier.moc"
