// Importing the installed applications: their rubriques, and what an import writes.

#include "catalogue/import.h"
#include "testsupport.h"

#include <QtTest>

using namespace lanceron;
using namespace Qt::StringLiterals;

namespace {

EntreeBureau entree(const QString& nom, const QString& chemin, const QString& categories,
                    bool cachee = false)
{
    return {nom, {}, categories.split(u';', Qt::SkipEmptyParts), cachee, chemin};
}

QStringList decrire(const QList<GroupeImport>& groupes)
{
    QStringList r;
    for (const GroupeImport& g : groupes) {
        QStringList noms;
        for (const Raccourci& x : g.raccourcis)
            noms << x.Nom;
        r << g.rubrique + u": "_s + noms.join(u", "_s);
    }
    return r;
}

QStringList decrire(const QList<Raccourci>& liste)
{
    QStringList r;
    for (const Raccourci& x : liste)
        r << x.Nom + u'|' + x.Dossier + u'|' + x.Executer + u'|' + x.Commande;
    return r;
}

} // namespace

class TstImport : public QObject {
    Q_OBJECT
private slots:
    void rubriqueDesCategories_data();
    void rubriqueDesCategories();
    void regroupement();
    void importerDeuxFois();
};

void TstImport::rubriqueDesCategories_data()
{
    QTest::addColumn<QString>("categories");
    QTest::addColumn<QString>("rubrique");
    QTest::newRow("audio") << u"Audio;Player"_s << u"Multimédia"_s;
    QTest::newRow("premiere principale") << u"Utility;Game"_s << u"Accessoires"_s;
    QTest::newRow("jeu") << u"GTK;Game;ArcadeGame"_s << u"Jeux"_s;
    QTest::newRow("reglages") << u"Settings;System"_s << u"Paramètres"_s;
    QTest::newRow("inconnue") << u"X-Perso"_s << u"Autres"_s;
    QTest::newRow("aucune") << u""_s << u"Autres"_s;
    QTest::newRow("casse") << u"game"_s << u"Autres"_s;
}

void TstImport::rubriqueDesCategories()
{
    QFETCH(QString, categories);
    QFETCH(QString, rubrique);
    QCOMPARE(rubriqueImport(categories.split(u';', Qt::SkipEmptyParts)), rubrique);
}

void TstImport::regroupement()
{
    const QList<EntreeBureau> entrees = {
        entree(u"Tux"_s, u"/a/tux.desktop"_s, u"Game"_s),
        entree(u"Caché"_s, u"/a/cache.desktop"_s, u"Game"_s, true),
        entree(u"Outil"_s, u"/a/outil.desktop"_s, u"X-Perso"_s),
        entree(u"Gimp"_s, u"/a/gimp.desktop"_s, u"Graphics"_s),
        entree(u"Tux encore"_s, u"/a/tux.desktop"_s, u"Game"_s),
        entree(u"Déjà"_s, u"/a/deja.desktop"_s, u"Graphics"_s),
        entree(u"Mal\nnommé"_s, u"/a/nom.desktop"_s, u"Game"_s),
        entree(u"Chemin"_s, u"/a/ch\tmin.desktop"_s, u"Game"_s),
    };
    const QList<GroupeImport> g = grouperApplications(entrees, {u"/a/deja.desktop"_s});
    QCOMPARE(decrire(g),
             (QStringList{u"Jeux: Tux, Malnommé"_s, u"Graphisme: Gimp"_s, u"Autres: Outil"_s}));
    QCOMPARE(decrire(g[0].raccourcis).constFirst(), u"Tux|/a/tux.desktop|Fenêtre normale|"_s);
}

void TstImport::importerDeuxFois()
{
    test::DossierTest dossier;
    const QString rubriques = dossier.fichier(u"Rubriques"_s);
    // The user's "Jeux" holds Tux under a name of their own; "Internet" is not ticked.
    test::ecrireRubrique(dossier.chemin(), u"Jeux"_s,
                         {{u"Mon Tux"_s, u"/a/tux.desktop"_s, u"Agrandie"_s, u"-f"_s}});
    test::ecrireRubrique(dossier.chemin(), u"Internet"_s, {});
    const QByteArray internet = test::lireOctets(rubriques + u"/Internet.ini"_s);
    Catalogue catalogue(rubriques);
    catalogue.relire();

    const QList<EntreeBureau> entrees = {
        entree(u"Tux"_s, u"/a/tux.desktop"_s, u"Game"_s),
        entree(u"Pingus"_s, u"/a/pingus.desktop"_s, u"Game"_s),
        entree(u"Gimp"_s, u"/a/gimp.desktop"_s, u"Graphics"_s),
        entree(u"Firefox"_s, u"/a/firefox.desktop"_s, u"Network"_s),
    };
    QList<GroupeImport> choisis;
    for (const GroupeImport& g : grouperApplications(entrees, programmesPresents(catalogue))) {
        if (g.rubrique != u"Internet"_s)
            choisis << g;
    }
    int ajoutes = -1;
    int etapes = 0;
    QVERIFY(importer(catalogue, choisis, &ajoutes, [&](int) { ++etapes; }).fait());
    QCOMPARE(ajoutes, 2);
    QCOMPARE(etapes, 2);
    QCOMPARE(decrire(catalogue.lire(u"Jeux.ini"_s)),
             (QStringList{u"Mon Tux|/a/tux.desktop|Agrandie|-f"_s,
                          u"Pingus|/a/pingus.desktop|Fenêtre normale|"_s}));
    QCOMPARE(decrire(catalogue.lire(u"Graphisme.ini"_s)),
             QStringList{u"Gimp|/a/gimp.desktop|Fenêtre normale|"_s});
    QCOMPARE(test::lireOctets(rubriques + u"/Internet.ini"_s), internet);

    // Again, the same groups: nothing more is written, even though they were made before.
    const QByteArray jeux = test::lireOctets(rubriques + u"/Jeux.ini"_s);
    QVERIFY(importer(catalogue, choisis, &ajoutes).fait());
    QCOMPARE(ajoutes, 0);
    QCOMPARE(test::lireOctets(rubriques + u"/Jeux.ini"_s), jeux);
    QCOMPARE(grouperApplications(entrees, programmesPresents(catalogue)).size(), 1);
}

QTEST_GUILESS_MAIN(TstImport)
#include "tst_import.moc"
