// Rubrique files: reading, whole rewrite, encoding, bad files.

#include "storage/rubrique_fichier.h"
#include "testsupport.h"

#include <QtTest>

using namespace lanceron;

namespace {

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

} // namespace

class TstRubriqueFichier : public QObject {
    Q_OBJECT
private slots:
    void init() { QFile::remove(fichier()); }
    void lecture_data();
    void lecture();
    void allerRetour();
    void gardeLEncodageWindows1252();
    void fichierInutilisable_data();
    void fichierInutilisable();
    void suppressionsWindows1252();

private:
    test::DossierTest m_dossier;
    QString fichier() const { return m_dossier.fichier("r.ini"); }
};

void TstRubriqueFichier::lecture_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QList<Raccourci>>("attendus");
    QTest::newRow("deux raccourcis")
        << QByteArray("[LOGICIEL]\nNombre=2\n[LOGICIEL 1]\nNom=Tableur\nDossier=/opt/t\n"
                      "Executer=Agrandie\nCommande=-a\n[LOGICIEL 2]\nNom=Texte\n")
        << QList<Raccourci>{{"Tableur", "/opt/t", "Agrandie", "-a"}, nomme("Texte")};
    const QList<Raccourci> aTrouC = {nomme("a"), nomme(""), nomme("c")};
    QTest::newRow("trou au milieu") << rubrique("3", {{"1", "a"}, {"3", "c"}}) << aTrouC;
    QTest::newRow("sections au-dela du compte ignorees")
        << rubrique("1", {{"1", "a"}, {"2", "b"}}) << QList<Raccourci>{nomme("a")};
    QTest::newRow("compte enorme") << rubrique("2000000000", {{"1", "a"}, {"3", "c"}}) << aTrouC;
    // The rows are bounded by the file's lines, never by the number written in it.
    QTest::newRow("section au numero enorme")
        << QByteArray("[LOGICIEL]\nNombre=2000000000\n[LOGICIEL 2000000000]\n")
        << QList<Raccourci>(3, nomme(""));
    QTest::newRow("NUL isole") << rubrique("2", {{"1", QByteArray("a\0b", 3)}, {"2", "c"}})
                               << QList<Raccourci>{nomme("a"), nomme("c")};
    QTest::newRow("compte illisible") << rubrique("deux", {{"1", "a"}}) << QList<Raccourci>{};
    QTest::newRow("compte negatif") << rubrique("-4", {{"1", "a"}}) << QList<Raccourci>{};
}

void TstRubriqueFichier::lecture()
{
    QFETCH(QByteArray, contenu);
    QFETCH(QList<Raccourci>, attendus);
    test::ecrireOctets(fichier(), contenu);
    QString refus = "pas encore lu";
    QCOMPARE(Lire_Rubrique(fichier(), &refus), attendus);
    QVERIFY(refus.isEmpty());
}

void TstRubriqueFichier::allerRetour()
{
    const QList<Raccourci> r = {
        {"Éditeur", "/usr/bin/gedit", "Fenêtre normale", ""},
        {" espace ", "/opt/mon prog/run.sh", "Réduite", "--titre \"a b\" 'c'"},
        {QString(250, 'n'), "/opt/" + QString(4000, 'x'), "", ""},
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
    r[0].Nom = "Boîte ✓";
    QVERIFY(Ecrire_Rubrique(fichier(), r));
    QCOMPARE(Lire_Rubrique(fichier()), r);
    QVERIFY(test::lireOctets(fichier()).contains("Fen\xC3\xAAtre"));
}

void TstRubriqueFichier::fichierInutilisable_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<qint64>("taille"); // grown to, when not 0
    QTest::newRow("image") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) + rubrique("0", {})
                           << qint64(0);
    QTest::newRow("UTF-16 sans BOM") << QByteArray("[\0L\0]\0\n\0", 8) << qint64(0);
    QTest::newRow("trop grand") << rubrique("1", {{"1", "a"}}) << qint64(16 * 1024 * 1024 + 1);
}

void TstRubriqueFichier::fichierInutilisable()
{
    // No shortcut, the reason told, and the file never written.
    QFETCH(QByteArray, contenu);
    QFETCH(qint64, taille);
    test::ecrireOctets(fichier(), contenu);
    if (taille > 0)
        QVERIFY(QFile::resize(fichier(), taille));
    const QByteArray avant = test::lireOctets(fichier());
    QString refus;
    QVERIFY(Lire_Rubrique(fichier(), &refus).isEmpty());
    QVERIFY(!refus.isEmpty());
    QString erreur;
    QVERIFY(!Ecrire_Rubrique(fichier(), {{"a", "b", "c", "d"}}, &erreur));
    QVERIFY(!erreur.isEmpty());
    QCOMPARE(test::lireOctets(fichier()), avant);
}

void TstRubriqueFichier::suppressionsWindows1252()
{
    // Windows-1252 files of random texts: deleting any one shortcut and reading back gives
    // exactly the other shortcuts, even when the rewritten bytes happen to be valid UTF-8.
    // Pairs of characters whose bytes form UTF-8 sequences; a lone "é" does not.
    const QStringList morceaux = {"Ã©", "Â¢", "x", " "};
    QRandomGenerator alea(1252);
    auto texte = [&] {
        QString t;
        for (int k = alea.bounded(1, 4); k > 0; --k)
            t += morceaux[alea.bounded(morceaux.size())];
        return t.trimmed();
    };
    for (int essai = 0; essai < 40; ++essai) {
        QList<Raccourci> r;
        QString contenu = "[LOGICIEL]\r\nNombre=3\r\n";
        for (int i = 1; i <= 3; ++i) {
            const Raccourci& x = r.emplaceBack(Raccourci{
                texte() + (alea.bounded(3) == 0 ? "é" : ""), "/opt/" + texte(), texte(), texte()});
            contenu += QString("[LOGICIEL %1]\r\nNom=%2\r\nDossier=%3\r\nExecuter=%4\r\n"
                               "Commande=%5\r\n")
                           .arg(i)
                           .arg(x.Nom, x.Dossier, x.Executer, x.Commande);
        }
        const QByteArray octets = contenu.toLatin1();
        QStringDecoder utf8(QStringDecoder::Utf8);
        [[maybe_unused]] const QString essaiUtf8 = utf8(octets);
        if (!utf8.hasError())
            continue; // read as UTF-8: not a Windows-1252 file
        for (int supprime = 0; supprime < r.size(); ++supprime) {
            test::ecrireOctets(fichier(), octets);
            QCOMPARE(Lire_Rubrique(fichier()), r);
            QList<Raccourci> reste = r;
            reste.removeAt(supprime);
            QVERIFY(Ecrire_Rubrique(fichier(), reste));
            QCOMPARE(Lire_Rubrique(fichier()), reste);
        }
    }
}

QTEST_GUILESS_MAIN(TstRubriqueFichier)
#include "tst_rubrique_fichier.moc"
