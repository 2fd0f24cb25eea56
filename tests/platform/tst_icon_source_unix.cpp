#include "platform/icon_source_unix.h"

#include "fabrique_pe.h"
#include "icons/ico_format.h"
#include "testsupport.h"

#include <QGuiApplication>
#include <QIcon>
#include <QtTest>

#include <sys/stat.h>

using namespace lanceron;
using namespace Qt::Literals::StringLiterals;
using namespace lanceron::test;

namespace {

// Every image is checked at two device pixels per logical pixel, as on a high-density
// screen (set in main()).
constexpr qreal Ratio = 2.0;

// What an icon shows: the theme's icon of that name when it is one, else the colours at the
// centres of the large and small images and the opacity of the large one's corner.
QString apercu(const IconeExtraite& icone, const QString& theme)
{
    if (icone.grande.isNull() || icone.petite.isNull())
        return icone.grande.isNull() && icone.petite.isNull() ? QString() : u"?"_s;
    for (const auto& [image, cote] : {std::pair(icone.grande, 32), std::pair(icone.petite, 16)}) {
        if (image.devicePixelRatio() != Ratio || image.deviceIndependentSize() != QSize(cote, cote))
            return u"taille"_s;
    }
    if (!theme.startsWith(u'#'))
        return icone.grande == QIcon::fromTheme(theme).pixmap(QSize(32, 32), Ratio).toImage()
                   ? theme
                   : u"autre"_s;
    const auto centre = [](const QImage& i) {
        return QColor(i.pixel(i.width() / 2, i.height() / 2) | 0xff000000u).name();
    };
    return u"%1 %2 %3"_s.arg(centre(icone.grande), centre(icone.petite))
        .arg(qAlpha(icone.grande.pixel(0, 0)));
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
    }

    void icones_data()
    {
        // `nom`: in a fresh folder (%1), written when `octets` is not null, a named pipe when
        // it ends in "|". `propre`: the file's own icon (see apercu()), empty when it has none.
        // `associee`: the theme's icon for its type, not checked when empty.
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QString>("propre");
        QTest::addColumn<QString>("associee");
        // At ratio 2 the large icon takes the picture of 64 pixels, the small one that of 32.
        const QList<QByteArray> images = {bitmapIcone(16, qRgb(255, 0, 0)),
                                          bitmapIcone(32, qRgb(0, 255, 0)),
                                          pngIcone(64, qRgb(255, 255, 0))};
        const QByteArray pe = fabriquerPe(images, {{1, 2, 3}});
        QList<ImageIco> pictures;
        for (const QByteArray& image : images)
            pictures.append(*verifierImageIco(image));
        const QByteArray ico = construireIco(pictures);
        const QString jauneVert = u"#ffff00 #00ff00 255"_s;
        const QString bleu = u"#0000ff #0000ff 255"_s;
        const QByteArray bleue = imageUnie(100, 100, qRgb(0, 0, 255));
        const QByteArray app("[Desktop Entry]\nType=Application\nExec=true\n");
        const QString x = u"application-x-executable"_s;
        const auto ligne = [](const char* cas, const QString& nom, const QByteArray& octets,
                              const QString& propre = {}, const QString& associee = {}) {
            QTest::newRow(cas) << nom << octets << propre << associee;
        };
        ligne("EXE", u"%1/PROG.EXE"_s, pe, jauneVert, x);
        ligne("dll", u"%1/biblio.dll"_s, pe, jauneVert);
        ligne("ICO", u"%1/APP.ICO"_s, ico, jauneVert);
        ligne("icone nommee png", u"%1/app.png"_s, ico, jauneVert);
        ligne("PNG", u"%1/I.PNG"_s, bleue, bleu);
        ligne("bmp", u"%1/i.bmp"_s, imageUnie(100, 100, qRgb(0, 0, 255), "BMP"), bleu);
        ligne("xpm", u"%1/i.xpm"_s, imageUnie(100, 100, qRgb(0, 0, 255), "XPM"), bleu);
        ligne("svg a l'echelle", u"%1/logo.svg"_s,
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\">"
              "<rect width=\"10\" height=\"10\" fill=\"#ff0000\"/></svg>",
              u"#ff0000 #ff0000 255"_s);
        ligne("oblongue centree", u"%1/bande.png"_s, imageUnie(64, 16, qRgb(0, 255, 0)),
              u"#00ff00 #00ff00 0"_s);
        // Icon= names a picture by its path, or an icon of the theme.
        ligne("entree, chemin", u"%1/a.desktop"_s, app + "Icon=%1/logo.png\n", bleu);
        ligne("entree, theme", u"%1/b.desktop"_s, app + "Icon=folder\n", u"folder"_s);
        ligne("entree sans Icon", u"%1/x.desktop"_s, app);
        ligne("entree, nom inconnu", u"%1/x.desktop"_s, app + "Icon=lanceron-inconnue\n");
        ligne("entree, autre groupe", u"%1/x.desktop"_s,
              "[Autre]\nType=Application\nExec=true\nIcon=folder\n");
        // The desktop would not show it: its program is not installed.
        ligne("entree, programme absent", u"%1/x.desktop"_s,
              app + "TryExec=/nulle/part\nIcon=folder\n");
        ligne("png illisible", u"%1/x.png"_s, QByteArray(500, 'x'));
        ligne("svg illisible", u"%1/x.svg"_s, "<svg");
        // Refused from its header or from its size, never decoded.
        ligne("5000 pixels de cote", u"%1/x.png"_s,
              imageUnie(5000, 5000, 0, "PNG", QImage::Format_Mono));
        ligne("trop lourde", u"%1/x.png"_s, bleue + QByteArray(IconSourceUnix::TailleMaxImage, 0));
        // Only the kinds that hold icons are read.
        ligne("jpg", u"%1/photo.jpg"_s, bleue);
        // A pipe or a device is never opened, whatever its name: opening a pipe would wait
        // for a writer.
        ligne("tube", u"%1/tube.desktop|"_s, {});
        ligne("périphérique", u"/dev/zero"_s, {});
        ligne("texte", u"%1/notes.txt"_s, "bonjour\n", {}, u"text-x-generic"_s);
        ligne("script, par son contenu", u"%1/demarrer"_s, "#!/bin/sh\necho bonjour\n", {},
              u"text-x-script"_s);
        ligne("programme sans icone", u"%1/prog.exe"_s, fabriquerPe({}, {}), {}, x);
        ligne("dossier", u"%1"_s, {}, {}, u"inode-directory"_s);
        ligne("programme absent", u"/nulle/part/jeu.exe"_s, {}, {}, x);
        ligne("chemin windows", u"C:\\Jeux\\notes.TXT"_s, {}, {}, u"text-x-generic"_s);
        ligne("vide", QString(), {}, {}, u"application-x-generic"_s);
        ligne("4000 caracteres", u"/tmp/"_s + QString(4000, u'a') + u".exe"_s, {}, {}, x);
    }

    void icones()
    {
        QFETCH(QString, nom);
        QFETCH(QByteArray, octets);
        QFETCH(QString, propre);
        QFETCH(QString, associee);
        DossierTest dossier;
        ecrireOctets(dossier.fichier(u"logo.png"_s), imageUnie(48, 48, qRgb(0, 0, 255)));
        QString chemin = nom.replace(u"%1"_s, dossier.chemin());
        if (chemin.endsWith(u'|')) {
            chemin.chop(1);
            QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
        } else if (!octets.isNull()) {
            ecrireOctets(chemin, octets.replace("%1", QFile::encodeName(dossier.chemin())));
        }
        IconSourceUnix source;
        const IconeExtraite icone = source.iconePropre(chemin);
        QCOMPARE(icone.sorte,
                 propre.isEmpty() ? IconeExtraite::Sorte::Aucune : IconeExtraite::Sorte::Propre);
        QCOMPARE(apercu(icone, propre), propre);
        const IconeExtraite type = source.iconeAssociee(chemin);
        if (!associee.isEmpty()) {
            QCOMPARE(type.sorte, IconeExtraite::Sorte::Aucune);
            QCOMPARE(apercu(type, associee), associee);
        }
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
