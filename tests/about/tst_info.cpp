// The about box: its texts, the blinking address, the links to the web site and its place.

#include "about/info.h"
#include "testsupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using lanceron::Info;

namespace {

QLabel* label(const Info& info, const QString& nom)
{
    return info.findChild<QLabel*>(nom);
}

QColor couleurLien(const Info& info)
{
    return label(info, "Label3")->palette().color(QPalette::WindowText);
}

bool clignote(const Info& info)
{
    return info.findChild<QTimer*>("Timer1")->isActive();
}

} // namespace

class TestInfo : public QObject {
    Q_OBJECT
private slots:
    void textes();
    void clignotement();
    void liens();
    void okFerme();
    void centreeSurLaFenetrePrincipale_data();
    void centreeSurLaFenetrePrincipale();
};

void TestInfo::textes()
{
    lanceron::test::ShellFactice shell;
    Info info(shell);
    info.show();
    QCOMPARE(info.windowTitle(), QStringLiteral("A propos de..."));
    const QList<std::pair<QString, QString>> textes{
        {"Label1_0", "Lanceron"},
        {"Label1_1", "Version : " LANCERON_VERSION_PROJET},
        {"Label1_2", "Une application en trois clics de souris"},
        {"Label2_1", "Conception & réalisation"},
        {"Label2_2", "Visitez le site Web"},
        {"Label3", Info::AdresseSite}};
    for (const auto& [nom, texte] : textes) {
        const QLabel* l = label(info, nom);
        QCOMPARE(l->text(), texte);
        QCOMPARE(l->textFormat(), Qt::PlainText); // "&" is shown, not taken as a mnemonic
        // The whole text is visible, whatever font stands in for Verdana.
        QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(nom));
    }
    QVERIFY(!label(info, "Image1")->pixmap().isNull());
}

void TestInfo::clignotement()
{
    lanceron::test::ShellFactice shell;
    Info info(shell);
    const QColor texteBouton = info.palette().color(QPalette::ButtonText);
    const QColor bleu(0, 0, 255);
    QVERIFY(texteBouton != bleu);
    info.show();
    QVERIFY(clignote(info));
    QCOMPARE(couleurLien(info), texteBouton);
    info.Timer1_Timer();
    QCOMPARE(couleurLien(info), bleu);
    info.Timer1_Timer();
    QCOMPARE(couleurLien(info), texteBouton);
    info.Timer1_Timer();
    QCOMPARE(couleurLien(info), bleu);
    // Closed, it stops; opened again, it starts over from the button text colour.
    info.close();
    QVERIFY(!clignote(info));
    info.show();
    QCOMPARE(couleurLien(info), texteBouton);
    QVERIFY(clignote(info));
}

void TestInfo::liens()
{
    lanceron::test::ShellFactice shell;
    Info info(shell);
    info.show();
    // Neither another label, nor the right button, opens anything.
    QTest::mouseClick(label(info, "Label1_0"), Qt::LeftButton);
    QTest::mouseClick(label(info, "Image1"), Qt::LeftButton);
    QTest::mouseClick(label(info, "Label3"), Qt::RightButton);
    QCOMPARE(shell.adresses, QStringList{});
    const QStringList liens{"Label3", "Label2_0", "Label2_1", "Label2_2", "Label2_3"};
    for (const QString& nom : liens) {
        QCOMPARE(label(info, nom)->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(label(info, nom), Qt::LeftButton);
    }
    QCOMPARE(shell.adresses, QStringList(liens.size(), Info::AdresseSite));
    QVERIFY(info.isVisible()); // the box stays open
}

void TestInfo::okFerme()
{
    lanceron::test::ShellFactice shell;
    Info info(shell);
    info.show();
    auto* ok = info.findChild<QPushButton*>("command1");
    QCOMPARE(ok->text(), QStringLiteral("&Ok"));
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!info.isVisible());
    QCOMPARE(info.result(), int(QDialog::Accepted));
    QVERIFY(!clignote(info));
}

void TestInfo::centreeSurLaFenetrePrincipale_data()
{
    QTest::addColumn<QRect>("menu");
    QTest::newRow("sur l'écran") << QRect(137, 211, 900, 700);
    // Half off the screen: the box follows the window, it is not pulled back onto the screen.
    QTest::newRow("hors de l'écran") << QRect(-500, -400, 600, 500);
}

void TestInfo::centreeSurLaFenetrePrincipale()
{
    QFETCH(QRect, menu);
    QWidget principale;
    principale.setGeometry(menu);
    principale.show();
    lanceron::test::ShellFactice shell;
    Info info(shell, &principale);
    info.show();
    QVERIFY(
        (info.frameGeometry().center() - principale.frameGeometry().center()).manhattanLength() <=
        2);
    info.close();
    // The main window moves: the next opening follows it.
    principale.move(principale.pos() + QPoint(250, -40));
    info.show();
    QVERIFY(
        (info.frameGeometry().center() - principale.frameGeometry().center()).manhattanLength() <=
        2);
}

QTEST_MAIN(TestInfo)
#include "tst_info.moc"
