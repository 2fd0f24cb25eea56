#include "main_window/barre_etat.h"

#include "platform/clavier.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QTimer>

namespace lanceron {

const QString BarreEtat::TexteAccueil =
    QStringLiteral("Lanceron - Une application en trois clics de souris");

BarreEtat::BarreEtat(EtatClavier* clavier, QWidget* parent)
    : QStatusBar(parent), m_clavier(clavier), m_horloge(new QTimer(this)),
      m_message(new QTimer(this))
{
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(true);
    const QString textes[5] = {TexteAccueil, QStringLiteral("Maj"), QStringLiteral("Num"), {}, {}};
    for (int i = 0; i < 5; ++i) {
        auto* l = new QLabel(textes[i], this);
        l->setObjectName(QStringLiteral("Panneau%1").arg(i + 1));
        l->setContentsMargins(4, 0, 4, 0);
        if (i == 0) {
            // A long message is cut rather than widening the window.
            l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            addWidget(l, 1);
        } else {
            l->setAlignment(Qt::AlignCenter);
            addPermanentWidget(l);
        }
        m_panneaux[i] = l;
    }
    const QFontMetrics fm(font());
    m_panneaux[3]->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("00:00")) + 16);
    m_panneaux[4]->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("00/00/0000")) + 16);
    m_panneaux[1]->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("Maj")) + 20);
    m_panneaux[2]->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("Num")) + 20);

    m_message->setSingleShot(true);
    connect(m_message, &QTimer::timeout, this, [this] {
        m_panneaux[0]->setText(TexteAccueil);
        m_panneaux[0]->setToolTip({});
    });
    // The lock keys have no change notification everywhere: a short poll keeps them current.
    m_horloge->setInterval(250);
    connect(m_horloge, &QTimer::timeout, this, &BarreEtat::actualiser);
    m_horloge->start();
    actualiser();
}

QLabel* BarreEtat::panneau(int numero) const
{
    return numero >= 1 && numero <= 5 ? m_panneaux[numero - 1] : nullptr;
}

void BarreEtat::afficherMessage(const QString& texte, int millisecondes)
{
    m_panneaux[0]->setText(texte);
    m_panneaux[0]->setToolTip(texte);
    m_message->start(millisecondes);
}

void BarreEtat::actualiser()
{
    const std::optional<bool> maj = m_clavier ? m_clavier->majuscules() : std::nullopt;
    const std::optional<bool> num = m_clavier ? m_clavier->numerique() : std::nullopt;
    m_panneaux[1]->setEnabled(maj.value_or(false));
    m_panneaux[2]->setEnabled(num.value_or(false));

    const QDateTime maintenant = QDateTime::currentDateTime();
    const QLocale fr(QLocale::French, QLocale::France);
    const QString heure = fr.toString(maintenant.time(), QStringLiteral("HH:mm"));
    const QString date = fr.toString(maintenant.date(), QStringLiteral("dd/MM/yyyy"));
    if (m_panneaux[3]->text() != heure)
        m_panneaux[3]->setText(heure);
    if (m_panneaux[4]->text() != date)
        m_panneaux[4]->setText(date);
}

} // namespace lanceron
