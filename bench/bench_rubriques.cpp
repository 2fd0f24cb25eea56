// Switching rubriques and loading icons with the window shown, the real icon source.
// Goals on a 2-core machine: a rubrique of 10,000 shortcuts selected and the list repainted in
// 50 ms or less, first visit included; 1,000 shortcuts in 10 ms or less; while the icons of
// 1,000 different large pictures load, never more than 50 ms between two turns of the event
// loop.

#include "catalogue/catalogue.h"
#include "main_window/glisser.h"
#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "main_window/modeles.h"
#include "platform/icon_source_unix.h"
#include "platform/memoire.h"
#include "platform/prompts.h"
#include "platform/shell_unix.h"

#include <QAbstractItemView>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>

using namespace lanceron;

namespace {

constexpr int Images = 1000;
constexpr int CoteImage = 1024;

double mediane(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

void ecrire(const QString& chemin, const QByteArray& contenu)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenu);
}

// A rubrique of `nombre` shortcuts whose programs are `chemins`, in turn.
void ecrireRubrique(const QString& fichier, int nombre, const QStringList& chemins)
{
    QByteArray texte = "[LOGICIEL]\nNombre=" + QByteArray::number(nombre) + "\n";
    for (int i = 1; i <= nombre; ++i)
        texte += "[LOGICIEL " + QByteArray::number(i) + "]\nNom=Raccourci " +
                 QByteArray::number(i) + "\nDossier=" + chemins[i % chemins.size()].toUtf8() +
                 "\nExecuter=Fenêtre normale\nCommande=--option " + QByteArray::number(i) + "\n";
    ecrire(fichier, texte);
}

// The longest time between two turns of the event loop, from start() to fin().
class EcartMax {
public:
    EcartMax()
    {
        m_mesure.setInterval(0);
        QObject::connect(&m_mesure, &QTimer::timeout, [this] { tour(); });
    }
    void start()
    {
        m_tour.start();
        m_mesure.start();
    }
    // In milliseconds.
    double fin()
    {
        tour();
        m_mesure.stop();
        return m_max / 1e6;
    }

private:
    void tour()
    {
        m_max = std::max(m_max, m_tour.nsecsElapsed());
        m_tour.start();
    }
    QTimer m_mesure;
    QElapsedTimer m_tour;
    qint64 m_max = 0;
};

int ligneDe(const ListeVue* liste, const QString& nom)
{
    for (int i = 1; i <= liste->Count(); ++i) {
        if (liste->texte(i) == nom)
            return i;
    }
    return 0;
}

} // namespace

class BenchRubriques : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void changerDeRubrique_data();
    void changerDeRubrique();
    void fenetreRepondPendantLesIcones();
    void nomImmense();
    void depotDeMilleFichiers();

private:
    QString dossierApplication() const { return m_dossier.filePath(QStringLiteral("app")); }

    QTemporaryDir m_dossier;
    PromptsQt m_prompts;
    ShellUnix m_shell;
};

void BenchRubriques::initTestCase()
{
    configurerThemeIcones();
    const QString programmes = m_dossier.filePath(QStringLiteral("programmes"));
    const QString rubriques = dossierApplication() + QStringLiteral("/Rubriques/");
    QDir().mkpath(programmes);
    QDir().mkpath(rubriques);
    // 1,000 distinct programs: desktop entries, pictures, documents, programs without icon.
    QStringList chemins;
    const QByteArray png = [] {
        QImage image(48, 48, QImage::Format_ARGB32);
        image.fill(Qt::darkCyan);
        QByteArray octets;
        QBuffer tampon(&octets);
        tampon.open(QIODevice::WriteOnly);
        image.save(&tampon, "PNG");
        return octets;
    }();
    for (int i = 0; i < 1000; ++i) {
        QString chemin;
        switch (i % 4) {
        case 0:
            chemin = programmes + QStringLiteral("/app%1.desktop").arg(i);
            ecrire(chemin, "[Desktop Entry]\nType=Application\nName=A\nExec=a\nIcon=text-editor\n");
            break;
        case 1:
            chemin = programmes + QStringLiteral("/image%1.png").arg(i);
            ecrire(chemin, png);
            break;
        case 2:
            chemin = programmes + QStringLiteral("/document%1.txt").arg(i);
            ecrire(chemin, "texte\n");
            break;
        default:
            chemin = programmes + QStringLiteral("/outil%1").arg(i);
            ecrire(chemin, "#!/bin/sh\n");
        }
        chemins << chemin;
    }
    ecrireRubrique(rubriques + QStringLiteral("A.ini"), 1, chemins);
    ecrireRubrique(rubriques + QStringLiteral("Mille.ini"), 1000, chemins);
    ecrireRubrique(rubriques + QStringLiteral("Dix mille.ini"), 10000, chemins);

    // Large pictures, all different.
    QStringList images;
    for (int i = 0; i < Images; ++i) {
        QImage image(CoteImage, CoteImage, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 360 / Images, 200, 50 + i % 200));
        const QString chemin = programmes + QStringLiteral("/grande%1.png").arg(i);
        QVERIFY(image.save(chemin, "PNG", 100));
        images << chemin;
    }
    ecrireRubrique(rubriques + QStringLiteral("Images.ini"), Images, images);
}

void BenchRubriques::nomImmense()
{
    // A 10 MiB shortcut name: the lists show a bounded part of it, so a repaint stays short.
    QTemporaryDir dossier;
    QDir().mkpath(dossier.filePath(QStringLiteral("Rubriques")));
    ecrire(dossier.filePath(QStringLiteral("Rubriques/R.ini")),
           "[LOGICIEL]\nNombre=1\n[LOGICIEL 1]\nNom=" + QByteArray(10 << 20, 'n') +
               "\nDossier=/opt/x\n");
    IconSourceUnix source;
    Menu menu(dossier.path(), {&m_prompts, &m_shell, &source, nullptr});
    menu.Form_Load();
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QList<double> temps;
    for (int vue : {0, 1, 2, 3}) {
        menu.List2->setView(vue);
        QElapsedTimer t;
        t.start();
        menu.List2->vueActive()->viewport()->repaint();
        temps << t.nsecsElapsed() / 1e6;
    }
    std::sort(temps.begin(), temps.end());
    qInfo("10 MiB name, repaint in the four modes: worst %.1f ms (goal < 50 ms)", temps.last());
    QVERIFY2(temps.last() < 50, "repaint too slow");
}

void BenchRubriques::depotDeMilleFichiers()
{
    // 1,000 files dropped from a file manager, half of them desktop entries: one save, and the
    // window answers again within 100 ms (the icons come afterwards, off the window's thread).
    QTemporaryDir dossier;
    QDir().mkpath(dossier.filePath(QStringLiteral("Rubriques")));
    ecrire(dossier.filePath(QStringLiteral("Rubriques/R.ini")), "[LOGICIEL]\nNombre=0\n");
    QList<QUrl> urls;
    for (int i = 0; i < 1000; ++i) {
        const QString chemin = dossier.filePath(i % 2 ? QStringLiteral("f%1.txt").arg(i)
                                                      : QStringLiteral("a%1.desktop").arg(i));
        ecrire(chemin, i % 2 ? QByteArray("x")
                             : QByteArray("[Desktop Entry]\nType=Application\nName=App\nExec=true\n"));
        urls << QUrl::fromLocalFile(chemin);
    }
    IconSourceUnix source;
    Menu menu(dossier.path(), {&m_prompts, &m_shell, &source, nullptr});
    menu.Form_Load();
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    EcartMax ecart;
    QElapsedTimer total;
    total.start();
    ecart.start();
    QVERIFY(menu.glisser().deposerFichiers(QStringLiteral("R.ini"), urls));
    const double ecartMax = ecart.fin();
    QCOMPARE(menu.List2->Count(), 1000);
    qInfo("dépôt de 1 000 fichiers : traité en %.1f ms, plus long écart entre deux tours de la "
          "boucle %.1f ms (objectif <= 100 ms)",
          total.nsecsElapsed() / 1e6, ecartMax);
    QVERIFY2(ecartMax <= 100, "la fenêtre ne répond plus pendant le dépôt");
}

void BenchRubriques::changerDeRubrique_data()
{
    QTest::addColumn<QString>("rubrique");
    QTest::addColumn<double>("objectif");
    QTest::newRow("1000") << QStringLiteral("Mille") << 10.0;
    QTest::newRow("10000") << QStringLiteral("Dix mille") << 50.0;
}

void BenchRubriques::changerDeRubrique()
{
    QFETCH(QString, rubrique);
    QFETCH(double, objectif);
    IconSourceUnix source;
    Menu menu(dossierApplication(), {&m_prompts, &m_shell, &source, nullptr});
    menu.Form_Load();
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    const int depart = ligneDe(menu.List1, QStringLiteral("A"));
    const int cible = ligneDe(menu.List1, rubrique);
    QVERIFY(depart > 0 && cible > 0);
    QList<double> temps;
    for (int i = 0; i < 11; ++i) {
        menu.List1->setSelectedIndex(depart);
        QCoreApplication::processEvents();
        QElapsedTimer t;
        t.start();
        menu.List1->setSelectedIndex(cible);
        menu.List2->vueActive()->viewport()->repaint();
        temps << t.nsecsElapsed() / 1e6;
        QCOMPARE(menu.List2->Count(), rubrique == QLatin1String("Mille") ? 1000 : 10000);
    }
    // The part of reading the file, alone.
    QList<double> lectures;
    const QString fichier = menu.catalogue().rubriques().value(cible - 1).fichier;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        QCOMPARE(menu.catalogue().lire(fichier).size(), menu.List2->Count());
        lectures << t.nsecsElapsed() / 1e6;
    }
    const double premiere = temps.takeFirst();
    const double m = mediane(temps);
    qInfo("%s : première visite %.1f ms, puis médiane %.1f ms (objectif <= %.0f ms), dont la "
          "lecture du fichier %.1f ms",
          qPrintable(rubrique), premiere, m, objectif, mediane(lectures));
    QVERIFY2(premiere <= objectif && m <= objectif, "changement de rubrique trop lent");
}

void BenchRubriques::fenetreRepondPendantLesIcones()
{
    IconSourceUnix source;
    Menu menu(dossierApplication(), {&m_prompts, &m_shell, &source, nullptr});
    menu.Form_Load();
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    EcartMax ecart;
    QElapsedTimer total;
    total.start();
    ecart.start();
    menu.List1->setSelectedIndex(ligneDe(menu.List1, QStringLiteral("Images")));
    QCOMPARE(menu.List2->Count(), Images);
    // Scrolling down now and then, as a user would.
    QTimer defilement;
    connect(&defilement, &QTimer::timeout, [&] {
        QAbstractItemView* v = menu.List2->vueActive();
        v->scrollTo(v->model()->index(QRandomGenerator::global()->bounded(Images), 0));
    });
    defilement.start(200);
    QTRY_VERIFY_WITH_TIMEOUT(!menu.raccourcis().iconesEnCours(), 600000);
    const double ecartMax = ecart.fin();
    qInfo("%d images de %d pixels : icônes en %.1f s, plus long écart entre deux tours de la "
          "boucle %.1f ms (objectif <= 50 ms)",
          Images, CoteImage, total.elapsed() / 1000.0, ecartMax);
    QVERIFY2(ecartMax <= 50, "la fenêtre ne répond plus pendant le chargement des icônes");
}

int main(int argc, char* argv[])
{
    reglerAllocateur(); // the heap as the program has it
    QApplication app(argc, argv);
    BenchRubriques bench;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&bench, argc, argv);
}
#include "bench_rubriques.moc"
