// Icons loaded off the window's thread settle on what the store gives when every program is
// added in order, keys included, whatever order the rows are asked for in.

#include "icons/chargeur_icones.h"

#include "fabrique_pe.h"
#include "platform/icon_source_unix.h"
#include "testsupport.h"

#include <QtTest>

using namespace lanceron;
using namespace Qt::Literals::StringLiterals;

class TstChargeurIcones : public QObject {
    Q_OBJECT
private slots:
    void memeResultatQuEnOrdre()
    {
        configurerThemeIcones();
        test::DossierTest dossier;
        const QString icone = dossier.fichier(u"icone.png"_s);
        const QByteArray entree = "[Desktop Entry]\nType=Application\nName=A\nExec=a\n";
        const QHash<QString, QByteArray> fichiers = {
            {u"icone.png"_s, test::pngIcone(48, qRgb(255, 0, 0))},
            {u"rouge.png"_s, test::pngIcone(48, qRgb(255, 0, 0))},
            {u"bleu.png"_s, test::pngIcone(300, qRgb(0, 0, 255))},
            {u"image.dat"_s, test::pngIcone(8, qRgb(0, 255, 0))},
            {u"casse.svg"_s, "<svg"},
            {u"dessin.svg"_s, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" "
                              "height=\"64\"><circle r=\"30\" fill=\"#00ff00\"/></svg>"},
            {u"prog.exe"_s, test::fabriquerPe({test::bitmapIcone(32, qRgb(255, 255, 0))}, {{1}})},
            {u"image.desktop"_s, entree + "Icon=" + icone.toUtf8()},
            {u"theme.desktop"_s, entree + "Icon=text-x-generic\n"},
            {u"sansicone.desktop"_s, entree},
            {u"script.sh"_s, "#!/bin/sh\nexit 0\n"},
        };
        // Files of one extension with and without an icon of their own, whose associated
        // icons differ: the first that falls back fixes the pair of the extension. "-" names
        // a file that does not exist; any other file holds text.
        const QStringList noms = {"sansicone.desktop", "image.desktop",
                                  "theme.desktop",     "sansicone.desktop",
                                  "casse.exe",         "prog.exe",
                                  "casse.exe",         "casse.png",
                                  "rouge.png",         "bleu.png",
                                  "casse.png",         "casse.svg",
                                  "dessin.svg",        "casse.svg",
                                  "texte.dat",         "image.dat",
                                  "-absent.dat",       "script.sh",
                                  "texte.txt",         "-absent.exe",
                                  "-absent",           "",
                                  "-autre.exe",        "prog.exe"};
        QStringList chemins;
        for (const QString& nom : noms) {
            chemins << (nom.isEmpty() ? QString() : dossier.fichier(nom.mid(nom.startsWith(u'-'))));
            if (!nom.isEmpty() && !nom.startsWith(u'-'))
                test::ecrireOctets(chemins.last(), fichiers.value(nom, "du texte, rien d'autre\n"));
        }
        test::ecrireOctets(icone, fichiers[u"icone.png"_s]);

        IconSourceUnix source;
        IcoFichier enOrdre(source);
        QList<int> attendus;
        for (const QString& chemin : std::as_const(chemins))
            attendus << enOrdre.Ajouter_Icone(chemin);

        IcoFichier store(source);
        ChargeurIcones chargeur(store);
        QSignalSpy prets(&chargeur, &ChargeurIcones::prets);
        QVERIFY(chargeur.charger(chemins).contains(0));
        // Every row asked for, first to last: the last asked for goes first, as when the list
        // is scrolled down, so the rows are extracted from the last.
        for (int e = 0; e < chemins.size(); ++e)
            chargeur.demander(e);
        QTRY_VERIFY_WITH_TIMEOUT(!chargeur.enCours(), 30000);
        QVERIFY(!prets.isEmpty());
        QCOMPARE(store.nombre(), enOrdre.nombre());
        for (int e = 0; e < chemins.size(); ++e) {
            const int n = chargeur.numero(e);
            const int m = attendus[e];
            QVERIFY2(n > 0 && store.cle(n) == enOrdre.cle(m), qPrintable(noms[e]));
            QVERIFY2(store.grande(n).toImage() == enOrdre.grande(m).toImage(), qPrintable(noms[e]));
            QVERIFY2(store.petite(n).toImage() == enOrdre.petite(m).toImage(), qPrintable(noms[e]));
        }
        // Loaded again: every number is known at once.
        QVERIFY(!chargeur.charger(chemins).contains(0));
        QVERIFY(!chargeur.enCours());
    }
};

QTEST_MAIN(TstChargeurIcones)
#include "tst_chargeur_icones.moc"
