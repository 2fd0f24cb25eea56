// Editing the catalogue from the window: what the rubrique and shortcut commands ask, tell and
// select, and the shortcut editor in its two modes.

#include "banc_catalogue.h"
#include "catalogue/nom_rubrique.h"
#include "edition/logiciel.h"
#include "edition/rubrique.h"
#include "main_window/modeles.h"

#include <QtTest>
#include <QtWidgets>

using namespace lanceron;
using namespace Qt::StringLiterals;
using Banc = test::BancCatalogue;

namespace {

const QStringList Tetris{"Tetris", "/opt/tetris", "Agrandie", "-x"};
const QStringList Doom{"Doom", "/opt/doom", "Réduite", ""};
const QStringList Calc{"Calc", "/usr/bin/calc", "Fenêtre normale", "-b"};

QList<QStringList> lus(const Banc& b, const QString& rubrique = u"R"_s)
{
    QList<QStringList> r;
    for (const Raccourci& x : Lire_Rubrique(b.fichierRubrique(rubrique)))
        r << QStringList{x.Nom, x.Dossier, x.Executer, x.Commande};
    return r;
}

// What the user was asked and told, a line per prompt: its title, its text, the text put in
// the input field, and " Oui/Non" for a question.
QStringList dits(const Banc& b)
{
    QStringList r;
    for (const auto& a : b.services.prompts.appels)
        r << a.titre + u": "_s + a.texte + a.defaut +
                 (a.boutons == BoutonsMessage::OuiNon ? u" Oui/Non"_s : QString());
    return r;
}

} // namespace

class TstEdition : public QObject {
    Q_OBJECT
private slots:
    void commandesDesRubriques_data();
    void commandesDesRubriques();
    void editeurEnAjout();
    void editeurEnModification_data();
    void editeurEnModification();
    void suppressionDUnRaccourci();
};

void TstEdition::commandesDesRubriques_data()
{
    // The command (create, rename, delete), the text typed ("" cancels) or the answer, then
    // what the user was told after the first prompt and both lists afterwards.
    QTest::addColumn<int>("commande");
    QTest::addColumn<QString>("reponse");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("listes");
    const QString existe = u"Information: Une rubrique nommée « B » existe déjà."_s;
    const QString intactes = u"A B Tetris Calc"_s, rien;
    QTest::newRow("création annulée") << 0 << rien << rien << intactes;
    QTest::newRow("création refusée")
        << 0 << u"../x"_s << "Information: " + refusNomRubrique("../x") << intactes;
    QTest::newRow("création") << 0 << u"Nouvelle"_s << rien << u"A B Nouvelle"_s;
    QTest::newRow("création d'une existante") << 0 << u"B"_s << rien << u"A B Calc"_s;
    QTest::newRow("renommage annulé") << 1 << rien << rien << intactes;
    QTest::newRow("renommage sur une autre") << 1 << u"B"_s << existe << intactes;
    QTest::newRow("renommage") << 1 << u"Jeux"_s << rien << u"B Jeux Tetris Calc"_s;
    QTest::newRow("suppression refusée") << 2 << u"Non"_s << rien << intactes;
    QTest::newRow("suppression") << 2 << u"Oui"_s << rien << u"B Calc"_s;
}

void TstEdition::commandesDesRubriques()
{
    QFETCH(int, commande);
    QFETCH(QString, reponse);
    QFETCH(QString, message);
    QFETCH(QString, listes);
    Banc b;
    test::ecrireRubrique(b.dossier.chemin(), "A", {Tetris, Calc});
    test::ecrireRubrique(b.dossier.chemin(), "B", {Calc});
    b.demarrer();
    b.services.prompts.saisies << reponse;
    b.services.prompts.reponses << (reponse == "Oui" ? Reponse::Oui : Reponse::Non);
    void (*const commandes[])(Menu&) = {Creer_Rubrique, Renommer_Rubrique, Supprimer_Rubrique};
    commandes[commande](*b.menu);
    const QString questions[] = {
        u"Création d'une nouvelle rubrique...: Donnez un nom explicite pour votre nouvelle "
        u"rubrique.\r\rRubrique n°3"_s,
        u"Renommer une rubrique: Donnez un nom explicite pour votre rubrique.\r\rA"_s,
        u"Suppression de la rubrique 'A': Souhaitez-vous vraiment supprimer cette rubrique ? "
        u"Oui/Non"_s};
    QCOMPARE(dits(b).join('\n'), (QStringList{questions[commande], message}.join('\n').trimmed()));
    // The rubrique made or renamed is selected and shown; after a deletion, the first one.
    QCOMPARE((Banc::textes(b.menu->List1) + Banc::textes(b.menu->List2)).join(' '), listes);
    QCOMPARE(b.menu->rubriqueAffichee(), b.menu->fichierRubriqueSelectionnee());
}

void TstEdition::editeurEnAjout()
{
    Banc b("R", {Tetris});
    // A desktop entry proposes its application's name in the user's language (a French
    // session here); other files, and entries without a name, the file name.
    const QString firefox = b.dossier.fichier("firefox-esr.desktop");
    const QString outil = b.dossier.fichier("outil.desktop");
    const QString exe = u"/opt/jeux/tetris.exe"_s;
    test::ecrireOctets(firefox, "[Desktop Entry]\nType=Application\nName=Firefox ESR\n"
                                "Name[fr]=Navigateur Firefox ESR\nExec=true %u\n");
    test::ecrireOctets(outil, "[Desktop Entry]\nType=Application\nExec=true\n");
    b.services.prompts.fichiers << "" << firefox << outil << exe; // the first one cancelled
    QVERIFY(b.pendantEditeur(
        [&] { Ajouter_Logiciel(*b.menu); },
        [&](Ajouter& a) {
            // The name is checked first, then the path.
            a.Command1_Click(1);
            a.Text1->setText("Jeu");
            a.Command1_Click(1);
            for (const QString& propose : {u"Jeu|"_s, u"Navigateur Firefox ESR|"_s + firefox,
                                           u"outil.desktop|"_s + outil, u"tetris.exe|"_s + exe}) {
                a.Command1_Click(0);
                QCOMPARE(a.Text1->text() + u'|' + a.Text2->text(), propose);
            }
            // Pasted control characters are dropped: a rubrique file line cannot hold them.
            a.Text1->selectAll();
            a.Text1->insert(u"Jeu\u0000 « 2 »"_s);
            a.Text3->insert(u"-f\nx"_s);
            a.Combo1->setCurrentIndex(1);
            // Enter and Escape, in the fields as on the buttons, neither add nor close.
            for (QWidget* w : QList<QWidget*>{a.Text1, a.Text3, a.Command1[1], a.Command1[2]}) {
                w->setFocus();
                QTest::keyClick(w, Qt::Key_Return);
                QTest::keyClick(w, Qt::Key_Escape);
            }
            a.Command1_Click(1);
            a.Command1_Click(1); // the fields stay: the same shortcut again
            QVERIFY(a.isVisible());
        }));
    const QStringList ecrit{u"Jeu « 2 »"_s, exe, u"Réduite"_s, u"-fx"_s};
    QCOMPARE(lus(b), (QList<QStringList>{Tetris, ecrit, ecrit}));
    QCOMPARE(Banc::textes(b.menu->List2), (QStringList{"Tetris", ecrit[0], ecrit[0]}));
    QCOMPARE(dits(b).mid(0, 3),
             (QStringList{u"Information: Un nom de dossier est obligatoire."_s,
                          u"Information: Le chemin du dossier est obligatoire !!!"_s,
                          u"Sélectionnez une application: "_s}));
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
    Banc b("R", {Tetris, jeu, Calc});
    b.menu->List2->setSelectedIndex(2);
    b.menu->raccourcis().terminerIcones();
    const int image = b.menu->raccourcis().image(1);
    QVERIFY(b.pendantEditeur(
        [&] { Modifier_Logiciel(*b.menu); },
        [&](Ajouter& a) {
            QCOMPARE(a.windowTitle() + " | " + a.Command1[1]->text(),
                     u"Modifier le raccourci 'Jeu « 2 »' | Modifier"_s);
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
    const QStringList apres =
        bouton == 1 ? QStringList{"", "/opt/doom2", "Fenêtre normale", "-f x"} : jeu;
    QCOMPARE(lus(b), (QList<QStringList>{Tetris, apres, Calc}));
    QCOMPARE(b.menu->List2->texte(2, 1), apres[1]);
    QCOMPARE(b.menu->List2->SelectedIndex(), 2);
    QCOMPARE(b.menu->raccourcis().image(1), image); // the row keeps its icon
}

void TstEdition::suppressionDUnRaccourci()
{
    Banc b("Jeux vidéo", {Tetris, Doom, Calc});
    b.menu->List2->setSelectedIndex(2);
    // Refused; then the middle row, whose place the next row takes; then that last row, which
    // leaves the selection on the row above.
    b.services.prompts.reponses << Reponse::Non << Reponse::Oui << Reponse::Oui;
    for (const QString& attendu : {u"Tetris Doom Calc, 2"_s, u"Tetris Calc, 2"_s, u"Tetris, 1"_s}) {
        Supprimer_Logiciel(*b.menu);
        const QString lignes = Banc::textes(b.menu->List2).join(' ');
        QCOMPARE(lignes + ", " + QString::number(b.menu->List2->SelectedIndex()), attendu);
    }
    QCOMPARE(lus(b, u"Jeux vidéo"_s), QList<QStringList>{Tetris});
    QCOMPARE(dits(b).last(), u"Suppression du raccourci 'Calc': Souhaitez-vous vraiment supprimer "
                             u"ce raccourci de la rubrique Jeux vidéo ? Oui/Non"_s);
}

QTEST_MAIN(TstEdition)
#include "tst_edition.moc"
