// The main window with its two lists: start-up, the rubrique list, loading shortcuts, saving
// and launching.

#include "icons/ico_fichier.h"
#include "main_window/barre_etat.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QtTest>

using namespace lanceron;

namespace {

struct Banc : test::BancMenu {
    QStringList noms(const ListeVue* l) const { return textes(l); }
};

} // namespace

class TstMenu : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void premierDemarrage();
    void ordreDesRubriques();
    void premiereRubriqueAffichee();
    void extensionEnMajuscules();
    void changementDeRubriqueAuClavier();
    void rubriqueDisparue();
    void lancement_data();
    void lancement();
    void reductionALOuverture();
    void echecDeLancementDansLaBarreDEtat();
    void echecDEnregistrementSignale();
    void geometrieHorsEcranIgnoree();
    void fenetreMaximisee();
};

void TstMenu::premierDemarrage()
{
    Banc b;
    b.demarrer();
    QVERIFY(QFileInfo(b.rubriques()).isDir());
    QCOMPARE(b.menu->List1->Count(), 0);
    QCOMPARE(b.menu->List2->Count(), 0);
    QCOMPARE(b.menu->windowTitle(), QStringLiteral("Lanceron"));
    QCOMPARE(b.menu->width() + (b.menu->frameGeometry().width() - b.menu->geometry().width()),
             10700 / 15);
    QCOMPARE(b.menu->StatusBar1->panneau(1)->text(),
             QStringLiteral("Lanceron - Une application en trois clics de souris"));
    QCOMPARE(b.menu->StatusBar1->panneau(2)->text(), QStringLiteral("Maj"));
    QCOMPARE(b.menu->StatusBar1->panneau(3)->text(), QStringLiteral("Num"));
    QVERIFY(!b.menu->StatusBar1->panneau(2)->isEnabled()); // cannot be read: dimmed
    QCOMPARE(b.menu->StatusBar1->panneau(4)->text(), QTime::currentTime().toString("HH:mm"));
    // An empty rubrique list leaves the shortcut list as it is.
    b.menu->List2->Add("reste", 0);
    b.menu->List1_Click();
    QCOMPARE(b.menu->List2->Count(), 1);
}

void TstMenu::ordreDesRubriques()
{
    Banc b;
    for (const char* n : {"Rubrique n°10", "Rubrique n°2", "outils", "Jeux", "Écrans"})
        test::ecrireRubrique(b.dossier.chemin(), QString::fromUtf8(n), {});
    test::ecrireOctets(b.rubriques() + "/notes.txt", "x");
    QDir().mkpath(b.rubriques() + "/dossier.ini");
    b.demarrer();
    QCOMPARE(b.noms(b.menu->List1),
             (QStringList{"Écrans", "Jeux", "outils", "Rubrique n°2", "Rubrique n°10"}));
}

void TstMenu::premiereRubriqueAffichee()
{
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "Bureautique",
                         {{"Tableur", "/opt/propre/tableur", "Agrandie", ""},
                          {"Texte", "/opt/texte.txt", "Réduite", "-n"}});
    test::ecrireRubrique(b.dossier.chemin(), "Jeux", {{"Échecs", "/opt/echecs", "F", ""}});
    b.demarrer();
    QCOMPARE(b.menu->List1->SelectedIndex(), 1);
    QCOMPARE(b.noms(b.menu->List2), (QStringList{"Tableur", "Texte"}));
    QCOMPARE(b.menu->List2->Item(2).sousElements,
             (QStringList{"/opt/texte.txt", "Réduite", "-n"}));
    QVERIFY(b.menu->List2->Item(1).image > 0);
    QVERIFY(b.menu->List2->Item(1).image != b.menu->List2->Item(2).image);

    // Loading the rubrique again adds no image.
    const int images = b.menu->icones().nombre();
    b.menu->List1_Click();
    QCOMPARE(b.menu->icones().nombre(), images);
}

void TstMenu::extensionEnMajuscules()
{
    Banc b;
    QDir().mkpath(b.rubriques());
    test::ecrireOctets(b.rubriques() + "/JEUX.INI",
                       "[LOGICIEL]\r\nNombre=1\r\n[LOGICIEL 1]\r\nNom=Solitaire\r\n");
    b.demarrer();
    QCOMPARE(b.noms(b.menu->List1), QStringList{"JEUX"});
    QCOMPARE(b.noms(b.menu->List2), QStringList{"Solitaire"});
    b.menu->List2->Add("Dames", 0, {"/opt/dames", "F", ""});
    QVERIFY(b.menu->Enregistrer_Fichier());
    QCOMPARE(QDir(b.rubriques()).entryList(QDir::Files), QStringList{"JEUX.INI"});
    QVERIFY(test::lireOctets(b.rubriques() + "/JEUX.INI").contains("Nom=Dames\r\n"));
}

void TstMenu::changementDeRubriqueAuClavier()
{
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "A", {{"un", "/a", "F", ""}});
    test::ecrireRubrique(b.dossier.chemin(), "B", {{"deux", "/b", "F", ""}, {"trois", "/c", "F", ""}});
    b.demarrer();
    b.menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(b.menu.get()));
    QAbstractItemView* v = b.menu->List1->vueActive();
    v->setFocus();
    QTest::keyClick(v, Qt::Key_End);
    QTRY_COMPARE(b.noms(b.menu->List2), (QStringList{"deux", "trois"}));
    QCOMPARE(b.menu->rubriqueSelectionnee(), QStringLiteral("B"));
    QTest::keyClick(v, Qt::Key_Home);
    QTRY_COMPARE(b.noms(b.menu->List2), QStringList{"un"});
}

void TstMenu::rubriqueDisparue()
{
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "A", {{"un", "/a", "F", ""}});
    b.demarrer();
    QCOMPARE(b.menu->List2->Count(), 1);
    QFile::remove(b.rubriques() + "/A.ini");
    b.menu->List1_Click();
    QCOMPARE(b.menu->List2->Count(), 0);
}

void TstMenu::lancement_data()
{
    QTest::addColumn<QString>("executer");
    QTest::addColumn<int>("affichage");
    QTest::newRow("normale") << "Fenêtre normale" << 1;
    QTest::newRow("reduite") << "Réduite" << 2;
    QTest::newRow("agrandie") << "Agrandie" << 3;
    QTest::newRow("minuscule") << "fenêtre normale" << 0;
    QTest::newRow("vide") << "" << 0;
}

void TstMenu::lancement()
{
    QFETCH(QString, executer);
    QFETCH(int, affichage);
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "R",
                         {{"a", "/opt/a", "F", ""},
                          {"Mon prog", "/opt/mon prog/run", executer, "--x \"a b\""}});
    b.demarrer();
    b.menu->List2->setSelectedIndex(2);
    b.menu->List2_DblClick();
    QCOMPARE(b.services.shell.lancements.size(), 1);
    const auto l = b.services.shell.lancements.first();
    QCOMPARE(l.programme, QStringLiteral("/opt/mon prog/run"));
    QCOMPARE(l.commande, QStringLiteral("--x \"a b\""));
    QCOMPARE(int(l.affichage), affichage);
    QVERIFY(!b.menu->isMinimized());
}

void TstMenu::reductionALOuverture()
{
    Banc b;
    test::ecrireOctets(b.dossier.fichier("Lanceron.ini"),
                       "[OPTIONS]\nRubrique=0\nLogiciel=0\nApplication=1\nHotTracking=0\n");
    test::ecrireRubrique(b.dossier.chemin(), "R", {{"a", "/opt/a", "A", ""}});
    b.demarrer();
    b.menu->show();
    b.menu->List2_DblClick();
    QCOMPARE(b.services.shell.lancements.size(), 1);
    QVERIFY(b.menu->windowState() & Qt::WindowMinimized);
}

void TstMenu::echecDeLancementDansLaBarreDEtat()
{
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "R", {{"Absent", "/nulle/part", "F", ""}});
    b.demarrer();
    b.services.shell.resultat = {false, QStringLiteral("fichier introuvable")};
    b.menu->List2_DblClick();
    const QString texte = b.menu->StatusBar1->panneau(1)->text();
    QVERIFY2(texte.contains("Absent") && texte.contains("fichier introuvable"), qPrintable(texte));
    QVERIFY(b.services.prompts.appels.isEmpty()); // no message box

    // Nothing to start in an empty list.
    b.menu->List2->Clear();
    b.menu->List2_DblClick();
    QCOMPARE(b.services.shell.lancements.size(), 1);
}

void TstMenu::echecDEnregistrementSignale()
{
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "R", {{"a", "/opt/a", "F", ""}});
    b.demarrer();
    const QString fichier = b.rubriques() + "/R.ini";
    // The file is replaced by a folder behind the program's back.
    QFile::remove(fichier);
    QVERIFY(QDir().mkpath(fichier));
    b.menu->List2->Add("b", 0, {"/opt/b", "F", ""});
    QVERIFY(!b.menu->Enregistrer_Fichier());
    QCOMPARE(b.services.prompts.appels.size(), 1);
    const auto appel = b.services.prompts.appels.first();
    QCOMPARE(appel.titre, QStringLiteral("Attention"));
    QCOMPARE(appel.icone, IconeMessage::Avertissement);
    QVERIFY(appel.texte.contains("R"));
    QVERIFY(QFileInfo(fichier).isDir());
    QCOMPARE(b.menu->List2->Count(), 2); // the list keeps its rows
}

void TstMenu::geometrieHorsEcranIgnoree()
{
    Banc centre;
    centre.demarrer();
    const QPoint centree = centre.menu->pos();

    Banc b;
    // The monitor that held the window is gone: the size is applied, the position is not.
    test::ecrireOctets(b.dossier.fichier("Lanceron.ini"),
                       "[OPTIONS]\nRubrique=0\nLogiciel=0\nApplication=0\nHotTracking=0\n"
                       "[AFFICHAGE]\nSplitter1=3170\nRubrique=0\nLogiciel=0\n[DIVERS]\nWindows=0\n"
                       "Hauteur=7200\nLargeur=11100\nPositionX=-60000\nPositionY=90000\n");
    b.demarrer();
    QCOMPARE(b.menu->pos(), centree);
    QCOMPARE(b.menu->size(), QSize(740, 480));
}

void TstMenu::fenetreMaximisee()
{
    Banc b;
    test::ecrireOctets(b.dossier.fichier("Lanceron.ini"),
                       "[OPTIONS]\nRubrique=0\nLogiciel=0\nApplication=0\nHotTracking=0\n"
                       "[AFFICHAGE]\nSplitter1=3170\nRubrique=0\nLogiciel=0\n[DIVERS]\nWindows=2\n"
                       "Hauteur=7200\nLargeur=11100\nPositionX=15\nPositionY=15\n");
    b.demarrer();
    b.menu->show();
    QTRY_VERIFY(b.menu->isMaximized());
    b.menu->close();
    const QByteArray ecrit = test::lireOctets(b.dossier.fichier("Lanceron.ini"));
    QVERIFY(ecrit.contains("Windows=2\nHauteur=7200\nLargeur=11100\nPositionX=15\nPositionY=15\n"));
}

QTEST_MAIN(TstMenu)
#include "tst_menu.moc"
