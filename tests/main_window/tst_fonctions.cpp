// Beyond the two lists: importing the installed applications, the search across every
// rubrique, moving shortcuts by drag and drop, the keyboard and the menu, and the text export.

#include "main_window/accueil.h"
#include "main_window/export.h"
#include "main_window/glisser.h"
#include "main_window/import_dialogue.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "main_window/recherche.h"
#include "platform/dossier_application.h"
#include "testsupport.h"

#include <QtTest>
#include <QtWidgets>

using namespace lanceron;
using namespace Qt::StringLiterals;

namespace {

using Banc = test::BancMenu;

const QString Applications = qEnvironmentVariable("XDG_DATA_HOME") + "/applications";

// Runs `ouvrir`, which shows the import dialog modally, then accepts it with its last row
// unticked, or cancels it. The rows of the dialog as shown.
QStringList pendantImport(const std::function<void()>& ouvrir, bool accepter)
{
    QStringList lignes;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<ImportDialogue*>(QApplication::activeModalWidget());
        for (int i = 0; d && i < d->liste()->count(); ++i)
            lignes << d->liste()->item(i)->text();
        if (d && accepter)
            d->liste()->item(lignes.size() - 1)->setCheckState(Qt::Unchecked);
        if (d)
            accepter ? d->accept() : d->reject();
    });
    ouvrir();
    return lignes;
}

// Starts the window, shown and active, over the rubriques given: a name, then the names of
// its shortcuts (program "/opt/<name>", command "-<name>", reduced window).
void demarrer(Banc& b, const QList<QStringList>& rubriques)
{
    for (const QStringList& r : rubriques) {
        QList<QStringList> raccourcis;
        for (const QString& nom : r.mid(1))
            raccourcis << QStringList{nom, "/opt/" + nom, "Réduite", "-" + nom};
        test::ecrireRubrique(b.dossier.chemin(), r[0], raccourcis);
    }
    b.demarrer();
    b.menu->show();
    b.menu->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.menu.get()));
}

// The names in a rubrique file, as the catalogue reads it.
QStringList noms(Menu& m, const QString& fichier)
{
    QStringList r;
    for (const Raccourci& x : m.catalogue().lire(fichier))
        r << x.Nom;
    return r;
}

// Each row of a list as "name (second column)".
QStringList lignes(const ListeVue* l)
{
    QStringList r;
    for (int i = 1; i <= l->Count(); ++i)
        r << l->texte(i) + " (" + l->texte(i, 1) + ")";
    return r;
}

} // namespace

class TstFonctions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void importer();
    void rechercher();
    void deplacer_data();
    void deplacer();
    void exporter();
};

void TstFonctions::initTestCase()
{
    // The installed applications are those of the test's own data folder.
    QVERIFY(QDir().mkpath(Applications));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(Applications + "/aucun"));
    const char* entrees[][3] = {{"tux", "Tux", "Game;"},
                                {"gimp", "Gimp", "Graphics;"},
                                {"cache", "Caché", "Game;\nNoDisplay=true"}};
    for (const auto& e : entrees)
        test::ecrireOctets(Applications + '/' + e[0] + ".desktop",
                           QByteArray("[Desktop Entry]\nType=Application\nExec=true\nName=") +
                               e[1] + "\nCategories=" + e[2] + "\n");
}

void TstFonctions::importer()
{
    Banc b;
    b.demarrer();
    QCOMPARE(pendantImport([&] { b.menu->PageAccueil->boutonImporter()->click(); }, true),
             (QStringList{"Jeux (1)", "Graphisme (1)"}));
    QCOMPARE(Banc::textes(b.menu->List1), QStringList{"Jeux"});
    QCOMPARE(lignes(b.menu->List2), QStringList{"Tux (" + Applications + "/tux.desktop)"});
    QVERIFY(b.menu->PageAccueil->isHidden());
    // Again from the menu: only what is missing is offered; cancelling writes nothing.
    QCOMPARE(pendantImport([&] { b.menu->Mnu_Importer->trigger(); }, false),
             QStringList{"Graphisme (1)"});
    QCOMPARE(Banc::textes(b.menu->List1), QStringList{"Jeux"});
}

void TstFonctions::rechercher()
{
    Banc b;
    demarrer(b, {{"Bureau", "Fenêtre", "Calc"}, {"Jeux", "Lifen", "Tux"}, {"Outils", "Ferret"}});
    b.menu->List1->setSelectedIndex(2);
    ListeVue* liste = b.menu->recherche().resultats();
    QLineEdit* champ = b.menu->recherche().champ();
    QTest::keyClick(b.menu->List1->vueActive(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(champ->hasFocus());
    QTest::keyClicks(champ, "Fe");
    QVERIFY(!liste->isHidden() && b.menu->List2->isHidden());
    QCOMPARE(lignes(liste), (QStringList{"Fenêtre (Bureau)", "Ferret (Outils)", "Lifen (Jeux)"}));

    // Down goes into the results, Enter starts the one chosen as from its rubrique.
    QTest::keyClick(champ, Qt::Key_Down);
    QVERIFY(liste->vueActive()->hasFocus());
    QTest::keyClick(liste->vueActive(), Qt::Key_Right); // large icons: the next one
    QTest::keyClick(liste->vueActive(), Qt::Key_Return);
    QCOMPARE(b.services.shell.lancements.size(), 1);
    const auto lance = b.services.shell.lancements[0];
    QCOMPARE(lance.programme + ' ' + lance.commande, "/opt/Ferret -Ferret");
    QCOMPARE(lance.affichage, Affichage::Reduite);

    // Deleting the result chosen deletes it from its own rubrique.
    b.services.prompts.reponses << Reponse::Oui;
    b.menu->Mnu_OutLog_Click(3);
    QCOMPARE(b.services.prompts.appels.last().titre, "Suppression du raccourci 'Ferret'");
    QCOMPARE(lignes(liste), (QStringList{"Fenêtre (Bureau)", "Lifen (Jeux)"}));
    QVERIFY(noms(*b.menu, "Outils.ini").isEmpty());

    // Escape brings back the rubrique that was shown.
    QTest::keyClick(liste->vueActive(), Qt::Key_Escape);
    QVERIFY(champ->text().isEmpty() && liste->isHidden() && !b.menu->List2->isHidden());
    QCOMPARE(b.menu->rubriqueSelectionnee(), "Jeux");
    QCOMPARE(Banc::textes(b.menu->List2), (QStringList{"Lifen", "Tux"}));
}

void TstFonctions::deplacer_data()
{
    // What is done: "fichiers>N" drops files on List1's row N, "raccourci>N" drags the
    // shortcut of A's row 1 onto List1's row N (2 is B; "liste" the shortcut list's row 2),
    // "ctrl" holds Ctrl; or Ctrl+Down, Ctrl+Up, the menu's "Déplacer".
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::newRow("fichiers sur la liste")
        << u"fichiers>liste"_s << u"a1 a2 note.txt Tux"_s << u"b1"_s;
    QTest::newRow("fichiers sur une rubrique")
        << u"fichiers>2"_s << u"a1 a2"_s << u"b1 note.txt Tux"_s;
    QTest::newRow("deplacer") << u"raccourci>2"_s << u"a2"_s << u"b1 a1"_s;
    QTest::newRow("copier") << u"raccourci>2 ctrl"_s << u"a1 a2"_s << u"b1 a1"_s;
    QTest::newRow("sur sa rubrique") << u"raccourci>1"_s << u"a1 a2"_s << u"b1"_s;
    QTest::newRow("d'un autre catalogue") << u"etranger>2"_s << u"a1 a2"_s << u"b1"_s;
    QTest::newRow("reordonner") << u"raccourci>liste"_s << u"a2 a1"_s << u"b1"_s;
    QTest::newRow("ctrl bas") << u"ctrl+bas"_s << u"a2 a1"_s << u"b1"_s;
    QTest::newRow("ctrl haut en tete") << u"ctrl+haut"_s << u"a1 a2"_s << u"b1"_s;
    QTest::newRow("menu") << u"menu"_s << u"a2"_s << u"b1 a1"_s;
}

void TstFonctions::deplacer()
{
    QFETCH(QString, action);
    QFETCH(QString, a);
    QFETCH(QString, b);
    Banc banc;
    demarrer(banc, {{"A", "a1", "a2"}, {"B", "b1"}});
    Menu& m = *banc.menu;
    m.List2->vueActive()->setFocus();
    const QString cible = action.section('>', 1).section(' ', 0, 0);
    QMimeData donnees;
    if (action.startsWith("fichiers")) {
        const QString note = banc.dossier.fichier("note.txt");
        test::ecrireOctets(note, "x");
        donnees.setUrls({QUrl::fromLocalFile(note),
                         QUrl::fromLocalFile(Applications + "/tux.desktop"),
                         QUrl::fromLocalFile("/tmp/a\nb"), QUrl("https://exemple.fr/")});
    } else {
        const QString source =
            action.startsWith("etranger") ? "/ailleurs/Rubriques" : m.catalogue().dossier();
        donnees.setData(Glisser::TypeRaccourci, (source + "\nA.ini\n0").toUtf8());
    }
    if (!cible.isEmpty()) {
        QAbstractItemView* vue = (cible == "liste" ? m.List2 : m.List1)->vueActive();
        const int ligne = cible == "liste" ? 2 : cible.toInt();
        const QPoint p = vue->visualRect(vue->model()->index(ligne - 1, 0)).center();
        const auto touches = action.endsWith(" ctrl") ? Qt::ControlModifier : Qt::NoModifier;
        const auto actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent entree(p, actions, &donnees, Qt::LeftButton, touches);
        QApplication::sendEvent(vue->viewport(), &entree);
        QVERIFY(entree.isAccepted());
        QDropEvent depot(p, actions, &donnees, Qt::LeftButton, touches);
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
    QCOMPARE(noms(m, "A.ini").join(' '), a);
    QCOMPARE(noms(m, "B.ini").join(' '), b);
    QVERIFY(banc.services.prompts.appels.isEmpty());
    // The shortcut list shows its rubrique as saved.
    QCOMPARE(Banc::textes(m.List2), noms(m, m.rubriqueAffichee()));
}

void TstFonctions::exporter()
{
    // The two rubriques of the reference example.
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "Bureautique",
                         {{"Tableur", "C:\\Outils\\tableur.exe", "Agrandie", "-a"},
                          {"Traitement de texte", "C:\\Outils\\texte.exe", "Réduite", ""}});
    test::ecrireRubrique(b.dossier.chemin(), "Jeux", {});
    b.demarrer();
    b.menu->List1->setSelectedIndex(2);
    // The dialog, cancelled, offers the documents folder, else the home, never the hidden
    // application folder, unless that is the program's own.
    const QString documents = b.dossier.fichier("Documents");
    test::ecrireOctets(qEnvironmentVariable("XDG_CONFIG_HOME") + "/user-dirs.dirs",
                       "XDG_DOCUMENTS_DIR=\"" + QFile::encodeName(documents) + "\"\n");
    Export_TXT(*b.menu);
    QVERIFY(QDir().mkpath(documents));
    Export_TXT(*b.menu);
    const QList<test::PromptsScriptes::Appel>& appels = b.services.prompts.appels;
    QCOMPARE(appels.size(), 2); // no message
    const DialogueFichier& d = appels[1].dialogue;
    QCOMPARE(appels[0].dialogue.dossierInitial, QDir::homePath());
    QCOMPARE(d.dossierInitial, documents);
    QCOMPARE(dossierExport(QCoreApplication::applicationDirPath()),
             QCoreApplication::applicationDirPath());
    QCOMPARE(d.titre + " | " + d.nomInitial, "Exporter au format Texte | Jeux");
    QCOMPARE(d.filtres.size(), 1);
    QCOMPARE(d.filtres.first().texte(), "Fichier texte (*.txt)");
    QVERIFY(d.confirmerRemplacement);
    QCOMPARE(b.menu->List1->SelectedIndex(), 2); // cancelled: nothing moved

    // The path is used as chosen (no extension added) and a longer old file is replaced whole.
    const QString cible = b.dossier.fichier("Bureautique");
    test::ecrireOctets(cible, QByteArray(4096, 'x'));
    // A rubrique written on Windows, in Windows-1252: the export is in the system's encoding.
    test::ecrireOctets(b.fichierRubrique("Vidéo"),
                       "[LOGICIEL]\r\nNombre=1\r\n[LOGICIEL 1]\r\nNom=Lecteur \xE9l\xE9gant\r\n"
                       "Dossier=C:\\Vid\xE9o\\lecteur.exe\r\n");
    b.menu->Affiche_Rubrique();
    b.services.prompts.fichiers = {cible};
    Export_TXT(*b.menu);
    QCOMPARE(test::lireOctets(cible),
             QByteArray("1) Bureautique :\r\n \r\n Tableur\r\n C:\\Outils\\tableur.exe\r\n \r\n"
                        " Traitement de texte\r\n C:\\Outils\\texte.exe\r\n \r\n \r\n"
                        "2) Jeux :\r\n \r\n \r\n"
                        "3) Vid\xC3\xA9o :\r\n \r\n Lecteur \xC3\xA9l\xC3\xA9gant\r\n"
                        " C:\\Vid\xC3\xA9o\\lecteur.exe\r\n \r\n \r\n"));
    QCOMPARE(appels.size(), 3); // the dialog, no message
    // The last rubrique is shown afterwards.
    QCOMPARE(b.menu->List1->SelectedIndex(), 3);
    QCOMPARE(b.menu->List2->Count(), 1);

    // A folder stands at the path chosen: the user is warned, the folder keeps its content.
    QVERIFY(QDir().mkpath(documents + "/export.txt"));
    test::ecrireOctets(documents + "/export.txt/dedans", "ancien contenu");
    b.services.prompts.fichiers = {documents + "/export.txt"};
    Export_TXT(*b.menu);
    QCOMPARE(appels.last().titre, "Attention");
    QCOMPARE(appels.last().icone, IconeMessage::Avertissement);
    QVERIFY(appels.last().texte.startsWith("L'export n'a pas pu être écrit dans « " + documents +
                                           "/export.txt »"));
    QCOMPARE(test::lireOctets(documents + "/export.txt/dedans"), QByteArray("ancien contenu"));
    QCOMPARE(QDir(documents).entryList(QDir::Files), QStringList()); // no temporary file left
}

QTEST_MAIN(TstFonctions)
#include "tst_fonctions.moc"
