// The launch decisions: show command, Exec line expansion, kind of file and working folder.

#include "platform/desktop_entry.h"
#include "platform/lancement.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace lanceron;
using namespace Qt::StringLiterals;
using Sorte = PlanLancement::Sorte;

class TestLancement : public QObject {
    Q_OBJECT

private slots:
    void affichage();
    void exec_data();
    void exec();
    void sorte_data();
    void sorte();
    void sansDroits();
    void entreeBureau();
    void entreeBureauTerminal();
};

void TestLancement::affichage()
{
    // Only the first character counts, in capitals.
    QCOMPARE(affichagePour(u"Rapide"_s), Affichage::Reduite);
    QCOMPARE(affichagePour(u"agrandie"_s), Affichage::Cachee);
}

void TestLancement::exec_data()
{
    // `entree` is the text of the [Desktop Entry] group, as written in a file, read from
    // "/apps/x.desktop"; nothing is expected from an invalid line.
    QTest::addColumn<QString>("entree");
    QTest::addColumn<QStringList>("fichiers");
    QTest::addColumn<QStringList>("attendu");
    const QStringList aucun;
    const QStringList deux{u"un fichier.txt"_s, u"b"_s};

    QTest::newRow("guillemets et blancs")
        << uR"(Exec="/opt/mon prog"   "un  arg" --titre="a b"c "" \t x)"_s << aucun
        << QStringList{u"/opt/mon prog"_s, u"un  arg"_s, u"--titre=a bc"_s, QString(), u"x"_s};
    // As written by the rules (backslash doubled for the general escapes), or not.
    QTest::newRow("échappements") << uR"(Exec=prog "a\\"b" "c\\`d" "e\$f" "g\\\\h")"_s << aucun
                                  << QStringList{u"prog"_s, u"a\"b"_s, u"c`d"_s, u"e$f"_s,
                                                 u"g\\h"_s};
    QTest::newRow("métacaractères sans guillemets")
        << uR"(Exec=prog a\\b ; $(x) `y` > z)"_s << aucun
        << QStringList{u"prog"_s, u"a\\b"_s, u";"_s, u"$(x)"_s, u"`y`"_s, u">"_s, u"z"_s};
    QTest::newRow("guillemet ouvert") << uR"(Exec=prog "abc)"_s << aucun << aucun;
    QTest::newRow("programme par %f sans fichier") << u"Exec=%f"_s << aucun << aucun;

    QTest::newRow("%f et %U") << u"Exec=prog %f --tous %U --fichier=%f"_s << deux
                              << QStringList{u"prog"_s,   u"un fichier.txt"_s,
                                             u"--tous"_s, u"un fichier.txt"_s,
                                             u"b"_s,      u"--fichier=un fichier.txt"_s};
    QTest::newRow("sans fichier, Icon ni Name")
        << u"Exec=prog %F %i %c -x %u"_s << aucun << QStringList{u"prog"_s, u"-x"_s};
    QTest::newRow("%i %c %k") << u"Icon=ico\nName=Éditeur\nName[en]=Editor\nExec=p %i %c %k %f"_s
                              << aucun
                              << QStringList{u"p"_s, u"--icon"_s, u"ico"_s, u"Éditeur"_s,
                                             u"/apps/x.desktop"_s};
    QTest::newRow("%, codes dépréciés ou inconnus")
        << u"Exec=prog %d %D %n %N %v %m %z a%db 100%% %%f 50% % %f"_s << deux
        << QStringList{u"prog"_s, u"ab"_s, u"100%"_s,          u"%f"_s,
                       u"50%"_s,  u"%"_s,  u"un fichier.txt"_s};
    // A quoted code stays text: the shortcut's arguments never land inside a shell command.
    // Without a code outside quotes, the arguments are appended.
    QTest::newRow("code entre guillemets")
        << uR"(Exec=sh -c "echo %f 50%%")"_s << QStringList{u"; id"_s, u"$(id)"_s}
        << QStringList{u"sh"_s, u"-c"_s, u"echo %f 50%"_s, u"; id"_s, u"$(id)"_s};
}

void TestLancement::exec()
{
    QFETCH(QString, entree);
    QFETCH(QStringList, fichiers);
    QFETCH(QStringList, attendu);
    const DesktopEntry e = DesktopEntry::depuisTexte(u"[Desktop Entry]\n"_s + entree);
    QCOMPARE(developperExec(e, u"/apps/x.desktop"_s, fichiers).value_or(QStringList()), attendu);
}

void TestLancement::sorte_data()
{
    QTest::addColumn<QString>("nom");        // ending in "/": a folder
    QTest::addColumn<QByteArray>("contenu"); // null: no file at all
    QTest::addColumn<Sorte>("sorte");
    QTest::addColumn<QString>("erreur");
    // A Windows program without the execute permission goes to the desktop (Wine), as a text.
    QTest::newRow("programme Windows")
        << u"setup.exe"_s << QByteArray("MZ") << Sorte::Document << QString();
    QTest::newRow("dossier") << u"Jeux.desktop/"_s << QByteArray() << Sorte::Dossier << QString();
    QTest::newRow("introuvable") << u"absent.desktop"_s << QByteArray() << Sorte::Refuse
                                 << u"fichier introuvable"_s;
    QTest::newRow("Exec invalide")
        << u"casse.desktop"_s << QByteArray("[Desktop Entry]\nType=Application\nExec=\"prog\n")
        << Sorte::Refuse << u"ligne Exec invalide"_s;
}

void TestLancement::sorte()
{
    QFETCH(QString, nom);
    QFETCH(QByteArray, contenu);
    QFETCH(Sorte, sorte);
    QFETCH(QString, erreur);
    test::DossierTest dossier;
    const QString chemin = dossier.fichier(nom.endsWith(u'/') ? nom.chopped(1) : nom);
    if (nom.endsWith(u'/'))
        QVERIFY(QDir().mkdir(chemin));
    else if (!contenu.isNull())
        test::ecrireOctets(chemin, contenu);

    const PlanLancement plan = planLancement(chemin, u"-x"_s);
    QCOMPARE(plan.sorte, sorte);
    QCOMPARE(plan.erreur, erreur);
    if (sorte == Sorte::Document || sorte == Sorte::Dossier)
        QCOMPARE(plan.document, QUrl::fromLocalFile(chemin));
    if (sorte == Sorte::Document)
        QCOMPARE(plan.dossier, dossier.chemin());
}

void TestLancement::sansDroits()
{
    test::DossierTest dossier;
    const QString chemin = dossier.fichier(u"secret.txt"_s);
    test::ecrireOctets(chemin, "x");
    QVERIFY(QFile::setPermissions(chemin, {}));
    if (QFile f(chemin); f.open(QIODevice::ReadOnly))
        QSKIP("this user reads every file");
    const PlanLancement plan = planLancement(chemin, QString());
    QCOMPARE(plan.sorte, Sorte::Refuse);
    QCOMPARE(plan.erreur, u"accès refusé"_s);
}

void TestLancement::entreeBureau()
{
    // Executable, as .desktop files on a desktop often are, with its extension in capitals and
    // without Path: still an entry, run in the home folder.
    test::DossierTest dossier;
    const QString chemin = dossier.fichier(u"éditeur.DESKTOP"_s);
    test::ecrireOctets(chemin, "[Desktop Entry]\nType=Application\nExec=\"/opt/mon ed\" -n %F\n");
    QFile::setPermissions(chemin, QFile::permissions(chemin) | QFile::ExeOwner);
    const PlanLancement plan = planLancement(chemin, u"\"a b.txt\" c.txt"_s);
    QCOMPARE(plan.sorte, Sorte::EntreeBureau);
    QCOMPARE(plan.programme, u"/opt/mon ed"_s);
    QCOMPARE(plan.arguments, (QStringList{u"-n"_s, u"a b.txt"_s, u"c.txt"_s}));
    QCOMPARE(plan.dossier, QDir::homePath());
}

void TestLancement::entreeBureauTerminal()
{
    test::DossierTest dossier;
    const QString chemin = dossier.fichier(u"top.desktop"_s);
    test::ecrireOctets(chemin,
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
