#include "testsupport.h"

#include "main_window/liste_vue.h"
#include <QDir>
#include <QFile>

#include <QColor>
#include <QImage>
#include <QtTest>

namespace lanceron::test {

static QString modeleDossier()
{
    const QString base = qEnvironmentVariable("LANCERON_TEST_TMP");
    if (base.isEmpty())
        return QDir::tempPath() + QStringLiteral("/lanceron-test-XXXXXX");
    QDir().mkpath(base);
    return base + QStringLiteral("/t-XXXXXX");
}

DossierTest::DossierTest() : m_dir(modeleDossier()) {}

// Run by hand rather than by CTest, a test still never reads or writes the user's home: it
// gets a home and XDG folders of its own before anything starts.
static void maisonDeTest()
{
    if (qEnvironmentVariableIsSet("LANCERON_TEST_TMP"))
        return; // CTest gave them
    static QTemporaryDir maison(QDir::tempPath() + QStringLiteral("/lanceron-maison-XXXXXX"));
    const char* variables[][2] = {{"HOME", ""},
                                  {"XDG_DATA_HOME", "/data"},
                                  {"XDG_CONFIG_HOME", "/config"},
                                  {"XDG_CACHE_HOME", "/cache"},
                                  {"XDG_RUNTIME_DIR", "/run"}};
    for (const auto& [variable, sous] : variables) {
        const QString dossier = maison.path() + QLatin1String(sous);
        QDir().mkpath(dossier);
        qputenv(variable, QFile::encodeName(dossier));
    }
}
Q_CONSTRUCTOR_FUNCTION(maisonDeTest)

QByteArray lireOctets(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void ecrireOctets(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(chemin));
    QCOMPARE(f.write(octets), octets.size());
}

Reponse PromptsScriptes::message(QWidget*, const QString& texte, const QString& titre,
                                 IconeMessage icone, BoutonsMessage boutons)
{
    appels.append({QStringLiteral("message"), texte, titre, icone, boutons, {}, {}});
    if (!reponses.isEmpty())
        return reponses.takeFirst();
    return boutons == BoutonsMessage::Ok ? Reponse::Ok : Reponse::Non;
}

QString PromptsScriptes::saisie(QWidget*, const QString& invite, const QString& titre,
                                const QString& defaut)
{
    appels.append({QStringLiteral("saisie"), invite, titre, {}, {}, defaut, {}});
    return saisies.isEmpty() ? QString() : saisies.takeFirst();
}

QString PromptsScriptes::ouvrirFichier(QWidget*, const DialogueFichier& d)
{
    appels.append({QStringLiteral("ouvrir"), {}, d.titre, {}, {}, {}, d});
    return fichiers.isEmpty() ? QString() : fichiers.takeFirst();
}

QString PromptsScriptes::enregistrerFichier(QWidget*, const DialogueFichier& d)
{
    appels.append({QStringLiteral("enregistrer"), {}, d.titre, {}, {}, {}, d});
    return fichiers.isEmpty() ? QString() : fichiers.takeFirst();
}

ResultatLancement ShellFactice::lancer(const QString& programme, const QString& commande,
                                       Affichage affichage)
{
    lancements.append({programme, commande, affichage});
    return resultat;
}

bool ShellFactice::ouvrirAdresse(const QString& adresse)
{
    adresses << adresse;
    return true;
}

void ShellFactice::proprietes(QWidget*, const QString& chemin)
{
    proprietesDemandees << chemin;
}

static IconeExtraite carre(QColor couleur)
{
    IconeExtraite e;
    e.sorte = IconeExtraite::Sorte::Propre;
    e.grande = QImage(32, 32, QImage::Format_ARGB32);
    e.grande.fill(couleur);
    e.petite = QImage(16, 16, QImage::Format_ARGB32);
    e.petite.fill(couleur);
    return e;
}

IconeExtraite SourceIconesFactice::iconePropre(const QString& chemin)
{
    ++appelsPropre;
    return chemin.contains(QLatin1String("propre")) ? carre(Qt::red) : IconeExtraite{};
}

IconeExtraite SourceIconesFactice::iconeAssociee(const QString& chemin)
{
    ++appelsAssociee;
    if (chemin.contains(QLatin1String("aucune")))
        return {};
    IconeExtraite e = carre(Qt::blue);
    return e;
}

void BancMenu::demarrer(bool commeLeProgramme)
{
    menu = std::make_unique<Menu>(dossier.chemin(), services.services());
    if (commeLeProgramme)
        menu->remplirApresPremiereImage();
    menu->Form_Load();
}

QStringList BancMenu::textes(const ListeVue* liste)
{
    QStringList r;
    for (int i = 1; i <= liste->Count(); ++i)
        r << liste->texte(i);
    return r;
}

void ecrireRubrique(const QString& dossierApplication, const QString& nom,
                    const QList<QStringList>& raccourcis)
{
    QByteArray texte = "[LOGICIEL]\nNombre=" + QByteArray::number(raccourcis.size()) + "\n";
    for (qsizetype i = 0; i < raccourcis.size(); ++i) {
        const QStringList& r = raccourcis[i];
        texte += "[LOGICIEL " + QByteArray::number(i + 1) + "]\n";
        texte += "Nom=" + r.value(0).toUtf8() + "\nDossier=" + r.value(1).toUtf8() +
                 "\nExecuter=" + r.value(2).toUtf8() + "\nCommande=" + r.value(3).toUtf8() + "\n";
    }
    const QString dossier = dossierApplication + QStringLiteral("/Rubriques");
    QDir().mkpath(dossier);
    ecrireOctets(dossier + QLatin1Char('/') + nom + QStringLiteral(".ini"), texte);
}

} // namespace lanceron::test
