// The shortcut editor in add mode: choosing the program, validation, saving after each
// addition, keys that trigger nothing, and closing.

#include "banc_catalogue.h"
#include "catalogue/logiciel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace lanceron;
using Banc = test::BancCatalogue;

namespace {

// A main window over one rubrique "R" holding `raccourcis`.
std::unique_ptr<Banc> banc(const QList<QStringList>& raccourcis = {})
{
    auto b = std::make_unique<Banc>();
    test::ecrireRubrique(b->dossier.chemin(), "R", raccourcis);
    b->demarrer();
    return b;
}

QList<Raccourci> lus(const Banc& b)
{
    return Lire_Rubrique(b.fichier("R"));
}

} // namespace

class TstAjouter : public QObject {
    Q_OBJECT
private slots:
    void presentation();
    void choixDuProgramme();
    void choixAnnule();
    void deuxAjoutsEnregistresChacun();
    void validation_data();
    void validation();
    void entreeEtEchapNeDeclenchentRien();
    void caseDeFermetureCommeAnnuler();
    void fermetureDuProgrammeFermeLEditeur();
    void sansRubriqueRienNeSOuvre();
    void fichierSupprimeDansLeDos();
    void fichierInenregistrable();
    void nomDeDixMilleCaracteres();
};

void TstAjouter::presentation()
{
    auto b = banc();
    QVERIFY(b->pendantEditeur(
        [&] { Ajouter_Logiciel(*b->menu); },
        [](Ajouter& a) {
            QCOMPARE(a.windowTitle(), QStringLiteral("Ajouter un raccourci"));
            QCOMPARE(a.Frame1->title(), QString::fromUtf8("Références du raccourci"));
            QVERIFY(a.Frame1->font().bold());
            // The frame's bold title font does not reach the controls.
            QVERIFY(!a.Text1->font().bold());
            QVERIFY(!a.Command1[2]->font().bold());
            QVERIFY(!a.Label1[0]->font().bold());
            QCOMPARE(a.Label1[2]->font().family(), QStringLiteral("Verdana"));
            QVERIFY(a.Combo1->font().bold());
            QVERIFY(a.Command1[0]->font().bold());
            QCOMPARE(a.Combo1->count(), 3);
            QCOMPARE(a.Combo1->currentText(), QString::fromUtf8("Fenêtre normale"));
            QCOMPARE(a.Combo1->itemText(1), QString::fromUtf8("Réduite"));
            QCOMPARE(a.Combo1->itemText(2), QStringLiteral("Agrandie"));
            QVERIFY(!a.Combo1->isEditable());
            QVERIFY(a.Text2->isReadOnly());
            QCOMPARE(a.Command1[1]->text(), QStringLiteral("Ajouter"));
            QCOMPARE(a.Command1[1]->toolTip(), QStringLiteral("Ajouter le raccourci"));
            for (QPushButton* bouton : a.Command1)
                QVERIFY(!bouton->isDefault() && !bouton->autoDefault());
            QVERIFY(a.isModal());
            // 5175 x 4335 twips at the screen's logical resolution.
            const double dpi = a.screen()->logicalDotsPerInchX();
            QCOMPARE(a.size(), QSize(qRound(5175 * dpi / 1440), qRound(4335 * dpi / 1440)));
            QCOMPARE(a.minimumSize(), a.maximumSize());
            QVERIFY(
                !(a.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        }));
}

void TstAjouter::choixDuProgramme()
{
    auto b = banc();
    b->services.prompts.fichiers << "/opt/jeux/tetris.exe"
                                 << "/opt/outils/calc";
    QVERIFY(b->pendantEditeur([&] { Ajouter_Logiciel(*b->menu); },
                              [](Ajouter& a) {
                                  a.Text1->setText("Nom tapé");
                                  a.Command1_Click(0);
                                  QCOMPARE(a.Text1->text(), QStringLiteral("tetris.exe"));
                                  QCOMPARE(a.Text2->text(), QStringLiteral("/opt/jeux/tetris.exe"));
                                  a.Command1_Click(0);
                                  QCOMPARE(a.Text1->text(), QStringLiteral("calc"));
                                  QCOMPARE(a.Text2->text(), QStringLiteral("/opt/outils/calc"));
                              }));
    const auto& appels = b->appels();
    QCOMPARE(appels.size(), 2);
    const DialogueFichier& d = appels[0].dialogue;
    QCOMPARE(d.titre, QString::fromUtf8("Sélectionnez une application"));
    QStringList filtres;
    for (const FiltreFichier& f : d.filtres)
        filtres << f.texte();
    QCOMPARE(filtres, (QStringList{"Fichier EXE (*.exe)", "Fichier BATCH (*.bat)",
                                   "Fichier COM (*.com)", "Fichier PIF (*.pif)",
                                   "Applications (*.desktop)", "Tous les fichiers (*)"}));
    QCOMPARE(filtres.value(d.filtreChoisi), QStringLiteral("Tous les fichiers (*)"));
    QCOMPARE(d.dossierInitial, QString());
    // The second time the dialog starts where the chosen program lies.
    QCOMPARE(appels[1].dialogue.dossierInitial, QStringLiteral("/opt/jeux/tetris.exe"));
}

void TstAjouter::choixAnnule()
{
    auto b = banc();
    QVERIFY(b->pendantEditeur([&] { Ajouter_Logiciel(*b->menu); },
                              [](Ajouter& a) {
                                  a.Text1->setText("Jeu");
                                  a.Text2->setText("/opt/jeu");
                                  a.Command1_Click(0); // no scripted file: cancelled
                                  QCOMPARE(a.Text1->text(), QStringLiteral("Jeu"));
                                  QCOMPARE(a.Text2->text(), QStringLiteral("/opt/jeu"));
                                  QVERIFY(a.isVisible());
                              }));
    QCOMPARE(b->menu->List2->Count(), 0);
}

void TstAjouter::deuxAjoutsEnregistresChacun()
{
    auto b = banc({{"Ancien", "/opt/ancien", "Agrandie", "-v"}});
    b->services.prompts.fichiers << "/opt/jeux/tetris";
    QList<Raccourci> apresPremier;
    QVERIFY(b->pendantEditeur([&] { Ajouter_Logiciel(*b->menu); },
                              [&](Ajouter& a) {
                                  a.Command1_Click(0);
                                  a.Combo1->setCurrentIndex(1);
                                  a.Command1_Click(1);
                                  QVERIFY(a.isVisible());
                                  apresPremier = lus(*b);
                                  a.Command1_Click(1);
                                  QVERIFY(a.isVisible());
                                  QCOMPARE(a.Text1->text(),
                                           QStringLiteral("tetris")); // fields unchanged
                              }));
    const Raccourci tetris{"tetris", "/opt/jeux/tetris", QString::fromUtf8("Réduite"), ""};
    const Raccourci ancien{"Ancien", "/opt/ancien", "Agrandie", "-v"};
    QCOMPARE(apresPremier, (QList<Raccourci>{ancien, tetris}));
    QCOMPARE(lus(*b), (QList<Raccourci>{ancien, tetris, tetris}));
    QCOMPARE(Banc::textes(b->menu->List2), (QStringList{"Ancien", "tetris", "tetris"}));
    QVERIFY(b->menu->List2->Item(2).image > 0);
    QVERIFY(b->appels().size() == 1); // the file dialog only
}

void TstAjouter::validation_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<QString>("message");

    QTest::newRow("les deux vides") << ""
                                    << ""
                                    << "Un nom de dossier est obligatoire.";
    QTest::newRow("chemin seul") << ""
                                 << "/opt/jeu"
                                 << "Un nom de dossier est obligatoire.";
    QTest::newRow("nom seul") << "Jeu"
                              << ""
                              << "Le chemin du dossier est obligatoire !!!";
}

void TstAjouter::validation()
{
    QFETCH(QString, nom);
    QFETCH(QString, chemin);
    QFETCH(QString, message);

    auto b = banc();
    const QByteArray avant = test::lireOctets(b->fichier("R"));
    QVERIFY(b->pendantEditeur([&] { Ajouter_Logiciel(*b->menu); },
                              [&](Ajouter& a) {
                                  a.Text1->setText(nom);
                                  a.Text2->setText(chemin);
                                  a.Command1_Click(1);
                                  QVERIFY(a.isVisible());
                                  QCOMPARE(a.Text1->text(), nom);
                                  QCOMPARE(a.Text2->text(), chemin);
                              }));
    QCOMPARE(b->appels().size(), 1);
    const auto& appel = b->appels().first();
    QCOMPARE(appel.texte, message);
    QCOMPARE(appel.titre, QStringLiteral("Information"));
    QCOMPARE(appel.icone, IconeMessage::Information);
    QCOMPARE(appel.boutons, BoutonsMessage::Ok);
    QCOMPARE(b->menu->List2->Count(), 0);
    QCOMPARE(test::lireOctets(b->fichier("R")), avant);
}

void TstAjouter::entreeEtEchapNeDeclenchentRien()
{
    auto b = banc();
    bool resteOuvert = false;
    QVERIFY(b->pendantEditeur([&] { Ajouter_Logiciel(*b->menu); },
                              [&](Ajouter& a) {
                                  a.Text1->setText("Jeu");
                                  a.Text2->setText("/opt/jeu");
                                  for (QWidget* w : {static_cast<QWidget*>(a.Text1),
                                                     static_cast<QWidget*>(a.Text3),
                                                     static_cast<QWidget*>(a.Command1[1]),
                                                     static_cast<QWidget*>(a.Command1[2])}) {
                                      w->setFocus();
                                      QTest::keyClick(w, Qt::Key_Return);
                                      QTest::keyClick(w, Qt::Key_Enter, Qt::KeypadModifier);
                                      QTest::keyClick(w, Qt::Key_Escape);
                                  }
                                  resteOuvert = a.isVisible();
                              }));
    QVERIFY(resteOuvert);
    QCOMPARE(b->menu->List2->Count(), 0);
    QVERIFY(b->appels().isEmpty());
}

void TstAjouter::caseDeFermetureCommeAnnuler()
{
    auto b = banc();
    QPointer<Ajouter> editeur;
    QVERIFY(b->pendantEditeur([&] { Ajouter_Logiciel(*b->menu); },
                              [&](Ajouter& a) {
                                  editeur = &a;
                                  a.Text1->setText("Jeu");
                                  a.Text2->setText("/opt/jeu");
                                  QVERIFY(a.close()); // the close box
                              }));
    QVERIFY(editeur.isNull()); // unloaded
    QCOMPARE(b->menu->List2->Count(), 0);
}

void TstAjouter::fermetureDuProgrammeFermeLEditeur()
{
    auto b = banc();
    QPointer<Ajouter> editeur;
    QVERIFY(b->pendantEditeur([&] { Ajouter_Logiciel(*b->menu); },
                              [&](Ajouter& a) {
                                  editeur = &a;
                                  b->menu->close();
                                  QVERIFY(!a.isVisible());
                              }));
    QVERIFY(editeur.isNull());
    QVERIFY(QFileInfo::exists(b->dossier.fichier("Lanceron.ini")));
}

void TstAjouter::sansRubriqueRienNeSOuvre()
{
    Banc b;
    b.demarrer();
    QVERIFY(!b.pendantEditeur([&] { Ajouter_Logiciel(*b.menu); }, [](Ajouter&) {}));
    QVERIFY(!b.menu->findChild<Ajouter*>());
}

void TstAjouter::fichierSupprimeDansLeDos()
{
    auto b = banc({{"Ancien", "/opt/ancien", "Agrandie", ""}});
    QVERIFY(QFile::remove(b->fichier("R")));
    QVERIFY(b->pendantEditeur([&] { Ajouter_Logiciel(*b->menu); },
                              [](Ajouter& a) {
                                  a.Text1->setText("Jeu");
                                  a.Text2->setText("/opt/jeu");
                                  a.Command1_Click(1);
                              }));
    // The list is the working copy: the file is written again whole.
    QCOMPARE(lus(*b).size(), 2);
    QCOMPARE(lus(*b).first().Nom, QStringLiteral("Ancien"));
}

void TstAjouter::fichierInenregistrable()
{
    auto b = banc({{"Ancien", "/opt/ancien", "Agrandie", ""}});
    // The file is replaced by a folder behind the program's back: it cannot be written.
    QVERIFY(QFile::remove(b->fichier("R")));
    QVERIFY(QDir().mkpath(b->fichier("R")));
    bool resteOuvert = false;
    QVERIFY(b->pendantEditeur([&] { Ajouter_Logiciel(*b->menu); },
                              [&](Ajouter& a) {
                                  a.Text1->setText("Jeu");
                                  a.Text2->setText("/opt/jeu");
                                  a.Command1_Click(1);
                                  resteOuvert = a.isVisible();
                              }));
    QVERIFY(resteOuvert);
    QCOMPARE(b->appels().size(), 1);
    QCOMPARE(b->appels().first().icone, IconeMessage::Avertissement);
    QVERIFY(b->appels().first().texte.contains("R"));
    QCOMPARE(Banc::textes(b->menu->List2), (QStringList{"Ancien", "Jeu"}));
    QVERIFY(QFileInfo(b->fichier("R")).isDir());
}

void TstAjouter::nomDeDixMilleCaracteres()
{
    auto b = banc();
    const QString nom = QString::fromUtf8("日本語 été 🎮 ∑ ab ").repeated(625);
    QCOMPARE(nom.size(), 10000);
    QVERIFY(b->pendantEditeur([&] { Ajouter_Logiciel(*b->menu); },
                              [&](Ajouter& a) {
                                  a.Text1->setText(nom);
                                  a.Text2->setText(QString::fromUtf8("/opt/jeux été/🎮"));
                                  a.Text3->setText(QString::fromUtf8("--titre « x »"));
                                  a.Command1_Click(1);
                              }));
    b->menu->Actualiser_Rubrique();
    QCOMPARE(b->menu->List2->Count(), 1);
    QCOMPARE(b->menu->List2->Item(1).texte, nom);
    QCOMPARE(
        b->menu->List2->Item(1).sousElements,
        (QStringList{QString::fromUtf8("/opt/jeux été/🎮"), QString::fromUtf8("Fenêtre normale"),
                     QString::fromUtf8("--titre « x »")}));
}

QTEST_MAIN(TstAjouter)
#include "tst_ajouter.moc"
