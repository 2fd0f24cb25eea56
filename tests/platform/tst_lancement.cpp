// The launch decisions: show command, kind of file, what is never opened, and the folder.

#include "platform/lancement.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <sys/stat.h>

using namespace lanceron;
using namespace Qt::StringLiterals;
using Sorte = PlanLancement::Sorte;

class TestLancement : public QObject {
    Q_OBJECT

private slots:
    void affichage()
    {
        // Only the first character counts, in capitals.
        QCOMPARE(affichagePour(u"Rapide"_s), Affichage::Reduite);
        QCOMPARE(affichagePour(u"agrandie"_s), Affichage::Cachee);
    }

    void sorte_data()
    {
        QTest::addColumn<QString>("nom");        // ending in "/": a folder; "|": a named pipe
        QTest::addColumn<QByteArray>("contenu"); // null: no file at all
        QTest::addColumn<bool>("executable");    // the execute permission
        QTest::addColumn<Sorte>("sorte");
        QTest::addColumn<QString>("erreur");
        const QByteArray entree("[Desktop Entry]\nType=Application\nExec=true\n");
        // A Windows program without the execute permission goes to the desktop (Wine), as a text.
        QTest::newRow("programme Windows")
            << u"setup.exe"_s << QByteArray("MZ") << false << Sorte::Document << QString();
        // On FAT, exFAT or NTFS every file may be executed: the content decides.
        QTest::newRow("document d'une clé USB")
            << u"rapport.pdf"_s << QByteArray("%PDF-1.4") << true << Sorte::Document << QString();
        QTest::newRow("fichier vide exécutable")
            << u"vide"_s << QByteArray("") << true << Sorte::Document << QString();
        QTest::newRow("script") << u"outil"_s << QByteArray("#!/bin/sh\n") << true
                                << Sorte::Executable << QString();
        QTest::newRow("programme ELF") << u"jeu.bin"_s
                                       << QByteArray("\x7f"
                                                     "ELF\2\1\1")
                                       << true << Sorte::Executable << QString();
        QTest::newRow("script sans permission")
            << u"outil"_s << QByteArray("#!/bin/sh\n") << false << Sorte::Document << QString();
        // An entry is an entry, executable or not, whatever the letter case of its extension.
        QTest::newRow("entrée") << u"éditeur.DESKTOP"_s << entree << true << Sorte::EntreeBureau
                                << QString();
        QTest::newRow("entrée trop grande")
            << u"gros.desktop"_s << entree + QByteArray(TailleMaxEntree, '#') << false
            << Sorte::Refuse << u"entrée de bureau trop grande"_s;
        QTest::newRow("dossier") << u"Jeux.desktop/"_s << QByteArray() << false << Sorte::Dossier
                                 << QString();
        QTest::newRow("introuvable") << u"absent.desktop"_s << QByteArray() << false
                                     << Sorte::Refuse << u"fichier introuvable"_s;
        // Opening a pipe would wait for a writer, for ever.
        QTest::newRow("tube nommé") << u"tube.desktop|"_s << QByteArray() << true << Sorte::Refuse
                                    << u"ce n'est pas un fichier ordinaire"_s;
        QTest::newRow("périphérique") << u"/dev/null"_s << QByteArray() << false << Sorte::Refuse
                                      << u"ce n'est pas un fichier ordinaire"_s;
    }

    void sorte()
    {
        QFETCH(QString, nom);
        QFETCH(QByteArray, contenu);
        QFETCH(bool, executable);
        QFETCH(Sorte, sorte);
        QFETCH(QString, erreur);
        test::DossierTest dossier;
        QString chemin = QDir::isAbsolutePath(nom) ? nom : dossier.fichier(nom);
        if (nom.endsWith(u'/')) {
            chemin.chop(1);
            QVERIFY(QDir().mkdir(chemin));
        } else if (nom.endsWith(u'|')) {
            chemin.chop(1);
            QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0700), 0);
        } else if (!contenu.isNull()) {
            test::ecrireOctets(chemin, contenu);
            if (executable)
                QVERIFY(
                    QFile::setPermissions(chemin, QFile::permissions(chemin) | QFile::ExeOwner));
        }

        const PlanLancement plan = planLancement(chemin, u"\"a b\" -x"_s);
        QCOMPARE(plan.sorte, sorte);
        QCOMPARE(plan.erreur, erreur);
        if (sorte == Sorte::Document || sorte == Sorte::Dossier)
            QCOMPARE(plan.document, QUrl::fromLocalFile(chemin));
        if (sorte == Sorte::Document)
            QCOMPARE(plan.dossier, dossier.chemin());
        if (sorte == Sorte::Executable || sorte == Sorte::EntreeBureau) {
            QCOMPARE(plan.programme, chemin);
            QCOMPARE(plan.arguments, (QStringList{u"a b"_s, u"-x"_s}));
        }
    }

    void sansDroits()
    {
        test::DossierTest dossier;
        const QString chemin = dossier.fichier(u"secret.txt"_s);
        test::ecrireOctets(chemin, "x");
        QVERIFY(QFile::setPermissions(chemin, {}));
        if (QFile f(chemin); f.open(QIODevice::ReadOnly))
            QSKIP("this user reads every file");
        const PlanLancement plan = planLancement(chemin, QString());
        QCOMPARE(plan.sorte, Sorte::Refuse);
        QCOMPARE(plan.erreur, u"accès refusé"_s);
    }
};

QTEST_GUILESS_MAIN(TestLancement)
#include "tst_lancement.moc"
