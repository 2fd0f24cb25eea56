// The system's dialogs behind the prompts.

#include "platform/prompts.h"
#include "testsupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <QtTest>

using namespace lanceron;

class TstPromptsQt : public QObject {
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
                dialogue->fileMode() == QFileDialog::ExistingFiles) {
                dialogue->reject();
                return;
            }
            dialogue->selectFile(absent);
            QMetaObject::invokeMethod(dialogue, "accept");
        });
        PromptsQt prompts;
        DialogueFichier d2;
        d2.titre = "Choisir";
        d2.dossierInitial = d.chemin();
        QCOMPARE(prompts.ouvrirFichier(nullptr, d2), absent);
    }
};

QTEST_MAIN(TstPromptsQt)
#include "tst_prompts_qt.moc"
