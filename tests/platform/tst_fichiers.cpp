// Files as the launcher meets them: desktop entries as the desktop reads them (names in the
// user's language, French here from the test's environment; hidden entries; the installed
// applications), what starting a file means, renaming without ever replacing a file,
// deleting without a trash, file names that are not UTF-8, French reasons, the
// single-instance guard.

#include "platform/chemins_natifs.h"
#include "platform/entrees_bureau.h"
#include "platform/fichiers.h"
#include "platform/instance_unique.h"
#include "platform/lancement.h"
#include "testsupport.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

using namespace lanceron;
using namespace Qt::StringLiterals;
using Issue = ResultatRenommage::Issue;
using Sorte = PlanLancement::Sorte;

class TstFichiers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QCOMPARE(qgetenv("LANGUAGE"), QByteArray("fr"));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(m_systeme.chemin()));
        qunsetenv("XDG_CURRENT_DESKTOP");
        // The installed applications, written before GIO first looks at the folders: it watches
        // them afterwards, and a change would reach it only through its event loop.
        QVERIFY(QDir().mkpath(utilisateur()) && QDir().mkpath(systeme()));
        const std::pair<QString, QByteArray> entrees[] = {
            {utilisateur() + u"/zebre.desktop"_s, "Name=Zebra\nName[fr]=Zèbre\n"},
            {utilisateur() + u"/alpha.desktop"_s, "Name=Alpha\nCategories=Game;\n"},
            {utilisateur() + u"/outil.desktop"_s, "Name=Outil\nNoDisplay=true\n"},
            {utilisateur() + u"/efface.desktop"_s, "Name=Effacé\nHidden=true\n"},
            {systeme() + u"/efface.desktop"_s, "Name=Système\n"},
            {systeme() + u"/beta.desktop"_s, "Name=Bêta\n"},
            {systeme() + u"/absent.desktop"_s, "Name=Absent\nTryExec=/nulle/part\n"}};
        for (const auto& [chemin, lignes] : entrees)
            test::ecrireOctets(chemin, "[Desktop Entry]\nType=Application\nExec=true\n" + lignes);
    }

    void lire_data()
    {
        // `contenu` after "[Desktop Entry]" (and "Type=Application", "Exec=true" unless it gives a
        // Type); null for a named pipe. `attendu`: name | icon | categories | hidden, or null when
        // the file gives no entry.
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("nom français")
            << QByteArray("Name=Firefox ESR\nName[fr]=Navigateur Firefox\nName[de]=Netz\n"
                          "Icon=firefox-esr\nCategories=Network;WebBrowser;\n")
            << u"Navigateur Firefox|firefox-esr|Network,WebBrowser|0"_s;
        QTest::newRow("sans nom ni icône") << QByteArray("") << u"|||0"_s;
        QTest::newRow("NoDisplay") << QByteArray("Name=A\nNoDisplay=true\n") << u"A|||1"_s;
        QTest::newRow("Hidden") << QByteArray("Name=A\nHidden=true\n") << u"A|||1"_s;
        QTest::newRow("autre bureau") << QByteArray("Name=A\nOnlyShowIn=KDE;\n") << u"A|||1"_s;
        QTest::newRow("lien") << QByteArray("Type=Link\nName=A\nURL=https://exemple.org\n")
                              << QString();
        QTest::newRow("TryExec absent") << QByteArray("Name=A\nTryExec=/nulle/part\n") << QString();
        QTest::newRow("tube nommé") << QByteArray() << QString();
    }

    void lire()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(QString, attendu);
        test::DossierTest dossier;
        const QString chemin = dossier.fichier(u"app.desktop"_s);
        if (contenu.isNull())
            QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
        else
            test::ecrireOctets(chemin, "[Desktop Entry]\n" +
                                           (contenu.startsWith("Type=")
                                                ? contenu
                                                : "Type=Application\nExec=true %u\n" + contenu));
        const auto e = lireEntreeBureau(chemin);
        const QStringList champs = {e ? e->nom : QString(), e ? e->icone : QString(),
                                    e ? e->categories.join(u',') : QString(),
                                    QString::number(e && e->cachee)};
        QCOMPARE(e ? champs.join(u'|') : QString(), attendu);
        QCOMPARE(e ? e->chemin : chemin, chemin);
    }

    void installees()
    {
        // The user's entries (XDG_DATA_HOME) come first and hide the system's of the same name.
        QStringList noms;
        for (const EntreeBureau& e : applicationsInstallees())
            noms << e.nom + u'@' + QFileInfo(e.chemin).dir().path();
        QCOMPARE(noms, (QStringList{u"Alpha@"_s + utilisateur(), u"Bêta@"_s + systeme(),
                                    u"Zèbre@"_s + utilisateur()}));
    }

    void plan_data()
    {
        // `nom` ending in "/": a folder; "|": a named pipe; "!": a file that may not be read.
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("contenu"); // null: no file at all
        QTest::addColumn<bool>("executable");    // the execute permission
        QTest::addColumn<Sorte>("sorte");
        QTest::addColumn<QString>("erreur");
        const auto ligne = [](const char* cas, const QString& nom, const QByteArray& contenu,
                              bool executable, Sorte sorte, const QString& erreur = {}) {
            QTest::newRow(cas) << nom << contenu << executable << sorte << erreur;
        };
        const QByteArray entree("[Desktop Entry]\nType=Application\nExec=true\n");
        // A Windows program without the execute permission goes to the desktop (Wine).
        ligne("programme Windows", u"setup.exe"_s, "MZ", false, Sorte::Document);
        // On FAT, exFAT or NTFS every file may be executed: the content decides.
        ligne("document d'une clé USB", u"rapport.pdf"_s, "%PDF-1.4", true, Sorte::Document);
        ligne("fichier vide exécutable", u"vide"_s, "", true, Sorte::Document);
        ligne("script", u"outil"_s, "#!/bin/sh\n", true, Sorte::Executable);
        ligne("programme ELF", u"jeu.bin"_s,
              "\x7f"
              "ELF\2\1\1",
              true, Sorte::Executable);
        ligne("script sans permission", u"outil"_s, "#!/bin/sh\n", false, Sorte::Document);
        // An entry is an entry, executable or not, whatever the letter case of its extension.
        ligne("entrée", u"éditeur.DESKTOP"_s, entree, true, Sorte::EntreeBureau);
        ligne("entrée trop grande", u"gros.desktop"_s, entree + QByteArray(TailleMaxEntree, '#'),
              false, Sorte::Refuse, u"entrée de bureau trop grande"_s);
        ligne("dossier", u"Jeux.desktop/"_s, {}, false, Sorte::Dossier);
        ligne("introuvable", u"absent.desktop"_s, {}, false, Sorte::Refuse,
              u"fichier introuvable"_s);
        // Opening a pipe would wait for a writer, for ever.
        ligne("tube nommé", u"tube.desktop|"_s, {}, true, Sorte::Refuse,
              u"ce n'est pas un fichier ordinaire"_s);
        ligne("périphérique", u"/dev/null"_s, {}, false, Sorte::Refuse,
              u"ce n'est pas un fichier ordinaire"_s);
        ligne("sans droits", u"secret.txt!"_s, "x", false, Sorte::Refuse, u"accès refusé"_s);
    }

    void plan()
    {
        QFETCH(QString, nom);
        QFETCH(QByteArray, contenu);
        QFETCH(bool, executable);
        QFETCH(Sorte, sorte);
        QFETCH(QString, erreur);
        test::DossierTest dossier;
        QString chemin = QDir::isAbsolutePath(nom) ? nom : dossier.fichier(nom);
        if (nom.endsWith(u'/') || nom.endsWith(u'|') || nom.endsWith(u'!'))
            chemin.chop(1);
        if (nom.endsWith(u'/'))
            QVERIFY(QDir().mkdir(chemin));
        else if (nom.endsWith(u'|'))
            QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0700), 0);
        else if (!contenu.isNull())
            test::ecrireOctets(chemin, contenu);
        if (executable && !contenu.isNull())
            QVERIFY(QFile::setPermissions(chemin, QFile::permissions(chemin) | QFile::ExeOwner));
        if (nom.endsWith(u'!')) {
            QVERIFY(QFile::setPermissions(chemin, {}));
            if (QFile f(chemin); f.open(QIODevice::ReadOnly))
                QSKIP("this user reads every file");
        }
        const PlanLancement plan = planLancement(chemin, u"\"a b\" -x"_s);
        QCOMPARE(plan.sorte, sorte);
        QCOMPARE(plan.erreur, erreur);
    }

    void affichage()
    {
        // Only the first character of the show command counts, in capitals.
        QCOMPARE(affichagePour(u"Rapide"_s), Affichage::Reduite);
        QCOMPARE(affichagePour(u"agrandie"_s), Affichage::Cachee);
    }

    void nomsNatifs_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QString>("lisible");
        QTest::newRow("UTF-8") << QByteArray("Vidéo ✓.ini") << "Vidéo ✓.ini";
        QTest::newRow("Latin-1") << QByteArray("Vid\xE9o.ini") << "Vidéo.ini";
        QTest::newRow("Windows-1252") << QByteArray("\x80\x9C") << "€œ";
        QTest::newRow("UTF-8 coupé") << QByteArray("a\xE2\x9C") << "aâœ";
        QTest::newRow("surrogate en UTF-8") << QByteArray("\xED\xB2\x80") << "í²€";
        QTest::newRow("trop long") << QByteArray("\xC0\xAF\xF8") << "À¯ø";
    }

    void nomsNatifs()
    {
        // Every byte comes back; valid UTF-8 is read as such; the rest is shown as Windows-1252.
        QFETCH(QByteArray, octets);
        QFETCH(QString, lisible);
        const QString nom = depuisNatif(octets);
        QCOMPARE(versNatif(nom), octets);
        QCOMPARE(nomLisible(nom), lisible);
        QCOMPARE(nom == QString::fromUtf8(octets), octets == lisible.toUtf8());
    }

    void suppression()
    {
        // A file named in Latin-1 is never renamed over another file, and is deleted; so is
        // any file where no trash can be made, its data folder being absent.
        test::DossierTest d;
        test::ecrireOctets(d.fichier("b.INI"), "");
        const QByteArray natif = QFile::encodeName(d.chemin()) + "/Vid\xE9o.ini";
        QCOMPARE(::close(::open(natif.constData(), O_CREAT | O_WRONLY, 0600)), 0);
        const QString chemin = depuisNatif(natif);
        QCOMPARE(renommerSansRemplacer(chemin, d.fichier("b.INI")).issue, Issue::NomPris);
        QVERIFY(mettreALaCorbeille(chemin));
        QVERIFY(!mettreALaCorbeille(chemin)); // gone already
        const QByteArray donnees = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(d.fichier("absent")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("trash"));
        const bool fait = mettreALaCorbeille(d.fichier("b.INI"));
        qputenv("XDG_DATA_HOME", donnees);
        QVERIFY(fait);
        QCOMPARE(QDir(d.chemin()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), {});
    }

    void raisonsEnFrancais()
    {
        // Whatever the locale of the system, the common reasons are told in French.
        QCOMPARE(raisonErreur(ENOTDIR), "Un élément du chemin n'est pas un dossier.");
        test::DossierTest d;
        test::ecrireOctets(d.fichier("f"), "x");
        QString raison;
        QVERIFY(!ecrireAtomiquement(d.fichier("f/x.ini"), "y", &raison));
        QCOMPARE(raison, raisonErreur(ENOTDIR));
        const auto r = renommerSansRemplacer(d.fichier("f"), d.fichier("f/g"));
        QCOMPARE(r.issue, Issue::Echec);
        QCOMPARE(r.raison, raisonErreur(ENOTDIR));
        // A save keeps the file's permissions.
        QVERIFY(QFile::setPermissions(d.fichier("f"),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(ecrireAtomiquement(d.fichier("f"), "z", &raison));
        QCOMPARE(QFileInfo(d.fichier("f")).permissions(),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                     QFileDevice::WriteUser);
    }

    void instanceUnique()
    {
        // Only a live instance holding the lock stops another; a lock that cannot be made lets
        // the program run without the guard.
        test::DossierTest d;
        const InstanceUnique premiere("/app", d.chemin());
        QCOMPARE(premiere.etat(), InstanceUnique::Etat::Acquise);
        QCOMPARE(InstanceUnique("/app", d.chemin()).etat(), InstanceUnique::Etat::DejaActive);
        QCOMPARE(InstanceUnique("/autre", d.chemin()).etat(), InstanceUnique::Etat::Acquise);
        test::ecrireOctets(d.fichier("fichier"), "");
        QCOMPARE(InstanceUnique("/app", d.fichier("fichier")).etat(),
                 InstanceUnique::Etat::SansGarde);
    }

private:
    QString utilisateur() const
    {
        return QDir(qEnvironmentVariable("XDG_DATA_HOME")).filePath(u"applications"_s);
    }
    QString systeme() const { return m_systeme.fichier(u"applications"_s); }

    test::DossierTest m_systeme; // XDG_DATA_DIRS
};

QTEST_GUILESS_MAIN(TstFichiers)
#include "tst_fichiers.moc"
