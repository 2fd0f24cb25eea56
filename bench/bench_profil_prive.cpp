// Loading and writing a rubrique of 1,000 shortcuts (4,001 keys) through the private-profile
// layer. Loading the whole rubrique must stay well under 5 ms.
// Large files: a 16 MiB rubrique of short lines must load in under 1 s and 100 MB, a rubrique
// of 100,000 shortcuts read in under 1 s, a settings file holding a 10 MiB value in well under
// 1 s.

#include "storage/fichier_ini.h"
#include "storage/profil_prive.h"
#include "storage/rubrique_fichier.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;
using lanceron::ProfilPrive;

namespace {

constexpr int Nombre = 1000;

ProfilPrive rubrique(const ProfilPrive& modele)
{
    ProfilPrive p = ProfilPrive::vierge(modele);
    p.ecrire(u"LOGICIEL"_s, u"Nombre"_s, QString::number(Nombre));
    for (int i = 1; i <= Nombre; ++i) {
        const QString section = u"LOGICIEL "_s + QString::number(i);
        p.ecrire(section, u"Nom"_s, u"Logiciel numéro "_s + QString::number(i));
        p.ecrire(section, u"Dossier"_s, u"/usr/lib/logiciels/l%1/bin/programme"_s.arg(i));
        p.ecrire(section, u"Executer"_s, u"Fenêtre normale"_s);
        p.ecrire(section, u"Commande"_s, u"--option %1"_s.arg(i));
    }
    return p;
}

// Peak resident memory of the process since the last reset, in MB.
qint64 pointeMemoire()
{
    QFile f(u"/proc/self/status"_s);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& ligne : f.readAll().split('\n')) {
        if (ligne.startsWith("VmHWM:"))
            return ligne.mid(6).trimmed().split(' ').value(0).toLongLong() / 1024;
    }
    return -1;
}

void remettrePointeAZero()
{
    QFile f(u"/proc/self/clear_refs"_s);
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

void ecrireFichier(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(octets), octets.size());
}

// Does nothing with the settings: only the cost of reading them is measured.
class CibleVide final : public lanceron::CibleReglages {
public:
    bool appliquerOption(int, qint16) override { return true; }
    qint16 option(int) override { return 0; }
    bool appliquerSplitter(const QString&) override { return true; }
    double splitter() const override { return 0; }
    bool appliquerVue(int, qint32) override { return true; }
    qint32 vue(int) const override { return 0; }
    qint32 etatMemorise() const override { return 0; }
    void memoriserEtat(qint32) override {}
    qint32 etatFenetre() const override { return 0; }
    void maximiser() override {}
    void appliquerGeometrie(const lanceron::GeometrieTwips&) override {}
    lanceron::GeometrieTwips geometrie() const override { return {}; }
};

} // namespace

class BenchProfilPrive : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void chargerEtLireUneRubrique();
    void ecrireUneRubrique();
    void grandFichierDeLignesCourtes();
    void centMilleRaccourcis();
    void sectionAuNumeroEnorme();
    void reglagesAvecUneGrandeValeur();

private:
    QTemporaryDir m_dossier;
    QString m_chemin;
};

void BenchProfilPrive::initTestCase()
{
    QVERIFY(m_dossier.isValid());
    m_chemin = m_dossier.filePath(u"Rubrique.ini"_s);
    QVERIFY(rubrique(ProfilPrive()).enregistrer(m_chemin));
}

void BenchProfilPrive::chargerEtLireUneRubrique()
{
    qsizetype taille = 0;
    QBENCHMARK
    {
        const ProfilPrive p = ProfilPrive::charger(m_chemin);
        const int nombre = p.lire(u"LOGICIEL", u"Nombre").toInt();
        for (int i = 1; i <= nombre; ++i) {
            const QString section = u"LOGICIEL "_s + QString::number(i);
            taille += p.lire(section, u"Nom").size() + p.lire(section, u"Dossier").size() +
                      p.lire(section, u"Executer").size() + p.lire(section, u"Commande").size();
        }
    }
    QVERIFY(taille > 0);
}

void BenchProfilPrive::ecrireUneRubrique()
{
    const ProfilPrive modele = ProfilPrive::charger(m_chemin);
    QBENCHMARK
    {
        QVERIFY(rubrique(modele).enregistrer(m_chemin));
    }
}

void BenchProfilPrive::grandFichierDeLignesCourtes()
{
    // 16 MiB (the largest file read) of short lines: keys, comments and small sections.
    const QString chemin = m_dossier.filePath(u"Lignes.ini"_s);
    QByteArray octets = "[LOGICIEL]\nNombre=3\n";
    for (int i = 0; octets.size() < ProfilPrive::TailleMaximale - 64; ++i)
        octets += i % 50 == 0 ? "[LOGICIEL " + QByteArray::number(i / 50) + "]\n"
                  : i % 7 == 0 ? QByteArray(";c\n")
                               : "k" + QByteArray::number(i % 1000) + "=v\n";
    ecrireFichier(chemin, octets);
    remettrePointeAZero();
    const qint64 avant = pointeMemoire();
    QElapsedTimer chrono;
    chrono.start();
    const auto raccourcis = lanceron::Lire_Rubrique(chemin);
    const qint64 ms = chrono.elapsed();
    const qint64 memoire = pointeMemoire() - avant;
    qInfo("16 MiB of short lines: %lld ms, %lld MB at the peak", ms, memoire);
    QCOMPARE(raccourcis.size(), 3);
    QVERIFY2(ms < 1000, "slower than 1 s");
    QVERIFY2(memoire < 100, "more than 100 MB");
}

void BenchProfilPrive::centMilleRaccourcis()
{
    const QString chemin = m_dossier.filePath(u"Cent mille.ini"_s);
    constexpr int N = 100000;
    QByteArray octets = "[LOGICIEL]\r\nNombre=" + QByteArray::number(N) + "\r\n";
    for (int i = 1; i <= N; ++i)
        octets += "[LOGICIEL " + QByteArray::number(i) + "]\r\nNom=Logiciel " +
                  QByteArray::number(i) + "\r\nDossier=/opt/l" + QByteArray::number(i) +
                  "/bin/l\r\nExecuter=Fen\xEAtre normale\r\nCommande=\r\n";
    ecrireFichier(chemin, octets);
    QElapsedTimer chrono;
    chrono.start();
    const auto raccourcis = lanceron::Lire_Rubrique(chemin);
    const qint64 ms = chrono.elapsed();
    qInfo("100,000 shortcuts: %lld ms", ms);
    QCOMPARE(raccourcis.size(), N);
    QVERIFY2(ms < 1000, "slower than 1 s");
}

void BenchProfilPrive::sectionAuNumeroEnorme()
{
    // 57 bytes naming two billion shortcuts: the rows are bounded by the file, not the count.
    const QString chemin = m_dossier.filePath(u"Enorme.ini"_s);
    ecrireFichier(chemin, "[LOGICIEL]\nNombre=2000000000\n[LOGICIEL 2000000000]\nNom=x\n");
    remettrePointeAZero();
    const qint64 avant = pointeMemoire(); // what the earlier cases left resident
    QElapsedTimer chrono;
    chrono.start();
    const auto raccourcis = lanceron::Lire_Rubrique(chemin);
    const qint64 ms = chrono.elapsed();
    const qint64 memoire = pointeMemoire() - avant;
    qInfo("huge section number: %lld rows, %lld ms, %lld MB more at the peak",
          qint64(raccourcis.size()), ms, memoire);
    QVERIFY(raccourcis.size() <= 4);
    QVERIFY2(ms < 1000, "slower than 1 s");
    QVERIFY2(memoire < 50, "more than 50 MB");
}

void BenchProfilPrive::reglagesAvecUneGrandeValeur()
{
    const QString chemin = m_dossier.filePath(u"Lanceron.ini"_s);
    ecrireFichier(chemin, "[OPTIONS]\nRubrique=1\nLogiciel=0\nApplication=0\nHotTracking=0\n"
                          "[AFFICHAGE]\nGrande=" +
                              QByteArray(10 * 1024 * 1024, 'x') +
                              "\nSplitter1=3000\nRubrique=0\nLogiciel=3\n"
                              "[DIVERS]\nWindows=0\nHauteur=6000\nLargeur=9000\n"
                              "PositionX=100\nPositionY=100\n");
    CibleVide cible;
    QElapsedTimer chrono;
    chrono.start();
    lanceron::Lire_Options(chemin, false, cible);
    QVERIFY(lanceron::Ecrire_Options(chemin, cible));
    const qint64 ms = chrono.elapsed();
    qInfo("settings with a 10 MiB value, read and written: %lld ms", ms);
    QVERIFY2(ms < 1000, "slower than 1 s");
}

QTEST_GUILESS_MAIN(BenchProfilPrive)
#include "bench_profil_prive.moc"
