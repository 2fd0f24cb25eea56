// The operations on the selected shortcut: the editor in modify mode, deletion, properties.

#include "banc_catalogue.h"
#include "catalogue/logiciel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace lanceron;
using namespace Qt::StringLiterals;
using Banc = test::BancCatalogue;

namespace {

const QString Rubrique = u"Jeux vidéo"_s;
const Raccourci Tetris{"Tetris", "/opt/tetris", "Agrandie", "-x"};
const Raccourci Doom{"Doom", "/opt/doom", u"Réduite"_s, ""};
const Raccourci Calc{"Calc", "/usr/bin/calc", u"Fenêtre normale"_s, "-b"};

// A main window over the rubrique holding Tetris, Doom and Calc.
struct BancTrois : Banc {
    BancTrois() : Banc(Rubrique, {champs(Tetris), champs(Doom), champs(Calc)}) {}
    static QStringList champs(const Raccourci& r)
    {
        return {r.Nom, r.Dossier, r.Executer, r.Commande};
    }
    QList<Raccourci> lus() const { return Lire_Rubrique(fichierRubrique(Rubrique)); }
};

// Opens the editor on the second shortcut and lets `action` act on it; true when it opened.
bool modifier(Banc& b, const std::function<void(Ajouter&)>& action)
{
    b.menu->List2->setSelectedIndex(2);
    return b.pendantEditeur([&] { Modifier_Logiciel(*b.menu); }, action);
}

} // namespace

class TstLogiciel : public QObject {
    Q_OBJECT
private slots:
    void ouvertureEnModification_data();
    void ouvertureEnModification();
    void modification_data();
    void modification();
    void reouvertureDepuisLaConception();
    void suppression_data();
    void suppression();
    void proprietesDuCheminStocke();
};

void TstLogiciel::ouvertureEnModification_data()
{
    // Only the first letter of the stored state counts, in capitals.
    QTest::addColumn<QString>("etat");
    QTest::addColumn<int>("entree");
    QTest::newRow("Réduite") << u"Réduite"_s << 1;
    QTest::newRow("Agrandie") << u"Agrandie"_s << 2;
    QTest::newRow("première lettre seule") << u"Rapide"_s << 1;
    QTest::newRow("minuscules") << u"agrandie"_s << 0;
}

void TstLogiciel::ouvertureEnModification()
{
    QFETCH(QString, etat);
    QFETCH(int, entree);
    Banc b(Rubrique, {{"A", "/opt/a", "Agrandie", ""}, {"Jeu « 2 »", "/opt/jeu 2", etat, "-f x"}});
    QVERIFY(modifier(b, [&](Ajouter& a) {
        QCOMPARE(a.windowTitle(), u"Modifier le raccourci 'Jeu « 2 »'"_s);
        QCOMPARE(a.Command1[1]->text(), u"Modifier"_s);
        QCOMPARE(a.Command1[1]->toolTip(), u"Modifier le raccourci"_s);
        const QStringList champs{a.Text1->text(), a.Text2->text(), a.Text3->text()};
        QCOMPARE(champs, (QStringList{u"Jeu « 2 »"_s, u"/opt/jeu 2"_s, u"-f x"_s}));
        QCOMPARE(a.Combo1->currentIndex(), entree);
    }));
}

void TstLogiciel::modification_data()
{
    QTest::addColumn<int>("bouton");
    QTest::addColumn<Raccourci>("deuxieme"); // the second shortcut afterwards
    // An empty name is accepted in modify mode.
    QTest::newRow("Modifier") << 1 << Raccourci{"", "/opt/doom2", u"Fenêtre normale"_s, "-warp 1"};
    QTest::newRow("Annuler") << 2 << Doom;
}

void TstLogiciel::modification()
{
    QFETCH(int, bouton);
    QFETCH(Raccourci, deuxieme);
    BancTrois b;
    const int image = b.menu->List2->Item(2).image;
    bool fermeApres = false;
    QVERIFY(modifier(b, [&](Ajouter& a) {
        a.Text1->clear();
        a.Text2->setText("/opt/doom2");
        a.Text3->setText("-warp 1");
        a.Combo1->setCurrentIndex(0);
        a.Command1_Click(bouton);
        fermeApres = !a.isVisible();
    }));
    QVERIFY(fermeApres);
    QVERIFY(b.services.prompts.appels.isEmpty());
    QCOMPARE(b.lus(), (QList<Raccourci>{Tetris, deuxieme, Calc}));
    const ElementListe ligne = b.menu->List2->Item(2);
    QCOMPARE(ligne.texte, deuxieme.Nom);
    QCOMPARE(ligne.sousElements,
             (QStringList{deuxieme.Dossier, deuxieme.Executer, deuxieme.Commande}));
    QCOMPARE(ligne.image, image); // the row keeps its icon
    QCOMPARE(b.menu->List2->SelectedIndex(), 2);
}

void TstLogiciel::reouvertureDepuisLaConception()
{
    BancTrois b;
    QVERIFY(modifier(b, [](Ajouter&) {}));
    // The editor was unloaded: it opens again as designed, in add mode, and stays open.
    QVERIFY(b.pendantEditeur([&] { Ajouter_Logiciel(*b.menu); },
                             [](Ajouter& a) {
                                 QCOMPARE(a.windowTitle(), u"Ajouter un raccourci"_s);
                                 QCOMPARE(a.Command1[1]->toolTip(), u"Ajouter le raccourci"_s);
                                 QCOMPARE(a.Text1->text(), QString());
                                 a.Text1->setText("Nouveau");
                                 a.Text2->setText("/opt/nouveau");
                                 a.Command1_Click(1);
                                 QVERIFY(a.isVisible());
                             }));
    QCOMPARE(Banc::textes(b.menu->List2), (QStringList{"Tetris", "Doom", "Calc", "Nouveau"}));
}

void TstLogiciel::suppression_data()
{
    QTest::addColumn<Reponse>("reponse");
    QTest::addColumn<QList<Raccourci>>("restants");
    QTest::newRow("refusée") << Reponse::Non << QList<Raccourci>{Tetris, Doom, Calc};
    QTest::newRow("acceptée") << Reponse::Oui << QList<Raccourci>{Tetris, Calc};
}

void TstLogiciel::suppression()
{
    QFETCH(Reponse, reponse);
    QFETCH(QList<Raccourci>, restants);
    BancTrois b;
    const QByteArray avant = test::lireOctets(b.fichierRubrique(Rubrique));
    b.menu->List2->setSelectedIndex(2);
    b.services.prompts.reponses << reponse;
    Supprimer_Logiciel(*b.menu);

    QCOMPARE(b.services.prompts.appels.size(), 1);
    const auto& appel = b.services.prompts.appels.first();
    QCOMPARE(appel.texte,
             u"Souhaitez-vous vraiment supprimer ce raccourci de la rubrique Jeux vidéo ?"_s);
    QCOMPARE(appel.titre, u"Suppression du raccourci 'Doom'"_s);
    QCOMPARE(appel.boutons, BoutonsMessage::OuiNon);
    QCOMPARE(b.lus(), restants);
    QCOMPARE(test::lireOctets(b.fichierRubrique(Rubrique)) == avant, reponse == Reponse::Non);
    QCOMPARE(b.menu->List2->Count(), restants.size());
    QCOMPARE(b.menu->List2->SelectedIndex(), 2);
}

void TstLogiciel::proprietesDuCheminStocke()
{
    Banc b(Rubrique, {{"x", "/chemin qui n'existe pas/x.exe", "F", ""}});
    Proprietes_Logiciel(*b.menu);
    QCOMPARE(b.services.shell.proprietesDemandees, QStringList{"/chemin qui n'existe pas/x.exe"});
}

QTEST_MAIN(TstLogiciel)
#include "tst_logiciel.moc"
