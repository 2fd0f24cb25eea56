#include "icons/ico_format.h"
#include "icons/pe_icones.h"

#include "fabrique_pe.h"
#include "testsupport.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QtTest>

#include <sys/stat.h>

using namespace lanceron;
using lanceron::test::bitmapIcone;
using lanceron::test::fabriquerPe;
using lanceron::test::groupeIcones;
using lanceron::test::pngIcone;
using lanceron::test::RessourcePe;

namespace {

const QRgb Rouge = qRgb(255, 0, 0);
const QRgb Vert = qRgb(0, 255, 0);
const QRgb Bleu = qRgb(0, 0, 255);

QByteArray icoDeOctets(const QByteArray& pe)
{
    QBuffer tampon;
    tampon.setData(pe);
    tampon.open(QIODevice::ReadOnly);
    return icoDepuisPe(tampon);
}

// A program with three pictures: 16 red, 32 green (bitmaps), 48 blue (PNG), grouped as
// 32, 16, 48.
QByteArray peTroisImages(bool pe32Plus = false)
{
    return fabriquerPe({{3, 1, {}, bitmapIcone(16, Rouge)},
                        {3, 2, {}, bitmapIcone(32, Vert)},
                        {3, 3, {}, pngIcone(48, Bleu)},
                        {14, 1, {}, groupeIcones({2, 1, 3})}},
                       pe32Plus);
}

QList<int> cotes(const QList<ImageIco>& images)
{
    QList<int> r;
    for (const ImageIco& i : images)
        r.append(i.largeur);
    return r;
}

// What a damaged file may give: nothing, or an icon file whose every picture Qt decodes.
void verifierIcoSain(const QByteArray& ico, const char* cas)
{
    if (ico.isEmpty())
        return;
    const QList<ImageIco> images = imagesIco(ico);
    QVERIFY2(!images.isEmpty(), cas);
    QCOMPARE(construireIco(images), ico);
}

// A file of `taille` bytes that starts with `debut` and is filled with `remplissage` after
// it; counts the bytes read.
class FichierSimule : public QIODevice {
public:
    FichierSimule(QByteArray debut, qint64 taille, char remplissage)
        : m_debut(std::move(debut)), m_taille(taille), m_remplissage(remplissage)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    qint64 size() const override { return m_taille; }
    qint64 lus = 0;

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = qMin(maxSize, m_taille - pos());
        for (qint64 i = 0; i < n; ++i) {
            const qint64 p = pos() + i;
            data[i] = p < m_debut.size() ? m_debut[p] : m_remplissage;
        }
        lus += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_debut;
    qint64 m_taille;
    char m_remplissage;
};

void ecrire32(QByteArray& b, int pos, quint32 v)
{
    qToLittleEndian(v, b.data() + pos);
}

} // namespace

class TstPeIcones : public QObject {
    Q_OBJECT

private slots:
    void verifierImage_data()
    {
        QTest::addColumn<QByteArray>("donnees");
        QTest::addColumn<int>("cote");
        QTest::addColumn<int>("bits");

        QTest::newRow("bitmap 32 bits") << bitmapIcone(32, Rouge) << 32 << 32;
        QTest::newRow("bitmap 24 bits") << bitmapIcone(16, Rouge, 24) << 16 << 24;
        QTest::newRow("bitmap 256") << bitmapIcone(256, Rouge) << 256 << 32;
        QTest::newRow("bitmap 257") << bitmapIcone(257, Rouge) << 0 << 0;
        QTest::newRow("png 48") << pngIcone(48, Bleu) << 48 << 32;
        QTest::newRow("png 256") << pngIcone(256, Bleu) << 256 << 32;
        QTest::newRow("png 300") << pngIcone(300, Bleu) << 0 << 0;
        QTest::newRow("vide") << QByteArray() << 0 << 0;
        QTest::newRow("signature png seule") << QByteArray("\x89PNG\r\n\x1a\n") << 0 << 0;

        QByteArray tronquee = bitmapIcone(32, Rouge);
        tronquee.chop(1);
        QTest::newRow("masque incomplet") << tronquee << 0 << 0;
        QByteArray v5 = bitmapIcone(32, Rouge);
        ecrire32(v5, 0, 124);
        QTest::newRow("entete v5") << v5 << 0 << 0;
        QByteArray seize = bitmapIcone(32, Rouge);
        seize[14] = 16;
        QTest::newRow("16 bits") << seize << 0 << 0;
        QByteArray compressee = bitmapIcone(32, Rouge);
        ecrire32(compressee, 16, 3);
        QTest::newRow("compressee") << compressee << 0 << 0;
        QByteArray negative = bitmapIcone(32, Rouge);
        ecrire32(negative, 8, quint32(-64));
        QTest::newRow("hauteur negative") << negative << 0 << 0;
        QByteArray immense = bitmapIcone(32, Rouge);
        ecrire32(immense, 4, 0x7fffffff);
        QTest::newRow("largeur immense") << immense << 0 << 0;
        QByteArray palette = bitmapIcone(32, Rouge);
        palette[14] = 8;
        ecrire32(palette, 32, 300);
        QTest::newRow("palette de 300 couleurs") << palette << 0 << 0;
        QByteArray pngImmense = pngIcone(16, Bleu);
        qToBigEndian(quint32(100000), pngImmense.data() + 16);
        QTest::newRow("png immense") << pngImmense << 0 << 0;
        QTest::newRow("trop lourde")
            << bitmapIcone(32, Rouge) + QByteArray(TailleMaxImageIco, '\0') << 0 << 0;
    }

    void verifierImage()
    {
        QFETCH(QByteArray, donnees);
        QFETCH(int, cote);
        QFETCH(int, bits);
        const std::optional<ImageIco> image = verifierImageIco(donnees);
        QCOMPARE(image.has_value(), cote != 0);
        if (image) {
            QCOMPARE(image->largeur, cote);
            QCOMPARE(image->hauteur, cote);
            QCOMPARE(image->bits, bits);
            QCOMPARE(image->donnees, donnees);
        }
    }

    void choisir_data()
    {
        QTest::addColumn<QList<int>>("tailles");
        QTest::addColumn<QList<int>>("bits");
        QTest::addColumn<int>("cote");
        QTest::addColumn<int>("attendue");

        using L = QList<int>;
        QTest::newRow("exacte avant plus grande") << L{16, 48, 32} << L{32, 32, 32} << 32 << 2;
        QTest::newRow("exacte la plus riche") << L{32, 32, 32} << L{8, 32, 24} << 32 << 1;
        QTest::newRow("premiere a egalite") << L{32, 32} << L{32, 32} << 32 << 0;
        QTest::newRow("plus grande la plus proche")
            << L{16, 256, 48, 64} << L{32, 32, 32, 32} << 32 << 2;
        QTest::newRow("sinon la plus grande") << L{16, 24, 8} << L{32, 32, 32} << 32 << 1;
        QTest::newRow("haute densite") << L{16, 32, 256} << L{32, 32, 32} << 64 << 2;
        QTest::newRow("aucune") << L{} << L{} << 32 << -1;
    }

    void choisir()
    {
        QFETCH(QList<int>, tailles);
        QFETCH(QList<int>, bits);
        QFETCH(int, cote);
        QFETCH(int, attendue);
        QList<ImageIco> images;
        for (int i = 0; i < tailles.size(); ++i)
            images.append(ImageIco{tailles[i], tailles[i], bits[i], {}});
        QCOMPARE(choisirImageIco(images, cote), attendue);
    }

    void icoLuParQt()
    {
        // Sides of 256 pixels are written 0 in the directory; Qt must still read them whole.
        const QList<QByteArray> donnees = {bitmapIcone(16, Rouge), bitmapIcone(256, Vert, 24),
                                           pngIcone(256, Bleu), bitmapIcone(32, Bleu)};
        QList<ImageIco> images;
        for (const QByteArray& d : donnees)
            images.append(*verifierImageIco(d));
        const QByteArray ico = construireIco(images);
        QCOMPARE(cotes(imagesIco(ico)), (QList<int>{16, 256, 256, 32}));

        QBuffer tampon;
        tampon.setData(ico);
        tampon.open(QIODevice::ReadOnly);
        QImageReader lecteur(&tampon, "ico");
        QCOMPARE(lecteur.imageCount(), 4);
        const QList<QRgb> couleurs = {Rouge, Vert, Bleu, Bleu};
        for (int i = 0; i < 4; ++i) {
            QVERIFY(lecteur.jumpToImage(i));
            const QImage image = lecteur.read();
            QCOMPARE(image.width(), images[i].largeur);
            QCOMPARE(image.height(), images[i].hauteur);
            QCOMPARE(image.pixel(image.width() / 2, 3), couleurs[i]);
        }
    }

    void icoDefectueux()
    {
        QVERIFY(imagesIco(QByteArray("pas une icone")).isEmpty());
        QVERIFY(imagesIco(QByteArray()).isEmpty());

        // Pictures whose place lies outside the file are left out, the others kept.
        QByteArray ico = construireIco(
            {*verifierImageIco(bitmapIcone(16, Rouge)), *verifierImageIco(bitmapIcone(32, Vert))});
        ecrire32(ico, 6 + 12, 0xfffffff0);
        QCOMPARE(cotes(imagesIco(ico)), QList<int>{32});

        // A count that the file does not hold, and at most 64 pictures.
        QList<ImageIco> beaucoup(70, *verifierImageIco(bitmapIcone(1, Rouge)));
        QByteArray grand = construireIco(beaucoup);
        QCOMPARE(imagesIco(grand).size(), NombreMaxImagesIco);
        grand[4] = char(0xff);
        grand[5] = char(0xff);
        QCOMPARE(imagesIco(grand.left(6 + 16 * 3)).size(), 0);
    }

    void lirePe_data()
    {
        QTest::addColumn<QByteArray>("pe");
        QTest::addColumn<QList<int>>("attendues");

        using L = QList<int>;
        QTest::newRow("pe32") << peTroisImages() << L{32, 16, 48};
        QTest::newRow("pe32+") << peTroisImages(true) << L{32, 16, 48};
        QTest::newRow("groupe nomme le premier")
            << fabriquerPe({{3, 1, {}, bitmapIcone(16, Rouge)},
                            {3, 2, {}, bitmapIcone(32, Vert)},
                            {14, 1, {}, groupeIcones({1})},
                            {14, 0, QStringLiteral("MAINICON"), groupeIcones({2})}})
            << L{32};
        QTest::newRow("plus petit numero") << fabriquerPe({{3, 1, {}, bitmapIcone(16, Rouge)},
                                                           {3, 2, {}, bitmapIcone(32, Vert)},
                                                           {14, 7, {}, groupeIcones({1})},
                                                           {14, 3, {}, groupeIcones({2})}})
                                           << L{32};
        QTest::newRow("image absente")
            << fabriquerPe({{3, 1, {}, bitmapIcone(16, Rouge)}, {14, 1, {}, groupeIcones({9, 1})}})
            << L{16};
        QTest::newRow("image defectueuse") << fabriquerPe({{3, 1, {}, QByteArray(100, 'x')},
                                                           {3, 2, {}, bitmapIcone(32, Vert)},
                                                           {14, 1, {}, groupeIcones({1, 2})}})
                                           << L{32};
        QTest::newRow("sans groupe") << fabriquerPe({{3, 1, {}, bitmapIcone(16, Rouge)}}) << L{};
        QTest::newRow("groupe sans image")
            << fabriquerPe({{14, 1, {}, groupeIcones({1})}, {6, 1, {}, QByteArray(8, 'a')}}) << L{};
        QTest::newRow("groupe de curseurs") << fabriquerPe({{3, 1, {}, bitmapIcone(16, Rouge)},
                                                            {14, 1, {}, groupeIcones({1}, 0, 2)}})
                                            << L{};
        QTest::newRow("autres ressources seules")
            << fabriquerPe({{6, 1, {}, QByteArray(8, 'a')}}) << L{};
        QTest::newRow("vide") << QByteArray() << L{};
        QTest::newRow("MZ seul") << QByteArray("MZ") << L{};
        QTest::newRow("texte") << QByteArray(4096, 'M') << L{};
    }

    void lirePe()
    {
        QFETCH(QByteArray, pe);
        QFETCH(QList<int>, attendues);
        QCOMPARE(cotes(imagesIco(icoDeOctets(pe))), attendues);
    }

    void couleursConservees()
    {
        // The pictures come out as they went in, in the group's order.
        const QList<ImageIco> images = imagesIco(icoDeOctets(peTroisImages()));
        QCOMPARE(images.size(), 3);
        QCOMPARE(images[0].donnees, bitmapIcone(32, Vert));
        QCOMPARE(images[1].donnees, bitmapIcone(16, Rouge));
        QCOMPARE(images[2].donnees, pngIcone(48, Bleu));
    }

    void depuisFichier()
    {
        test::DossierTest dossier;
        const QString chemin = dossier.fichier(QStringLiteral("prog.exe"));
        test::ecrireOctets(chemin, peTroisImages());
        QCOMPARE(icoDepuisFichierPe(chemin), icoDeOctets(peTroisImages()));
        QVERIFY(icoDepuisFichierPe(dossier.fichier(QStringLiteral("absent.exe"))).isEmpty());
        QVERIFY(icoDepuisFichierPe(dossier.chemin()).isEmpty());
        QVERIFY(icoDepuisFichierPe(QString()).isEmpty());

        // A pipe is never opened: opening it would wait for a writer.
        const QString tube = dossier.fichier(QStringLiteral("tube.exe"));
        QCOMPARE(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
        QVERIFY(icoDepuisFichierPe(tube).isEmpty());
    }

    void fichierTronque()
    {
        const QByteArray pe = peTroisImages();
        const QByteArray complet = icoDeOctets(pe);
        for (qsizetype n = 0; n < pe.size(); ++n) {
            const QByteArray ico = icoDeOctets(pe.left(n));
            verifierIcoSain(ico, "tronque");
            QVERIFY(ico.size() <= complet.size());
        }
    }

    void valeursHostiles()
    {
        // Every field of the headers and of the resource tree replaced in turn by values
        // that point outside the file, into itself, or count far too much.
        const QByteArray pe = peTroisImages();
        const quint32 valeurs[] = {0xffffffffu, 0x7fffffffu, 0x80000000u, 0x80000010u,
                                   0x0000ffffu, 0x00010000u, 0x00001000u, 0u};
        const int fin = test::PositionRessources + 0x120; // the tree, before the pictures
        for (int pos = 0; pos + 4 <= fin; pos += 2) {
            for (quint32 v : valeurs) {
                QByteArray altere = pe;
                ecrire32(altere, pos, v);
                verifierIcoSain(icoDeOctets(altere), "altere");
            }
        }
    }

    void lectureBornee_data()
    {
        QTest::addColumn<char>("remplissage");
        QTest::newRow("octets 0xff") << char(0xff);
        QTest::newRow("octets 0x01") << char(0x01);
        QTest::newRow("octets nuls") << char(0);
    }

    void lectureBornee()
    {
        // A 4 GB file whose resource section claims to span it all and whose directories
        // claim 65535 entries of each kind: the reader finds the pictures all the same, and
        // reads little.
        QFETCH(char, remplissage);
        QByteArray debut = peTroisImages();
        ecrire32(debut, test::PositionSections + 8, 0);           // virtual size
        ecrire32(debut, test::PositionSections + 16, 0xfffff000); // raw size
        const int racine = test::PositionRessources;
        const int icones = racine + 16 + 2 * 8; // the first type directory: RT_ICON
        ecrire32(debut, racine + 12, 0xffffffff);
        ecrire32(debut, icones + 12, 0xffffffff);
        FichierSimule fichier(debut, qint64(4) << 30, remplissage);
        QCOMPARE(cotes(imagesIco(icoDepuisPe(fichier))), (QList<int>{32, 16, 48}));
        QVERIFY2(fichier.lus < 4 * 1024 * 1024, QByteArray::number(fichier.lus).constData());
    }

    void lecturePlafonnee()
    {
        // 40 pictures of 266 kB each: reading stops at the budget, with the pictures read
        // until then.
        QList<RessourcePe> ressources;
        QList<quint16> numeros;
        for (quint16 i = 1; i <= 40; ++i) {
            ressources.append({3, i, {}, bitmapIcone(256, Vert)});
            numeros.append(i);
        }
        ressources.append({14, 1, {}, groupeIcones(numeros)});
        const QByteArray pe = fabriquerPe(ressources);
        FichierSimule fichier(pe, pe.size(), 0);
        const QList<ImageIco> images = imagesIco(icoDepuisPe(fichier));
        QVERIFY(!images.isEmpty());
        QVERIFY(images.size() < 40);
        QVERIFY(fichier.lus <= LectureMaxPe);
    }
};

QTEST_GUILESS_MAIN(TstPeIcones)
#include "tst_pe_icones.moc"
