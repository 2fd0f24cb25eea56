#include "platform/icon_source_unix.h"

#include "fabrique_pe.h"
#include "icons/ico_format.h"
#include "testsupport.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QtTest>

#include <sys/stat.h>

using namespace lanceron;
using namespace Qt::Literals::StringLiterals;
using Sorte = IconeExtraite::Sorte;
using test::imageUnie;

namespace {

// Every image is checked at two device pixels per logical pixel, as on a high-density
// screen (set in main()).
constexpr qreal Ratio = 2.0;

const QRgb Rouge = qRgb(255, 0, 0);
const QRgb Vert = qRgb(0, 255, 0);
const QRgb Bleu = qRgb(0, 0, 255);
const QRgb Jaune = qRgb(255, 255, 0);

QRgb centre(const QImage& image)
{
    return image.pixel(image.width() / 2, image.height() / 2) | 0xff000000u;
}

// Both images: 32 and 16 logical pixels drawn at the screen's ratio, not blank.
void verifierImages(const IconeExtraite& icone, Sorte sorte)
{
    QCOMPARE(icone.sorte, sorte);
    for (const auto& [image, cote] : {std::pair(icone.grande, 32), std::pair(icone.petite, 16)}) {
        QCOMPARE(image.devicePixelRatio(), Ratio);
        QCOMPARE(image.deviceIndependentSize(), QSizeF(cote, cote));
        QImage vide(image.size(), image.format());
        vide.fill(Qt::transparent);
        QVERIFY(image != vide);
    }
}

void verifierAucune(const IconeExtraite& icone)
{
    QCOMPARE(icone.sorte, Sorte::Aucune);
    QVERIFY(icone.grande.isNull());
    QVERIFY(icone.petite.isNull());
}

// The theme's icon `nom` as the source must draw it.
QImage icone32DuTheme(const QString& nom)
{
    return QIcon::fromTheme(nom).pixmap(QSize(32, 32), Ratio).toImage();
}

// The file `nom` of `dossier` holding `octets`.
QString ecrire(const test::DossierTest& dossier, const QString& nom, const QByteArray& octets)
{
    const QString chemin = dossier.fichier(nom);
    test::ecrireOctets(chemin, octets);
    return chemin;
}

} // namespace

class TstIconSourceUnix : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(qGuiApp->devicePixelRatio(), Ratio);
        configurerThemeIcones();
        QCOMPARE(QIcon::themeName(), u"Adwaita"_s);
        QVERIFY(QIcon::hasThemeIcon(u"text-x-generic"_s));
    }

    void iconePropre_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QRgb>("grande");
        QTest::addColumn<QRgb>("petite");
        QTest::addColumn<int>("opaciteDuCoin");

        // At ratio 2 the large icon takes the picture of 64 pixels, the small one that of 32.
        using test::bitmapIcone;
        const QByteArray pe = test::fabriquerPe({{3, 1, {}, bitmapIcone(16, Rouge)},
                                                 {3, 2, {}, bitmapIcone(32, Vert)},
                                                 {3, 3, {}, test::pngIcone(64, Jaune)},
                                                 {14, 1, {}, test::groupeIcones({1, 2, 3})}});
        const QByteArray ico = construireIco({*verifierImageIco(bitmapIcone(16, Rouge)),
                                              *verifierImageIco(bitmapIcone(32, Vert)),
                                              *verifierImageIco(test::pngIcone(64, Jaune))});
        QTest::newRow("EXE") << u"PROG.EXE"_s << pe << Jaune << Vert << 255;
        QTest::newRow("dll") << u"biblio.dll"_s << pe << Jaune << Vert << 255;
        QTest::newRow("ICO") << u"APP.ICO"_s << ico << Jaune << Vert << 255;
        QTest::newRow("icone nommee png") << u"app.png"_s << ico << Jaune << Vert << 255;
        QTest::newRow("PNG") << u"I.PNG"_s << imageUnie(100, 100, Bleu) << Bleu << Bleu << 255;
        QTest::newRow("bmp") << u"i.bmp"_s << imageUnie(100, 100, Bleu, "BMP") << Bleu << Bleu
                             << 255;
        QTest::newRow("xpm") << u"i.xpm"_s << imageUnie(100, 100, Bleu, "XPM") << Bleu << Bleu
                             << 255;
        QTest::newRow("svg a l'echelle")
            << u"logo.svg"_s
            << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\">"
                          "<rect width=\"10\" height=\"10\" fill=\"#ff0000\"/></svg>")
            << Rouge << Rouge << 255;
        QTest::newRow("oblongue centree")
            << u"bande.png"_s << imageUnie(64, 16, Vert) << Vert << Vert << 0;
    }

    void iconePropre()
    {
        QFETCH(QString, nom);
        QFETCH(QByteArray, octets);
        QFETCH(QRgb, grande);
        QFETCH(QRgb, petite);
        QFETCH(int, opaciteDuCoin);
        test::DossierTest dossier;
        const IconeExtraite icone = IconSourceUnix().iconePropre(ecrire(dossier, nom, octets));
        verifierImages(icone, Sorte::Propre);
        QCOMPARE(centre(icone.grande), grande);
        QCOMPARE(centre(icone.petite), petite);
        QCOMPARE(qAlpha(icone.grande.pixel(0, 0)), opaciteDuCoin);
    }

    void entreeBureau()
    {
        // Icon= names a picture by its path, or an icon of the theme.
        test::DossierTest dossier;
        const QByteArray png =
            QFile::encodeName(ecrire(dossier, u"logo.png"_s, imageUnie(48, 48, Rouge)));
        IconSourceUnix source;
        const IconeExtraite parChemin = source.iconePropre(ecrire(
            dossier, u"a.desktop"_s, "[Desktop Entry]\nType=Application\nExec=true\nIcon=" + png));
        verifierImages(parChemin, Sorte::Propre);
        QCOMPARE(centre(parChemin.petite), Rouge);
        const IconeExtraite duTheme = source.iconePropre(
            ecrire(dossier, u"b.desktop"_s,
                   "[Desktop Entry]\nType=Application\nExec=true\nIcon=folder\n"));
        verifierImages(duTheme, Sorte::Propre);
        QCOMPARE(duTheme.grande, icone32DuTheme(u"folder"_s));
    }

    void aucuneIconePropre_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("octets");

        const QByteArray app("[Desktop Entry]\nType=Application\nExec=true\n");
        QTest::newRow("entree sans Icon") << u"x.desktop"_s << app;
        QTest::newRow("entree, nom inconnu") << u"x.desktop"_s << app + "Icon=lanceron-inconnue\n";
        QTest::newRow("entree, autre groupe")
            << u"x.desktop"_s << QByteArray("[Autre]\nType=Application\nExec=true\nIcon=folder\n");
        // The desktop would not show it: its program is not installed.
        QTest::newRow("entree, programme absent")
            << u"x.desktop"_s << app + "TryExec=/nulle/part\nIcon=folder\n";
        QTest::newRow("png illisible") << u"x.png"_s << QByteArray(500, 'x');
        QTest::newRow("svg illisible") << u"x.svg"_s << QByteArray("<svg");
        // Refused from its header or from its size, never decoded.
        QTest::newRow("5000 pixels de cote")
            << u"x.png"_s << imageUnie(5000, 5000, 0, "PNG", QImage::Format_Mono);
        QTest::newRow("trop lourde")
            << u"x.png"_s
            << imageUnie(32, 32, Rouge) + QByteArray(IconSourceUnix::TailleMaxImage, 0);
        // Only the kinds that hold icons are read.
        QTest::newRow("jpg") << u"photo.jpg"_s << imageUnie(32, 32, Rouge);
        // A pipe or a device is never opened, whatever its name: opening a pipe would wait
        // for a writer.
        QTest::newRow("tube") << u"tube.desktop"_s << QByteArray();
        QTest::newRow("périphérique") << u"/dev/zero"_s << QByteArray();
    }

    void aucuneIconePropre()
    {
        QFETCH(QString, nom);
        QFETCH(QByteArray, octets);
        test::DossierTest dossier;
        const QString chemin = nom.startsWith(u'/') ? nom : dossier.fichier(nom);
        if (!octets.isNull())
            test::ecrireOctets(chemin, octets);
        else if (chemin != nom)
            QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
        IconSourceUnix source;
        verifierAucune(source.iconePropre(chemin));
        source.iconeAssociee(chemin);
    }

    void iconeDuType_data()
    {
        // `chemin`: %1 stands for a temporary folder; the file is written when `octets` is
        // not null.
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QString>("icone");

        QTest::newRow("texte") << u"%1/notes.txt"_s << QByteArray("bonjour\n")
                               << u"text-x-generic"_s;
        QTest::newRow("script, par son contenu")
            << u"%1/demarrer"_s << QByteArray("#!/bin/sh\necho bonjour\n") << u"text-x-script"_s;
        QTest::newRow("programme sans icone")
            << u"%1/prog.exe"_s << test::fabriquerPe({{6, 1, {}, QByteArray(8, 'a')}})
            << u"application-x-executable"_s;
        QTest::newRow("dossier") << u"%1"_s << QByteArray() << u"inode-directory"_s;
        QTest::newRow("programme absent")
            << u"/nulle/part/jeu.exe"_s << QByteArray() << u"application-x-executable"_s;
        QTest::newRow("chemin windows")
            << u"C:\\Jeux\\notes.TXT"_s << QByteArray() << u"text-x-generic"_s;
        QTest::newRow("vide") << QString() << QByteArray() << u"application-x-generic"_s;
        QTest::newRow("4000 caracteres") << u"/tmp/"_s + QString(4000, u'a') + u".exe"_s
                                         << QByteArray() << u"application-x-executable"_s;
    }

    void iconeDuType()
    {
        QFETCH(QString, chemin);
        QFETCH(QByteArray, octets);
        QFETCH(QString, icone);
        test::DossierTest dossier;
        chemin.replace(u"%1"_s, dossier.chemin());
        if (!octets.isNull())
            test::ecrireOctets(chemin, octets);
        IconSourceUnix source;
        verifierAucune(source.iconePropre(chemin));
        const IconeExtraite associee = source.iconeAssociee(chemin);
        verifierImages(associee, Sorte::Aucune);
        QCOMPARE(associee.grande, icone32DuTheme(icone));
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QGuiApplication application(argc, argv);
    TstIconSourceUnix tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_icon_source_unix.moc"
