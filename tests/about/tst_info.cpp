#include "about/info.h"
#include "platform/shell.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using lanceron::Info;

using namespace Qt::StringLiterals;

namespace {

// Records the addresses it is asked to open; starts nothing.
class ShellFactice final : public lanceron::Shell {
public:
    QStringList adresses;

    lanceron::ResultatLancement lancer(const QString&, const QString&, lanceron::Affichage) override
    {
        return {};
    }
    bool ouvrirAdresse(const QString& adresse) override
    {
        adresses << adresse;
        return true;
    }
    void proprietes(QWidget*, const QString&) override {}
};

QLabel* label(const Info& info, const char* nom)
{
    return info.findChild<QLabel*>(QLatin1String(nom));
}

QColor couleurLien(const Info& info)
{
    return label(info, "Label3")->palette().color(QPalette::WindowText);
}

QTimer* timer1(const Info& info)
{
    return info.findChild<QTimer*>(QStringLiteral("Timer1"));
}

int enPixels(const QWidget& w, int twips)
{
    return qRound(twips * w.logicalDpiX() / 1440.0);
}

} // namespace

class TestInfo : public QObject {
    Q_OBJECT

private slots:
    void boite();
    void textes_data();
    void textes();
    void version();
    void icone();
    void clignotement();
    void clignotementRepartAChaqueOuverture();
    void clicOuvreLeSite_data();
    void clicOuvreLeSite();
    void autresClicsNOuvrentRien_data();
    void autresClicsNOuvrentRien();
    void okFerme();
    void fermetureParLaBarreDeTitre();
    void centreeSurLaFenetrePrincipale_data();
    void centreeSurLaFenetrePrincipale();
};

void TestInfo::boite()
{
    ShellFactice shell;
    Info info(shell);
    QCOMPARE(info.windowTitle(), QStringLiteral("A propos de..."));
    const QSize client(enPixels(info, 5040), enPixels(info, 4095));
    QCOMPARE(info.minimumSize(), client);
    QCOMPARE(info.maximumSize(), client);
    QVERIFY(!info.isSizeGripEnabled());
    // Everything drawn lies inside the box (the header band may pass its right edge).
    for (const auto* w : info.findChildren<QWidget*>()) {
        if (w->objectName() != QLatin1String("Shape1"))
            QVERIFY2(info.rect().contains(w->geometry()), qPrintable(w->objectName()));
    }
}

void TestInfo::textes_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("gras");

    QTest::newRow("Label1_0") << u"Label1_0"_s << u"Lanceron"_s << 9.75 << true;
    QTest::newRow("Label1_2") << u"Label1_2"_s << u"Une application en trois clics de souris"_s
                              << 8.25 << false;
    QTest::newRow("Label2_1") << u"Label2_1"_s << u"Conception & réalisation"_s << 8.25 << true;
    QTest::newRow("Label2_2") << u"Label2_2"_s << u"Visitez le site Web"_s << 8.25 << true;
    QTest::newRow("Label3") << u"Label3"_s << Info::AdresseSite << 8.25 << false;
}

void TestInfo::textes()
{
    QFETCH(QString, nom);
    QFETCH(QString, texte);
    QFETCH(qreal, points);
    QFETCH(bool, gras);

    ShellFactice shell;
    Info info(shell);
    const QLabel* l = info.findChild<QLabel*>(nom);
    QVERIFY(l);
    QCOMPARE(l->text(), texte);
    QCOMPARE(l->textFormat(), Qt::PlainText); // "&" is shown, not taken as a mnemonic
    QCOMPARE(l->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(l->font().pointSizeF(), points);
    QCOMPARE(l->font().bold(), gras);
    // The whole text is visible, whatever font stands in for Verdana.
    QVERIFY(l->width() >= l->sizeHint().width());
}

void TestInfo::version()
{
    ShellFactice shell;
    Info info(shell);
    info.show();
    const QLabel* l = label(info, "Label1_1");
    QCOMPARE(l->text(), QStringLiteral("Version : " LANCERON_VERSION_PROJET));
    QVERIFY(l->width() >= l->sizeHint().width());
}

void TestInfo::icone()
{
    ShellFactice shell;
    Info info(shell);
    const QLabel* image1 = label(info, "Image1");
    const QPixmap p = image1->pixmap();
    QVERIFY(!p.isNull());
    QCOMPARE(p.deviceIndependentSize().toSize(), QSize(32, 32));
    // Drawn, not blank: the centre of the icon is opaque.
    QCOMPARE(p.toImage().pixelColor(p.width() / 2, p.height() / 2).alpha(), 255);
}

void TestInfo::clignotement()
{
    ShellFactice shell;
    Info info(shell);
    info.show();
    const QColor texteBouton = info.palette().color(QPalette::ButtonText);
    QVERIFY(texteBouton != QColor(0, 0, 255));

    QCOMPARE(timer1(info)->interval(), 1000);
    QVERIFY(timer1(info)->isActive());
    QCOMPARE(couleurLien(info), texteBouton);
    info.Timer1_Timer();
    QCOMPARE(couleurLien(info), QColor(0, 0, 255));
    info.Timer1_Timer();
    QCOMPARE(couleurLien(info), texteBouton);
    info.Timer1_Timer();
    QCOMPARE(couleurLien(info), QColor(0, 0, 255));
}

void TestInfo::clignotementRepartAChaqueOuverture()
{
    ShellFactice shell;
    Info info(shell);
    const QColor texteBouton = info.palette().color(QPalette::ButtonText);
    info.show();
    info.Timer1_Timer();
    QCOMPARE(couleurLien(info), QColor(0, 0, 255));
    info.close();
    QVERIFY(!timer1(info)->isActive());

    info.show();
    QCOMPARE(couleurLien(info), texteBouton);
    QVERIFY(timer1(info)->isActive());
}

void TestInfo::clicOuvreLeSite_data()
{
    QTest::addColumn<QString>("nom");
    for (const char* nom : {"Label3", "Label2_0", "Label2_1", "Label2_2", "Label2_3"})
        QTest::newRow(nom) << QString::fromLatin1(nom);
}

void TestInfo::clicOuvreLeSite()
{
    QFETCH(QString, nom);
    ShellFactice shell;
    Info info(shell);
    info.show();
    QLabel* l = info.findChild<QLabel*>(nom);
    QVERIFY(l);
    QCOMPARE(l->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(l, Qt::LeftButton);
    QCOMPARE(shell.adresses, QStringList{Info::AdresseSite});
    QVERIFY(info.isVisible()); // the box stays open
}

void TestInfo::autresClicsNOuvrentRien_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<Qt::MouseButton>("bouton");
    QTest::newRow("Label1_0") << u"Label1_0"_s << Qt::LeftButton;
    QTest::newRow("Label1_1") << u"Label1_1"_s << Qt::LeftButton;
    QTest::newRow("Image1") << u"Image1"_s << Qt::LeftButton;
    QTest::newRow("Label3 bouton droit") << u"Label3"_s << Qt::RightButton;
    QTest::newRow("Label2_2 bouton droit") << u"Label2_2"_s << Qt::RightButton;
}

void TestInfo::autresClicsNOuvrentRien()
{
    QFETCH(QString, nom);
    QFETCH(Qt::MouseButton, bouton);
    ShellFactice shell;
    Info info(shell);
    info.show();
    QLabel* l = info.findChild<QLabel*>(nom);
    QVERIFY(l);
    QTest::mouseClick(l, bouton);
    QVERIFY(shell.adresses.isEmpty());
}

void TestInfo::okFerme()
{
    ShellFactice shell;
    Info info(shell);
    info.show();
    auto* ok = info.findChild<QPushButton*>(QStringLiteral("command1"));
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("&Ok"));
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!info.isVisible());
    QCOMPARE(info.result(), int(QDialog::Accepted));
    QVERIFY(!timer1(info)->isActive());
}

void TestInfo::fermetureParLaBarreDeTitre()
{
    ShellFactice shell;
    Info info(shell);
    info.show();
    QVERIFY(info.close());
    QVERIFY(!info.isVisible());
    QVERIFY(!timer1(info)->isActive());
    QVERIFY(shell.adresses.isEmpty());
}

void TestInfo::centreeSurLaFenetrePrincipale_data()
{
    QTest::addColumn<QRect>("menu");
    QTest::newRow("grande fenêtre") << QRect(137, 211, 900, 700);
    QTest::newRow("petite fenêtre") << QRect(400, 300, 120, 80);
    QTest::newRow("à l'origine") << QRect(0, 0, 713, 511);
    // Half off the screen: the box follows the window, it is not pulled back onto the screen.
    QTest::newRow("hors de l'écran") << QRect(-500, -400, 600, 500);
    QTest::newRow("à droite de l'écran") << QRect(5000, 3000, 640, 480);
}

void TestInfo::centreeSurLaFenetrePrincipale()
{
    QFETCH(QRect, menu);
    QWidget principale;
    principale.setGeometry(menu);
    principale.show();
    const QPoint centre = principale.frameGeometry().center();

    ShellFactice shell;
    Info info(shell, &principale);
    info.show();
    QVERIFY((info.frameGeometry().center() - centre).manhattanLength() <= 2);
    info.close();

    // The main window moves: the next opening follows it.
    principale.move(principale.pos() + QPoint(250, -40));
    const QPoint nouveauCentre = principale.frameGeometry().center();
    info.show();
    QVERIFY((info.frameGeometry().center() - nouveauCentre).manhattanLength() <= 2);
}

QTEST_MAIN(TestInfo)
#include "tst_info.moc"
