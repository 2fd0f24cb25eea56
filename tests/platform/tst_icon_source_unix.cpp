#include "platform/icon_source_unix.h"

#include "fabrique_pe.h"
#include "icons/ico_format.h"
#include "testsupport.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QtTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace lanceron;
using Sorte = IconeExtraite::Sorte;

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

bool transparente(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
        }
    }
    return true;
}

// Both images present, 32 and 16 logical pixels drawn at the screen's ratio, not blank.
void verifierImages(const IconeExtraite& icone)
{
    QVERIFY(!icone.grande.isNull());
    QVERIFY(!icone.petite.isNull());
    QCOMPARE(icone.grande.devicePixelRatio(), Ratio);
    QCOMPARE(icone.petite.devicePixelRatio(), Ratio);
    QCOMPARE(icone.grande.deviceIndependentSize(), QSizeF(32, 32));
    QCOMPARE(icone.petite.deviceIndependentSize(), QSizeF(16, 16));
    QVERIFY(!transparente(icone.grande));
    QVERIFY(!transparente(icone.petite));
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

QImage uni(int largeur, int hauteur, QRgb couleur)
{
    QImage image(largeur, hauteur, QImage::Format_ARGB32);
    image.fill(couleur);
    return image;
}

void ecrireTexte(const QString& chemin, const QString& texte)
{
    test::ecrireOctets(chemin, texte.toUtf8());
}

// 16 red, 32 green, 48 blue bitmaps and a 64 yellow PNG.
QByteArray peQuatreImages()
{
    using test::bitmapIcone;
    return test::fabriquerPe({{3, 1, {}, bitmapIcone(16, Rouge)},
                              {3, 2, {}, bitmapIcone(32, Vert)},
                              {3, 3, {}, bitmapIcone(48, Bleu)},
                              {3, 4, {}, test::pngIcone(64, Jaune)},
                              {14, 1, {}, test::groupeIcones({1, 2, 3, 4})}});
}

} // namespace

class TstIconSourceUnix : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(qGuiApp->devicePixelRatio(), Ratio);
        configurerThemeIcones();
        QCOMPARE(QIcon::themeName(), QStringLiteral("Adwaita"));
        QVERIFY(QIcon::hasThemeIcon(QStringLiteral("text-x-generic")));
    }

    void entreeBureauChemin()
    {
        test::DossierTest dossier;
        const QString png = dossier.fichier(QStringLiteral("logo.png"));
        QVERIFY(uni(48, 48, Rouge).save(png));
        const QString desktop = dossier.fichier(QStringLiteral("jeu.desktop"));
        ecrireTexte(desktop, QStringLiteral("[Desktop Entry]\nType=Application\nName=Jeu\n"
                                            "Exec=jeu\nIcon=%1\n")
                                 .arg(png));
        const IconeExtraite icone = IconSourceUnix().iconePropre(desktop);
        QCOMPARE(icone.sorte, Sorte::Propre);
        verifierImages(icone);
        QCOMPARE(centre(icone.grande), Rouge);
        QCOMPARE(centre(icone.petite), Rouge);
    }

    void entreeBureauTheme()
    {
        test::DossierTest dossier;
        const QString desktop = dossier.fichier(QStringLiteral("dossiers.desktop"));
        ecrireTexte(desktop, QStringLiteral("[Desktop Entry]\nName=D\nIcon=folder\n"));
        const IconeExtraite icone = IconSourceUnix().iconePropre(desktop);
        QCOMPARE(icone.sorte, Sorte::Propre);
        verifierImages(icone);
        QCOMPARE(icone.grande, icone32DuTheme(QStringLiteral("folder")));
    }

    void entreeBureauSansIcone_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::newRow("sans Icon") << QStringLiteral("[Desktop Entry]\nName=X\n");
        QTest::newRow("Icon vide") << QStringLiteral("[Desktop Entry]\nIcon=\n");
        QTest::newRow("nom inconnu") << QStringLiteral("[Desktop Entry]\nIcon=lanceron-inconnue\n");
        QTest::newRow("chemin absent") << QStringLiteral("[Desktop Entry]\nIcon=/nulle/part.png\n");
        QTest::newRow("autre groupe") << QStringLiteral("[Autre]\nIcon=folder\n");
        QTest::newRow("pas une entree") << QStringLiteral("Icon=folder\n");
    }

    void entreeBureauSansIcone()
    {
        QFETCH(QString, texte);
        test::DossierTest dossier;
        const QString desktop = dossier.fichier(QStringLiteral("x.desktop"));
        ecrireTexte(desktop, texte);
        verifierAucune(IconSourceUnix().iconePropre(desktop));
    }

    void programmeWindows_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::newRow("exe") << QStringLiteral("prog.exe");
        QTest::newRow("EXE") << QStringLiteral("PROG.EXE");
        QTest::newRow("dll") << QStringLiteral("biblio.dll");
    }

    void programmeWindows()
    {
        // At ratio 2 the large icon wants 64 pixels (the PNG picture), the small one 32.
        QFETCH(QString, nom);
        test::DossierTest dossier;
        const QString chemin = dossier.fichier(nom);
        test::ecrireOctets(chemin, peQuatreImages());
        const IconeExtraite icone = IconSourceUnix().iconePropre(chemin);
        QCOMPARE(icone.sorte, Sorte::Propre);
        verifierImages(icone);
        QCOMPARE(centre(icone.grande), Jaune);
        QCOMPARE(centre(icone.petite), Vert);
    }

    void programmeWindowsSansIcone_data()
    {
        QTest::addColumn<QByteArray>("octets");
        const QByteArray pe = peQuatreImages();
        QTest::newRow("sans ressource d'icone")
            << test::fabriquerPe({{6, 1, {}, QByteArray(8, 'a')}});
        QTest::newRow("tronque dans les en-tetes") << pe.left(0x100);
        QTest::newRow("tronque dans l'arbre") << pe.left(test::PositionRessources + 40);
        QByteArray hors = pe;
        qToLittleEndian(quint32(0x7ffffff0), hors.data() + test::PositionEnteteDos);
        QTest::newRow("en-tete hors du fichier") << hors;
        QTest::newRow("texte") << QByteArray("@echo off\r\necho bonjour\r\n");
        QTest::newRow("vide") << QByteArray();
    }

    void programmeWindowsSansIcone()
    {
        QFETCH(QByteArray, octets);
        test::DossierTest dossier;
        const QString chemin = dossier.fichier(QStringLiteral("prog.exe"));
        test::ecrireOctets(chemin, octets);
        IconSourceUnix source;
        verifierAucune(source.iconePropre(chemin));
        // The program then shows the icon of its type.
        const IconeExtraite associee = source.iconeAssociee(chemin);
        verifierImages(associee);
    }

    void fichierImage_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("png") << QStringLiteral("i.png") << QByteArray("PNG");
        QTest::newRow("bmp") << QStringLiteral("i.bmp") << QByteArray("BMP");
        QTest::newRow("xpm") << QStringLiteral("i.xpm") << QByteArray("XPM");
        QTest::newRow("PNG en capitales") << QStringLiteral("I.PNG") << QByteArray("PNG");
    }

    void fichierImage()
    {
        QFETCH(QString, nom);
        QFETCH(QByteArray, format);
        test::DossierTest dossier;
        const QString chemin = dossier.fichier(nom);
        QVERIFY(uni(100, 100, Bleu).save(chemin, format.constData()));
        const IconeExtraite icone = IconSourceUnix().iconePropre(chemin);
        QCOMPARE(icone.sorte, Sorte::Propre);
        verifierImages(icone);
        QCOMPARE(centre(icone.grande), Bleu);
        QCOMPARE(centre(icone.petite), Bleu);
    }

    void imageVectorielle()
    {
        test::DossierTest dossier;
        const QString chemin = dossier.fichier(QStringLiteral("logo.svg"));
        ecrireTexte(chemin,
                    QStringLiteral(
                        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" "
                        "height=\"10\"><rect width=\"10\" height=\"10\" fill=\"#ff0000\"/></svg>"));
        const IconeExtraite icone = IconSourceUnix().iconePropre(chemin);
        QCOMPARE(icone.sorte, Sorte::Propre);
        verifierImages(icone);
        QCOMPARE(centre(icone.grande), Rouge);
        // Drawn at full size: every pixel, edges included, is opaque.
        QCOMPARE(qAlpha(icone.grande.pixel(0, 0)), 255);
    }

    void imageOblongueCentree()
    {
        test::DossierTest dossier;
        const QString chemin = dossier.fichier(QStringLiteral("bande.png"));
        QVERIFY(uni(64, 16, Vert).save(chemin));
        const IconeExtraite icone = IconSourceUnix().iconePropre(chemin);
        verifierImages(icone);
        QCOMPARE(icone.grande.size(), QSize(64, 64));
        QCOMPARE(qAlpha(icone.grande.pixel(32, 2)), 0);
        QCOMPARE(centre(icone.grande), Vert);
    }

    void fichierIco_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::newRow("ico") << QStringLiteral("app.ico");
        QTest::newRow("ICO") << QStringLiteral("APP.ICO");
        QTest::newRow("icone nommee png") << QStringLiteral("app.png");
    }

    void fichierIco()
    {
        // The picture that suits each size is used: 64 pixels for the large one at ratio 2.
        QFETCH(QString, nom);
        test::DossierTest dossier;
        const QString chemin = dossier.fichier(nom);
        test::ecrireOctets(chemin, construireIco({*verifierImageIco(test::bitmapIcone(32, Vert)),
                                                  *verifierImageIco(test::pngIcone(64, Jaune))}));
        const IconeExtraite icone = IconSourceUnix().iconePropre(chemin);
        QCOMPARE(icone.sorte, Sorte::Propre);
        verifierImages(icone);
        QCOMPARE(centre(icone.grande), Jaune);
        QCOMPARE(centre(icone.petite), Vert);
    }

    void imageRefusee_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("octets");
        QTest::newRow("png illisible") << QStringLiteral("x.png") << QByteArray(500, 'x');
        QTest::newRow("ico illisible") << QStringLiteral("x.ico") << QByteArray(500, 'x');
        QTest::newRow("svg illisible") << QStringLiteral("x.svg") << QByteArray("<svg");
        QTest::newRow("png vide") << QStringLiteral("x.png") << QByteArray();
        QByteArray ico = construireIco({*verifierImageIco(test::bitmapIcone(32, Vert))});
        qToLittleEndian(quint32(0xfffff000), ico.data() + 6 + 12);
        QTest::newRow("ico hors bornes") << QStringLiteral("x.ico") << ico;
    }

    void imageRefusee()
    {
        QFETCH(QString, nom);
        QFETCH(QByteArray, octets);
        test::DossierTest dossier;
        const QString chemin = dossier.fichier(nom);
        test::ecrireOctets(chemin, octets);
        verifierAucune(IconSourceUnix().iconePropre(chemin));
    }

    void imageTropGrande()
    {
        // 5000 x 5000 pixels in a few kilobytes: refused from its header, never decoded.
        test::DossierTest dossier;
        const QString chemin = dossier.fichier(QStringLiteral("immense.png"));
        QImage immense(5000, 5000, QImage::Format_Mono);
        immense.fill(0);
        QVERIFY(immense.save(chemin));
        QVERIFY(QFileInfo(chemin).size() < IconSourceUnix::TailleMaxImage);
        verifierAucune(IconSourceUnix().iconePropre(chemin));
    }

    void imageTropLourde()
    {
        // A valid picture followed by 100 MB: refused from its size, never read.
        test::DossierTest dossier;
        const QString chemin = dossier.fichier(QStringLiteral("lourde.png"));
        QVERIFY(uni(32, 32, Rouge).save(chemin));
        QFile fichier(chemin);
        QVERIFY(fichier.resize(100 * 1024 * 1024));
        verifierAucune(IconSourceUnix().iconePropre(chemin));
    }

    void sansIconePropre()
    {
        // A text file has no icon of its own; its type's icon comes from the theme.
        test::DossierTest dossier;
        const QString chemin = dossier.fichier(QStringLiteral("notes.txt"));
        ecrireTexte(chemin, QStringLiteral("bonjour\n"));
        IconSourceUnix source;
        verifierAucune(source.iconePropre(chemin));
        const IconeExtraite associee = source.iconeAssociee(chemin);
        verifierImages(associee);
        QCOMPARE(associee.grande, icone32DuTheme(QStringLiteral("text-x-generic")));
    }

    void typeParContenuOuParNom()
    {
        // A regular file is typed by its content when its name says nothing; a pipe is
        // typed without being opened.
        test::DossierTest dossier;
        const QString script = dossier.fichier(QStringLiteral("demarrer"));
        ecrireTexte(script, QStringLiteral("#!/bin/sh\necho bonjour\n"));
        const QString tube = dossier.fichier(QStringLiteral("tube"));
        QCOMPARE(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
        IconSourceUnix source;
        QCOMPARE(source.iconeAssociee(script).grande,
                 icone32DuTheme(QStringLiteral("text-x-script")));
        QVERIFY(source.iconeAssociee(tube).grande !=
                icone32DuTheme(QStringLiteral("text-x-script")));
    }

    void associeeParLeNom_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<QString>("icone");
        QTest::newRow("programme absent")
            << QStringLiteral("/nulle/part/jeu.exe") << QStringLiteral("application-x-executable");
        QTest::newRow("chemin windows")
            << QStringLiteral("C:\\Jeux\\notes.TXT") << QStringLiteral("text-x-generic");
        QTest::newRow("sans extension")
            << QStringLiteral("/nulle/part/outil") << QStringLiteral("application-x-generic");
        QTest::newRow("vide") << QString() << QStringLiteral("application-x-generic");
        QTest::newRow("4000 caracteres")
            << QStringLiteral("/tmp/") + QString(4000, QLatin1Char('a')) + QStringLiteral(".exe")
            << QStringLiteral("application-x-executable");
    }

    void associeeParLeNom()
    {
        QFETCH(QString, chemin);
        QFETCH(QString, icone);
        const IconeExtraite associee = IconSourceUnix().iconeAssociee(chemin);
        verifierImages(associee);
        QCOMPARE(associee.grande, icone32DuTheme(icone));
    }

    void dossier()
    {
        test::DossierTest dossier;
        IconSourceUnix source;
        verifierAucune(source.iconePropre(dossier.chemin()));
        QCOMPARE(source.iconeAssociee(dossier.chemin()).grande,
                 icone32DuTheme(QStringLiteral("inode-directory")));
    }

    void fichiersSpeciaux()
    {
        // Pipes, sockets and devices are never opened, whatever their names: opening a pipe
        // would wait for a writer.
        test::DossierTest dossier;
        const QString tube = dossier.fichier(QStringLiteral("tube.desktop"));
        QCOMPARE(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
        const QString prise = dossier.fichier(QStringLiteral("prise.png"));
        const int descripteur = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(descripteur >= 0);
        sockaddr_un adresse{};
        adresse.sun_family = AF_UNIX;
        const QByteArray nomPrise = QFile::encodeName(prise);
        QVERIFY(size_t(nomPrise.size()) < sizeof(adresse.sun_path));
        qstrcpy(adresse.sun_path, nomPrise.constData());
        QCOMPARE(::bind(descripteur, reinterpret_cast<sockaddr*>(&adresse), sizeof(adresse)), 0);
        IconSourceUnix source;
        for (const QString& chemin :
             {tube, prise, QStringLiteral("/dev/zero"), QStringLiteral("/dev/null")}) {
            verifierAucune(source.iconePropre(chemin));
            source.iconeAssociee(chemin);
        }
        ::close(descripteur);
    }

    void cheminsHorsNormes_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::newRow("vide") << QString();
        QTest::newRow("absent") << QStringLiteral("/nulle/part/jeu.exe");
        QTest::newRow("4000 caracteres")
            << QStringLiteral("/tmp/") + QString(4000, QLatin1Char('a')) + QStringLiteral(".png");
        QTest::newRow("windows") << QStringLiteral("C:\\Program Files\\Jeu\\jeu.exe");
    }

    void cheminsHorsNormes()
    {
        QFETCH(QString, chemin);
        verifierAucune(IconSourceUnix().iconePropre(chemin));
    }

    void autresFichiersSansIconePropre()
    {
        // Only the kinds that hold icons are read: a picture named .jpg is not one.
        test::DossierTest dossier;
        const QString chemin = dossier.fichier(QStringLiteral("photo.jpg"));
        QVERIFY(uni(32, 32, Rouge).save(chemin, "PNG"));
        verifierAucune(IconSourceUnix().iconePropre(chemin));
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
