#include "about/info.h"

#include "about/version.h"
#include "platform/shell.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace lanceron {

namespace {

const QColor Bleu(0, 0, 255);

// A label grows, never shrinks, to show its whole text in the font at hand.
void agrandirAuTexte(QLabel* label)
{
    label->resize(label->sizeHint().expandedTo(label->size()));
}

} // namespace

const QString Info::AdresseSite = QStringLiteral("https://lanceron.fr");

QIcon iconeLanceron()
{
    return QIcon(QStringLiteral(":/icons/lanceron.svg"));
}

Info::Info(Shell& shell, QWidget* parent)
    : QDialog(parent), m_shell(shell), m_timer1(new QTimer(this))
{
    setWindowTitle(QStringLiteral("A propos de..."));
    setFixedSize(enPixels(5040), enPixels(4095));
    setSizeGripEnabled(false);

    auto* shape1 = new QWidget(this);
    shape1->setObjectName(QStringLiteral("Shape1"));
    shape1->setGeometry(enPixels(QRect(0, 0, 5055, 1095)));
    shape1->setBackgroundRole(QPalette::Base);
    shape1->setAutoFillBackground(true);
    ajouterTrait(QStringLiteral("Line1"), 0, 5040, 1080, QPalette::Mid);

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(enPixels(QRect(240, 240, 480, 480)));
    image1->setAlignment(Qt::AlignCenter);
    image1->setPixmap(iconeLanceron().pixmap(QSize(32, 32), devicePixelRatioF()));

    ajouterLabel(QStringLiteral("Label1_0"), QStringLiteral("Lanceron"),
                 QRect(1080, 120, 1455, 240), 9.75, true);
    m_version = ajouterLabel(QStringLiteral("Label1_1"), QStringLiteral("Version : "),
                             QRect(1080, 360, 840, 195));
    ajouterLabel(QStringLiteral("Label1_2"),
                 QStringLiteral("Une application en trois clics de souris"),
                 QRect(1080, 720, 3270, 195));

    m_label2 = {
        ajouterLabel(QStringLiteral("Label2_0"), QStringLiteral("Logiciels Trois Clics, Tours"),
                     QRect(360, 1680, 3375, 195)),
        ajouterLabel(QStringLiteral("Label2_1"), QStringLiteral("Conception & réalisation"),
                     QRect(360, 1440, 2400, 195), 8.25, true),
        ajouterLabel(QStringLiteral("Label2_2"), QStringLiteral("Visitez le site Web"),
                     QRect(360, 2520, 1785, 195), 8.25, true),
        ajouterLabel(QStringLiteral("Label2_3"), QStringLiteral("Programmation : Jean Lanceur"),
                     QRect(360, 1920, 2280, 195)),
    };
    m_label3 = ajouterLabel(QStringLiteral("Label3"), AdresseSite, QRect(360, 2760, 3075, 195));
    for (QLabel* lien : m_label2 + QList<QLabel*>{m_label3}) {
        lien->setCursor(Qt::PointingHandCursor);
        lien->installEventFilter(this);
    }

    ajouterTrait(QStringLiteral("Line2"), 120, 4920, 3480, QPalette::Mid);
    ajouterTrait(QStringLiteral("Line3"), 120, 4920, 3480, QPalette::Light, 1);

    auto* command1 = new QPushButton(QStringLiteral("&Ok"), this);
    command1->setObjectName(QStringLiteral("command1"));
    command1->setGeometry(enPixels(QRect(3840, 3600, 1095, 375)));
    command1->setDefault(true);
    connect(command1, &QPushButton::clicked, this, &Info::Command1_Click);

    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(1000);
    connect(m_timer1, &QTimer::timeout, this, &Info::Timer1_Timer);
}

int Info::enPixels(int twips) const
{
    return qRound(twips * logicalDpiX() / 1440.0);
}

QRect Info::enPixels(const QRect& twips) const
{
    return QRect(enPixels(twips.x()), enPixels(twips.y()), enPixels(twips.width()),
                 enPixels(twips.height()));
}

QLabel* Info::ajouterLabel(const QString& nom, const QString& texte, const QRect& twips,
                           qreal points, bool gras)
{
    auto* label = new QLabel(texte, this);
    label->setObjectName(nom);
    label->setTextFormat(Qt::PlainText);
    QFont police(QStringLiteral("Verdana"));
    police.setPointSizeF(points);
    police.setBold(gras);
    label->setFont(police);
    label->setGeometry(enPixels(twips));
    agrandirAuTexte(label);
    return label;
}

void Info::ajouterTrait(const QString& nom, int x1, int x2, int y, QPalette::ColorRole couleur,
                        int decalage)
{
    auto* trait = new QWidget(this);
    trait->setObjectName(nom);
    trait->setGeometry(enPixels(x1), enPixels(y) + decalage, enPixels(x2) - enPixels(x1), 1);
    trait->setBackgroundRole(couleur);
    trait->setAutoFillBackground(true);
}

void Info::Form_Load()
{
    if (QWidget* menu = parentWidget() ? parentWidget()->window() : nullptr) {
        const QRect m = menu->frameGeometry();
        const QSize boite = frameGeometry().size();
        move(qRound(m.width() / 2.0 + m.left() - boite.width() / 2.0),
             qRound(m.height() / 2.0 + m.top() - boite.height() / 2.0));
    }
    m_version->setText(QStringLiteral("Version : ") + versionProgramme());
    agrandirAuTexte(m_version);

    colorerLien(palette().color(QPalette::ButtonText));
    m_timer1->start();
}

void Info::Command1_Click()
{
    accept();
}

void Info::Label2_Click(int)
{
    m_shell.ouvrirAdresse(AdresseSite);
}

void Info::Label3_Click()
{
    m_shell.ouvrirAdresse(AdresseSite);
}

void Info::Timer1_Timer()
{
    const QColor texteBouton = palette().color(QPalette::ButtonText);
    colorerLien(couleurLien() == texteBouton ? Bleu : texteBouton);
}

QColor Info::couleurLien() const
{
    return m_label3->palette().color(QPalette::WindowText);
}

void Info::colorerLien(const QColor& couleur)
{
    QPalette p = m_label3->palette();
    p.setColor(QPalette::WindowText, couleur);
    m_label3->setPalette(p);
}

void Info::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Form_Load();
    QDialog::showEvent(event);
}

void Info::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        m_timer1->stop();
    QDialog::hideEvent(event);
}

bool Info::eventFilter(QObject* objet, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* souris = static_cast<QMouseEvent*>(event);
        auto* label = qobject_cast<QLabel*>(objet);
        if (souris->button() == Qt::LeftButton && label &&
            label->rect().contains(souris->position().toPoint())) {
            if (label == m_label3)
                Label3_Click();
            else if (const qsizetype index = m_label2.indexOf(label); index >= 0)
                Label2_Click(static_cast<int>(index));
        }
    }
    return QDialog::eventFilter(objet, event);
}

} // namespace lanceron
