// The Linux shell for real: programs started through QProcess, documents and addresses handed
// to the desktop, the properties sheet asked over D-Bus or shown by the program itself.

#include "platform/fenetre_proprietes.h"
#include "platform/shell_unix.h"
#include "testsupport.h"

#include <QDBusContext>
#include <QDBusPendingCallWatcher>
#include <QDBusServer>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

using namespace lanceron;
using namespace Qt::StringLiterals;

namespace {

// Receives what the desktop would be asked to open.
class Ouvreur : public QObject {
    Q_OBJECT
public:
    QList<QUrl> adresses;
public slots:
    void ouvrir(const QUrl& adresse) { adresses.append(adresse); }
};

// A file manager at the other end of a D-Bus connection, answering as the test wishes.
class FauxGestionnaire : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    enum class Reponse { Ok, Erreur, Aucune };
    Q_ENUM(Reponse)
    Reponse reponse = Reponse::Ok;
    QStringList uris; // of every call
public slots:
    void ShowItemProperties(const QStringList& u, const QString&)
    {
        uris += u;
        if (reponse == Reponse::Erreur)
            sendErrorReply(QDBusError::Failed, u"échec"_s);
        else if (reponse == Reponse::Aucune)
            setDelayedReply(true); // and never answered
    }
};

// An application that the session bus starts, as the desktop asks it.
class FausseApplication : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    QStringList ouverts;
public slots:
    void Open(const QStringList& uris, const QVariantMap&) { ouverts << uris; }
};

// An executable script that writes its working folder (unless `sansDossier`) and its arguments,
// one a line, to its own path followed by ".txt".
void creerScript(const QString& chemin, bool sansDossier = false)
{
    test::ecrireOctets(chemin, "#!/bin/sh\n{ " + QByteArray(sansDossier ? "" : "pwd; ") +
                                   "for a; do printf '%s\\n' \"$a\"; done; } >\"$0.tmp\"\n"
                                   "/bin/mv \"$0.tmp\" \"$0.txt\"\n");
    QFile::setPermissions(chemin, QFile::permissions(chemin) | QFile::ExeOwner);
}

QByteArray sortieAttendue(const QString& dossier, const QStringList& arguments)
{
    return (QFileInfo(dossier).canonicalFilePath() + u'\n' + arguments.join(u'\n')).toUtf8() +
           (arguments.isEmpty() ? "" : "\n");
}

QString valeur(const QWidget* fenetre, const QString& nom)
{
    const auto* etiquette = fenetre->findChild<QLabel*>(nom);
    return etiquette ? etiquette->text() : u"<absent>"_s;
}

} // namespace

class TestShellUnix : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A session bus of the test's own, for the applications started over D-Bus.
        m_bus.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s});
        QVERIFY2(m_bus.waitForReadyRead(10000), "dbus-daemon");
        m_adresseBus = QString::fromUtf8(m_bus.readLine().trimmed());
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_adresseBus.toUtf8());
    }

    void cleanupTestCase()
    {
        m_bus.kill();
        m_bus.waitForFinished();
    }

    void cleanup() { QDBusConnection::disconnectFromPeer(u"client"_s); }
    void lancerExecutable_data()
    {
        // A command that ran would leave a file in the program's folder, its working folder.
        QTest::addColumn<QString>("commande");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("sans argument") << QString() << QStringList();
        QTest::newRow("blancs et guillemets")
            << uR"("un  deux" trois "dit """oui"""" $(touch p2) ; `touch p3` 'a b' > p4 | x)"_s
            << QStringList{u"un  deux"_s, u"trois"_s,  u"dit \"oui\""_s, u"$(touch"_s, u"p2)"_s,
                           u";"_s,        u"`touch"_s, u"p3`"_s,         u"'a"_s,      u"b'"_s,
                           u">"_s,        u"p4"_s,     u"|"_s,           u"x"_s};
    }

    void lancerExecutable()
    {
        QFETCH(QString, commande);
        QFETCH(QStringList, attendu);
        test::DossierTest racine;
        const QString dossier = racine.fichier(u"mon dossier ; $(touch p5) `x`"_s);
        QVERIFY(QDir().mkpath(dossier));
        const QString script = dossier + u"/mon script"_s;
        creerScript(script);

        const ResultatLancement r = ShellUnix().lancer(script, commande, Affichage::Normale);
        QVERIFY2(r.ok, qPrintable(r.erreur));
        QTRY_COMPARE(test::lireOctets(script + u".txt"_s), sortieAttendue(dossier, attendu));
        QCOMPARE(QDir(dossier).entryList(QDir::Files),
                 (QStringList{u"mon script"_s, u"mon script.txt"_s}));
    }

    void lancerEntreeBureau_data()
    {
        // `entree`: the lines of the entry after its Type; %1 stands for the script, %2 for the
        // working folder (Path=, else the home folder). `attendu`: what the script receives,
        // '|' between arguments.
        QTest::addColumn<QByteArray>("entree");
        QTest::addColumn<QString>("commande");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("fichiers et adresses, entiers")
            << QByteArray("Exec=sh \"%1\" --premier %U\nPath=%2\n")
            << u"\"fichier un.txt\" $(touch pirate) `id` /tmp/a'b https://exemple.org/?q=a+b"_s
            << u"--premier|%2/fichier un.txt|%2/$(touch|%2/pirate)|%2/`id`|/tmp/a'b|"
               u"https://exemple.org/?q=a+b"_s;
        QTest::newRow("sans Path ni code")
            << QByteArray("Exec=\"%1\" -v\n") << u"a"_s << u"-v|%2/a"_s;
        QTest::newRow("sans argument")
            << QByteArray("Exec=\"%1\" %f\nTryExec=sh\n") << QString() << QString();
    }

    void lancerEntreeBureau()
    {
        QFETCH(QByteArray, entree);
        QFETCH(QString, commande);
        QFETCH(QString, attendu);
        test::DossierTest racine;
        const QString travail =
            entree.contains("Path=") ? racine.fichier(u"travail ici"_s) : QDir::homePath();
        QVERIFY(QDir().mkpath(travail));
        const QString script = racine.fichier(u"mon outil"_s);
        creerScript(script);
        const QString chemin = racine.fichier(u"outil.desktop"_s);
        test::ecrireOctets(chemin,
                           "[Desktop Entry]\nType=Application\n" + QString::fromUtf8(entree)
                                                                       .replace(u"%1"_s, script)
                                                                       .replace(u"%2"_s, travail)
                                                                       .toUtf8());

        const ResultatLancement r = ShellUnix().lancer(chemin, commande, Affichage::Reduite);
        QVERIFY2(r.ok, qPrintable(r.erreur));
        const QStringList arguments =
            attendu.isEmpty() ? QStringList() : attendu.replace(u"%2"_s, travail).split(u'|');
        QTRY_COMPARE(test::lireOctets(script + u".txt"_s), sortieAttendue(travail, arguments));
        QVERIFY(!QFile::exists(travail + u"/pirate"_s));
    }

    void lancerDansUnTerminal()
    {
        // The desktop's terminal emulator: here the only one on the PATH, an "xterm" that writes
        // its arguments.
        test::DossierTest racine;
        const QString terminal = racine.fichier(u"xterm"_s);
        creerScript(terminal, true);
        const QString chemin = racine.fichier(u"top.desktop"_s);
        test::ecrireOctets(chemin, "[Desktop Entry]\nType=Application\nTerminal=true\n"
                                   "Exec=/bin/true -d %f\n");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(racine.chemin()));
        const ResultatLancement r =
            ShellUnix().lancer(chemin, u"\"/tmp/a b\""_s, Affichage::Normale);
        qputenv("PATH", path);
        QVERIFY2(r.ok, qPrintable(r.erreur));
        QTRY_COMPARE(test::lireOctets(terminal + u".txt"_s),
                     QByteArray("-e\n/bin/true\n-d\n/tmp/a b\n"));
    }

    void lancerParDBus()
    {
        // An application that the session bus reaches: it is asked to open the files, and its
        // Exec line is not run.
        test::DossierTest racine;
        FausseApplication application;
        QDBusConnection bus = QDBusConnection::connectToBus(m_adresseBus, u"application"_s);
        QVERIFY(bus.registerObject(u"/org/lanceron/Essai"_s, &application,
                                   QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService(u"org.lanceron.Essai"_s));
        const QString chemin = racine.fichier(u"org.lanceron.Essai.desktop"_s);
        const QString temoin = racine.fichier(u"exec"_s);
        test::ecrireOctets(chemin, "[Desktop Entry]\nType=Application\nDBusActivatable=true\n"
                                   "Exec=touch " +
                                       temoin.toUtf8() + "\n");
        const ResultatLancement r =
            ShellUnix().lancer(chemin, u"\"/tmp/a b\""_s, Affichage::Normale);
        QVERIFY2(r.ok, qPrintable(r.erreur));
        QTRY_COMPARE(application.ouverts, QStringList{u"file:///tmp/a%20b"_s});
        QDBusConnection::disconnectFromBus(u"application"_s);
        QVERIFY(!QFile::exists(temoin));
    }

    void lancerEnEchec_data()
    {
        // `contenu`: the entry written to `nom`, after its group line.
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QString>("erreur");
        QTest::newRow("programme absent")
            << u"outil.desktop"_s << QByteArray("Type=Application\nExec=/programme/absent %f\n")
            << u"programme introuvable : /programme/absent"_s;
        QTest::newRow("TryExec absent")
            << u"outil.desktop"_s
            << QByteArray("Type=Application\nTryExec=/nulle/part/outil\nExec=true\n")
            << u"programme introuvable : /nulle/part/outil"_s;
        QTest::newRow("Exec invalide")
            << u"outil.desktop"_s << QByteArray("Type=Application\nExec=\"true\n")
            << u"ligne Exec invalide"_s;
        QTest::newRow("lien") << u"site.desktop"_s
                              << QByteArray("Type=Link\nURL=https://exemple.org\n")
                              << u"ce n'est pas une application"_s;
        QTest::newRow("service D-Bus absent")
            << u"org.lanceron.Absent.desktop"_s
            << QByteArray("Type=Application\nDBusActivatable=true\nExec=true\n")
            << u"le service D-Bus « org.lanceron.Absent » est introuvable"_s;
    }

    void lancerEnEchec()
    {
        QFETCH(QString, nom);
        QFETCH(QByteArray, contenu);
        QFETCH(QString, erreur);
        test::DossierTest dossier;
        test::ecrireOctets(dossier.fichier(nom), "[Desktop Entry]\n" + contenu);
        const ResultatLancement r =
            ShellUnix().lancer(dossier.fichier(nom), u"a"_s, Affichage::Normale);
        QVERIFY(!r.ok);
        QCOMPARE(r.erreur, erreur);
    }

    void ouvrirParLeBureau()
    {
        test::DossierTest dossier;
        const QString document = dossier.fichier(u"lettre à Jean.odt"_s);
        test::ecrireOctets(document, "PK");
        const QString adresse = u"https://lanceron.example.org/aide?page=1"_s;
        Ouvreur ouvreur;
        QDesktopServices::setUrlHandler(u"file"_s, &ouvreur, "ouvrir");
        QDesktopServices::setUrlHandler(u"https"_s, &ouvreur, "ouvrir");
        ShellUnix shell;
        const bool ok = shell.lancer(document, u"-x"_s, Affichage::Normale).ok &&
                        shell.lancer(dossier.chemin(), QString(), Affichage::Normale).ok &&
                        shell.ouvrirAdresse(adresse);
        QDesktopServices::unsetUrlHandler(u"file"_s);
        QDesktopServices::unsetUrlHandler(u"https"_s);
        QVERIFY(ok);
        QCOMPARE(ouvreur.adresses,
                 (QList<QUrl>{QUrl::fromLocalFile(document), QUrl::fromLocalFile(dossier.chemin()),
                              QUrl(adresse)}));
    }

    void proprietesParLeBus_data()
    {
        QTest::addColumn<FauxGestionnaire::Reponse>("reponse"); // none: no bus at all
        QTest::addColumn<bool>("fenetre");                      // the program's own window is shown
        QTest::newRow("sans bus") << FauxGestionnaire::Reponse{-1} << true;
        QTest::newRow("gestionnaire") << FauxGestionnaire::Reponse::Ok << false;
        QTest::newRow("erreur") << FauxGestionnaire::Reponse::Erreur << true;
        QTest::newRow("pas de réponse") << FauxGestionnaire::Reponse::Aucune << true;
    }

    void proprietesParLeBus()
    {
        QFETCH(FauxGestionnaire::Reponse, reponse);
        QFETCH(bool, fenetre);
        test::DossierTest dossier;
        // The file manager at the other end of a private connection.
        QDBusServer serveur;
        FauxGestionnaire faux;
        faux.reponse = reponse;
        bool pret = false;
        connect(&serveur, &QDBusServer::newConnection, &faux, [&](QDBusConnection c) {
            pret = c.registerObject(u"/org/freedesktop/FileManager1"_s, &faux,
                                    QDBusConnection::ExportAllSlots);
        });
        const bool sansBus = int(reponse) < 0;
        ShellUnix shell(sansBus ? QDBusConnection(u"aucune connexion"_s)
                                : QDBusConnection::connectToPeer(serveur.address(), u"client"_s));
        QTRY_VERIFY(pret || sansBus);

        // The stored path goes as it is, here a link to a file that is gone.
        const QString chemin = dossier.fichier(u"mon lien é#1"_s);
        QVERIFY(QFile::link(dossier.fichier(u"parti"_s), chemin));
        QWidget parent;
        shell.proprietes(&parent, chemin);
        // The launcher goes on at once; the answer, an error or the time limit decides later.
        QCOMPARE(parent.findChild<FenetreProprietes*>() != nullptr, sansBus);
        QTRY_VERIFY_WITH_TIMEOUT(!parent.findChild<QDBusPendingCallWatcher*>(),
                                 10 * ShellUnix::DelaiGestionnaireMs);
        QCOMPARE(faux.uris,
                 sansBus ? QStringList() : QStringList{QUrl::fromLocalFile(chemin).toString()});
        QPointer<FenetreProprietes> propre = parent.findChild<FenetreProprietes*>();
        QCOMPARE(propre != nullptr, fenetre);
        if (!propre)
            return;
        QVERIFY(propre->isVisible() && !propre->isModal());
        QCOMPARE(propre->windowTitle(), u"Propriétés de mon lien é#1"_s);
        QCOMPARE(valeur(propre, u"chemin"_s), chemin);
        QCOMPARE(valeur(propre, u"cible"_s), dossier.fichier(u"parti"_s));
        QCOMPARE(valeur(propre, u"introuvable"_s), u"Fichier introuvable"_s);
        // "Fermer", its only button, closes and unloads it.
        const auto boutons = propre->findChildren<QPushButton*>();
        QCOMPARE(boutons.size(), 1);
        QCOMPARE(boutons[0]->text(), u"Fermer"_s);
        QTest::mouseClick(boutons[0], Qt::LeftButton);
        QTRY_VERIFY(propre.isNull());
    }

    void fenetreFichier()
    {
        test::DossierTest dossier;
        const QString chemin = dossier.fichier(u"outil.sh"_s);
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(QByteArray(1536, 'x')) == 1536 &&
                f.flush());
        QVERIFY(f.setFileTime(QDateTime(QDate(2021, 7, 14), QTime(10, 30, 5)),
                              QFileDevice::FileModificationTime));
        f.close();
        QVERIFY(QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ExeOwner | QFile::ReadGroup |
                                                  QFile::ExeGroup | QFile::ReadOther));
        // The bits for the current user alone are not the owner's.
        QCOMPARE(permissionsTexte(QFile::ReadUser | QFile::ExeUser), u"---------"_s);

        FenetreProprietes fenetre(chemin);
        fenetre.setAttribute(Qt::WA_DeleteOnClose, false); // on the stack here
        QCOMPARE(valeur(&fenetre, u"taille"_s), u"1,5 Ko (1536 octets)"_s);
        QCOMPARE(valeur(&fenetre, u"modification"_s), u"14 juillet 2021 à 10:30:05"_s);
        QCOMPARE(valeur(&fenetre, u"permissions"_s), u"rwxr-xr--"_s);
        QCOMPARE(valeur(&fenetre, u"executable"_s), u"Oui"_s);
        QCOMPARE(tailleLisible(0), u"0 octet"_s);
        QCOMPARE(tailleLisible(1023), u"1023 octets"_s);
        QCOMPARE(tailleLisible(1024 * 1024), u"1 Mo (1048576 octets)"_s);
        QCOMPARE(tailleLisible(qint64(5000) << 40), u"5000 To (5497558138880000 octets)"_s);
    }

private:
    QProcess m_bus;
    QString m_adresseBus;
};

QTEST_MAIN(TestShellUnix)
#include "tst_shell_unix.moc"
