// The Linux shell for real: programs started through QProcess, documents and addresses handed
// to the desktop, the properties sheet asked over D-Bus or shown by the program itself.

#include "platform/fenetre_proprietes.h"
#include "platform/shell_unix.h"
#include "testsupport.h"

#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
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

// A file manager on a private bus, answering as the test wishes.
class FauxGestionnaire : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    enum class Reponse { Ok, Erreur, Aucune };
    Q_ENUM(Reponse)
    Reponse reponse = Reponse::Ok;
    int appels = 0;
    QStringList uris;
    QString idDemarrage;
public slots:
    void ShowItemProperties(const QStringList& u, const QString& id)
    {
        ++appels;
        uris = u;
        idDemarrage = id;
        if (reponse == Reponse::Erreur)
            sendErrorReply(QDBusError::Failed, u"échec"_s);
        else if (reponse == Reponse::Aucune)
            setDelayedReply(true); // and never answered
    }
};

// A message bus of the test's own, with no service that could be activated.
class BusPrive {
public:
    ~BusPrive()
    {
        QDBusConnection::disconnectFromBus(u"client"_s);
        QDBusConnection::disconnectFromBus(u"fournisseur"_s);
        m_demon.terminate();
        m_demon.waitForFinished();
    }

    // "" when the bus started; else why it did not.
    QString demarrer(const test::DossierTest& dossier)
    {
        const QString programme = QStandardPaths::findExecutable(u"dbus-daemon"_s);
        if (programme.isEmpty())
            return u"dbus-daemon is not installed"_s;
        const QString config = dossier.fichier(u"bus.conf"_s);
        test::ecrireOctets(config,
                           "<!DOCTYPE busconfig PUBLIC "
                           "\"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
                           "\"http://www.freedesktop.org/standards/dbus/1.0/"
                           "busconfig.dtd\">\n<busconfig><type>session</type>"
                           "<auth>EXTERNAL</auth><listen>unix:path=" +
                               dossier.fichier(u"bus"_s).toUtf8() +
                               "</listen><policy context=\"default\">"
                               "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
                               "<allow own=\"*\"/>"
                               "</policy></busconfig>\n");
        m_demon.start(programme, {u"--config-file="_s + config, u"--nofork"_s, u"--nopidfile"_s,
                                  u"--print-address"_s});
        while (!m_demon.canReadLine())
            if (!m_demon.waitForReadyRead(30000))
                return u"dbus-daemon did not start"_s;
        m_adresse = QString::fromUtf8(m_demon.readLine().trimmed());
        return {};
    }

    QDBusConnection connexion(const QString& nom) const
    {
        return QDBusConnection::connectToBus(m_adresse, nom);
    }

private:
    QProcess m_demon;
    QString m_adresse;
};

// A shell script that writes its working folder and its arguments, one a line, to `sortie`.
QString creerScript(const QString& chemin, const QString& sortie)
{
    test::ecrireOctets(chemin, "#!/bin/sh\n"
                               "sortie='" +
                                   sortie.toUtf8() +
                                   "'\n"
                                   "{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } "
                                   "> \"$sortie.tmp\"\n"
                                   "mv \"$sortie.tmp\" \"$sortie\"\n");
    QFile::setPermissions(chemin, QFile::permissions(chemin) | QFile::ExeOwner);
    return chemin;
}

QByteArray sortieAttendue(const QString& dossier, const QStringList& arguments)
{
    QByteArray octets = QFileInfo(dossier).canonicalFilePath().toUtf8() + '\n';
    for (const QString& a : arguments)
        octets += a.toUtf8() + '\n';
    return octets;
}

// A path as a double-quoted argument of an Exec line, as it is written in the file.
QString guillemetsExec(QString texte)
{
    texte.replace(u"\\"_s, u"\\\\\\\\"_s);
    for (const QString& c : {u"\""_s, u"`"_s, u"$"_s})
        texte.replace(c, u"\\\\"_s + c);
    return u'"' + texte + u'"';
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
    void lancerExecutable_data();
    void lancerExecutable();
    void lancerEntreeBureau();
    void lancerIntrouvable();
    void lancerEchec();
    void ouvrirDocument();
    void ouvrirAdresse();

    void proprietesSansBus();
    void proprietesSansGestionnaire();
    void proprietesGestionnaire();
    void proprietesGestionnaireEnEchec_data();
    void proprietesGestionnaireEnEchec();

    void fenetreFichier();
    void fenetreIntrouvable();
    void fenetreLien();
    void fenetreFermer();
    void tailles_data();
    void tailles();
    void permissions_data();
    void permissions();

private:
    test::DossierTest m_dossier;
};

void TestShellUnix::lancerExecutable_data()
{
    // "@" stands for the test's folder: a command that ran would leave a file there.
    QTest::addColumn<QString>("commande");
    QTest::addColumn<QStringList>("attendu");
    QTest::newRow("sans argument") << QString() << QStringList();
    QTest::newRow("blancs et guillemets")
        << uR"("un  deux" trois)"_s << QStringList{u"un  deux"_s, u"trois"_s};
    QTest::newRow("guillemets triplés") << uR"("dit """oui"""")"_s << QStringList{u"dit \"oui\""_s};
    QTest::newRow("point-virgule")
        << u"a ; touch @/pirate"_s << QStringList{u"a"_s, u";"_s, u"touch"_s, u"@/pirate"_s};
    QTest::newRow("substitution") << u"\"$(touch @/pirate)\""_s
                                  << QStringList{u"$(touch @/pirate)"_s};
    QTest::newRow("apostrophes inverses")
        << u"`touch @/pirate`"_s << QStringList{u"`touch"_s, u"@/pirate`"_s};
    QTest::newRow("apostrophes et redirection")
        << u"'a b' > @/pirate | cat && x"_s
        << QStringList{u"'a"_s, u"b'"_s, u">"_s, u"@/pirate"_s, u"|"_s, u"cat"_s, u"&&"_s, u"x"_s};
}

void TestShellUnix::lancerExecutable()
{
    QFETCH(QString, commande);
    QFETCH(QStringList, attendu);
    test::DossierTest racine;
    const QString dossier = racine.fichier(u"mon dossier ; $(touch pirate) `x`"_s);
    QVERIFY(QDir().mkpath(dossier));
    const QString sortie = racine.fichier(u"sortie.txt"_s);
    const QString script = creerScript(dossier + u"/mon script"_s, sortie);
    commande.replace(u'@', racine.chemin());
    attendu.replaceInStrings(u"@"_s, racine.chemin());

    ShellUnix shell;
    const ResultatLancement r = shell.lancer(script, commande, Affichage::Normale);
    QVERIFY2(r.ok, qPrintable(r.erreur));
    QTRY_COMPARE(test::lireOctets(sortie), sortieAttendue(dossier, attendu));
    QVERIFY(!QFile::exists(racine.fichier(u"pirate"_s)));
    QVERIFY(!QFile::exists(dossier + u"/pirate"_s));
}

void TestShellUnix::lancerEntreeBureau()
{
    test::DossierTest racine;
    const QString sortie = racine.fichier(u"sortie.txt"_s);
    const QString dossierScript = racine.fichier(u"bin $x `y` \"z\""_s);
    const QString travail = racine.fichier(u"travail ici"_s);
    QVERIFY(QDir().mkpath(dossierScript));
    QVERIFY(QDir().mkpath(travail));
    const QString script = creerScript(dossierScript + u"/outil"_s, sortie);
    const QString entree = racine.fichier(u"outil.desktop"_s);
    // "sh" is found through PATH; the script's path is quoted by the Exec rules.
    test::ecrireOctets(entree, "[Desktop Entry]\nType=Application\nName=Outil\nExec=sh " +
                                   guillemetsExec(script).toUtf8() +
                                   " --premier %F\nPath=" + travail.toUtf8() + "\n");

    ShellUnix shell;
    const ResultatLancement r =
        shell.lancer(entree, u"\"fichier un.txt\" $(touch pirate)"_s, Affichage::Reduite);
    QVERIFY2(r.ok, qPrintable(r.erreur));
    QTRY_COMPARE(
        test::lireOctets(sortie),
        sortieAttendue(travail, {u"--premier"_s, u"fichier un.txt"_s, u"$(touch"_s, u"pirate)"_s}));
    QVERIFY(!QFile::exists(travail + u"/pirate"_s));
}

void TestShellUnix::lancerIntrouvable()
{
    ShellUnix shell;
    const ResultatLancement r =
        shell.lancer(m_dossier.fichier(u"absent"_s), u"a"_s, Affichage::Normale);
    QVERIFY(!r.ok);
    QCOMPARE(r.erreur, u"fichier introuvable"_s);
}

void TestShellUnix::lancerEchec()
{
    test::DossierTest dossier;
    const QString entree = dossier.fichier(u"absent.desktop"_s);
    test::ecrireOctets(entree, "[Desktop Entry]\nType=Application\n"
                               "Exec=/programme/qui/n/existe/pas %f\n");
    ShellUnix shell;
    const ResultatLancement r = shell.lancer(entree, QString(), Affichage::Normale);
    QVERIFY(!r.ok);
    QCOMPARE(r.erreur, u"le programme n'a pas pu être démarré"_s);
}

void TestShellUnix::ouvrirDocument()
{
    test::DossierTest dossier;
    const QString document = dossier.fichier(u"lettre à Jean.odt"_s);
    test::ecrireOctets(document, "PK");
    Ouvreur ouvreur;
    QDesktopServices::setUrlHandler(u"file"_s, &ouvreur, "ouvrir");
    ShellUnix shell;
    const ResultatLancement rDocument = shell.lancer(document, u"-x"_s, Affichage::Normale);
    const ResultatLancement rDossier =
        shell.lancer(dossier.chemin(), QString(), Affichage::Normale);
    QDesktopServices::unsetUrlHandler(u"file"_s);
    QVERIFY(rDocument.ok);
    QVERIFY(rDossier.ok);
    QCOMPARE(ouvreur.adresses,
             (QList<QUrl>{QUrl::fromLocalFile(document), QUrl::fromLocalFile(dossier.chemin())}));
}

void TestShellUnix::ouvrirAdresse()
{
    Ouvreur ouvreur;
    QDesktopServices::setUrlHandler(u"https"_s, &ouvreur, "ouvrir");
    ShellUnix shell;
    const bool ok = shell.ouvrirAdresse(u"https://lanceron.example.org/aide?page=1"_s);
    QDesktopServices::unsetUrlHandler(u"https"_s);
    QVERIFY(ok);
    QCOMPARE(ouvreur.adresses, QList<QUrl>{QUrl(u"https://lanceron.example.org/aide?page=1"_s)});
}

void TestShellUnix::proprietesSansBus()
{
    const QString chemin = m_dossier.fichier(u"programme absent"_s);
    ShellUnix shell(QDBusConnection(u"aucune connexion"_s));
    QWidget parent;
    shell.proprietes(&parent, chemin);
    auto* fenetre = parent.findChild<FenetreProprietes*>();
    QVERIFY(fenetre);
    QVERIFY(fenetre->isVisible());
    QVERIFY(!fenetre->isModal());
    QCOMPARE(valeur(fenetre, u"chemin"_s), chemin);
}

void TestShellUnix::proprietesSansGestionnaire()
{
    test::DossierTest dossier;
    BusPrive bus;
    if (const QString raison = bus.demarrer(dossier); !raison.isEmpty())
        QSKIP(qPrintable(raison));
    ShellUnix shell(bus.connexion(u"client"_s));
    QWidget parent;
    shell.proprietes(&parent, m_dossier.fichier(u"x"_s));
    QTRY_VERIFY(parent.findChild<FenetreProprietes*>());
}

void TestShellUnix::proprietesGestionnaire()
{
    test::DossierTest dossier;
    BusPrive bus;
    if (const QString raison = bus.demarrer(dossier); !raison.isEmpty())
        QSKIP(qPrintable(raison));
    FauxGestionnaire gestionnaire;
    QDBusConnection fournisseur = bus.connexion(u"fournisseur"_s);
    QVERIFY(fournisseur.registerObject(u"/org/freedesktop/FileManager1"_s, &gestionnaire,
                                       QDBusConnection::ExportAllSlots));
    QVERIFY(fournisseur.registerService(u"org.freedesktop.FileManager1"_s));

    // The stored path goes as it is, whether the file exists or not.
    const QString chemin = dossier.fichier(u"mon programme é#1"_s);
    ShellUnix shell(bus.connexion(u"client"_s));
    QWidget parent;
    shell.proprietes(&parent, chemin);
    QTRY_COMPARE(gestionnaire.appels, 1);
    QCOMPARE(gestionnaire.uris, QStringList{QUrl::fromLocalFile(chemin).toString()});
    QCOMPARE(QUrl(gestionnaire.uris.value(0)).toLocalFile(), chemin);
    QCOMPARE(gestionnaire.idDemarrage, QString());
    // Once the answer is in, the call is forgotten and no window of our own is shown.
    QTRY_VERIFY(!parent.findChild<QDBusPendingCallWatcher*>());
    QVERIFY(!parent.findChild<FenetreProprietes*>());
}

void TestShellUnix::proprietesGestionnaireEnEchec_data()
{
    QTest::addColumn<FauxGestionnaire::Reponse>("reponse");
    QTest::newRow("erreur") << FauxGestionnaire::Reponse::Erreur;
    QTest::newRow("pas de réponse") << FauxGestionnaire::Reponse::Aucune;
}

void TestShellUnix::proprietesGestionnaireEnEchec()
{
    QFETCH(FauxGestionnaire::Reponse, reponse);
    test::DossierTest dossier;
    BusPrive bus;
    if (const QString raison = bus.demarrer(dossier); !raison.isEmpty())
        QSKIP(qPrintable(raison));
    FauxGestionnaire gestionnaire;
    gestionnaire.reponse = reponse;
    QDBusConnection fournisseur = bus.connexion(u"fournisseur"_s);
    QVERIFY(fournisseur.registerObject(u"/org/freedesktop/FileManager1"_s, &gestionnaire,
                                       QDBusConnection::ExportAllSlots));
    QVERIFY(fournisseur.registerService(u"org.freedesktop.FileManager1"_s));

    ShellUnix shell(bus.connexion(u"client"_s));
    QWidget parent;
    const QString chemin = dossier.fichier(u"x"_s);
    shell.proprietes(&parent, chemin);
    // The launcher goes on at once; the window comes with the error or when time is up.
    QVERIFY(!parent.findChild<FenetreProprietes*>());
    QTRY_VERIFY_WITH_TIMEOUT(parent.findChild<FenetreProprietes*>(),
                             10 * ShellUnix::DelaiGestionnaireMs);
    QCOMPARE(gestionnaire.appels, 1);
    QCOMPARE(valeur(parent.findChild<FenetreProprietes*>(), u"chemin"_s), chemin);
}

void TestShellUnix::fenetreFichier()
{
    const QString chemin = m_dossier.fichier(u"outil.sh"_s);
    test::ecrireOctets(chemin, QByteArray(1536, 'x'));
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime(QDate(2021, 7, 14), QTime(10, 30, 5)),
                          QFileDevice::FileModificationTime));
    f.close();
    QVERIFY(QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadGroup | QFile::ExeGroup |
                                              QFile::ReadOther));

    FenetreProprietes fenetre(chemin);
    fenetre.setAttribute(Qt::WA_DeleteOnClose, false); // on the stack here
    QCOMPARE(fenetre.windowTitle(), u"Propriétés de outil.sh"_s);
    QCOMPARE(valeur(&fenetre, u"nom"_s), u"outil.sh"_s);
    QCOMPARE(valeur(&fenetre, u"chemin"_s), chemin);
    QCOMPARE(valeur(&fenetre, u"taille"_s), u"1,5 Ko (1536 octets)"_s);
    QCOMPARE(valeur(&fenetre, u"modification"_s), u"14 juillet 2021 à 10:30:05"_s);
    QCOMPARE(valeur(&fenetre, u"permissions"_s), u"rwxr-xr--"_s);
    QCOMPARE(valeur(&fenetre, u"executable"_s), u"Oui"_s);
    QVERIFY(!valeur(&fenetre, u"type"_s).isEmpty());
    QVERIFY(!fenetre.findChild<QLabel*>(u"introuvable"_s));
    QVERIFY(!fenetre.findChild<QLabel*>(u"cible"_s));

    QVERIFY(QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner));
    FenetreProprietes nonExecutable(chemin);
    nonExecutable.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(valeur(&nonExecutable, u"executable"_s), u"Non"_s);
}

void TestShellUnix::fenetreIntrouvable()
{
    const QString chemin = m_dossier.fichier(u"parti.exe"_s);
    FenetreProprietes fenetre(chemin);
    fenetre.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(fenetre.windowTitle(), u"Propriétés de parti.exe"_s);
    QCOMPARE(valeur(&fenetre, u"introuvable"_s), u"Fichier introuvable"_s);
    QCOMPARE(valeur(&fenetre, u"nom"_s), u"parti.exe"_s);
    QCOMPARE(valeur(&fenetre, u"chemin"_s), chemin);
    QVERIFY(!fenetre.findChild<QLabel*>(u"taille"_s));
}

void TestShellUnix::fenetreLien()
{
    const QString cible = m_dossier.fichier(u"vrai"_s);
    const QString lien = m_dossier.fichier(u"raccourci"_s);
    test::ecrireOctets(cible, "abc");
    QVERIFY(QFile::link(cible, lien));
    FenetreProprietes fenetre(lien);
    fenetre.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(valeur(&fenetre, u"cible"_s), cible);
    QCOMPARE(valeur(&fenetre, u"taille"_s), u"3 octets"_s);

    QVERIFY(QFile::remove(cible));
    FenetreProprietes casse(lien);
    casse.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(valeur(&casse, u"cible"_s), cible);
    QCOMPARE(valeur(&casse, u"introuvable"_s), u"Fichier introuvable"_s);
}

void TestShellUnix::fenetreFermer()
{
    QPointer<FenetreProprietes> fenetre = new FenetreProprietes(m_dossier.chemin());
    fenetre->show();
    QPushButton* fermer = nullptr;
    for (auto* bouton : fenetre->findChildren<QPushButton*>())
        if (bouton->text() == u"Fermer")
            fermer = bouton;
    QVERIFY(fermer);
    QTest::mouseClick(fermer, Qt::LeftButton);
    QTRY_VERIFY(fenetre.isNull());
}

void TestShellUnix::tailles_data()
{
    QTest::addColumn<qint64>("octets");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("0") << qint64(0) << u"0 octet"_s;
    QTest::newRow("2") << qint64(2) << u"2 octets"_s;
    QTest::newRow("1023") << qint64(1023) << u"1023 octets"_s;
    QTest::newRow("1024") << qint64(1024) << u"1 Ko (1024 octets)"_s;
    QTest::newRow("1536") << qint64(1536) << u"1,5 Ko (1536 octets)"_s;
    QTest::newRow("1 Mo") << qint64(1024 * 1024) << u"1 Mo (1048576 octets)"_s;
    QTest::newRow("5 Go") << qint64(5) * 1024 * 1024 * 1024 << u"5 Go (5368709120 octets)"_s;
    QTest::newRow("5000 To") << qint64(5000) * 1024 * 1024 * 1024 * 1024
                             << u"5000 To (5497558138880000 octets)"_s;
}

void TestShellUnix::tailles()
{
    QFETCH(qint64, octets);
    QFETCH(QString, attendu);
    QCOMPARE(tailleLisible(octets), attendu);
}

void TestShellUnix::permissions_data()
{
    QTest::addColumn<QFileDevice::Permissions>("permissions");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("aucune") << QFileDevice::Permissions() << u"---------"_s;
    QTest::newRow("644") << (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                             QFile::ReadOther)
                         << u"rw-r--r--"_s;
    QTest::newRow("751") << (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                             QFile::ReadGroup | QFile::ExeGroup | QFile::ExeOther)
                         << u"rwxr-x--x"_s;
    // The bits for the current user are not the owner's.
    QTest::newRow("utilisateur seul")
        << QFileDevice::Permissions(QFile::ReadUser | QFile::ExeUser) << u"---------"_s;
}

void TestShellUnix::permissions()
{
    QFETCH(QFileDevice::Permissions, permissions);
    QFETCH(QString, attendu);
    QCOMPARE(permissionsTexte(permissions), attendu);
}

QTEST_MAIN(TestShellUnix)
#include "tst_shell_unix.moc"
