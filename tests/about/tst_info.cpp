// The about box: its texts, the blinking address, the links to the web site and its place.

#include "about/info.h"
#include "testsupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <optional>

using lanceron::Info;

class TestInfo : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_info.emplace(m_shell);
        m_info->show();
    }
    void cleanup()
    {
        m_info.reset();
        m_shell.adresses.clear();
    }
    void textes();
    void clignotementEtOk();
    void liens();
    void centreeSurLaFenetrePrincipale_data();
    void centreeSurLaFenetrePrincipale();

private:
    lanceron::test::ShellFactice m_shell;
    std::optional<Info> m_info;
    QLabel* label(const QString& nom) const { return m_info->findChild<QLabel*>(nom); }
    QColor couleurLien() const { return label("Label3")->palette().color(QPalette::WindowText); }
    bool clignote() const { return m_info->findChild<QTimer*>("Timer1")->isActive(); }
};

void TestInfo::textes()
{
    QCOMPARE(m_info->windowTitle(), QStringLiteral("A propos de..."));
    const QList<std::pair<QString, QString>> textes{
        {"Label1_0", "Lanceron"},
        {"Label1_1", "Version : " LANCERON_VERSION_PROJET},
        {"Label1_2", "Une application en trois clics de souris"},
        {"Label2_1", "Conception & réalisation"},
        {"Label2_2", "Visitez le site Web"},
        {"Label3", Info::AdresseSite}};
    for (const auto& [nom, texte] : textes) {
        const QLabel* l = label(nom);
        QCOMPARE(l->text(), texte);
        QCOMPARE(l->textFormat(), Qt::PlainText); // "&" is shown, not taken as a mnemonic
        // The whole text is visible, whatever font stands in for Verdana.
        QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(nom));
    }
    QVERIFY(!label("Image1")->pixmap().isNull());
}

void TestInfo::clignotementEtOk()
{
    const QColor texteBouton = m_info->palette().color(QPalette::ButtonText);
    QVERIFY(texteBouton != QColor(Qt::blue));
    QVERIFY(clignote());
    for (const QColor& attendu : {texteBouton, QColor(Qt::blue), texteBouton, QColor(Qt::blue)}) {
        QCOMPARE(couleurLien(), attendu);
        m_info->Timer1_Timer();
    }
    // "&Ok" closes the box and stops the blinking; opened again, it starts over from the button
    // text colour.
    auto* ok = m_info->findChild<QPushButton*>("command1");
    QCOMPARE(ok->text(), QStringLiteral("&Ok"));
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!m_info->isVisible());
    QCOMPARE(m_info->result(), int(QDialog::Accepted));
    QVERIFY(!clignote());
    m_info->show();
    QCOMPARE(couleurLien(), texteBouton);
    QVERIFY(clignote());
}

void TestInfo::liens()
{
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
    QVERIFY(m_info->isVisible()); // the box stays open
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
    Info info(m_shell, &principale);
    // The main window moves: the next opening follows it.
    for (const QPoint& deplacement : {QPoint(), QPoint(250, -40)}) {
        principale.move(principale.pos() + deplacement);
        info.show();
        const QPoint ecart = info.frameGeometry().center() - principale.frameGeometry().center();
        QVERIFY(ecart.manhattanLength() <= 2);
        info.close();
    }
}

QTEST_MAIN(TestInfo)
#include "tst_info.moc"
