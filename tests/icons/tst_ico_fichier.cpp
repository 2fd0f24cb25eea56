#include "icons/ico_fichier.h"

#include "fabrique_pe.h"
#include "platform/icon_source_unix.h"
#include "testsupport.h"

#include <QtTest>

using namespace lanceron;

namespace {

QImage uni(int cote, const QColor& couleur)
{
    QImage image(cote, cote, QImage::Format_ARGB32_Premultiplied);
    image.fill(couleur);
    return image;
}

// Own icons and associated icons given by path, each in one colour; every call recorded.
class SourceFactice : public IconSource {
public:
    QHash<QString, QColor> propres;
    QHash<QString, QColor> associees; // a path that is absent has no associated icon
    QStringList appels;

    IconeExtraite iconePropre(const QString& chemin) override
    {
        appels.append(QStringLiteral("propre ") + chemin);
        if (!propres.contains(chemin))
            return {};
        const QColor c = propres.value(chemin);
        return {IconeExtraite::Sorte::Propre, uni(32, c), uni(16, c)};
    }

    IconeExtraite iconeAssociee(const QString& chemin) override
    {
        appels.append(QStringLiteral("associee ") + chemin);
        if (!associees.contains(chemin))
            return {};
        const QColor c = associees.value(chemin);
        return {IconeExtraite::Sorte::Aucune, uni(32, c), uni(16, c)};
    }
};

QColor couleur(const QPixmap& p)
{
    return p.toImage().pixelColor(p.width() / 2, p.height() / 2);
}

bool transparente(const QPixmap& p)
{
    const QImage image = p.toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
        }
    }
    return true;
}

// Checks that pair n is blank and of the right sizes.
void verifierVide(const IcoFichier& store, int n)
{
    QCOMPARE(store.grande(n).size(), QSize(32, 32));
    QCOMPARE(store.petite(n).size(), QSize(16, 16));
    QVERIFY(transparente(store.grande(n)));
    QVERIFY(transparente(store.petite(n)));
}

} // namespace

class TstIcoFichier : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { configurerThemeIcones(); }

    void memeCheminPartage()
    {
        SourceFactice source;
        source.propres.insert(QStringLiteral("/opt/jeu/jeu.exe"), Qt::red);
        IcoFichier store(source);
        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/opt/jeu/jeu.exe")), 1);
        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/opt/jeu/jeu.exe")), 1);
        QCOMPARE(store.nombre(), 1);
        QCOMPARE(store.cle(1), QStringLiteral("/opt/jeu/jeu.exe"));
        QCOMPARE(couleur(store.grande(1)), QColor(Qt::red));
        QCOMPARE(couleur(store.petite(1)), QColor(Qt::red));
        QCOMPARE(store.grande(1).size(), QSize(32, 32));
        QCOMPARE(store.petite(1).size(), QSize(16, 16));
        QCOMPARE(source.appels.size(), 1);
    }

    void casseDistincte()
    {
        SourceFactice source;
        source.propres.insert(QStringLiteral("/opt/Jeu.exe"), Qt::red);
        source.propres.insert(QStringLiteral("/opt/jeu.exe"), Qt::blue);
        IcoFichier store(source);
        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/opt/Jeu.exe")), 1);
        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/opt/jeu.exe")), 2);
        QCOMPARE(store.cle(1), QStringLiteral("/opt/Jeu.exe"));
        QCOMPARE(store.cle(2), QStringLiteral("/opt/jeu.exe"));
        QCOMPARE(couleur(store.grande(2)), QColor(Qt::blue));
    }

    void premiereAssocieeReutilisee_data()
    {
        QTest::addColumn<bool>("premiereVide");
        QTest::newRow("icone du type") << false;
        QTest::newRow("paire vide") << true;
    }

    void premiereAssocieeReutilisee()
    {
        // The first file of an extension that has no icon of its own fixes the pair of the
        // extension for the run, even blank; a later file of that extension with an icon of
        // its own still gets its own pair.
        QFETCH(bool, premiereVide);
        SourceFactice source;
        if (!premiereVide)
            source.associees.insert(QStringLiteral("/a/notes.txt"), Qt::green);
        source.associees.insert(QStringLiteral("/b/LISEZ.TXT"), Qt::blue);
        source.propres.insert(QStringLiteral("/c/propre.txt"), Qt::red);
        IcoFichier store(source);

        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/a/notes.txt")), 1);
        QCOMPARE(store.cle(1), QStringLiteral("TXTID"));
        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/b/LISEZ.TXT")), 1);
        QVERIFY(!source.appels.contains(QStringLiteral("associee /b/LISEZ.TXT")));
        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/c/propre.txt")), 2);
        QCOMPARE(store.cle(2), QStringLiteral("/c/propre.txt"));
        QCOMPARE(store.nombre(), 2);
        if (premiereVide)
            verifierVide(store, 1);
        else
            QCOMPARE(couleur(store.grande(1)), QColor(Qt::green));
    }

    void sansExtension_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::newRow("sans extension") << QStringLiteral("/usr/bin/outil");
        QTest::newRow("chemin vide") << QString();
        QTest::newRow("fichier cache") << QStringLiteral("/home/u/.profile");
    }

    void sansExtension()
    {
        QFETCH(QString, chemin);
        SourceFactice source;
        source.associees.insert(QStringLiteral("/bin/sh"), Qt::yellow);
        IcoFichier store(source);
        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/bin/sh")), 1);
        QCOMPARE(store.Ajouter_Icone(chemin), 1);
        QCOMPARE(store.cle(1), QStringLiteral("ID"));
        QCOMPARE(store.nombre(), 1);
    }

    void numerotation()
    {
        SourceFactice source;
        source.propres.insert(QStringLiteral("/p/a.exe"), Qt::red);
        source.associees.insert(QStringLiteral("/p/b.exe"), Qt::green);
        source.propres.insert(QStringLiteral("/p/c.desktop"), Qt::blue);
        IcoFichier store(source);
        const QList<int> numeros = {store.Ajouter_Icone(QStringLiteral("/p/a.exe")),
                                    store.Ajouter_Icone(QStringLiteral("/p/b.exe")),
                                    store.Ajouter_Icone(QStringLiteral("/p/x.exe")),
                                    store.Ajouter_Icone(QStringLiteral("/p/c.desktop")),
                                    store.Ajouter_Icone(QStringLiteral("/p/a.exe"))};
        QCOMPARE(numeros, (QList<int>{1, 2, 2, 3, 1}));
        QCOMPARE(store.cle(2), QStringLiteral("EXEID"));
        QCOMPARE(couleur(store.grande(2)), QColor(Qt::green));
        QCOMPARE(couleur(store.petite(3)), QColor(Qt::blue));
        const QIcon icone = store.icone(3);
        QVERIFY(icone.availableSizes().contains(QSize(32, 32)));
        QVERIFY(icone.availableSizes().contains(QSize(16, 16)));
        QCOMPARE(couleur(icone.pixmap(16)), QColor(Qt::blue));
    }

    void horsBornes()
    {
        SourceFactice source;
        IcoFichier store(source);
        QCOMPARE(store.nombre(), 0);
        QVERIFY(store.grande(1).isNull());
        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/x")), 1);
        for (int n : {-1, 0, 2, 32768}) {
            QVERIFY(store.grande(n).isNull());
            QVERIFY(store.petite(n).isNull());
            QVERIFY(store.icone(n).isNull());
            QVERIFY(store.cle(n).isEmpty());
        }
    }

    void rechargementSansExtraction()
    {
        SourceFactice source;
        source.propres.insert(QStringLiteral("/p/a.exe"), Qt::red);
        source.associees.insert(QStringLiteral("/p/b.sh"), Qt::green);
        const QStringList rubrique = {QStringLiteral("/p/a.exe"), QStringLiteral("/p/b.sh"),
                                      QStringLiteral("/p/c.sh"), QStringLiteral("/p/absent.pdf"),
                                      QString()};
        IcoFichier store(source);
        QList<int> premiere;
        for (const QString& chemin : rubrique)
            premiere.append(store.Ajouter_Icone(chemin));
        const int nombre = store.nombre();
        const qsizetype appels = source.appels.size();
        QList<int> seconde;
        for (const QString& chemin : rubrique)
            seconde.append(store.Ajouter_Icone(chemin));
        QCOMPARE(seconde, premiere);
        QCOMPARE(store.nombre(), nombre);
        QCOMPARE(source.appels.size(), appels);
    }

    void iconePropreVide()
    {
        // An own icon whose images could not be had is stored as a blank pair.
        class SourceVide : public SourceFactice {
            IconeExtraite iconePropre(const QString&) override
            {
                return {IconeExtraite::Sorte::Propre, {}, {}};
            }
        } source;
        IcoFichier store(source);
        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/p/a.exe")), 1);
        QCOMPARE(store.cle(1), QStringLiteral("/p/a.exe"));
        verifierVide(store, 1);
    }

    void cheminLongEntier()
    {
        // The whole path is the key, however long.
        const QString chemin =
            QStringLiteral("/p/") + QString(4000, QLatin1Char('x')) + QStringLiteral(".exe");
        SourceFactice source;
        source.propres.insert(chemin, Qt::red);
        IcoFichier store(source);
        QCOMPARE(store.Ajouter_Icone(chemin), 1);
        QCOMPARE(store.cle(1), chemin);
        QCOMPARE(store.Ajouter_Icone(chemin.chopped(1)), 2);
    }

    void plein()
    {
        // The last place holds a blank pair, without key, shared by every later new key;
        // the keys stored before are still found.
        SourceFactice source;
        for (const char* c : {"/p/1.exe", "/p/2.exe", "/p/3.exe", "/p/4.exe"})
            source.propres.insert(QString::fromLatin1(c), Qt::red);
        IcoFichier store(source, 3);
        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/p/1.exe")), 1);
        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/p/2.exe")), 2);
        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/p/3.exe")), 3);
        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/p/4.exe")), 3);
        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/p/absent.pdf")), 3);
        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/p/autre.pdf")), 3);
        QCOMPARE(store.Ajouter_Icone(QStringLiteral("/p/1.exe")), 1);
        QCOMPARE(store.nombre(), 3);
        QVERIFY(store.cle(3).isEmpty());
        verifierVide(store, 3);
        QCOMPARE(couleur(store.grande(2)), QColor(Qt::red));
        // An extension first met in a full store is fixed to the shared pair as well.
        QCOMPARE(source.appels.count(QStringLiteral("associee /p/autre.pdf")), 0);
    }

    void sourceReelle()
    {
        // A program file without icons gets the icon of its type, not a blank pair.
        test::DossierTest dossier;
        const QString sans = dossier.fichier(QStringLiteral("sans.exe"));
        test::ecrireOctets(sans, test::fabriquerPe({{6, 1, {}, QByteArray(8, 'a')}}));
        const QString avec = dossier.fichier(QStringLiteral("avec.exe"));
        test::ecrireOctets(avec,
                           test::fabriquerPe({{3, 1, {}, test::bitmapIcone(32, qRgb(255, 0, 0))},
                                              {14, 1, {}, test::groupeIcones({1})}}));
        IconSourceUnix source;
        IcoFichier store(source);
        QCOMPARE(store.Ajouter_Icone(sans), 1);
        QCOMPARE(store.cle(1), QStringLiteral("EXEID"));
        QVERIFY(!transparente(store.grande(1)));
        QCOMPARE(store.Ajouter_Icone(avec), 2);
        QCOMPARE(store.cle(2), avec);
        QCOMPARE(couleur(store.grande(2)), QColor(Qt::red));
    }
};

QTEST_MAIN(TstIcoFichier)
#include "tst_ico_fichier.moc"
