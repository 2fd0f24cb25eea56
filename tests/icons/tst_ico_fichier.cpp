#include "icons/cles_icones.h"
#include "icons/ico_fichier.h"

#include "testsupport.h"

#include <QtTest>

using namespace lanceron;
using namespace Qt::Literals::StringLiterals;
using lanceron::test::SourceIconesFactice;

namespace {

// Each pair of the store: its key, then what both images show, when they have their sizes:
// "propre" (the fake source's own icons, red), "associee" (blue) or "vide".
QStringList etat(const IcoFichier& store)
{
    QStringList paires;
    for (int n = 1; n <= store.nombre(); ++n) {
        const QImage grande = store.grande(n).toImage();
        const QImage petite = store.petite(n).toImage();
        QString image = grande.pixelColor(16, 16) != petite.pixelColor(8, 8) ? u"?"_s
                        : qAlpha(grande.pixel(16, 16)) == 0                  ? u"vide"_s
                        : grande.pixelColor(16, 16) == Qt::red               ? u"propre"_s
                        : grande.pixelColor(16, 16) == Qt::blue              ? u"associee"_s
                                                                             : u"?"_s;
        if (grande.size() != QSize(32, 32) || petite.size() != QSize(16, 16))
            image = u"taille"_s;
        paires << store.cle(n) + u'=' + image;
    }
    return paires;
}

} // namespace

class TstIcoFichier : public QObject {
    Q_OBJECT

private slots:
    void cles_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<QString>("cle");
        QTest::newRow("casse gardee") << u"C:\\Jeux\\Lanceur.Bat"_s << u"BATID"_s;
        QTest::newRow("derniere seule") << u"/tmp/archive.tar.gz"_s << u"GZID"_s;
        QTest::newRow("point dans un dossier") << u"C:\\Prog.v2/outil"_s << u"ID"_s;
        QTest::newRow("fichier cache") << u"/home/u/.bashrc"_s << u"ID"_s;
        QTest::newRow("cache avec extension") << u"/u/.config.bak"_s << u"BAKID"_s;
        QTest::newRow("point final") << u"C:\\bizarre."_s << u"ID"_s;
        QTest::newRow("accents") << u"/tmp/fenêtre.exé"_s << u"EXÉID"_s;
        QTest::newRow("4000 caracteres")
            << u"/tmp/"_s + QString(4000, u'a') + u".exe"_s << u"EXEID"_s;
    }

    void cles()
    {
        // The associated icon's key: the last extension in capitals.
        QFETCH(QString, chemin);
        QFETCH(QString, cle);
        QCOMPARE(Cle_Icone_Associee(chemin), cle);
        QCOMPARE(Extension_Fichier(chemin).toUpper() + u"ID"_s, cle);
    }

    void numerotation()
    {
        // Own icons are kept by whole path (case counts), associated ones by extension; a
        // path already seen is answered without asking the source again.
        SourceIconesFactice source;
        IcoFichier store(source);
        const QStringList chemins = {u"/p/propre.exe"_s, u"/p/b.exe"_s,      u"/q/c.EXE"_s,
                                     u"/P/propre.exe"_s, u"/p/propre.exe"_s, u"/bin/sh"_s,
                                     QString()};
        QList<int> numeros;
        for (const QString& chemin : chemins)
            numeros.append(store.Ajouter_Icone(chemin));
        QCOMPARE(numeros, (QList<int>{1, 2, 2, 3, 1, 4, 4}));
        const int appels = source.appelsPropre + source.appelsAssociee;
        for (const QString& chemin : chemins)
            store.Ajouter_Icone(chemin);
        QCOMPARE(source.appelsPropre + source.appelsAssociee, appels);
        QCOMPARE(etat(store), (QStringList{u"/p/propre.exe=propre"_s, u"EXEID=associee"_s,
                                           u"/P/propre.exe=propre"_s, u"ID=associee"_s}));
        QCOMPARE(store.icone(3).availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        QCOMPARE(store.icone(3).pixmap(16).toImage().pixelColor(8, 8), Qt::red);
        for (int n : {-1, 0, 5, 32768}) { // out of bounds
            QVERIFY(store.grande(n).isNull() && store.petite(n).isNull());
            QVERIFY(store.icone(n).isNull() && store.cle(n).isEmpty());
        }
    }

    void premiereAssocieeReutilisee_data()
    {
        QTest::addColumn<QString>("premier");
        QTest::addColumn<QString>("paire");
        QTest::newRow("icone du type") << u"/a/notes.txt"_s << u"TXTID=associee"_s;
        QTest::newRow("paire vide") << u"/a/aucune.txt"_s << u"TXTID=vide"_s;
    }

    void premiereAssocieeReutilisee()
    {
        // The first file of an extension without an icon of its own fixes the pair of the
        // extension for the run, even blank; a later file of that extension with an icon of
        // its own still gets its own pair.
        QFETCH(QString, premier);
        QFETCH(QString, paire);
        SourceIconesFactice source;
        IcoFichier store(source);
        QCOMPARE(store.Ajouter_Icone(premier), 1);
        QCOMPARE(store.Ajouter_Icone(u"/b/LISEZ.TXT"_s), 1);
        QCOMPARE(store.Ajouter_Icone(u"/c/propre.txt"_s), 2);
        QCOMPARE(source.appelsAssociee, 1);
        QCOMPARE(etat(store), (QStringList{paire, u"/c/propre.txt=propre"_s}));
    }

    void fichierChange_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("creeAvant");
        QTest::newRow("modifie") << u"propre.exe"_s << true;
        QTest::newRow("apparu") << u"propre.exe"_s << false;
        QTest::newRow("disparu") << u"notes.txt"_s << true;
    }

    void fichierChange()
    {
        // A program whose file appears, changes or goes is looked at again, under its key.
        QFETCH(QString, nom);
        QFETCH(bool, creeAvant);
        test::DossierTest d;
        const QString chemin = d.fichier(nom);
        if (creeAvant)
            test::ecrireOctets(chemin, "a");
        SourceIconesFactice source;
        IcoFichier store(source);
        QCOMPARE(store.Ajouter_Icone(chemin), 1);
        QCOMPARE(store.Ajouter_Icone(chemin), 1);
        QCOMPARE(source.appelsPropre, 1);
        if (nom.startsWith(u"notes"))
            QVERIFY(QFile::remove(chemin));
        else
            test::ecrireOctets(chemin, "plus long");
        QCOMPARE(store.Ajouter_Icone(chemin), 1);
        QCOMPARE(source.appelsPropre, 2);
        QCOMPARE(store.nombre(), 1);
    }

    void plein()
    {
        // The last place holds a blank pair, without key, shared by every later new key,
        // associated ones included; the keys stored before are still found.
        SourceIconesFactice source;
        IcoFichier store(source, 3);
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(store.Ajouter_Icone(u"/p/propre%1.exe"_s.arg(i)), qMin(i, 3));
        QCOMPARE(store.Ajouter_Icone(u"/p/a.pdf"_s), 3);
        QCOMPARE(store.Ajouter_Icone(u"/p/b.pdf"_s), 3);
        QCOMPARE(source.appelsAssociee, 1);
        QCOMPARE(store.Ajouter_Icone(u"/p/propre1.exe"_s), 1);
        QCOMPARE(etat(store),
                 (QStringList{u"/p/propre1.exe=propre"_s, u"/p/propre2.exe=propre"_s, u"=vide"_s}));
    }
};

QTEST_MAIN(TstIcoFichier)
#include "tst_ico_fichier.moc"
