// The about box: its texts, the blinking address, the links to the web site and its place;
// the program's icon; the names of the Windows versions.

#include "about/info.h"
#include "about/version.h"
#include "testsupport.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using lanceron::EnregistrementVersion;
using lanceron::Info;
using Rec = std::optional<EnregistrementVersion>;

namespace {

// A record: major, minor, platform, service-pack text, suite mask, product type.
Rec v(quint32 majeure, quint32 mineure, quint32 plateforme, const QString& csd = {},
      quint16 suite = 0, quint8 produit = 0)
{
    return EnregistrementVersion{majeure, mineure, plateforme, csd, suite, produit};
}

} // namespace

class TestInfo : public QObject {
    Q_OBJECT
    lanceron::test::ShellFactice m_shell;

private slots:
    void textesLiensEtClignotement()
    {
        Info info(m_shell);
        info.show();
        QCOMPARE(info.windowTitle(), QStringLiteral("A propos de..."));
        const auto label = [&](const QString& nom) { return info.findChild<QLabel*>(nom); };
        for (const auto& [nom, texte] : {std::pair<QString, QString>{"Label1_0", "Lanceron"},
                                         {"Label1_1", "Version : " LANCERON_VERSION_PROJET},
                                         {"Label1_2", "Une application en trois clics de souris"},
                                         {"Label2_1", "Conception & réalisation"},
                                         {"Label2_2", "Visitez le site Web"},
                                         {"Label3", Info::AdresseSite}}) {
            QCOMPARE(label(nom)->text(), texte);
            // "&" is shown, not taken as a mnemonic; the whole text is visible, whatever font
            // stands in for Verdana.
            QCOMPARE(label(nom)->textFormat(), Qt::PlainText);
            QVERIFY2(label(nom)->width() >= label(nom)->sizeHint().width(), qPrintable(nom));
        }
        QVERIFY(!label("Image1")->pixmap().isNull());
        // Neither another label, nor the right button, opens anything.
        QTest::mouseClick(label("Label1_0"), Qt::LeftButton);
        QTest::mouseClick(label("Image1"), Qt::LeftButton);
        QTest::mouseClick(label("Label3"), Qt::RightButton);
        QCOMPARE(m_shell.adresses, QStringList{});
        const QStringList liens{"Label3", "Label2_0", "Label2_1", "Label2_2", "Label2_3"};
        for (const QString& nom : liens) {
            QCOMPARE(label(nom)->cursor().shape(), Qt::PointingHandCursor);
            QTest::mouseClick(label(nom), Qt::LeftButton);
        }
        QCOMPARE(m_shell.adresses, QStringList(liens.size(), Info::AdresseSite));
        QVERIFY(info.isVisible()); // the box stays open
        // The address blinks.
        const auto lien = [&] { return label("Label3")->palette().color(QPalette::WindowText); };
        const QColor texteBouton = info.palette().color(QPalette::ButtonText);
        for (const QColor& attendu : {texteBouton, QColor(Qt::blue), texteBouton}) {
            QCOMPARE(lien(), attendu);
            info.Timer1_Timer();
        }
        // "&Ok" closes the box and stops the blinking; opened again, it starts over from the
        // button text colour.
        QTimer* minuterie = info.findChild<QTimer*>("Timer1");
        QVERIFY(minuterie->isActive());
        auto* ok = info.findChild<QPushButton*>("command1");
        QCOMPARE(ok->text(), QStringLiteral("&Ok"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!info.isVisible());
        QVERIFY(!minuterie->isActive());
        info.show();
        QCOMPARE(lien(), texteBouton);
        QVERIFY(minuterie->isActive());
    }

    void rendusDeLIcone()
    {
        // The PNG renderings installed in the hicolor icon theme: rounded tiles, transparent
        // corner, opaque middle.
        for (int taille : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QImage image(
                QStringLiteral(LANCERON_DOSSIER_ICONES "/%1x%1/lanceron.png").arg(taille));
            QCOMPARE(image.size(), QSize(taille, taille));
            QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
            QCOMPARE(image.pixelColor(taille / 2, taille / 2).alpha(), 255);
        }
    }

    void centreeSurLaFenetrePrincipale()
    {
        // Half off the screen: the box follows the window, it is not pulled back onto the
        // screen. The main window moves: the next opening follows it.
        QWidget principale;
        principale.setGeometry(-500, -400, 600, 500);
        principale.show();
        Info info(m_shell, &principale);
        for (const QPoint& deplacement : {QPoint(), QPoint(250, -40)}) {
            principale.move(principale.pos() + deplacement);
            info.show();
            const QPoint ecart =
                info.frameGeometry().center() - principale.frameGeometry().center();
            QVERIFY(ecart.manhattanLength() <= 2);
            info.close();
        }
    }

    void nomme_data()
    {
        QTest::addColumn<Rec>("rec");
        QTest::addColumn<QString>("nom");
        auto ligne = [](const char* cas, const Rec& rec, const char* nom) {
            QTest::newRow(cas) << rec << QString::fromUtf8(nom);
        };
        // Each name, with the fields that must not sway it set; the letter may stand anywhere in
        // a text of the record's full width, in either case.
        ligne("3.x", v(99, 99, 0, "AC", 0xffff, 3), "Windows 3.x");
        ligne("95, autre lettre", v(4, 0, 1, "A"), "Windows 95");
        ligne("95 OSR2", v(4, 0, 1, QString(127, 'x') + 'c'), "Windows 95 OSR2");
        ligne("98, autre lettre", v(5, 10, 1, "C"), "Windows 98");
        ligne("98 SE", v(4, 10, 1, "xxaxx"), "Windows 98 SE");
        ligne("Me", v(4, 90, 1, "AC"), "Windows Me");
        ligne("NT 3", v(3, 0, 2), "Windows NT 3");
        ligne("NT 3.1", v(3, 1, 2), "Windows NT 3.1");
        ligne("NT 3.5", v(3, 5, 2), "Windows NT 3.5");
        ligne("NT 3.51", v(3, 51, 2), "Windows NT 3.51");
        ligne("NT 4, serveur", v(4, 99, 2, " Service Pack 3", 2, 3), "Windows NT 4");
        ligne("2000 Pro", v(5, 0, 2, "", 0x82, 1), "Windows 2000 Professional");
        ligne("2000 Advanced", v(5, 0, 2, "", 0x82, 3), "Windows 2000 Advanced Server");
        ligne("2000 DataCenter", v(5, 0, 2, "", 0x80, 3), "Windows 2000 DataCenter Server");
        ligne("2000 Server", v(5, 0, 2, "", 0x200, 3), "Windows 2000 Server");
        ligne("XP Home", v(5, 1, 2, "", 0xffff, 1), "Windows XP Home Edition");
        ligne("XP Pro", v(5, 1, 2, "", 2, 1), "Windows XP Professional");
        ligne(".NET Enterprise", v(5, 1, 2, "", 0x82, 2), "Windows .NET Enterprise Server");
        ligne(".NET Server", v(5, 1, 2, "", 0x200, 0), "Windows .NET Server");
        // No name: no record, and numbers a careless comparison would take for a known one.
        ligne("sans enregistrement", std::nullopt, "");
        ligne("9x mineure 266", v(4, 266, 1), "");
        ligne("NT 3.50", v(3, 50, 2), "");
        ligne("2000 contrôleur de domaine", v(5, 0, 2, "", 0, 2), "");
        ligne("NT 5.257", v(5, 257, 2, "", 0, 1), "");
        ligne("NT 261.1", v(261, 1, 2, "", 0, 1), "");
        ligne("plateforme 258", v(5, 1, 258, "", 0, 1), "");
    }

    void nomme()
    {
        QFETCH(Rec, rec);
        QFETCH(QString, nom);
        QCOMPARE(lanceron::Version_Windows(rec), nom);
        if (!rec)
            QCOMPARE(lanceron::Version_Windows(), nom); // no Unix system gives a version record
    }
};

QTEST_MAIN(TestInfo)
#include "tst_info.moc"
