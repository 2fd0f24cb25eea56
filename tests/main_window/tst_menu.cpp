// The main window with its two lists: start-up, the rubrique list, loading shortcuts, saving,
// launching and the window's place.

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

using Banc = test::BancMenu;

// Settings holding every key up to the window's state and geometry, which follow.
QByteArray reglagesFenetre(const char* divers)
{
    return QByteArray("[OPTIONS]\nRubrique=0\nLogiciel=0\nApplication=0\nHotTracking=0\n"
                      "[AFFICHAGE]\nSplitter1=3170\nRubrique=0\nLogiciel=0\n[DIVERS]\n") +
           divers;
}

} // namespace

class TstMenu : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void premierDemarrage();
    void premiereRubriqueAffichee();
    void extensionEnMajuscules();
    void lancement();
    void geometrieHorsEcranIgnoree();
    void fenetreMaximisee();
};

void TstMenu::premierDemarrage()
{
    Banc b;
    b.demarrer();
    QCOMPARE(b.menu->windowTitle(), QStringLiteral("Lanceron"));
    QCOMPARE(b.menu->StatusBar1->panneau(1)->text(),
             QStringLiteral("Lanceron - Une application en trois clics de souris"));
    // An empty rubrique list leaves the shortcut list as it is.
    b.menu->List2->Add("reste", 0);
    b.menu->List1_Click();
    QCOMPARE(b.menu->List2->Count(), 1);

    // Rubriques are sorted as people read them; other files and folders are not rubriques.
    for (const char* n : {"Rubrique n°10", "Rubrique n°2", "outils", "Jeux", "Écrans"})
        test::ecrireRubrique(b.dossier.chemin(), QString::fromUtf8(n), {});
    test::ecrireOctets(b.rubriques() + "/notes.txt", "x");
    QDir().mkpath(b.rubriques() + "/dossier.ini");
    b.menu->Actualiser_Rubrique();
    QCOMPARE(Banc::textes(b.menu->List1),
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
    QCOMPARE(Banc::textes(b.menu->List2), (QStringList{"Tableur", "Texte"}));
    QCOMPARE(b.menu->List2->Item(2).sousElements, (QStringList{"/opt/texte.txt", "Réduite", "-n"}));
    QVERIFY(b.menu->List2->Item(1).image != b.menu->List2->Item(2).image);
    // Loading the rubrique again adds no image.
    const int images = b.menu->icones().nombre();
    b.menu->List1_Click();
    QCOMPARE(b.menu->icones().nombre(), images);

    // Moving through the rubriques with the keyboard loads each.
    b.menu->show();
    QVERIFY(QTest::qWaitForWindowExposed(b.menu.get()));
    b.menu->List1->vueActive()->setFocus();
    QTest::keyClick(b.menu->List1->vueActive(), Qt::Key_End);
    QTRY_COMPARE(Banc::textes(b.menu->List2), QStringList{"Échecs"});
    QCOMPARE(b.menu->rubriqueSelectionnee(), QStringLiteral("Jeux"));

    // A rubrique file removed behind the program's back shows as empty.
    QFile::remove(b.fichierRubrique("Jeux"));
    b.menu->List1_Click();
    QCOMPARE(b.menu->List2->Count(), 0);
}

void TstMenu::extensionEnMajuscules()
{
    Banc b;
    QDir().mkpath(b.rubriques());
    const QString fichier = b.rubriques() + "/JEUX.INI";
    test::ecrireOctets(fichier, "[LOGICIEL]\r\nNombre=1\r\n[LOGICIEL 1]\r\nNom=Solitaire\r\n");
    b.demarrer();
    QCOMPARE(Banc::textes(b.menu->List2), QStringList{"Solitaire"});
    // The file keeps its upper-case name: no second file appears beside it.
    b.menu->List2->Add("Dames", 0, {"/opt/dames", "F", ""});
    QVERIFY(b.menu->Enregistrer_Fichier());
    QCOMPARE(QDir(b.rubriques()).entryList(QDir::Files), QStringList{"JEUX.INI"});
    QVERIFY(test::lireOctets(fichier).contains("Nom=Dames\r\n"));
}

void TstMenu::lancement()
{
    Banc b;
    test::ecrireOctets(b.reglages(),
                       "[OPTIONS]\nRubrique=0\nLogiciel=0\nApplication=1\nHotTracking=0\n");
    test::ecrireRubrique(
        b.dossier.chemin(), "R",
        {{"a", "/opt/a", "F", ""}, {"Mon prog", "/opt/mon prog/run", "Réduite", "--x \"a b\""}});
    b.demarrer();
    b.menu->show();
    b.menu->List2->setSelectedIndex(2);
    b.menu->List2_DblClick();
    QCOMPARE(b.services.shell.lancements.size(), 1);
    const auto l = b.services.shell.lancements.first();
    QCOMPARE(l.programme, QStringLiteral("/opt/mon prog/run"));
    QCOMPARE(l.commande, QStringLiteral("--x \"a b\""));
    QCOMPARE(l.affichage, Affichage::Reduite);
    QVERIFY(b.menu->windowState() & Qt::WindowMinimized); // the option asks for it

    // A failure is told in the status bar, without a message box.
    b.services.shell.resultat = {false, QStringLiteral("fichier introuvable")};
    b.menu->List2_DblClick();
    const QString texte = b.menu->StatusBar1->panneau(1)->text();
    QVERIFY2(texte.contains("Mon prog") && texte.contains("fichier introuvable"),
             qPrintable(texte));
    QVERIFY(b.services.prompts.appels.isEmpty());
    // Nothing to start in an empty list.
    b.menu->List2->Clear();
    b.menu->List2_DblClick();
    QCOMPARE(b.services.shell.lancements.size(), 2);
}

void TstMenu::geometrieHorsEcranIgnoree()
{
    Banc centre;
    centre.demarrer();
    // The monitor that held the window is gone: the size is applied, the position is not.
    Banc b;
    test::ecrireOctets(b.reglages(), reglagesFenetre("Windows=0\nHauteur=7200\nLargeur=11100\n"
                                                     "PositionX=-60000\nPositionY=90000\n"));
    b.demarrer();
    QCOMPARE(b.menu->pos(), centre.menu->pos());
    QCOMPARE(b.menu->size(), QSize(740, 480));
}

void TstMenu::fenetreMaximisee()
{
    Banc b;
    const char* divers = "Windows=2\nHauteur=7200\nLargeur=11100\nPositionX=15\nPositionY=15\n";
    test::ecrireOctets(b.reglages(), reglagesFenetre(divers));
    b.demarrer();
    b.menu->show();
    QTRY_VERIFY(b.menu->isMaximized());
    b.menu->close();
    QVERIFY(test::lireOctets(b.reglages()).contains(divers));
}

QTEST_MAIN(TstMenu)
#include "tst_menu.moc"
