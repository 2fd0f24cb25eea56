// The Linux desktop for real: programs started through QProcess or over D-Bus, documents and
// addresses handed to the desktop, the properties sheet, the icons of files and of their
// types, the file dialog, the lock indicators.

#include "platform/clavier.h"
#include "platform/fenetre_proprietes.h"
#include "platform/icon_source_unix.h"
#include "platform/prompts.h"
#include "platform/shell_unix.h"

#include "fabrique_pe.h"
#include "icons/ico_format.h"
#include "testsupport.h"

#include <QDBusContext>
#include <QDBusPendingCallWatcher>
#include <QDBusServer>
#include <QDesktopServices>
#include <QFileDialog>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <sys/stat.h>

using namespace lanceron;
using namespace lanceron::test;
using namespace Qt::StringLiterals;

namespace {

// The desktop's side, answering as the test wishes: a file manager and an application reached
// over D-Bus, the handler of files and addresses. Records what each is asked to show or open.
class FauxBureau : public QObject, protected QDBusContext {
    Q_OBJECT
public:
    enum class Reponse { Ok, Erreur, Aucune };
    Q_ENUM(Reponse)
    Reponse reponse = Reponse::Ok;
    QStringList demandes;
public slots:
    Q_SCRIPTABLE void ShowItemProperties(const QStringList& uris, const QString&)
    {
        demandes += uris;
        if (reponse == Reponse::Erreur)
            sendErrorReply(QDBusError::Failed, u"échec"_s);
        else if (reponse == Reponse::Aucune)
            setDelayedReply(true); // and never answered
    }
    Q_SCRIPTABLE void Open(const QStringList& uris, const QVariantMap&) { demandes << uris; }
    void ouvrir(const QUrl& adresse) { demandes << adresse.toString(); }
};

// The texts of the labels `noms` of a window, '|' between them.
QString valeurs(const QWidget* fenetre, const QStringList& noms)
{
    QStringList textes;
    for (const QString& nom : noms) {
        const auto* etiquette = fenetre->findChild<QLabel*>(nom);
        textes << (etiquette ? etiquette->text() : u"<absent>"_s);
    }
    return textes.join(u'|');
}

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

class TstBureauUnix : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A session bus of the test's own, for the applications started over D-Bus.
        m_bus.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s});
        QVERIFY2(m_bus.waitForReadyRead(10000), "dbus-daemon");
        m_adresseBus = QString::fromUtf8(m_bus.readLine().trimmed());
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_adresseBus.toUtf8());
        QCOMPARE(qGuiApp->devicePixelRatio(), Ratio);
        configurerThemeIcones();
        QCOMPARE(QIcon::themeName(), u"Adwaita"_s);
    }

    void cleanupTestCase()
    {
        m_bus.kill();
        m_bus.waitForFinished();
    }

    void cleanup() { QDBusConnection::disconnectFromPeer(u"client"_s); }

    void lancer_data()
    {
        // `entree`: a desktop entry after its group line (its Type=Application unless it gives
        // one), %1 standing for the script and %2 for the working folder; null: the script
        // itself. `attendu`: the lines that the script writes, working folder (%2) first, or
        // the error.
        QTest::addColumn<QByteArray>("entree");
        QTest::addColumn<QString>("attendu");
        QTest::addColumn<QString>("commande");
        const auto ligne = [](const char* cas, const QByteArray& entree, const QString& attendu,
                              const QString& commande = u"a"_s) {
            QTest::newRow(cas) << entree << attendu << commande;
        };
        ligne("script, blancs et guillemets", {},
              u"%2\nun  deux\ntrois\ndit \"oui\"\n$(touch\np2)\n;\n`touch\np3`\n"
              u"'a\nb'\n>\np4\n|\nx"_s,
              uR"("un  deux" trois "dit """oui"""" $(touch p2) ; `touch p3` 'a b' > p4 | x)"_s);
        ligne("entree, fichiers et adresses entiers", "Exec=sh \"%1\" --premier %U\nPath=%2\n",
              u"%2\n--premier\n%2/fichier un.txt\n%2/$(touch\n%2/p2)\n%2/`id`\n/tmp/a'b\n"
              u"https://exemple.org/?q=a+b"_s,
              u"\"fichier un.txt\" $(touch p2) `id` /tmp/a'b https://exemple.org/?q=a+b"_s);
        ligne("entree sans Path ni code", "Exec=\"%1\" -v\n", u"%2\n-v\n%2/a"_s);
        ligne("entree sans argument", "Exec=\"%1\" %f\nTryExec=sh\n", u"%2"_s, {});
        // The desktop's terminal emulator: here the only one on the PATH, the script.
        ligne("dans un terminal", "Terminal=true\nExec=/bin/true -d %f\n",
              u"%2\n-e\n/bin/true\n-d\n/tmp/a b"_s, u"\"/tmp/a b\""_s);
        ligne("programme absent", "Exec=/programme/absent %f\n",
              u"programme introuvable : /programme/absent"_s);
        ligne("TryExec absent", "TryExec=/nulle/part/outil\nExec=true\n",
              u"programme introuvable : /nulle/part/outil"_s);
        ligne("Exec invalide", "Exec=\"true\n", u"ligne Exec invalide"_s);
        ligne("lien", "Type=Link\nURL=https://exemple.org\n", u"ce n'est pas une application"_s);
        ligne("service D-Bus absent", "DBusActivatable=true\nExec=true\n",
              u"le service D-Bus « org.lanceron.Outil » est introuvable"_s);
    }

    void lancer()
    {
        QFETCH(QByteArray, entree);
        QFETCH(QString, attendu);
        QFETCH(QString, commande);
        DossierTest racine;
        // The script, named as a terminal emulator, writes its working folder and its
        // arguments, one a line, to its own path followed by ".txt".
        const QString dossier = racine.fichier(u"mon dossier ; $(touch p5) `x`"_s);
        const QString travail = entree.isNull()            ? dossier
                                : entree.contains("Path=") ? racine.fichier(u"travail ici"_s)
                                                           : QDir::homePath();
        QVERIFY(QDir().mkpath(dossier) && QDir().mkpath(travail));
        const QString script = dossier + u"/xterm"_s;
        ecrireOctets(script, "#!/bin/sh\n{ pwd; for a; do printf '%s\\n' \"$a\"; done; } "
                             ">\"$0.tmp\"\n/bin/mv \"$0.tmp\" \"$0.txt\"\n");
        QVERIFY(QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner));
        // No D-Bus service owns the entry's name.
        const QString chemin =
            entree.isNull() ? script : racine.fichier(u"org.lanceron.Outil.desktop"_s);
        if (!entree.isNull()) {
            QString texte = QString::fromUtf8(entree).replace(u"%1"_s, script);
            ecrireOctets(chemin,
                         "[Desktop Entry]\n" +
                             QByteArray(entree.startsWith("Type=") ? "" : "Type=Application\n") +
                             texte.replace(u"%2"_s, travail).toUtf8());
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dossier) + ':' + path);
        const ResultatLancement r = ShellUnix().lancer(chemin, commande, Affichage::Normale);
        qputenv("PATH", path);
        QCOMPARE(r.ok ? QString() : r.erreur, attendu.startsWith(u"%2"_s) ? QString() : attendu);
        if (!r.ok)
            return;
        QTRY_COMPARE(lireOctets(script + u".txt"_s),
                     attendu.replace(u"%2"_s, travail).toUtf8() + '\n');
        // Nothing of the command line was run by a shell.
        QVERIFY(!QFile::exists(travail + u"/p2"_s));
    }

    void lancerParLeBureau()
    {
        // An application that the session bus reaches is asked to open the files, and its Exec
        // line is not run; documents, folders and addresses go to the desktop.
        DossierTest dossier;
        FauxBureau application;
        QDBusConnection bus = QDBusConnection::connectToBus(m_adresseBus, u"application"_s);
        QVERIFY(bus.registerObject(u"/org/lanceron/Essai"_s, u"org.freedesktop.Application"_s,
                                   &application, QDBusConnection::ExportScriptableSlots));
        QVERIFY(bus.registerService(u"org.lanceron.Essai"_s));
        const QString entree = dossier.fichier(u"org.lanceron.Essai.desktop"_s);
        ecrireOctets(entree, "[Desktop Entry]\nType=Application\nDBusActivatable=true\n"
                             "Exec=touch " +
                                 QFile::encodeName(dossier.chemin()) + "/exec\n");
        const QString document = dossier.fichier(u"lettre à Jean.odt"_s);
        ecrireOctets(document, "PK");
        const QString adresse = u"https://lanceron.example.org/aide?page=1"_s;
        QDesktopServices::setUrlHandler(u"file"_s, &application, "ouvrir");
        QDesktopServices::setUrlHandler(u"https"_s, &application, "ouvrir");
        ShellUnix shell;
        QVERIFY(shell.lancer(entree, u"\"/tmp/a b\""_s, Affichage::Normale).ok);
        QTRY_COMPARE(application.demandes, QStringList{u"file:///tmp/a%20b"_s});
        const bool ok = shell.lancer(document, u"-x"_s, Affichage::Normale).ok &&
                        shell.lancer(dossier.chemin(), QString(), Affichage::Normale).ok &&
                        shell.ouvrirAdresse(adresse);
        QDesktopServices::unsetUrlHandler(u"file"_s);
        QDesktopServices::unsetUrlHandler(u"https"_s);
        QDBusConnection::disconnectFromBus(u"application"_s);
        QVERIFY(ok);
        QCOMPARE(application.demandes,
                 (QStringList{u"file:///tmp/a%20b"_s, QUrl::fromLocalFile(document).toString(),
                              QUrl::fromLocalFile(dossier.chemin()).toString(), adresse}));
        QVERIFY(!QFile::exists(dossier.fichier(u"exec"_s)));
    }

    void proprietesParLeBus_data()
    {
        QTest::addColumn<FauxBureau::Reponse>("reponse"); // none: no bus at all
        QTest::addColumn<bool>("fenetre");                // the program's own window is shown
        QTest::newRow("sans bus") << FauxBureau::Reponse{-1} << true;
        QTest::newRow("gestionnaire") << FauxBureau::Reponse::Ok << false;
        QTest::newRow("erreur") << FauxBureau::Reponse::Erreur << true;
        QTest::newRow("pas de réponse") << FauxBureau::Reponse::Aucune << true;
    }

    void proprietesParLeBus()
    {
        QFETCH(FauxBureau::Reponse, reponse);
        QFETCH(bool, fenetre);
        // The file manager at the other end of a private connection.
        QDBusServer serveur;
        FauxBureau faux;
        faux.reponse = reponse;
        bool pret = false;
        connect(&serveur, &QDBusServer::newConnection, &faux, [&](QDBusConnection c) {
            pret = c.registerObject(u"/org/freedesktop/FileManager1"_s,
                                    u"org.freedesktop.FileManager1"_s, &faux,
                                    QDBusConnection::ExportScriptableSlots);
        });
        const bool sansBus = int(reponse) < 0;
        ShellUnix shell(sansBus ? QDBusConnection(u"aucune connexion"_s)
                                : QDBusConnection::connectToPeer(serveur.address(), u"client"_s));
        QTRY_VERIFY(pret || sansBus);

        // The stored path goes as it is, here a link to a file that is gone.
        DossierTest dossier;
        const QString chemin = dossier.fichier(u"mon lien é#1"_s);
        QVERIFY(QFile::link(dossier.fichier(u"parti"_s), chemin));
        QWidget parent;
        shell.proprietes(&parent, chemin);
        // The launcher goes on at once; the answer, an error or the time limit decides later.
        QCOMPARE(parent.findChild<FenetreProprietes*>() != nullptr, sansBus);
        QTRY_VERIFY_WITH_TIMEOUT(!parent.findChild<QDBusPendingCallWatcher*>(),
                                 10 * ShellUnix::DelaiGestionnaireMs);
        QCOMPARE(faux.demandes,
                 sansBus ? QStringList() : QStringList{QUrl::fromLocalFile(chemin).toString()});
        QPointer<FenetreProprietes> propre = parent.findChild<FenetreProprietes*>();
        QCOMPARE(propre != nullptr, fenetre);
        if (!propre)
            return;
        QVERIFY(propre->isVisible() && !propre->isModal());
        QCOMPARE(propre->windowTitle(), u"Propriétés de mon lien é#1"_s);
        QCOMPARE(valeurs(propre, {u"chemin"_s, u"cible"_s, u"introuvable"_s}),
                 chemin + u'|' + dossier.fichier(u"parti"_s) + u"|Fichier introuvable"_s);
        // "Fermer", its only button, closes and unloads it.
        const auto boutons = propre->findChildren<QPushButton*>();
        QCOMPARE(boutons.size() == 1 ? boutons[0]->text() : QString(), u"Fermer"_s);
        QTest::mouseClick(boutons[0], Qt::LeftButton);
        QTRY_VERIFY(propre.isNull());
    }

    void fenetreProprietes()
    {
        DossierTest dossier;
        const QString chemin = dossier.fichier(u"outil.sh"_s);
        ecrireOctets(chemin, QByteArray(1536, 'x'));
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::Append) &&
                f.setFileTime(QDateTime(QDate(2021, 7, 14), QTime(10, 30, 5)),
                              QFileDevice::FileModificationTime));
        QVERIFY(QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ExeOwner | QFile::ReadGroup |
                                                  QFile::ExeGroup | QFile::ReadOther));
        // The bits for the current user alone are not the owner's.
        QCOMPARE(permissionsTexte(QFile::ReadUser | QFile::ExeUser), u"---------"_s);
        FenetreProprietes fichier(chemin);
        fichier.setAttribute(Qt::WA_DeleteOnClose, false); // on the stack here
        QCOMPARE(
            valeurs(&fichier, {u"taille"_s, u"modification"_s, u"permissions"_s, u"executable"_s}),
            u"1,5 Ko (1536 octets)|14 juillet 2021 à 10:30:05|rwxr-xr--|Oui"_s);
        QCOMPARE(tailleLisible(0), u"0 octet"_s);
        QCOMPARE(tailleLisible(1023), u"1023 octets"_s);
        QCOMPARE(tailleLisible(1024 * 1024), u"1 Mo (1048576 octets)"_s);
        QCOMPARE(tailleLisible(qint64(5000) << 40), u"5000 To (5497558138880000 octets)"_s);
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
                                          imageUnie(64, 64, qRgb(255, 255, 0))};
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
        // Every picture an SVG embeds is decoded whole to draw it: too many pixels, not drawn.
        const auto incorporee = [](const QByteArray& png) {
            return "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                   "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"10\" height=\"10\">"
                   "<image width=\"10\" height=\"10\" xlink:href=\"data:image/png;base64,\n" +
                   png.toBase64() + "\"/></svg>";
        };
        ligne("svg, image incorporee", u"%1/i.svg"_s, incorporee(imageUnie(20, 20, qRgb(0, 0, 255))),
              bleu);
        ligne("svg, images incorporees trop grandes", u"%1/i.svg"_s,
              incorporee(imageUnie(1100, 1000, 0, "PNG", QImage::Format_Mono)));
        ligne("svg dans un svg, images trop grandes", u"%1/i.svg"_s,
              incorporee(incorporee(imageUnie(1100, 1000, 0, "PNG", QImage::Format_Mono))));
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
    void ouvrirAccepteUnCheminAbsent()
    {
        // A program on a medium that is not mounted can still be chosen.
        DossierTest d;
        const QString absent = d.fichier("absent.exe");
        QTimer::singleShot(0, this, [&] {
            auto* dialogue = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialogue);
            // A dialog that insists on existing files would refuse the path with a message.
            if (dialogue->fileMode() == QFileDialog::ExistingFile ||
                dialogue->fileMode() == QFileDialog::ExistingFiles)
                return dialogue->reject();
            dialogue->selectFile(absent);
            QMetaObject::invokeMethod(dialogue, "accept");
        });
        DialogueFichier dialogue;
        dialogue.titre = "Choisir";
        dialogue.dossierInitial = d.chemin();
        QCOMPARE(PromptsQt().ouvrirFichier(nullptr, dialogue), absent);
    }

    void clavierSansAffichageX11()
    {
        // Offscreen, the X11 interface may be there with no display behind it: nothing is read.
        const auto etat = creerEtatClavier();
        QVERIFY(etat);
        QCOMPARE(etat->majuscules(), std::nullopt);
        QCOMPARE(etat->numerique(), std::nullopt);
    }

private:
    QProcess m_bus;
    QString m_adresseBus;
};

int main(int argc, char** argv)
{
    // Icons are checked at two device pixels per logical pixel, as on a high-density screen.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    TstBureauUnix tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_bureau_unix.moc"
