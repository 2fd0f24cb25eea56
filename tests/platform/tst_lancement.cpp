// The launch decisions: show command, Exec line expansion, kind of file and working folder.

#include "platform/desktop_entry.h"
#include "platform/lancement.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace lanceron;
using namespace Qt::StringLiterals;

class TestLancement : public QObject {
    Q_OBJECT

private slots:
    void affichage_data();
    void affichage();
    void exec_data();
    void exec();
    void execChemins();

    void executable();
    void document();
    void dossier();
    void introuvable();
    void sansDroits();
    void entreeBureau();
    void entreeBureauSansPath();
    void entreeBureauAutreType();
    void entreeBureauInvalide();
    void entreeBureauTerminal();

private:
    // Writes `contenu` into `nom` inside `dossier`, executable or not; returns the full path.
    static QString creer(const test::DossierTest& dossier, const QString& nom,
                         const QByteArray& contenu, bool executable = false)
    {
        const QString chemin = dossier.fichier(nom);
        test::ecrireOctets(chemin, contenu);
        if (executable)
            QFile::setPermissions(chemin, QFile::permissions(chemin) | QFile::ExeOwner);
        return chemin;
    }
};

void TestLancement::affichage_data()
{
    QTest::addColumn<QString>("executer");
    QTest::addColumn<Affichage>("attendu");
    QTest::newRow("Fenêtre normale") << u"Fenêtre normale"_s << Affichage::Normale;
    QTest::newRow("Réduite") << u"Réduite"_s << Affichage::Reduite;
    QTest::newRow("Agrandie") << u"Agrandie"_s << Affichage::Agrandie;
    QTest::newRow("F seul") << u"F"_s << Affichage::Normale;
    QTest::newRow("f minuscule") << u"f"_s << Affichage::Cachee;
    QTest::newRow("agrandie minuscule") << u"agrandie"_s << Affichage::Cachee;
    QTest::newRow("vide") << QString() << Affichage::Cachee;
    QTest::newRow("blanc devant") << u" Agrandie"_s << Affichage::Cachee;
    QTest::newRow("autre lettre") << u"Cachée"_s << Affichage::Cachee;
}

void TestLancement::affichage()
{
    QFETCH(QString, executer);
    QFETCH(Affichage, attendu);
    QCOMPARE(affichagePour(executer), attendu);
}

void TestLancement::exec_data()
{
    // `entree` is the text of the [Desktop Entry] group, as written in a file.
    QTest::addColumn<QString>("entree");
    QTest::addColumn<QStringList>("fichiers");
    QTest::addColumn<bool>("valide");
    QTest::addColumn<QStringList>("attendu");
    const QStringList aucun;
    const QStringList deux{u"un fichier.txt"_s, u"b"_s};

    QTest::newRow("simple") << u"Exec=prog -a b"_s << aucun << true
                            << QStringList{u"prog"_s, u"-a"_s, u"b"_s};
    QTest::newRow("blancs et tabulation")
        << u"Exec=prog   a \\t b"_s << aucun << true << QStringList{u"prog"_s, u"a"_s, u"b"_s};
    QTest::newRow("guillemets") << uR"(Exec="/opt/mon prog" "un  arg" x)"_s << aucun << true
                                << QStringList{u"/opt/mon prog"_s, u"un  arg"_s, u"x"_s};
    // As written by the rules: the backslash itself doubled for the general escapes.
    QTest::newRow("échappements") << uR"(Exec=prog "a\\"b" "c\\`d" "e\\$f" "g\\\\h")"_s << aucun
                                  << true
                                  << QStringList{u"prog"_s, u"a\"b"_s, u"c`d"_s, u"e$f"_s,
                                                 u"g\\h"_s};
    QTest::newRow("échappements simples") << uR"(Exec=prog "a\"b" "e\$f")"_s << aucun << true
                                          << QStringList{u"prog"_s, u"a\"b"_s, u"e$f"_s};
    QTest::newRow("barre hors guillemets")
        << uR"(Exec=prog a\\b)"_s << aucun << true << QStringList{u"prog"_s, u"a\\b"_s};
    QTest::newRow("métacaractères sans guillemets")
        << u"Exec=prog ; $(x) `y` > z"_s << aucun << true
        << QStringList{u"prog"_s, u";"_s, u"$(x)"_s, u"`y`"_s, u">"_s, u"z"_s};
    QTest::newRow("guillemets dans un mot") << uR"(Exec=prog --titre="a b"c)"_s << aucun << true
                                            << QStringList{u"prog"_s, u"--titre=a bc"_s};
    QTest::newRow("argument vide")
        << uR"(Exec=prog "" x)"_s << aucun << true << QStringList{u"prog"_s, QString(), u"x"_s};
    QTest::newRow("guillemet ouvert") << uR"(Exec=prog "abc)"_s << aucun << false << aucun;
    QTest::newRow("ligne vide") << u"Exec="_s << aucun << false << aucun;
    QTest::newRow("sans Exec") << u"Name=x"_s << aucun << false << aucun;
    QTest::newRow("programme vide") << uR"(Exec="" x)"_s << aucun << false << aucun;
    QTest::newRow("programme par %f sans fichier") << u"Exec=%f"_s << aucun << false << aucun;

    QTest::newRow("%f") << u"Exec=prog %f"_s << deux << true
                        << QStringList{u"prog"_s, u"un fichier.txt"_s};
    QTest::newRow("%f sans fichier")
        << u"Exec=prog %f -x"_s << aucun << true << QStringList{u"prog"_s, u"-x"_s};
    QTest::newRow("%F") << u"Exec=prog %F -x"_s << deux << true
                        << QStringList{u"prog"_s, u"un fichier.txt"_s, u"b"_s, u"-x"_s};
    QTest::newRow("%u") << u"Exec=prog %u"_s << deux << true
                        << QStringList{u"prog"_s, u"un fichier.txt"_s};
    QTest::newRow("%U") << u"Exec=prog %U"_s << deux << true
                        << QStringList{u"prog"_s, u"un fichier.txt"_s, u"b"_s};
    QTest::newRow("%f dans un mot") << u"Exec=prog --fichier=%f"_s << deux << true
                                    << QStringList{u"prog"_s, u"--fichier=un fichier.txt"_s};
    QTest::newRow("%F dans un mot sans fichier")
        << u"Exec=prog --x=%F"_s << aucun << true << QStringList{u"prog"_s, u"--x="_s};
    QTest::newRow("%i avec Icon") << u"Icon=mon-icone\nExec=prog %i %f"_s << aucun << true
                                  << QStringList{u"prog"_s, u"--icon"_s, u"mon-icone"_s};
    QTest::newRow("%i sans Icon") << u"Exec=prog %i -x"_s << aucun << true
                                  << QStringList{u"prog"_s, u"-x"_s};
    QTest::newRow("%c") << u"Name=Mon éditeur\nName[en]=My editor\nExec=prog %c %f"_s << aucun
                        << true << QStringList{u"prog"_s, u"Mon éditeur"_s};
    QTest::newRow("%c sans Name") << u"Exec=prog %c %f"_s << aucun << true
                                  << QStringList{u"prog"_s};
    QTest::newRow("%%") << u"Exec=prog 100%% %%f"_s << aucun << true
                        << QStringList{u"prog"_s, u"100%"_s, u"%f"_s};
    QTest::newRow("% seul") << u"Exec=prog 50% x %"_s << aucun << true
                            << QStringList{u"prog"_s, u"50%"_s, u"x"_s, u"%"_s};
    QTest::newRow("codes dépréciés") << u"Exec=prog %d %D %n %N %v %m a%db %f"_s << deux << true
                                     << QStringList{u"prog"_s, u"ab"_s, u"un fichier.txt"_s};
    QTest::newRow("code inconnu") << u"Exec=prog %z x%zy %f"_s << aucun << true
                                  << QStringList{u"prog"_s, u"xy"_s};
    // A quoted code stays text: the shortcut's arguments never land inside a shell command.
    QTest::newRow("code entre guillemets")
        << uR"(Exec=sh -c "echo %f 50%%")"_s << QStringList{u"; id"_s} << true
        << QStringList{u"sh"_s, u"-c"_s, u"echo %f 50%"_s, u"; id"_s};
    QTest::newRow("sans code, arguments ajoutés")
        << u"Exec=prog --neuf"_s << deux << true
        << QStringList{u"prog"_s, u"--neuf"_s, u"un fichier.txt"_s, u"b"_s};
    QTest::newRow("sans code ni argument")
        << u"Exec=prog --neuf"_s << aucun << true << QStringList{u"prog"_s, u"--neuf"_s};
    QTest::newRow("arguments hostiles")
        << u"Exec=prog %F"_s << QStringList{u"; touch /tmp/x"_s, u"$(id)"_s, u"`id`"_s} << true
        << QStringList{u"prog"_s, u"; touch /tmp/x"_s, u"$(id)"_s, u"`id`"_s};
}

void TestLancement::exec()
{
    QFETCH(QString, entree);
    QFETCH(QStringList, fichiers);
    QFETCH(bool, valide);
    QFETCH(QStringList, attendu);
    const DesktopEntry e = DesktopEntry::depuisTexte(u"[Desktop Entry]\n"_s + entree);
    const auto ligne = developperExec(e, u"/apps/x.desktop"_s, fichiers);
    QCOMPARE(ligne.has_value(), valide);
    if (valide)
        QCOMPARE(*ligne, attendu);
}

void TestLancement::execChemins()
{
    const DesktopEntry e =
        DesktopEntry::depuisTexte(u"[Desktop Entry]\nExec=prog %k --entree=%k %F"_s);
    QCOMPARE(
        developperExec(e, u"/apps/mon app.desktop"_s, {}),
        (QStringList{u"prog"_s, u"/apps/mon app.desktop"_s, u"--entree=/apps/mon app.desktop"_s}));
}

void TestLancement::executable()
{
    test::DossierTest racine;
    QVERIFY(QDir(racine.chemin()).mkdir(u"mon dossier ; $(x)"_s));
    const QString dossier = racine.fichier(u"mon dossier ; $(x)"_s);
    const QString programme = dossier + u"/mon programme"_s;
    test::ecrireOctets(programme, "#!/bin/sh\n");
    QFile::setPermissions(programme, QFile::permissions(programme) | QFile::ExeOwner);

    const PlanLancement plan =
        planLancement(programme, uR"("un  deux" '$(x)' ; `id` "dit """oui"""")"_s);
    QCOMPARE(plan.sorte, PlanLancement::Sorte::Executable);
    QCOMPARE(plan.programme, programme);
    QCOMPARE(plan.arguments,
             (QStringList{u"un  deux"_s, u"'$(x)'"_s, u";"_s, u"`id`"_s, u"dit \"oui\""_s}));
    QCOMPARE(plan.dossier, dossier);

    QVERIFY(planLancement(programme, QString()).arguments.isEmpty());
}

void TestLancement::document()
{
    test::DossierTest dossier;
    // A Windows program without the execute permission goes to the desktop (Wine), as a text.
    for (const QString& nom : {u"notes.txt"_s, u"setup.exe"_s}) {
        const QString chemin = creer(dossier, nom, "MZ");
        const PlanLancement plan = planLancement(chemin, u"-x"_s);
        QCOMPARE(plan.sorte, PlanLancement::Sorte::Document);
        QCOMPARE(plan.document, QUrl::fromLocalFile(chemin));
        QCOMPARE(plan.dossier, dossier.chemin());
    }
}

void TestLancement::dossier()
{
    test::DossierTest racine;
    QVERIFY(QDir(racine.chemin()).mkdir(u"Jeux.desktop"_s));
    const QString chemin = racine.fichier(u"Jeux.desktop"_s);
    const PlanLancement plan = planLancement(chemin, QString());
    QCOMPARE(plan.sorte, PlanLancement::Sorte::Dossier);
    QCOMPARE(plan.document, QUrl::fromLocalFile(chemin));
}

void TestLancement::introuvable()
{
    test::DossierTest dossier;
    for (const QString& chemin :
         {dossier.fichier(u"absent"_s), dossier.fichier(u"absent.desktop"_s), QString()}) {
        const PlanLancement plan = planLancement(chemin, u"a"_s);
        QCOMPARE(plan.sorte, PlanLancement::Sorte::Refuse);
        QCOMPARE(plan.erreur, u"fichier introuvable"_s);
    }
}

void TestLancement::sansDroits()
{
    test::DossierTest dossier;
    const QString chemin = creer(dossier, u"secret.txt"_s, "x");
    QVERIFY(QFile::setPermissions(chemin, {}));
    if (QFile f(chemin); f.open(QIODevice::ReadOnly))
        QSKIP("this user reads every file");
    const PlanLancement plan = planLancement(chemin, QString());
    QCOMPARE(plan.sorte, PlanLancement::Sorte::Refuse);
    QCOMPARE(plan.erreur, u"accès refusé"_s);
}

void TestLancement::entreeBureau()
{
    test::DossierTest dossier;
    const QString chemin = creer(dossier, u"éditeur.DESKTOP"_s,
                                 "[Desktop Entry]\nType=Application\nName=Editeur\n"
                                 "Exec=\"/opt/mon editeur/bin/ed\" --nouveau %F\n"
                                 "Path=/srv/travail ici\n");
    const PlanLancement plan = planLancement(chemin, u"\"a b.txt\" c.txt"_s);
    QCOMPARE(plan.sorte, PlanLancement::Sorte::EntreeBureau);
    QCOMPARE(plan.programme, u"/opt/mon editeur/bin/ed"_s);
    QCOMPARE(plan.arguments, (QStringList{u"--nouveau"_s, u"a b.txt"_s, u"c.txt"_s}));
    QCOMPARE(plan.dossier, u"/srv/travail ici"_s);
}

void TestLancement::entreeBureauSansPath()
{
    test::DossierTest dossier;
    // Executable, as .desktop files on a desktop often are: still read as an entry.
    const QString chemin =
        creer(dossier, u"jeu.desktop"_s, "[Desktop Entry]\nType=Application\nExec=jeu\n", true);
    const PlanLancement plan = planLancement(chemin, QString());
    QCOMPARE(plan.sorte, PlanLancement::Sorte::EntreeBureau);
    QCOMPARE(plan.programme, u"jeu"_s);
    QCOMPARE(plan.dossier, QDir::homePath());
}

void TestLancement::entreeBureauAutreType()
{
    test::DossierTest dossier;
    const QString lien =
        creer(dossier, u"site.desktop"_s, "[Desktop Entry]\nType=Link\nURL=https://example.org\n");
    QCOMPARE(planLancement(lien, QString()).sorte, PlanLancement::Sorte::Document);
    const QString autre = creer(dossier, u"autre.desktop"_s, "Exec=prog\n");
    QCOMPARE(planLancement(autre, QString()).sorte, PlanLancement::Sorte::Document);
}

void TestLancement::entreeBureauInvalide()
{
    test::DossierTest dossier;
    const QString chemin =
        creer(dossier, u"casse.desktop"_s, "[Desktop Entry]\nType=Application\nExec=\"prog --x\n");
    const PlanLancement plan = planLancement(chemin, QString());
    QCOMPARE(plan.sorte, PlanLancement::Sorte::Refuse);
    QCOMPARE(plan.erreur, u"ligne Exec invalide"_s);
}

void TestLancement::entreeBureauTerminal()
{
    test::DossierTest dossier;
    const QString chemin =
        creer(dossier, u"top.desktop"_s,
              "[Desktop Entry]\nType=Application\nTerminal=true\nExec=htop -d %f\n");
    const PlanLancement dansTerminal = planLancement(chemin, u"10"_s, u"/usr/bin/terminal"_s);
    QCOMPARE(dansTerminal.programme, u"/usr/bin/terminal"_s);
    QCOMPARE(dansTerminal.arguments, (QStringList{u"-e"_s, u"htop"_s, u"-d"_s, u"10"_s}));

    const PlanLancement sansTerminal = planLancement(chemin, u"10"_s);
    QCOMPARE(sansTerminal.programme, u"htop"_s);
    QCOMPARE(sansTerminal.arguments, (QStringList{u"-d"_s, u"10"_s}));
}

QTEST_GUILESS_MAIN(TestLancement)
#include "tst_lancement.moc"
