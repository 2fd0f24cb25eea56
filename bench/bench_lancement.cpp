// Starting a shortcut whose file is a named pipe called "*.desktop": nothing may wait for a
// writer. Goal: the error comes back within 1 s (at once in practice), for the launch, the
// editor's proposed name and the icon.

#include "platform/filtres_applications.h"
#include "platform/icon_source_unix.h"
#include "platform/shell_unix.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace lanceron;

class BenchLancement : public QObject {
    Q_OBJECT

private slots:
    void tubeNomme()
    {
        QTemporaryDir dossier;
        const QString tube = dossier.filePath(QStringLiteral("piège.desktop"));
        QCOMPARE(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
        QElapsedTimer chrono;
        chrono.start();
        const ResultatLancement r = ShellUnix().lancer(tube, QString(), Affichage::Normale);
        const qint64 lancement = chrono.restart();
        const QString nom = nomApplication(tube, QStringLiteral("sinon"));
        const IconeExtraite icone = IconSourceUnix().iconePropre(tube);
        const qint64 lecture = chrono.elapsed();
        qInfo("lancement %lld ms, nom et icône %lld ms", lancement, lecture);
        QVERIFY(!r.ok);
        QCOMPARE(r.erreur, QStringLiteral("ce n'est pas un fichier ordinaire"));
        QCOMPARE(nom, QStringLiteral("sinon"));
        QVERIFY(icone.grande.isNull());
        QCOMPARE_LT(lancement, 1000);
        QCOMPARE_LT(lecture, 1000);
    }
};

QTEST_MAIN(BenchLancement)
#include "bench_lancement.moc"
