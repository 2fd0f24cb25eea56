// The operations on the selected shortcut: the editor in modify mode, deletion, properties.

#include "banc_catalogue.h"
#include "catalogue/logiciel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace lanceron;
using Banc = test::BancCatalogue;

namespace {

const QList<QStringList> troisRaccourcis = {{"Tetris", "/opt/tetris", "Agrandie", "-x"},
                                            {"Doom", "/opt/doom", "Réduite", ""},
                                            {"Calc", "/usr/bin/calc", "Fenêtre normale", "-b"}};

std::unique_ptr<Banc> banc(const QList<QStringList>& raccourcis = troisRaccourcis)
{
    auto b = std::make_unique<Banc>();
    test::ecrireRubrique(b->dossier.chemin(), "Jeux vidéo", raccourcis);
    b->demarrer();
    return b;
}

Raccourci raccourci(const QStringList& r)
{
    return {r.value(0), r.value(1), r.value(2), r.value(3)};
}

} // namespace

class TstLogiciel : public QObject {
    Q_OBJECT
private slots:
    void ouvertureEnModification_data();
    void ouvertureEnModification();
    void annulerNeChangeRien();
    void modificationEnregistree();
    void autreProgrammeRemplaceLeNom();
    void reouvertureDepuisLaConception();
    void suppressionRefusee();
    void suppressionRenumerote();
    void proprietesDuCheminStocke();
    void listeVide();
};

void TstLogiciel::ouvertureEnModification_data()
{
    QTest::addColumn<QString>("etat");
    QTest::addColumn<int>("entree");

    QTest::newRow("Fenêtre normale") << QString::fromUtf8("Fenêtre normale") << 0;
    QTest::newRow("Réduite") << QString::fromUtf8("Réduite") << 1;
    QTest::newRow("Agrandie") << "Agrandie" << 2;
    QTest::newRow("première lettre seule") << "Rapide" << 1;
    QTest::newRow("minuscules") << "agrandie" << 0;
    QTest::newRow("vide") << "" << 0;
    QTest::newRow("autre lettre") << "Maximisée" << 0;
}

void TstLogiciel::ouvertureEnModification()
{
    QFETCH(QString, etat);
    QFETCH(int, entree);
    auto b = banc({{"A", "/opt/a", "Agrandie", ""}, {"Jeu « 2 »", "/opt/jeu 2", etat, "-f x"}});
    b->menu->List2->setSelectedIndex(2);
    QVERIFY(b->pendantEditeur(
        [&] { Modifier_Logiciel(*b->menu); },
        [&](Ajouter& a) {
            QCOMPARE(a.windowTitle(), QString::fromUtf8("Modifier le raccourci 'Jeu « 2 »'"));
            QCOMPARE(a.Command1[1]->text(), QStringLiteral("Modifier"));
            QCOMPARE(a.Command1[1]->toolTip(), QStringLiteral("Modifier le raccourci"));
            QCOMPARE(a.Text1->text(), QString::fromUtf8("Jeu « 2 »"));
            QCOMPARE(a.Text2->text(), QStringLiteral("/opt/jeu 2"));
            QCOMPARE(a.Text3->text(), QStringLiteral("-f x"));
            QCOMPARE(a.Combo1->currentIndex(), entree);
            QVERIFY(a.isModal());
        }));
}

void TstLogiciel::annulerNeChangeRien()
{
    auto b = banc();
    const QByteArray avant = test::lireOctets(b->fichier("Jeux vidéo"));
    b->menu->List2->setSelectedIndex(2);
    QVERIFY(b->pendantEditeur([&] { Modifier_Logiciel(*b->menu); },
                              [](Ajouter& a) {
                                  a.Text1->setText("Autre");
                                  a.Combo1->setCurrentIndex(2);
                                  a.Command1_Click(2);
                                  QVERIFY(!a.isVisible());
                              }));
    QCOMPARE(test::lireOctets(b->fichier("Jeux vidéo")), avant);
    QCOMPARE(Banc::textes(b->menu->List2), (QStringList{"Tetris", "Doom", "Calc"}));
    QCOMPARE(b->menu->List2->Item(2).sousElements.value(1), QString::fromUtf8("Réduite"));
}

void TstLogiciel::modificationEnregistree()
{
    auto b = banc();
    b->menu->List2->setSelectedIndex(2);
    const int image = b->menu->List2->Item(2).image;
    bool fermeApres = false;
    QVERIFY(b->pendantEditeur([&] { Modifier_Logiciel(*b->menu); },
                              [&](Ajouter& a) {
                                  a.Text1->clear(); // an empty name is accepted in modify mode
                                  a.Text2->setText("/opt/propre/doom2");
                                  a.Text3->setText("-warp 1");
                                  a.Combo1->setCurrentIndex(0);
                                  a.Command1_Click(1);
                                  fermeApres = !a.isVisible();
                              }));
    QVERIFY(fermeApres);
    QVERIFY(b->appels().isEmpty());
    const QList<Raccourci> attendus{
        raccourci(troisRaccourcis[0]),
        {"", "/opt/propre/doom2", QString::fromUtf8("Fenêtre normale"), "-warp 1"},
        raccourci(troisRaccourcis[2])};
    QCOMPARE(Lire_Rubrique(b->fichier("Jeux vidéo")), attendus);
    QCOMPARE(b->menu->List2->Item(2).texte, QString());
    QCOMPARE(b->menu->List2->Item(2).image, image); // the row keeps its icon
    QCOMPARE(b->menu->List2->SelectedIndex(), 2);
}

void TstLogiciel::autreProgrammeRemplaceLeNom()
{
    auto b = banc();
    b->services.prompts.fichiers << "/usr/games/nethack";
    QVERIFY(b->pendantEditeur([&] { Modifier_Logiciel(*b->menu); },
                              [](Ajouter& a) {
                                  a.Command1_Click(0);
                                  QCOMPARE(a.Text1->text(), QStringLiteral("nethack"));
                                  a.Command1_Click(1);
                              }));
    QCOMPARE(b->appels().first().dialogue.dossierInitial, QStringLiteral("/opt/tetris"));
    QCOMPARE(Lire_Rubrique(b->fichier("Jeux vidéo")).first(),
             (Raccourci{"nethack", "/usr/games/nethack", "Agrandie", "-x"}));
}

void TstLogiciel::reouvertureDepuisLaConception()
{
    auto b = banc();
    QVERIFY(b->pendantEditeur([&] { Modifier_Logiciel(*b->menu); }, [](Ajouter&) {}));
    QVERIFY(b->pendantEditeur([&] { Ajouter_Logiciel(*b->menu); },
                              [](Ajouter& a) {
                                  QCOMPARE(a.windowTitle(), QStringLiteral("Ajouter un raccourci"));
                                  QCOMPARE(a.Command1[1]->text(), QStringLiteral("Ajouter"));
                                  QCOMPARE(a.Command1[1]->toolTip(),
                                           QStringLiteral("Ajouter le raccourci"));
                                  QCOMPARE(a.Text1->text(), QString());
                                  QCOMPARE(a.Text2->text(), QString());
                                  QCOMPARE(a.Combo1->currentIndex(), 0);
                                  // Add mode: the confirm button appends and the editor stays open.
                                  a.Text1->setText("Nouveau");
                                  a.Text2->setText("/opt/nouveau");
                                  a.Command1_Click(1);
                                  QVERIFY(a.isVisible());
                              }));
    QCOMPARE(Banc::textes(b->menu->List2), (QStringList{"Tetris", "Doom", "Calc", "Nouveau"}));
}

void TstLogiciel::suppressionRefusee()
{
    auto b = banc();
    const QByteArray avant = test::lireOctets(b->fichier("Jeux vidéo"));
    b->menu->List2->setSelectedIndex(2);
    Supprimer_Logiciel(*b->menu); // no scripted answer: No

    QCOMPARE(b->appels().size(), 1);
    const auto& appel = b->appels().first();
    QCOMPARE(appel.texte,
             QString::fromUtf8(
                 "Souhaitez-vous vraiment supprimer ce raccourci de la rubrique Jeux vidéo ?"));
    QCOMPARE(appel.titre, QStringLiteral("Suppression du raccourci 'Doom'"));
    QCOMPARE(appel.icone, IconeMessage::Question);
    QCOMPARE(appel.boutons, BoutonsMessage::OuiNon);
    QCOMPARE(test::lireOctets(b->fichier("Jeux vidéo")), avant);
    QCOMPARE(b->menu->List2->Count(), 3);
}

void TstLogiciel::suppressionRenumerote()
{
    // A file with a gap in its numbering and a stale section beyond the count.
    auto b = std::make_unique<Banc>();
    QDir().mkpath(b->rubriques());
    test::ecrireOctets(b->fichier("Jeux vidéo"),
                       QString::fromUtf8("[LOGICIEL]\nNombre=3\n"
                                         "[LOGICIEL 1]\nNom=Tetris\nDossier=/opt/tetris\n"
                                         "[LOGICIEL 2]\nNom=Doom\nDossier=/opt/doom\n"
                                         "[LOGICIEL 3]\nNom=Calc\nDossier=/usr/bin/calc\n"
                                         "Executer=Agrandie\n"
                                         "[LOGICIEL 7]\nNom=Ancien\n")
                           .toUtf8());
    b->demarrer();
    b->menu->List2->setSelectedIndex(2);
    b->services.prompts.reponses << Reponse::Oui;
    Supprimer_Logiciel(*b->menu);

    QCOMPARE(test::lireOctets(b->fichier("Jeux vidéo")),
             QByteArray("[LOGICIEL]\nNombre=2\n"
                        "[LOGICIEL 1]\nNom=Tetris\nDossier=/opt/tetris\nExecuter=\nCommande=\n"
                        "[LOGICIEL 2]\nNom=Calc\nDossier=/usr/bin/calc\nExecuter=Agrandie\n"
                        "Commande=\n"));
    QCOMPARE(Banc::textes(b->menu->List2), (QStringList{"Tetris", "Calc"}));
    QCOMPARE(b->menu->List2->SelectedIndex(), 2);
}

void TstLogiciel::proprietesDuCheminStocke()
{
    auto b = banc({{"x", "/chemin qui n'existe pas/x.exe", "F", ""}});
    Proprietes_Logiciel(*b->menu);
    QCOMPARE(b->services.shell.proprietesDemandees, QStringList{"/chemin qui n'existe pas/x.exe"});
}

void TstLogiciel::listeVide()
{
    auto b = banc({});
    b->services.prompts.reponses << Reponse::Oui;
    QVERIFY(!b->pendantEditeur([&] { Modifier_Logiciel(*b->menu); }, [](Ajouter&) {}));
    Supprimer_Logiciel(*b->menu);
    Proprietes_Logiciel(*b->menu);
    QVERIFY(b->appels().isEmpty());
    QVERIFY(b->services.shell.proprietesDemandees.isEmpty());
    QCOMPARE(test::lireOctets(b->fichier("Jeux vidéo")), QByteArray("[LOGICIEL]\nNombre=0\n"));
}

QTEST_MAIN(TstLogiciel)
#include "tst_logiciel.moc"
