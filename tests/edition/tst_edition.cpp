// Editing the catalogue from the window: what the rubrique and shortcut commands ask, tell and
// select, and the shortcut editor in its two modes.

#include "banc_catalogue.h"
#include "catalogue/nom_rubrique.h"
#include "edition/logiciel.h"
#include "edition/rubrique.h"
#include "main_window/modeles.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace lanceron;
using namespace Qt::StringLiterals;
using Banc = test::BancCatalogue;

namespace {

const QStringList Tetris{"Tetris", "/opt/tetris", "Agrandie", "-x"};
const QStringList Doom{"Doom", "/opt/doom", "Réduite", ""};
const QStringList Calc{"Calc", "/usr/bin/calc", "Fenêtre normale", "-b"};

// The rubrique "A" holding Tetris, Doom and Calc, and "B" holding Calc.
void demarrerAB(Banc& b)
{
    test::ecrireRubrique(b.dossier.chemin(), "A", {Tetris, Doom, Calc});
    test::ecrireRubrique(b.dossier.chemin(), "B", {Calc});
    b.demarrer();
}

QList<QStringList> lus(const Banc& b, const QString& rubrique)
{
    QList<QStringList> r;
    for (const Raccourci& x : Lire_Rubrique(b.fichierRubrique(rubrique)))
        r << QStringList{x.Nom, x.Dossier, x.Executer, x.Commande};
    return r;
}

// What the user was asked and told: "title: text" of every prompt after the first.
QStringList dits(const Banc& b)
{
    QStringList r;
    for (const auto& a : b.services.prompts.appels.mid(1))
        r << a.titre + u": "_s + a.texte;
    return r;
}

} // namespace

class TstEdition : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void commandesDesRubriques_data();
    void commandesDesRubriques();
    void editeurEnAjout();
    void nomPropose_data();
    void nomPropose();
    void validation_data();
    void validation();
    void editeurEnModification_data();
    void editeurEnModification();
    void suppressionDUnRaccourci_data();
    void suppressionDUnRaccourci();

private:
    test::DossierTest m_maison;
};

void TstEdition::initTestCase()
{
    QVERIFY(QDir().mkpath(m_maison.fichier("data")));
    qputenv("HOME", QFile::encodeName(m_maison.chemin()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_maison.fichier("data")));
}

void TstEdition::commandesDesRubriques_data()
{
    // The command, the text typed ("" cancels) or the answer, then what the user was told
    // and both lists afterwards.
    QTest::addColumn<int>("commande"); // create, rename, delete
    QTest::addColumn<QString>("reponse");
    QTest::addColumn<QString>("premier"); // title of the first prompt
    QTest::addColumn<QString>("defaut");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("listes");
    const QStringList intactes{"A", "B", "Tetris", "Doom", "Calc"};
    const QString creer = u"Création d'une nouvelle rubrique..."_s;
    const QString renommer = u"Renommer une rubrique"_s;
    QTest::newRow("création annulée") << 0 << "" << creer << "Rubrique n°3" << QStringList() << intactes;
    QTest::newRow("création refusée")
        << 0 << "../x" << creer << "Rubrique n°3"
        << QStringList{"Information: " + refusNomRubrique("../x")} << intactes;
    QTest::newRow("création") << 0 << "Nouvelle" << creer << "Rubrique n°3" << QStringList()
                              << QStringList{"A", "B", "Nouvelle"};
    QTest::newRow("création d'une existante") << 0 << "B" << creer << "Rubrique n°3"
                                              << QStringList() << QStringList{"A", "B", "Calc"};
    QTest::newRow("renommage annulé") << 1 << "" << renommer << "A" << QStringList() << intactes;
    QTest::newRow("renommage sur une autre")
        << 1 << "B" << renommer << "A"
        << QStringList{u"Information: Une rubrique nommée « B » existe déjà."_s} << intactes;
    QTest::newRow("renommage") << 1 << "Jeux" << renommer << "A" << QStringList()
                               << QStringList{"B", "Jeux", "Tetris", "Doom", "Calc"};
    QTest::newRow("suppression refusée")
        << 2 << "Non" << "Suppression de la rubrique 'A'" << "" << QStringList() << intactes;
    QTest::newRow("suppression") << 2 << "Oui" << "Suppression de la rubrique 'A'" << ""
                                 << QStringList() << QStringList{"B", "Calc"};
}

void TstEdition::commandesDesRubriques()
{
    QFETCH(int, commande);
    QFETCH(QString, reponse);
    QFETCH(QString, premier);
    QFETCH(QString, defaut);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, listes);
    Banc b;
    demarrerAB(b);
    if (commande == 2)
        b.services.prompts.reponses << (reponse == "Oui" ? Reponse::Oui : Reponse::Non);
    else
        b.services.prompts.saisies << reponse;
    void (*const commandes[])(Menu&) = {Creer_Rubrique, Renommer_Rubrique, Supprimer_Rubrique};
    commandes[commande](*b.menu);

    const auto& appel = b.services.prompts.appels.first();
    QCOMPARE(appel.titre, premier);
    QCOMPARE(appel.defaut, defaut);
    const QString invites[] = {u"Donnez un nom explicite pour votre nouvelle rubrique.\r\r"_s,
                               u"Donnez un nom explicite pour votre rubrique.\r\r"_s,
                               u"Souhaitez-vous vraiment supprimer cette rubrique ?"_s};
    QCOMPARE(appel.texte, invites[commande]);
    QCOMPARE(appel.boutons == BoutonsMessage::OuiNon, commande == 2);
    QCOMPARE(dits(b), messages);
    // The rubrique made or renamed is selected and shown; after a deletion, the first one.
    const int selection = b.menu->List1->SelectedIndex();
    QCOMPARE(Banc::textes(b.menu->List1) + Banc::textes(b.menu->List2), listes);
    QCOMPARE(b.menu->rubriqueAffichee(), b.menu->fichierRubriqueSelectionnee());
    if (messages.isEmpty() && listes.contains(reponse))
        QCOMPARE(b.menu->List1->texte(selection), reponse);
}

void TstEdition::editeurEnAjout()
{
    Banc b("R", {{"Ancien", "/opt/ancien", "Agrandie", "-v"}});
    b.services.prompts.fichiers << ""
                                << "/opt/jeux/tetris.exe"; // cancelled, then chosen
    const QStringList nouveau{u"Jeu\u0000 « 2 »"_s, "/opt/jeux/tetris.exe", "Réduite", "-f\nx"};
    QVERIFY(b.pendantEditeur([&] { Ajouter_Logiciel(*b.menu); }, [&](Ajouter& a) {
        QCOMPARE(a.windowTitle(), u"Ajouter un raccourci"_s);
        a.Text1->setText("Jeu");
        a.Command1_Click(0);
        QCOMPARE(a.Text1->text() + a.Text2->text(), u"Jeu"_s);
        a.Command1_Click(0);
        QCOMPARE(a.Text1->text(), u"tetris.exe"_s);
        QCOMPARE(a.Text2->text(), nouveau[1]);
        // Pasted control characters are dropped: a rubrique file line cannot hold them.
        a.Text1->selectAll();
        a.Text1->insert(nouveau[0]);
        a.Text3->insert(nouveau[3]);
        a.Combo1->setCurrentIndex(1);
        a.Command1_Click(1);
        a.Command1_Click(1); // the fields stay: the same shortcut again
        QVERIFY(a.isVisible());
    }));
    const QStringList ecrit{u"Jeu « 2 »"_s, nouveau[1], nouveau[2], u"-fx"_s};
    QCOMPARE(lus(b, "R"), (QList<QStringList>{{"Ancien", "/opt/ancien", "Agrandie", "-v"}, ecrit, ecrit}));
    QCOMPARE(Banc::textes(b.menu->List2), (QStringList{"Ancien", ecrit[0], ecrit[0]}));
    const DialogueFichier& d = b.services.prompts.appels.first().dialogue;
    QCOMPARE(d.titre, u"Sélectionnez une application"_s);
    QCOMPARE(d.filtres.first().texte(), u"Fichier EXE (*.exe)"_s);
    QCOMPARE(b.services.prompts.appels.size(), 2);
}

void TstEdition::nomPropose_data()
{
    // A desktop entry proposes its application's name in the user's language (a French
    // session here), in both modes; other files, and entries without a name, the file name.
    QTest::addColumn<bool>("modification");
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("nom");
    const QByteArray firefox("[Desktop Entry]\nType=Application\nName=Firefox ESR\n"
                             "Name[fr]=Navigateur Firefox ESR\nExec=true %u\n");
    QTest::newRow("ajout, entrée") << false << u"firefox-esr.desktop"_s << firefox
                                   << u"Navigateur Firefox ESR"_s;
    QTest::newRow("modification, entrée") << true << u"firefox-esr.desktop"_s << firefox
                                          << u"Navigateur Firefox ESR"_s;
    QTest::newRow("entrée sans nom") << false << u"outil.desktop"_s
                                     << QByteArray("[Desktop Entry]\nType=Application\nExec=true\n")
                                     << u"outil.desktop"_s;
    QTest::newRow("modification, script") << true << u"jeu.sh"_s << QByteArray("#!/bin/sh\n")
                                          << u"jeu.sh"_s;
}

void TstEdition::nomPropose()
{
    QFETCH(bool, modification);
    QFETCH(QString, fichier);
    QFETCH(QByteArray, contenu);
    QFETCH(QString, nom);
    QCOMPARE(qgetenv("LANGUAGE"), QByteArray("fr"));
    test::DossierTest dossier;
    const QString chemin = dossier.fichier(fichier);
    test::ecrireOctets(chemin, contenu);
    Banc b("R", {{"Ancien", "/opt/ancien", "Agrandie", ""}});
    b.services.prompts.fichiers << chemin;
    QVERIFY(b.pendantEditeur([&] { modification ? Modifier_Logiciel(*b.menu) : Ajouter_Logiciel(*b.menu); },
                             [&](Ajouter& a) {
                                 a.Command1_Click(0);
                                 QCOMPARE(a.Text1->text(), nom);
                                 QCOMPARE(a.Text2->text(), chemin);
                             }));
}

void TstEdition::validation_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<bool>("touches"); // Enter and Escape everywhere rather than "Ajouter"
    QTest::addColumn<QStringList>("messages");
    // The name is checked first.
    QTest::newRow("les deux vides")
        << QString() << QString() << false
        << QStringList{u"Information: Un nom de dossier est obligatoire."_s};
    QTest::newRow("nom seul") << u"Jeu"_s << QString() << false
                              << QStringList{u"Information: Le chemin du dossier est obligatoire !!!"_s};
    QTest::newRow("Entrée et Échap") << u"Jeu"_s << u"/opt/jeu"_s << true << QStringList();
}

void TstEdition::validation()
{
    QFETCH(QString, nom);
    QFETCH(QString, chemin);
    QFETCH(bool, touches);
    QFETCH(QStringList, messages);
    Banc b("R", {});
    const QByteArray avant = test::lireOctets(b.fichierRubrique("R"));
    bool resteOuvert = false;
    QVERIFY(b.pendantEditeur([&] { Ajouter_Logiciel(*b.menu); }, [&](Ajouter& a) {
        a.Text1->setText(nom);
        a.Text2->setText(chemin);
        const QList<QWidget*> champs{a.Text1, a.Text3, a.Command1[1], a.Command1[2]};
        for (QWidget* w : touches ? champs : QList<QWidget*>()) {
            w->setFocus();
            QTest::keyClick(w, Qt::Key_Return);
            QTest::keyClick(w, Qt::Key_Escape);
        }
        if (!touches)
            a.Command1_Click(1);
        resteOuvert = a.isVisible();
    }));
    QVERIFY(resteOuvert);
    b.services.prompts.appels.prepend({});
    QCOMPARE(dits(b), messages);
    QCOMPARE(test::lireOctets(b.fichierRubrique("R")), avant);
}

void TstEdition::editeurEnModification_data()
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

void TstEdition::editeurEnModification()
{
    QFETCH(QString, etat);
    QFETCH(int, entree);
    QFETCH(int, bouton);
    const QStringList jeu{u"Jeu « 2 »"_s, u"/opt/jeu 2"_s, etat, u"-f x"_s};
    Banc b("Jeux vidéo", {Tetris, jeu, Calc});
    b.menu->List2->setSelectedIndex(2);
    b.menu->raccourcis().terminerIcones();
    const int image = b.menu->raccourcis().image(1);
    QVERIFY(b.pendantEditeur([&] { Modifier_Logiciel(*b.menu); }, [&](Ajouter& a) {
        QCOMPARE(a.windowTitle(), u"Modifier le raccourci 'Jeu « 2 »'"_s);
        QCOMPARE(a.Command1[1]->text(), u"Modifier"_s);
        QCOMPARE(a.Command1[1]->toolTip(), u"Modifier le raccourci"_s);
        QCOMPARE((QStringList{a.Text1->text(), a.Text2->text(), a.Text3->text()}),
                 (QStringList{jeu[0], jeu[1], jeu[3]}));
        QCOMPARE(a.Combo1->currentIndex(), entree);
        a.Text1->clear(); // an empty name is accepted in modify mode
        a.Text2->setText("/opt/doom2");
        a.Combo1->setCurrentIndex(0);
        a.Command1_Click(bouton);
        QVERIFY(!a.isVisible());
    }));
    QVERIFY(b.services.prompts.appels.isEmpty());
    const QStringList apres = bouton == 1 ? QStringList{"", "/opt/doom2", "Fenêtre normale", "-f x"} : jeu;
    QCOMPARE(lus(b, "Jeux vidéo"), (QList<QStringList>{Tetris, apres, Calc}));
    QCOMPARE(b.menu->List2->texte(2, 1), apres[1]);
    QCOMPARE(b.menu->raccourcis().image(1), image); // the row keeps its icon
    QCOMPARE(b.menu->List2->SelectedIndex(), 2);
}

void TstEdition::suppressionDUnRaccourci_data()
{
    QTest::addColumn<Reponse>("reponse");
    QTest::addColumn<int>("ligne");
    QTest::addColumn<QList<QStringList>>("restants");
    QTest::addColumn<int>("selection");
    QTest::newRow("refusée") << Reponse::Non << 2 << QList<QStringList>{Tetris, Doom, Calc} << 2;
    QTest::newRow("au milieu") << Reponse::Oui << 2 << QList<QStringList>{Tetris, Calc} << 2;
    QTest::newRow("la dernière") << Reponse::Oui << 3 << QList<QStringList>{Tetris, Doom} << 2;
}

void TstEdition::suppressionDUnRaccourci()
{
    QFETCH(Reponse, reponse);
    QFETCH(int, ligne);
    QFETCH(QList<QStringList>, restants);
    QFETCH(int, selection);
    Banc b("Jeux vidéo", {Tetris, Doom, Calc});
    b.menu->List2->setSelectedIndex(ligne);
    const QString nom = b.menu->List2->texte(ligne);
    b.services.prompts.reponses << reponse;
    Supprimer_Logiciel(*b.menu);

    const auto& appel = b.services.prompts.appels.first();
    QCOMPARE(appel.texte,
             u"Souhaitez-vous vraiment supprimer ce raccourci de la rubrique Jeux vidéo ?"_s);
    QCOMPARE(appel.titre, u"Suppression du raccourci '%1'"_s.arg(nom));
    QCOMPARE(appel.boutons, BoutonsMessage::OuiNon);
    QCOMPARE(lus(b, "Jeux vidéo"), restants);
    QCOMPARE(b.menu->List2->Count(), restants.size());
    QCOMPARE(b.menu->List2->SelectedIndex(), selection);
}

QTEST_MAIN(TstEdition)
#include "tst_edition.moc"
