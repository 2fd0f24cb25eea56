// Loading and writing a rubrique of 1,000 shortcuts (4,001 keys) through the private-profile
// layer. Loading the whole rubrique must stay well under 5 ms.

#include "storage/profil_prive.h"

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

} // namespace

class BenchProfilPrive : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void chargerEtLireUneRubrique();
    void ecrireUneRubrique();

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

QTEST_GUILESS_MAIN(BenchProfilPrive)
#include "bench_profil_prive.moc"
