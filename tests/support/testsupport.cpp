#include "testsupport.h"

#include <QDir>
#include <QFile>
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

} // namespace lanceron::test
