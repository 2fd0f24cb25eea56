// The system's services behind the program's own interfaces: the file dialog of the prompts,
// the lock indicators.

#include "platform/clavier.h"
#include "platform/prompts.h"
#include "testsupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <QtTest>

using namespace lanceron;

class TstServicesQt : public QObject {
    Q_OBJECT
private slots:
    void ouvrirAccepteUnCheminAbsent()
    {
        // A program on a medium that is not mounted can still be chosen.
        test::DossierTest d;
        const QString absent = d.fichier("absent.exe");
        QTimer::singleShot(0, this, [&] {
            auto* dialogue = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialogue);
            // A dialog that insists on existing files would refuse the path with a message.
            if (dialogue->fileMode() == QFileDialog::ExistingFile ||
                dialogue->fileMode() == QFileDialog::ExistingFiles)
                return dialogue->reject();
            dialogue->selectFile(absent);
            QMetaObject::invokeMethod(dialogue, "accept");
        });
        DialogueFichier dialogue;
        dialogue.titre = "Choisir";
        dialogue.dossierInitial = d.chemin();
        QCOMPARE(PromptsQt().ouvrirFichier(nullptr, dialogue), absent);
    }

    void clavierSansAffichageX11()
    {
        // Offscreen, the X11 interface may be there with no display behind it: nothing is read.
        const auto etat = creerEtatClavier();
        QVERIFY(etat);
        QCOMPARE(etat->majuscules(), std::nullopt);
        QCOMPARE(etat->numerique(), std::nullopt);
    }
};

QTEST_MAIN(TstServicesQt)
#include "tst_services_qt.moc"
