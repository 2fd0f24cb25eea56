// The shortcut editor in add mode: choosing the program, validation, saving after each
// addition, keys that trigger nothing, and closing.

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

// Opens the editor over the rubrique "R" and lets `action` act on it; true when it opened.
bool ajouter(Banc& b, const std::function<void(Ajouter&)>& action)
{
    return b.pendantEditeur([&] { Ajouter_Logiciel(*b.menu); }, action);
}

void remplir(Ajouter& a, const QString& nom = u"Jeu"_s, const QString& chemin = u"/opt/jeu"_s)
{
    a.Text1->setText(nom);
    a.Text2->setText(chemin);
}

} // namespace

class TstAjouter : public QObject {
    Q_OBJECT
private slots:
    void choixDuProgramme();
    void deuxAjoutsEnregistresChacun();
    void validation_data();
    void validation();
    void entreeEtEchapNeDeclenchentRien();
    void fermeture_data();
    void fermeture();
    void nomDeDixMilleCaracteres();
};

void TstAjouter::choixDuProgramme()
{
    Banc b("R", {});
    b.services.prompts.fichiers << ""
                                << "/opt/jeux/tetris.exe"; // cancelled, then chosen
    QVERIFY(ajouter(b, [](Ajouter& a) {
        remplir(a);
        a.Command1_Click(0);
        QCOMPARE(a.Text1->text() + a.Text2->text(), u"Jeu/opt/jeu"_s);
        a.Command1_Click(0);
        QCOMPARE(a.Text1->text(), u"tetris.exe"_s);
        QCOMPARE(a.Text2->text(), u"/opt/jeux/tetris.exe"_s);
    }));
    const DialogueFichier& d = b.services.prompts.appels.first().dialogue;
    QCOMPARE(d.titre, u"Sélectionnez une application"_s);
    QStringList filtres;
    for (const FiltreFichier& f : d.filtres)
        filtres << f.texte();
    QCOMPARE(filtres, (QStringList{"Fichier EXE (*.exe)", "Fichier BATCH (*.bat)",
                                   "Fichier COM (*.com)", "Fichier PIF (*.pif)",
                                   "Applications (*.desktop)", "Tous les fichiers (*)"}));
    QCOMPARE(filtres.value(d.filtreChoisi), u"Tous les fichiers (*)"_s);
    QCOMPARE(d.dossierInitial, u"/opt/jeu"_s); // where the current program lies
    QCOMPARE(b.menu->List2->Count(), 0);
}

void TstAjouter::deuxAjoutsEnregistresChacun()
{
    Banc b("R", {{"Ancien", "/opt/ancien", "Agrandie", "-v"}});
    const Raccourci ancien{"Ancien", "/opt/ancien", "Agrandie", "-v"};
    const Raccourci tetris{"tetris", "/opt/jeux/tetris", u"Réduite"_s, ""};
    // Deleted behind the program's back: the list is the working copy, written whole.
    QVERIFY(QFile::remove(b.fichierRubrique("R")));
    QVERIFY(ajouter(b, [&](Ajouter& a) {
        remplir(a, tetris.Nom, tetris.Dossier);
        a.Combo1->setCurrentIndex(1);
        a.Command1_Click(1);
        QCOMPARE(Lire_Rubrique(b.fichierRubrique("R")), (QList<Raccourci>{ancien, tetris}));
        a.Command1_Click(1); // the fields stay: the same shortcut again
        QVERIFY(a.isVisible());
    }));
    QCOMPARE(Lire_Rubrique(b.fichierRubrique("R")), (QList<Raccourci>{ancien, tetris, tetris}));
    QCOMPARE(Banc::textes(b.menu->List2), (QStringList{"Ancien", "tetris", "tetris"}));
    QVERIFY(b.services.prompts.appels.isEmpty());
}

void TstAjouter::validation_data()
{
    // The name is checked first.
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("message");
    QTest::newRow("les deux vides") << QString() << u"Un nom de dossier est obligatoire."_s;
    QTest::newRow("nom seul") << u"Jeu"_s << u"Le chemin du dossier est obligatoire !!!"_s;
}

void TstAjouter::validation()
{
    QFETCH(QString, nom);
    QFETCH(QString, message);
    Banc b("R", {});
    const QByteArray avant = test::lireOctets(b.fichierRubrique("R"));
    QVERIFY(ajouter(b, [&](Ajouter& a) {
        remplir(a, nom, QString());
        a.Command1_Click(1);
        QVERIFY(a.isVisible());
    }));
    QCOMPARE(b.services.prompts.appels.size(), 1);
    QCOMPARE(b.services.prompts.appels.first().texte, message);
    QCOMPARE(b.services.prompts.appels.first().titre, u"Information"_s);
    QCOMPARE(b.menu->List2->Count(), 0);
    QCOMPARE(test::lireOctets(b.fichierRubrique("R")), avant);
}

void TstAjouter::entreeEtEchapNeDeclenchentRien()
{
    Banc b("R", {});
    bool resteOuvert = false;
    QVERIFY(ajouter(b, [&](Ajouter& a) {
        remplir(a);
        for (QWidget* w : QList<QWidget*>{a.Text1, a.Text3, a.Command1[1], a.Command1[2]}) {
            w->setFocus();
            QTest::keyClick(w, Qt::Key_Return);
            QTest::keyClick(w, Qt::Key_Enter, Qt::KeypadModifier);
            QTest::keyClick(w, Qt::Key_Escape);
        }
        resteOuvert = a.isVisible();
    }));
    QVERIFY(resteOuvert);
    QCOMPARE(b.menu->List2->Count(), 0);
    QVERIFY(b.services.prompts.appels.isEmpty());
}

void TstAjouter::fermeture_data()
{
    QTest::addColumn<bool>("programme"); // the main window is closed rather than the editor
    QTest::newRow("case de fermeture") << false;
    QTest::newRow("fermeture du programme") << true;
}

void TstAjouter::fermeture()
{
    QFETCH(bool, programme);
    Banc b("R", {});
    QPointer<Ajouter> editeur;
    QVERIFY(ajouter(b, [&](Ajouter& a) {
        editeur = &a;
        remplir(a);
        programme ? b.menu->close() : a.close();
        QVERIFY(!a.isVisible());
    }));
    QVERIFY(editeur.isNull()); // unloaded
    QCOMPARE(Lire_Rubrique(b.fichierRubrique("R")).size(), 0);
    QCOMPARE(QFileInfo::exists(b.reglages()), programme); // the settings saved on leaving
}

void TstAjouter::nomDeDixMilleCaracteres()
{
    Banc b("R", {});
    const Raccourci attendu{u"日本語 été 🎮 ∑ ab "_s.repeated(625), u"/opt/jeux été/🎮"_s,
                            u"Fenêtre normale"_s, u"--titre « x »"_s};
    QVERIFY(ajouter(b, [&](Ajouter& a) {
        remplir(a, attendu.Nom, attendu.Dossier);
        a.Text3->setText(attendu.Commande);
        a.Command1_Click(1);
    }));
    QCOMPARE(Lire_Rubrique(b.fichierRubrique("R")), QList<Raccourci>{attendu});
}

QTEST_MAIN(TstAjouter)
#include "tst_ajouter.moc"
