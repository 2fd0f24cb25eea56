// Icons: the pictures of .ico files and of Windows programs, the store that numbers the
// icons of a rubrique, and its loading off the window's thread.

#include "icons/chargeur_icones.h"
#include "icons/ico_fichier.h"
#include "icons/ico_format.h"
#include "icons/pe_icones.h"

#include "fabrique_pe.h"
#include "platform/icon_source_unix.h"
#include "testsupport.h"

#include <QtTest>

#include <sys/stat.h>

using namespace lanceron;
using namespace lanceron::test;
using namespace Qt::Literals::StringLiterals;

namespace {

const QRgb Rouge = qRgb(255, 0, 0);
const QRgb Vert = qRgb(0, 255, 0);
const QRgb Bleu = qRgb(0, 0, 255);

// A file of `taille` bytes: `debut`, then bytes 0xff; counts the bytes read.
struct FichierSimule : QIODevice {
    FichierSimule(QByteArray d, qint64 t) : debut(d), taille(t) { open(ReadOnly | Unbuffered); }
    qint64 size() const override { return taille; }
    qint64 readData(char* data, qint64 max) override
    {
        const QByteArray lu = debut.mid(pos(), max).leftJustified(qMin(max, taille - pos()), -1);
        std::copy(lu.cbegin(), lu.cend(), data);
        lus += lu.size();
        return lu.size();
    }
    qint64 writeData(const char*, qint64) override { return -1; }

    QByteArray debut;
    qint64 taille;
    qint64 lus = 0;
};

// The .ico file of these pictures, as the reader must give it.
QByteArray icoDe(const QList<QByteArray>& images)
{
    QList<ImageIco> r;
    for (const QByteArray& i : images)
        r.append(*verifierImageIco(i));
    return r.isEmpty() ? QByteArray() : construireIco(r);
}

// `b` with the 32-bit field at `pos` set to `v`.
QByteArray altere(QByteArray b, qsizetype pos, quint32 v)
{
    qToLittleEndian(v, b.data() + pos);
    return b;
}

// Each pair of the store: its key, then what both images show when they have their sizes:
// "propre" (the fake source's own icons, red), "associee" (blue) or "vide".
QStringList etat(const IcoFichier& store)
{
    const QHash<QRgb, QString> noms = {{Rouge, u"propre"_s}, {Bleu, u"associee"_s}, {0, u"vide"_s}};
    QStringList paires;
    for (int n = 1; n <= store.nombre(); ++n) {
        const QImage grande = store.grande(n).toImage();
        const QImage petite = store.petite(n).toImage();
        const QRgb c = grande.pixel(16, 16);
        const bool sain = grande.size() == QSize(32, 32) && petite.size() == QSize(16, 16) &&
                          c == petite.pixel(8, 8);
        paires << store.cle(n) + u'=' + (sain ? noms.value(c, u"?"_s) : u"?"_s);
    }
    return paires;
}

} // namespace

class TstIcones : public QObject {
    Q_OBJECT

private slots:
    void verifierImage_data()
    {
        QTest::addColumn<QByteArray>("donnees");
        QTest::addColumn<int>("cote"); // 0: refused
        QTest::addColumn<int>("bits");
        const QByteArray b = bitmapIcone(32, Rouge);
        QTest::newRow("bitmap 24 bits") << bitmapIcone(16, Rouge, 24) << 16 << 24;
        QTest::newRow("bitmap 256") << bitmapIcone(256, Rouge) << 256 << 32;
        QTest::newRow("bitmap 257") << bitmapIcone(257, Rouge) << 0 << 0;
        QTest::newRow("png 48") << imageUnie(48, 48, Bleu) << 48 << 32;
        QTest::newRow("png 300") << imageUnie(300, 300, Bleu) << 0 << 0;
        QTest::newRow("signature png seule") << QByteArray("\x89PNG\r\n\x1a\n") << 0 << 0;
        QTest::newRow("masque incomplet") << b.chopped(1) << 0 << 0;
        QTest::newRow("16 bits") << altere(b, 14, 16) << 0 << 0;
        QTest::newRow("compressee") << altere(b, 16, 3) << 0 << 0;
        QTest::newRow("largeur immense") << altere(b, 4, 0x7fffffff) << 0 << 0;
        QTest::newRow("palette de 300") << altere(altere(b, 14, 8), 32, 300) << 0 << 0;
        QTest::newRow("trop lourde") << b + QByteArray(TailleMaxImageIco, '\0') << 0 << 0;
    }

    void verifierImage()
    {
        QFETCH(QByteArray, donnees);
        QFETCH(int, cote);
        QFETCH(int, bits);
        const ImageIco image = verifierImageIco(donnees).value_or(ImageIco{});
        QCOMPARE(QList<int>({image.largeur, image.hauteur, image.bits}),
                 QList<int>({cote, cote, bits}));
        QCOMPARE(image.donnees, cote != 0 ? donnees : QByteArray());
    }

    void choisir()
    {
        auto i = [](int cote, int bits = 32) { return ImageIco{cote, cote, bits, {}}; };
        QCOMPARE(choisirImageIco({i(16), i(48), i(32)}, 32), 2);         // exact before larger
        QCOMPARE(choisirImageIco({i(32, 8), i(32), i(32, 24)}, 32), 1);  // the most colours
        QCOMPARE(choisirImageIco({i(16), i(256), i(48), i(64)}, 32), 2); // nearest larger
        QCOMPARE(choisirImageIco({i(16), i(24), i(8)}, 32), 1);          // else the largest
        QCOMPARE(choisirImageIco({}, 32), -1);
    }

    void ico()
    {
        // Sides of 256 pixels are written 0 in the directory; Qt must still read them whole.
        for (const QByteArray& image : {bitmapIcone(256, Vert, 24), imageUnie(256, 256, Vert)}) {
            const QImage lue = QImage::fromData(icoDe({image}), "ICO");
            QCOMPARE(lue.size(), QSize(256, 256));
            QCOMPARE(lue.pixel(128, 3), Vert);
        }
        QVERIFY(imagesIco(QByteArray("pas une icone")).isEmpty());
        // Pictures whose place lies outside the file are left out, the others kept.
        const QByteArray ico = icoDe({bitmapIcone(16, Rouge), bitmapIcone(32, Vert)});
        QCOMPARE(construireIco(imagesIco(altere(ico, 6 + 12, 0xfffffff0))),
                 icoDe({bitmapIcone(32, Vert)}));
        // At most 64 pictures; a count that the file does not hold.
        QByteArray grand = icoDe(QList<QByteArray>(70, bitmapIcone(1, Rouge)));
        QCOMPARE(imagesIco(grand).size(), NombreMaxImagesIco);
        grand[4] = grand[5] = char(0xff);
        QVERIFY(imagesIco(grand.left(6 + 16 * 3)).isEmpty());
    }

    void lirePe_data()
    {
        QTest::addColumn<QByteArray>("pe"); // null: a named pipe, never opened
        QTest::addColumn<QList<QByteArray>>("images");
        using L = QList<QByteArray>;
        const L images = {bitmapIcone(16, Rouge), bitmapIcone(32, Vert), imageUnie(48, 48, Bleu)};
        const L groupe = {images[1], images[0], images[2]};
        QTest::newRow("pe32") << fabriquerPe(images, {{2, 1, 3}}) << groupe;
        QTest::newRow("pe32+") << fabriquerPe(images, {{2, 1, 3}}, true) << groupe;
        // The first group only; in it, a picture absent and a defective one are left out.
        const L deuxImages = {QByteArray(100, 'x'), bitmapIcone(32, Vert)};
        QTest::newRow("premier groupe, images absente et defectueuse")
            << fabriquerPe(deuxImages, {{9, 1, 2}, {1}}) << L{deuxImages[1]};
        QTest::newRow("sans groupe") << fabriquerPe(deuxImages, {}) << L{};
        QTest::newRow("groupe sans image") << fabriquerPe({}, {{1}}) << L{};
        QTest::newRow("tube") << QByteArray() << L{};
    }

    void lirePe()
    {
        QFETCH(QByteArray, pe);
        QFETCH(QList<QByteArray>, images);
        DossierTest dossier;
        const QString chemin = dossier.fichier(QStringLiteral("prog.exe"));
        if (pe.isNull())
            QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
        else
            ecrireOctets(chemin, pe);
        QCOMPARE(icoDepuisFichierPe(chemin), icoDe(images));
    }

    void fichierAbime()
    {
        // Cut anywhere, or with any field replaced by a value that points outside the file,
        // into itself, or counts far too much: nothing, or an icon file whose every picture
        // is sound.
        const QByteArray pe = fabriquerPe({bitmapIcone(1, Rouge), imageUnie(2, 2, Bleu)}, {{2, 1}});
        auto sain = [](const QByteArray& abime) {
            FichierSimule fichier(abime, abime.size());
            const QByteArray ico = icoDepuisPe(fichier);
            return ico.isEmpty() || construireIco(imagesIco(ico)) == ico;
        };
        for (qsizetype n = 0; n < pe.size(); ++n)
            QVERIFY(sain(pe.left(n)));
        for (int pos = 0; pos + 4 <= pe.size(); pos += 2) {
            for (quint32 v : {0xffffffffu, 0x7fffffffu, 0x80000000u, 0x80000010u, 0x0000ffffu,
                              0x00010000u, 0x00001000u, 0u})
                QVERIFY2(sain(altere(pe, pos, v)), qPrintable(QString::number(pos)));
        }
        // A 4 GB file whose resource section claims to span it all and whose directories
        // claim 65535 entries of each kind: the reader finds the pictures all the same, and
        // reads little.
        QByteArray debut = altere(pe, PositionSections + 8, 0);   // virtual size
        debut = altere(debut, PositionSections + 16, 0xfffff000); // raw size
        const quint32 icones = qFromLittleEndian<quint32>(debut.data() + PositionRessources + 20);
        debut = altere(debut, PositionRessources + (icones & 0xffff) + 12, ~0u); // RT_ICON
        FichierSimule fichier(altere(debut, PositionRessources + 12, ~0u), qint64(4) << 30);
        QCOMPARE(icoDepuisPe(fichier), icoDe({imageUnie(2, 2, Bleu), bitmapIcone(1, Rouge)}));
        QVERIFY2(fichier.lus < 4 * 1024 * 1024, QByteArray::number(fichier.lus).constData());
        // A group of 40 pictures of 270 kB: reading stops at the budget, with the pictures
        // read until then.
        const QByteArray lourd = fabriquerPe({bitmapIcone(256, Vert)}, {QList<quint16>(40, 1)});
        FichierSimule gros(lourd, lourd.size());
        const qsizetype lues = imagesIco(icoDepuisPe(gros)).size();
        QVERIFY(lues > 0 && lues < 40);
        QVERIFY(gros.lus <= LectureMaxPe);
    }

    void numerotation_data()
    {
        // `chemins`, added in order to a store of `places` pairs, get `numeros`, with
        // `associees` calls for associated icons; the store then holds `paires` (see etat()).
        // Paths are separated by spaces, "-" standing for an empty path.
        QTest::addColumn<QString>("chemins");
        QTest::addColumn<int>("places");
        QTest::addColumn<QList<int>>("numeros");
        QTest::addColumn<int>("associees");
        QTest::addColumn<QString>("paires");
        // Own icons are kept by whole path (case counts), associated ones by the last
        // extension in capitals. The first file of an extension without an icon of its own
        // fixes the pair of the extension for the run, even blank; a later file of that
        // extension with an icon of its own still gets its own pair.
        QTest::newRow("cles") << u"/p/propre.exe /p/b.exe /q/c.EXE /P/propre.exe /p/propre.exe "
                                 u"/bin/sh - C:\\Prog.v2/.outil C:\\bizarre. /a/aucune.txt "
                                 u"/b/LISEZ.TXT /c/propre.txt C:\\Jeux.v2\\Lanceur "
                                 u"/u/.config.bak /tmp/fenêtre.tar.exé"_s
                              << IcoFichier::NombreMaxImages
                              << QList<int>{1, 2, 2, 3, 1, 4, 4, 4, 4, 5, 5, 6, 4, 7, 8} << 5
                              << u"/p/propre.exe=propre EXEID=associee /P/propre.exe=propre "
                                 u"ID=associee TXTID=vide /c/propre.txt=propre "
                                 u"BAKID=associee EXÉID=associee"_s;
        // The last place holds a blank pair, without key, shared by every later new key,
        // associated ones included; the keys stored before are still found.
        QTest::newRow("plein") << u"/p/propre1.exe /p/propre2.exe /p/propre3.exe /p/propre4.exe "
                                  u"/p/a.pdf /p/b.pdf /p/propre1.exe"_s
                               << 3 << QList<int>{1, 2, 3, 3, 3, 3, 1} << 1
                               << u"/p/propre1.exe=propre /p/propre2.exe=propre =vide"_s;
    }

    void numerotation()
    {
        QFETCH(QString, chemins);
        QFETCH(int, places);
        QFETCH(QList<int>, numeros);
        QFETCH(int, associees);
        QFETCH(QString, paires);
        QStringList liste = chemins.split(u' ');
        std::replace(liste.begin(), liste.end(), u"-"_s, QString());
        SourceIconesFactice source;
        IcoFichier store(source, places);
        QList<int> donnes;
        for (const QString& chemin : std::as_const(liste))
            donnes.append(store.Ajouter_Icone(chemin));
        QCOMPARE(donnes, numeros);
        QCOMPARE(source.appelsAssociee, associees);
        QCOMPARE(etat(store).join(u' '), paires);
        QCOMPARE(store.icone(2).availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        for (int n : {-1, 0, store.nombre() + 1}) // out of bounds
            QVERIFY(store.grande(n).isNull() && store.petite(n).isNull() &&
                    store.icone(n).isNull() && store.cle(n).isEmpty());
    }

    void imagesLachees()
    {
        // Beyond the pairs kept, the images used longest ago are let go, never those shown;
        // wanted again, they are taken from their file: the same images as before.
        SourceIconesFactice source;
        IcoFichier tout(source);
        IcoFichier store(source, IcoFichier::NombreMaxImages, 2);
        const QList<int> montrees{1};
        store.setEnUsage([&] { return montrees; });
        for (const QString& c : u"/p/propre1.exe /p/propre2.exe /p/a.txt /p/b.txt /p/propre3.exe"_s.split(u' ')) {
            tout.Ajouter_Icone(c);
            store.Ajouter_Icone(c);
        }
        const auto gardees = [&] {
            QList<int> r;
            for (int n = 1; n <= store.nombre(); ++n)
                if (store.gardee(n))
                    r << n;
            return r;
        };
        QCOMPARE(gardees(), (QList<int>{1, 4}));
        QList<int> demandes;
        store.setReprise([&](int n) { demandes << n; });
        QVERIFY(store.icone(3).isNull() && store.icone(3).isNull());
        QCOMPARE(demandes, QList<int>{3});
        store.reprendre(3, IcoFichier::extraire(source, store.origine(3), store.associee(3)));
        QVERIFY(!store.icone(3).isNull());
        store.setReprise({});
        for (int n = 1; n <= tout.nombre(); ++n) {
            QVERIFY(!store.icone(n).isNull());
            QVERIFY(store.cle(n) == tout.cle(n) &&
                    store.grande(n).toImage() == tout.grande(n).toImage() &&
                    store.petite(n).toImage() == tout.petite(n).toImage());
        }
        QCOMPARE(gardees(), (QList<int>{1, 4}));
    }

    void fichierChange()
    {
        // A program whose file appears, changes or goes is looked at again, under its key.
        DossierTest d;
        const QString chemin = d.fichier(u"propre.exe"_s);
        SourceIconesFactice source;
        IcoFichier store(source);
        for (const QByteArray contenu : {"", "a", "plus long", ""}) { // "": no file
            QFile::remove(chemin);
            if (!contenu.isEmpty())
                ecrireOctets(chemin, contenu);
            QCOMPARE(store.Ajouter_Icone(chemin), 1);
            QCOMPARE(store.Ajouter_Icone(chemin), 1);
        }
        QCOMPARE(source.appelsPropre, 4);
        QCOMPARE(store.nombre(), 1);
    }

    void entreeCouteuseLueQuandMontree()
    {
        // A costly own icon (a desktop entry) is read only for a row asked for, with those of
        // its kind before it: the first of them without an icon of its own fixes the pair of
        // the kind ("a" the type's icon, "aucune" none). The rows of other kinds are given
        // their pairs meanwhile, those that depend on the order ("x.dat", "deux.txt") too.
        struct Source final : IconSource {
            SourceIconesFactice base;
            QStringList lus;
            IconeExtraite iconePropre(const QString& c) override
            {
                lus << c;
                return base.iconePropre(c);
            }
            IconeExtraite iconeAssociee(const QString& c) override { return base.iconeAssociee(c); }
            bool iconePropreCouteuse(const QString& c) const override
            {
                return c.endsWith(u".desktop"_s);
            }
        } source;
        const QStringList chemins = u"/p/un.txt /p/propre.desktop /p/deux.txt /p/x.dat "
                                    "/p/propre.desktop /p/a.desktop /p/aucune.desktop"_s.split(u' ');
        const auto paire = [](const IcoFichier& s, int n) {
            return s.cle(n) + u'=' + QString::number(s.grande(n).toImage().pixel(16, 16), 16);
        };
        IcoFichier enOrdre(source.base);
        QStringList attendues;
        for (const QString& c : chemins)
            attendues << paire(enOrdre, enOrdre.Ajouter_Icone(c));
        IcoFichier store(source);
        ChargeurIcones chargeur(store);
        chargeur.charger(chemins);
        QTRY_VERIFY(chargeur.numero(0) && chargeur.numero(2) && chargeur.numero(3));
        QTest::qWait(50);
        QVERIFY(!source.lus.contains(chemins[1]));
        QVERIFY(chargeur.enCours());
        chargeur.demander(6);
        QTRY_VERIFY(!chargeur.enCours());
        for (const int e : {1, 5, 6})
            QCOMPARE(source.lus.count(chemins[e]), 1);
        QStringList paires;
        for (int e = 0; e < chemins.size(); ++e)
            paires << paire(store, chargeur.numero(e));
        QCOMPARE(paires, attendues);
    }

    void memeResultatQuEnOrdre()
    {
        configurerThemeIcones();
        DossierTest dossier;
        const QByteArray entree = "[Desktop Entry]\nType=Application\nName=A\nExec=a\n";
        const QHash<QString, QByteArray> fichiers = {
            {u"rouge.png"_s, imageUnie(48, 48, Rouge)},
            {u"image.dat"_s, imageUnie(8, 8, Vert)},
            {u"prog.exe"_s, fabriquerPe({bitmapIcone(32, qRgb(255, 255, 0))}, {{1}})},
            {u"image.desktop"_s, entree + "Icon=" + dossier.fichier(u"rouge.png"_s).toUtf8()},
            {u"sansicone.desktop"_s, entree},
        };
        // Files of one extension with and without an icon of their own, whose associated
        // icons differ: the first that falls back fixes the pair of the extension. "-" names
        // a file that does not exist, "*" an empty path; any other file holds text.
        const QStringList noms =
            QStringLiteral(
                "sansicone.desktop image.desktop sansicone.desktop casse.exe prog.exe casse.exe "
                "casse.png rouge.png casse.png texte.dat image.dat -absent.dat texte.txt "
                "-absent.exe -absent * -autre.exe prog.exe")
                .split(u' ');
        QStringList chemins;
        for (const QString& nom : noms) {
            chemins << (nom == u"*" ? QString() : dossier.fichier(nom.mid(nom.startsWith(u'-'))));
            if (nom != u"*" && !nom.startsWith(u'-'))
                ecrireOctets(chemins.last(), fichiers.value(nom, "du texte, rien d'autre\n"));
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
        // Every row asked for, first to last: the last asked for goes first, as when the list
        // is scrolled down, so the rows are extracted from the last.
        for (int e = 0; e < chemins.size(); ++e)
            chargeur.demander(e);
        QTRY_VERIFY_WITH_TIMEOUT(!chargeur.enCours(), 30000);
        QVERIFY(!prets.isEmpty());
        QCOMPARE(store.nombre(), enOrdre.nombre());
        auto paire = [](const IcoFichier& s, int n) {
            return std::tuple(s.cle(n), s.grande(n).toImage(), s.petite(n).toImage());
        };
        for (int e = 0; e < chemins.size(); ++e)
            QVERIFY2(paire(store, chargeur.numero(e)) == paire(enOrdre, attendus[e]),
                     qPrintable(noms[e]));
        // Loaded again: every number is known at once.
        QVERIFY(!chargeur.charger(chemins).contains(0));
    }
};

QTEST_MAIN(TstIcones)
#include "tst_icones.moc"
