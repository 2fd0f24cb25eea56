// Icons loaded off the window's thread settle on what the store gives when every program is
// added in order, keys included, whatever order the rows are asked for in.

#include "icons/chargeur_icones.h"

#include "fabrique_pe.h"
#include "platform/icon_source_unix.h"
#include "testsupport.h"

#include <QtTest>

using namespace lanceron;
using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray Svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\">"
                       "<circle cx=\"32\" cy=\"32\" r=\"30\" fill=\"#00ff00\"/></svg>";

// The files of the cases, by name; "-" names a file that does not exist.
QByteArray contenu(const QString& nom)
{
    if (nom == u"rouge.png"_s || nom == u"icone.png"_s)
        return test::pngIcone(48, qRgb(255, 0, 0));
    if (nom == u"bleu.png"_s)
        return test::pngIcone(300, qRgb(0, 0, 255));
    if (nom == u"image.dat"_s)
        return test::pngIcone(8, qRgb(0, 255, 0));
    if (nom.endsWith(u".svg"_s))
        return nom == u"casse.svg"_s ? QByteArray("<svg") : Svg;
    if (nom == u"prog.exe"_s)
        return test::fabriquerPe({{3, 1, {}, test::bitmapIcone(32, qRgb(255, 255, 0))},
                                  {14, 1, {}, test::groupeIcones({1})}});
    if (nom == u"image.desktop"_s)
        return "[Desktop Entry]\nType=Application\nName=A\nExec=a\nIcon=ICONE\n";
    if (nom == u"theme.desktop"_s)
        return "[Desktop Entry]\nType=Application\nName=B\nExec=b\nIcon=text-x-generic\n";
    if (nom == u"sansicone.desktop"_s)
        return "[Desktop Entry]\nType=Application\nName=C\nExec=c\n";
    if (nom == u"script.sh"_s)
        return "#!/bin/sh\nexit 0\n";
    return "du texte, rien d'autre\n"; // texte.txt, texte.dat, casse.png, casse.exe...
}

} // namespace

class TstChargeurIcones : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { configurerThemeIcones(); }
    void memeResultatQuEnOrdre_data();
    void memeResultatQuEnOrdre();
};

void TstChargeurIcones::memeResultatQuEnOrdre_data()
{
    QTest::addColumn<QStringList>("noms");
    // Files of one extension with and without an icon of their own, whose associated icons
    // differ: the first that falls back fixes the pair of the extension.
    QTest::newRow("entrées de bureau")
        << QStringList{"sansicone.desktop", "image.desktop", "theme.desktop", "sansicone.desktop"};
    QTest::newRow("programmes PE") << QStringList{"casse.exe", "prog.exe", "casse.exe", "prog.exe"};
    QTest::newRow("images PNG") << QStringList{"casse.png", "rouge.png", "bleu.png", "casse.png"};
    QTest::newRow("SVG") << QStringList{"casse.svg", "dessin.svg", "casse.svg"};
    QTest::newRow("documents") << QStringList{"texte.dat", "image.dat", "script.sh", "texte.txt"};
    QTest::newRow("fichiers absents") << QStringList{"-absent.exe", "-absent", "", "-autre.exe"};
    QTest::newRow("mélange") << QStringList{"image.dat", "-absent.dat",   "casse.png", "prog.exe",
                                            "texte.dat", "image.desktop", "bleu.png",  "dessin.svg",
                                            "script.sh", "rouge.png"};
}

void TstChargeurIcones::memeResultatQuEnOrdre()
{
    QFETCH(QStringList, noms);
    test::DossierTest dossier;
    const QString icone = dossier.fichier(u"icone.png"_s);
    test::ecrireOctets(icone, contenu(u"icone.png"_s));
    QStringList chemins;
    for (const QString& nom : std::as_const(noms)) {
        if (nom.isEmpty()) {
            chemins << QString();
            continue;
        }
        const QString chemin = dossier.fichier(nom.startsWith(u'-') ? nom.mid(1) : nom);
        if (!nom.startsWith(u'-'))
            test::ecrireOctets(chemin, contenu(nom).replace("ICONE", icone.toUtf8()));
        chemins << chemin;
    }

    IconSourceUnix source;
    IcoFichier enOrdre(source);
    QList<int> attendus;
    for (const QString& chemin : std::as_const(chemins))
        attendus << enOrdre.Ajouter_Icone(chemin);

    IcoFichier store(source);
    ChargeurIcones chargeur(store);
    QSignalSpy prets(&chargeur, &ChargeurIcones::prets);
    QVERIFY(chargeur.charger(chemins).contains(0));
    // Every row asked for, first to last: the last asked for goes first, as when the list is
    // scrolled down, so the rows are extracted from the last.
    for (int e = 0; e < chemins.size(); ++e)
        chargeur.demander(e);
    QTRY_VERIFY_WITH_TIMEOUT(!chargeur.enCours(), 30000);
    QVERIFY(!prets.isEmpty());

    QCOMPARE(store.nombre(), enOrdre.nombre());
    for (int e = 0; e < chemins.size(); ++e) {
        const int n = chargeur.numero(e);
        const int m = attendus[e];
        QVERIFY2(n > 0, qPrintable(noms[e]));
        QCOMPARE(store.cle(n), enOrdre.cle(m));
        QVERIFY2(store.grande(n).toImage() == enOrdre.grande(m).toImage(), qPrintable(noms[e]));
        QVERIFY2(store.petite(n).toImage() == enOrdre.petite(m).toImage(), qPrintable(noms[e]));
    }
    // Loaded again: every number is known at once.
    QVERIFY(!chargeur.charger(chemins).contains(0));
    QVERIFY(!chargeur.enCours());
}

QTEST_MAIN(TstChargeurIcones)
#include "tst_chargeur_icones.moc"
