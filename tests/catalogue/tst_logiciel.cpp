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
const QStringList Tetris{"Tetris", "/opt/tetris", "Agrandie", "-x"};
const QStringList Doom{"Doom", "/opt/doom", "Réduite", ""};
const QStringList Calc{"Calc", "/usr/bin/calc", "Fenêtre normale", "-b"};

// The shortcuts in the rubrique's file, as four texts each.
QList<QStringList> lus(const Banc& b)
{
    QList<QStringList> r;
    for (const Raccourci& x : Lire_Rubrique(b.fichierRubrique(Rubrique)))
        r << QStringList{x.Nom, x.Dossier, x.Executer, x.Commande};
    return r;
}

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
    void modification_data();
    void modification();
    void reouvertureDepuisLaConception();
    void suppression_data();
    void suppression();
    void proprietesDuCheminStocke();
};

void TstLogiciel::modification_data()
{
    // Only the first letter of the stored state counts, in capitals.
    QTest::addColumn<QString>("etat");
    QTest::addColumn<int>("entree");
    QTest::addColumn<int>("bouton"); // "Modifier" or "Annuler"
    QTest::newRow("Réduite, modifié") << u"Réduite"_s << 1 << 1;
    QTest::newRow("première lettre seule, modifié") << u"Rapide"_s << 1 << 1;
    QTest::newRow("Agrandie, annulé") << u"Agrandie"_s << 2 << 2;
    QTest::newRow("minuscules, annulé") << u"agrandie"_s << 0 << 2;
}

void TstLogiciel::modification()
{
    QFETCH(QString, etat);
    QFETCH(int, entree);
    QFETCH(int, bouton);
    const QStringList jeu{u"Jeu « 2 »"_s, u"/opt/jeu 2"_s, etat, u"-f x"_s};
    Banc b(Rubrique, {Tetris, jeu, Calc});
    const int image = b.menu->List2->Item(2).image;
    bool fermeApres = false;
    QVERIFY(modifier(b, [&](Ajouter& a) {
        QCOMPARE(a.windowTitle(), u"Modifier le raccourci 'Jeu « 2 »'"_s);
        QCOMPARE(a.Command1[1]->text(), u"Modifier"_s);
        QCOMPARE(a.Command1[1]->toolTip(), u"Modifier le raccourci"_s);
        const QStringList champs{a.Text1->text(), a.Text2->text(), a.Text3->text()};
        QCOMPARE(champs, (QStringList{jeu[0], jeu[1], jeu[3]}));
        QCOMPARE(a.Combo1->currentIndex(), entree);
        a.Text1->clear(); // an empty name is accepted in modify mode
        a.Text2->setText("/opt/doom2");
        a.Text3->setText("-warp 1");
        a.Combo1->setCurrentIndex(0);
        a.Command1_Click(bouton);
        fermeApres = !a.isVisible();
    }));
    QVERIFY(fermeApres);
    QVERIFY(b.services.prompts.appels.isEmpty());
    const QStringList apres =
        bouton == 1 ? QStringList{"", "/opt/doom2", "Fenêtre normale", "-warp 1"} : jeu;
    QCOMPARE(lus(b), (QList<QStringList>{Tetris, apres, Calc}));
    const ElementListe ligne = b.menu->List2->Item(2);
    QCOMPARE(QStringList{ligne.texte} + ligne.sousElements, apres);
    QCOMPARE(ligne.image, image); // the row keeps its icon
    QCOMPARE(b.menu->List2->SelectedIndex(), 2);
}

void TstLogiciel::reouvertureDepuisLaConception()
{
    Banc b(Rubrique, {Tetris, Doom, Calc});
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
    QTest::addColumn<QList<QStringList>>("restants");
    QTest::newRow("refusée") << Reponse::Non << QList<QStringList>{Tetris, Doom, Calc};
    QTest::newRow("acceptée") << Reponse::Oui << QList<QStringList>{Tetris, Calc};
}

void TstLogiciel::suppression()
{
    QFETCH(Reponse, reponse);
    QFETCH(QList<QStringList>, restants);
    Banc b(Rubrique, {Tetris, Doom, Calc});
    b.menu->List2->setSelectedIndex(2);
    b.services.prompts.reponses << reponse;
    Supprimer_Logiciel(*b.menu);

    QCOMPARE(b.services.prompts.appels.size(), 1);
    const auto& appel = b.services.prompts.appels.first();
    QCOMPARE(appel.texte,
             u"Souhaitez-vous vraiment supprimer ce raccourci de la rubrique Jeux vidéo ?"_s);
    QCOMPARE(appel.titre, u"Suppression du raccourci 'Doom'"_s);
    QCOMPARE(appel.boutons, BoutonsMessage::OuiNon);
    QCOMPARE(lus(b), restants);
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
