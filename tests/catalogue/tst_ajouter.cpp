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
    void nomPropose_data();
    void nomPropose();
    void deuxAjoutsEnregistresChacun();
    void rienNEstAjoute_data();
    void rienNEstAjoute();
    void fermeture_data();
    void fermeture();
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

void TstAjouter::nomPropose_data()
{
    // A desktop entry proposes its application's name in the user's language (a French
    // session here), in both modes; other files, and entries without a name, the file name.
    QTest::addColumn<bool>("modification");
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("nom");
    const QByteArray firefox("[Desktop Entry]\nType=Application\nName=Firefox ESR\n"
                             "Name[fr]=Navigateur Firefox ESR\nExec=true %u\n");
    QTest::newRow("ajout, entrée")
        << false << u"firefox-esr.desktop"_s << firefox << u"Navigateur Firefox ESR"_s;
    QTest::newRow("modification, entrée")
        << true << u"firefox-esr.desktop"_s << firefox << u"Navigateur Firefox ESR"_s;
    QTest::newRow("entrée sans nom")
        << false << u"outil.desktop"_s
        << QByteArray("[Desktop Entry]\nType=Application\nExec=true\n") << u"outil.desktop"_s;
    QTest::newRow("modification, script")
        << true << u"jeu.sh"_s << QByteArray("#!/bin/sh\n") << u"jeu.sh"_s;
}

void TstAjouter::nomPropose()
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
    const auto choisir = [&](Ajouter& a) {
        a.Command1_Click(0);
        QCOMPARE(a.Text1->text(), nom);
        QCOMPARE(a.Text2->text(), chemin);
    };
    if (modification) {
        b.menu->List2->setSelectedIndex(1);
        QVERIFY(b.pendantEditeur([&] { Modifier_Logiciel(*b.menu); }, choisir));
    } else {
        QVERIFY(ajouter(b, choisir));
    }
}

void TstAjouter::deuxAjoutsEnregistresChacun()
{
    Banc b("R", {{"Ancien", "/opt/ancien", "Agrandie", "-v"}});
    const Raccourci ancien{"Ancien", "/opt/ancien", "Agrandie", "-v"};
    const Raccourci long10000{u"日本語 été 🎮 ∑ ab "_s.repeated(625), u"/opt/jeux été/🎮"_s,
                              u"Réduite"_s, u"--titre « x »"_s};
    // Deleted behind the program's back: the list is the working copy, written whole.
    QVERIFY(QFile::remove(b.fichierRubrique("R")));
    QVERIFY(ajouter(b, [&](Ajouter& a) {
        remplir(a, long10000.Nom, long10000.Dossier);
        a.Text3->setText(long10000.Commande);
        a.Combo1->setCurrentIndex(1);
        a.Command1_Click(1);
        QCOMPARE(Lire_Rubrique(b.fichierRubrique("R")), (QList<Raccourci>{ancien, long10000}));
        a.Command1_Click(1); // the fields stay: the same shortcut again
        QVERIFY(a.isVisible());
    }));
    QCOMPARE(Lire_Rubrique(b.fichierRubrique("R")),
             (QList<Raccourci>{ancien, long10000, long10000}));
    QCOMPARE(Banc::textes(b.menu->List2), (QStringList{"Ancien", long10000.Nom, long10000.Nom}));
    QVERIFY(b.services.prompts.appels.isEmpty());
}

void TstAjouter::rienNEstAjoute_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<bool>("touches"); // Enter and Escape everywhere rather than "Ajouter"
    QTest::addColumn<QStringList>("messages");
    // The name is checked first.
    QTest::newRow("les deux vides")
        << QString() << QString() << false
        << QStringList{u"Information : Un nom de dossier est obligatoire."_s};
    QTest::newRow("nom seul") << u"Jeu"_s << QString() << false
                              << QStringList{
                                     u"Information : Le chemin du dossier est obligatoire !!!"_s};
    QTest::newRow("Entrée et Échap") << u"Jeu"_s << u"/opt/jeu"_s << true << QStringList();
}

void TstAjouter::rienNEstAjoute()
{
    QFETCH(QString, nom);
    QFETCH(QString, chemin);
    QFETCH(bool, touches);
    QFETCH(QStringList, messages);
    Banc b("R", {});
    const QByteArray avant = test::lireOctets(b.fichierRubrique("R"));
    bool resteOuvert = false;
    QVERIFY(ajouter(b, [&](Ajouter& a) {
        remplir(a, nom, chemin);
        const QList<QWidget*> champs{a.Text1, a.Text3, a.Command1[1], a.Command1[2]};
        for (QWidget* w : touches ? champs : QList<QWidget*>()) {
            w->setFocus();
            QTest::keyClick(w, Qt::Key_Return);
            QTest::keyClick(w, Qt::Key_Enter, Qt::KeypadModifier);
            QTest::keyClick(w, Qt::Key_Escape);
        }
        if (!touches)
            a.Command1_Click(1);
        resteOuvert = a.isVisible();
    }));
    QVERIFY(resteOuvert);
    QStringList vus;
    for (const auto& appel : b.services.prompts.appels)
        vus << appel.titre + u" : "_s + appel.texte;
    QCOMPARE(vus, messages);
    QCOMPARE(b.menu->List2->Count(), 0);
    QCOMPARE(test::lireOctets(b.fichierRubrique("R")), avant);
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

QTEST_MAIN(TstAjouter)
#include "tst_ajouter.moc"
