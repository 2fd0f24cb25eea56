// Beyond the two lists: the welcome page while there is no rubrique, importing the installed
// applications.

#include "main_window/accueil.h"
#include "main_window/glisser.h"
#include "main_window/import_dialogue.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "main_window/recherche.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QtTest>

#include <functional>

using namespace lanceron;

namespace {

using Banc = test::BancMenu;

// Runs `ouvrir`, which shows the import dialog modally, and lets `action` act on it; a dialog
// still open afterwards is cancelled. The rows of the dialog as shown.
QStringList pendantImport(const std::function<void()>& ouvrir,
                          const std::function<void(ImportDialogue&)>& action)
{
    QStringList lignes;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<ImportDialogue*>(QApplication::activeModalWidget());
        if (!d)
            return;
        for (int i = 0; i < d->liste()->count(); ++i)
            lignes << d->liste()->item(i)->text();
        action(*d);
        if (d->isVisible())
            d->reject();
    });
    ouvrir();
    return lignes;
}

} // namespace

class TstFonctions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void premierDemarrage_data();
    void premierDemarrage();
    void importer();
    void rechercher();
    void agirSurUnResultat_data();
    void agirSurUnResultat();
    void deplacer_data();
    void deplacer();
};

void TstFonctions::initTestCase()
{
    // The installed applications are those of the test's own data folder.
    const QString applications = qEnvironmentVariable("XDG_DATA_HOME") + "/applications";
    QVERIFY(QDir().mkpath(applications));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(applications + "/aucun"));
    const char* entrees[][3] = {
        {"tux.desktop", "Tux", "Game;"},
        {"gimp.desktop", "Gimp", "Graphics;"},
        {"cache.desktop", "Caché", "Game;\nNoDisplay=true"},
    };
    for (const auto& e : entrees)
        test::ecrireOctets(applications + '/' + e[0],
                           QByteArray("[Desktop Entry]\nType=Application\nExec=true\nName=") +
                               e[1] + "\nCategories=" + e[2] + "\n");
}

void TstFonctions::premierDemarrage_data()
{
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<QStringList>("rubriques");
    QTest::newRow("aucun") << "" << QStringList{};
    QTest::newRow("creer") << "AccueilCreer" << QStringList{"Jeux"};
    QTest::newRow("creer annule") << "AccueilCreer annule" << QStringList{};
}

void TstFonctions::premierDemarrage()
{
    QFETCH(QString, bouton);
    QFETCH(QStringList, rubriques);
    Banc b;
    b.services.prompts.saisies << (bouton.endsWith("annule") ? "" : "Jeux");
    b.demarrer();
    // Nothing asked, nothing created: the welcome page stands in for the shortcut list.
    QVERIFY(b.services.prompts.appels.isEmpty());
    QVERIFY(QDir(b.rubriques()).isEmpty());
    QVERIFY(!b.menu->PageAccueil->isHidden());
    QVERIFY(b.menu->List2->isHidden());
    if (!bouton.isEmpty())
        b.menu->findChild<QPushButton*>(bouton.section(' ', 0, 0))->click();
    QCOMPARE(Banc::textes(b.menu->List1), rubriques);
    QCOMPARE(b.menu->PageAccueil->isHidden(), !rubriques.isEmpty());
    QCOMPARE(b.menu->List2->isHidden(), rubriques.isEmpty());
}

void TstFonctions::importer()
{
    Banc b;
    b.demarrer();
    const QStringList lignes =
        pendantImport([&] { b.menu->PageAccueil->boutonImporter()->click(); },
                      [](ImportDialogue& d) {
                          d.liste()->item(1)->setCheckState(Qt::Unchecked);
                          d.accept();
                      });
    QCOMPARE(lignes, (QStringList{"Jeux (1)", "Graphisme (1)"}));
    QCOMPARE(Banc::textes(b.menu->List1), QStringList{"Jeux"});
    QCOMPARE(Banc::textes(b.menu->List2), QStringList{"Tux"});
    QCOMPARE(b.menu->catalogue().lire("Jeux.ini").value(0).Dossier,
             qEnvironmentVariable("XDG_DATA_HOME") + "/applications/tux.desktop");
    QVERIFY(b.menu->PageAccueil->isHidden());

    // Again from the menu: only what is missing is offered; cancelling writes nothing.
    const QByteArray jeux = test::lireOctets(b.fichierRubrique("Jeux"));
    QCOMPARE(pendantImport([&] { b.menu->Mnu_Importer->trigger(); }, [](ImportDialogue&) {}),
             QStringList{"Graphisme (1)"});
    QCOMPARE(Banc::textes(b.menu->List1), QStringList{"Jeux"});
    QCOMPARE(test::lireOctets(b.fichierRubrique("Jeux")), jeux);
}

namespace {

// Three rubriques, the second one shown; the window shown and active, the field focused by
// Ctrl+F and "Fe" typed.
void demarrerRecherche(Banc& b)
{
    const QString d = b.dossier.chemin();
    test::ecrireRubrique(d, "Bureau",
                         {{"Fenêtre", "/usr/bin/xterm", "Agrandie", "-e top"},
                          {"Calc", "/usr/bin/calc", "Fenêtre normale", ""}});
    test::ecrireRubrique(d, "Jeux",
                         {{"Lifen", "/opt/lifen", "Fenêtre normale", ""},
                          {"Tux", "/opt/tux", "Fenêtre normale", ""}});
    test::ecrireRubrique(d, "Outils", {{"Ferret", "/opt/ferret", "Réduite", "x"}});
    b.demarrer();
    b.menu->List1->setSelectedIndex(2);
    b.menu->show();
    b.menu->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.menu.get()));
    QLineEdit* champ = b.menu->recherche().champ();
    QTest::keyClick(b.menu->List1->vueActive(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(champ->hasFocus());
    QTest::keyClicks(champ, "Fe");
}

QStringList resultats(const ListeVue* l)
{
    QStringList r;
    for (int i = 1; i <= l->Count(); ++i)
        r << l->texte(i) + " (" + l->texte(i, 1) + ")";
    return r;
}

} // namespace

void TstFonctions::rechercher()
{
    Banc b;
    demarrerRecherche(b);
    ListeVue* liste = b.menu->recherche().resultats();
    QLineEdit* champ = b.menu->recherche().champ();
    QVERIFY(!liste->isHidden());
    QVERIFY(b.menu->List2->isHidden());
    QCOMPARE(resultats(liste),
             (QStringList{"Fenêtre (Bureau)", "Ferret (Outils)", "Lifen (Jeux)"}));
    QCOMPARE(liste->modele()->index(2, 0).data(Qt::ToolTipRole).toString(), "Rubrique : Jeux");

    // Down goes into the results, Enter starts the one chosen as from its rubrique.
    QTest::keyClick(champ, Qt::Key_Down);
    QVERIFY(liste->vueActive()->hasFocus());
    QTest::keyClick(liste->vueActive(), Qt::Key_Right); // large icons: the next one
    QTest::keyClick(liste->vueActive(), Qt::Key_Return);
    QCOMPARE(b.services.shell.lancements.size(), 1);
    QCOMPARE(b.services.shell.lancements[0].programme, "/opt/ferret");
    QCOMPARE(b.services.shell.lancements[0].commande, "x");
    QCOMPARE(static_cast<int>(b.services.shell.lancements[0].affichage),
             static_cast<int>(Affichage::Reduite));

    // Escape brings back the rubrique that was shown.
    QTest::keyClick(liste->vueActive(), Qt::Key_Escape);
    QVERIFY(champ->text().isEmpty());
    QVERIFY(liste->isHidden());
    QVERIFY(!b.menu->List2->isHidden());
    QCOMPARE(b.menu->rubriqueSelectionnee(), "Jeux");
    QCOMPARE(Banc::textes(b.menu->List2), (QStringList{"Lifen", "Tux"}));
}

void TstFonctions::agirSurUnResultat_data()
{
    QTest::addColumn<int>("commande"); // Logiciel menu item
    QTest::addColumn<QStringList>("bureau");
    QTest::addColumn<QStringList>("trouves");
    QTest::newRow("supprimer") << 3 << QStringList{"Calc"}
                               << QStringList{"Ferret (Outils)", "Lifen (Jeux)"};
    QTest::newRow("supprimer refuse")
        << -3 << QStringList{"Fenêtre", "Calc"}
        << QStringList{"Fenêtre (Bureau)", "Ferret (Outils)", "Lifen (Jeux)"};
}

void TstFonctions::agirSurUnResultat()
{
    QFETCH(int, commande);
    QFETCH(QStringList, bureau);
    QFETCH(QStringList, trouves);
    Banc b;
    b.services.prompts.reponses << (commande > 0 ? Reponse::Oui : Reponse::Non);
    demarrerRecherche(b);
    b.menu->Mnu_OutLog_Click(std::abs(commande));
    QStringList noms;
    for (const Raccourci& r : b.menu->catalogue().lire("Bureau.ini"))
        noms << r.Nom;
    QCOMPARE(noms, bureau);
    QCOMPARE(resultats(b.menu->recherche().resultats()), trouves);
}

void TstFonctions::deplacer_data()
{
    // What is done: "fichiers>1" drops files on List1's row 1, "raccourci>N" drags the shortcut
    // of row 1 onto List1's row N (2 is B; "liste" the shortcut list's row 2), "ctrl" holds Ctrl.
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("a");
    QTest::addColumn<QStringList>("b");
    const QStringList ab = {"a1", "a2"};
    QTest::newRow("fichiers sur la liste")
        << "fichiers>liste" << ab + QStringList{"note.txt", "Tux"} << QStringList{"b1"};
    QTest::newRow("fichiers sur une rubrique")
        << "fichiers>2" << ab << QStringList{"b1", "note.txt", "Tux"};
    QTest::newRow("deplacer") << "raccourci>2" << QStringList{"a2"} << QStringList{"b1", "a1"};
    QTest::newRow("copier") << "raccourci>2 ctrl" << ab << QStringList{"b1", "a1"};
    QTest::newRow("sur sa rubrique") << "raccourci>1" << ab << QStringList{"b1"};
    QTest::newRow("d'un autre catalogue") << "etranger>2" << ab << QStringList{"b1"};
    QTest::newRow("reordonner") << "raccourci>liste" << QStringList{"a2", "a1"}
                                << QStringList{"b1"};
    QTest::newRow("ctrl bas") << "ctrl+bas" << QStringList{"a2", "a1"} << QStringList{"b1"};
    QTest::newRow("ctrl haut en tete") << "ctrl+haut" << ab << QStringList{"b1"};
    QTest::newRow("menu") << "menu" << QStringList{"a2"} << QStringList{"b1", "a1"};
}

void TstFonctions::deplacer()
{
    QFETCH(QString, action);
    QFETCH(QStringList, a);
    QFETCH(QStringList, b);
    Banc banc;
    test::ecrireRubrique(
        banc.dossier.chemin(), "A",
        {{"a1", "/opt/a1", "Fenêtre normale", ""}, {"a2", "/opt/a2", "Fenêtre normale", ""}});
    test::ecrireRubrique(banc.dossier.chemin(), "B", {{"b1", "/opt/b1", "Fenêtre normale", ""}});
    banc.demarrer();
    Menu& m = *banc.menu;
    m.show();
    m.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m));
    m.List2->vueActive()->setFocus();

    const QString cible = action.section('>', 1).section(' ', 0, 0);
    const bool ctrl = action.endsWith(" ctrl");
    QMimeData donnees;
    if (action.startsWith("fichiers")) {
        const QString note = banc.dossier.fichier("note.txt");
        test::ecrireOctets(note, "x");
        donnees.setUrls({QUrl::fromLocalFile(note),
                         QUrl::fromLocalFile(qEnvironmentVariable("XDG_DATA_HOME") +
                                             "/applications/tux.desktop"),
                         QUrl::fromLocalFile("/tmp/a\nb"), QUrl("https://exemple.fr/")});
    } else if (action.startsWith("raccourci")) {
        donnees.setData(Glisser::TypeRaccourci, (m.catalogue().dossier() + "\nA.ini\n0").toUtf8());
    } else if (action.startsWith("etranger")) {
        donnees.setData(Glisser::TypeRaccourci, "/ailleurs/Rubriques\nA.ini\n0");
    }
    if (!cible.isEmpty()) {
        ListeVue* liste = cible == "liste" ? m.List2 : m.List1;
        const int ligne = cible == "liste" ? 2 : cible.toInt();
        QAbstractItemView* vue = liste->vueActive();
        const QPoint p = vue->visualRect(vue->model()->index(ligne - 1, 0)).center();
        const auto touches = ctrl ? Qt::ControlModifier : Qt::NoModifier;
        QDragEnterEvent entree(p, Qt::CopyAction | Qt::MoveAction, &donnees, Qt::LeftButton,
                               touches);
        QApplication::sendEvent(vue->viewport(), &entree);
        QVERIFY(entree.isAccepted());
        QDropEvent depot(p, Qt::CopyAction | Qt::MoveAction, &donnees, Qt::LeftButton, touches);
        QApplication::sendEvent(vue->viewport(), &depot);
    } else if (action == "menu") {
        QTimer::singleShot(0, [] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                d->accept(); // B, the only other rubrique, is chosen
        });
        m.Mnu_Deplacer->trigger();
    } else {
        QTest::keyClick(m.List2->vueActive(), action == "ctrl+bas" ? Qt::Key_Down : Qt::Key_Up,
                        Qt::ControlModifier);
    }
    auto noms = [&](const QString& fichier) {
        QStringList r;
        for (const Raccourci& x : m.catalogue().lire(fichier))
            r << x.Nom;
        return r;
    };
    QCOMPARE(noms("A.ini"), a);
    QCOMPARE(noms("B.ini"), b);
    QVERIFY(banc.services.prompts.appels.isEmpty());
    // The shortcut list shows its rubrique as saved.
    QCOMPARE(Banc::textes(m.List2), noms(m.rubriqueAffichee()));
}

QTEST_MAIN(TstFonctions)
#include "tst_fonctions.moc"
