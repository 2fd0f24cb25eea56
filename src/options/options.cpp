#include "options/options.h"

#include "main_window/liste_vue.h"
#include "main_window/menu.h"
#include "main_window/recherche.h"
#include "main_window/twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace lanceron {

namespace {

// Client area in twips.
constexpr double Largeur = 5655;
constexpr double Hauteur = 3615;

// A click ticks or unticks the box; the dimmed third state comes only from the settings file.
class CaseOption final : public QCheckBox {
public:
    explicit CaseOption(const QString& texte) : QCheckBox(texte) {}

protected:
    void nextCheckState() override
    {
        setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
};

} // namespace

Options::Options(Menu& menu) : QDialog(&menu), m_menu(menu)
{
    setObjectName(QStringLiteral("Options"));
    setWindowTitle(QStringLiteral("Péférences"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setAttribute(Qt::WA_DeleteOnClose);

    const double dpi = screen() ? screen()->logicalDotsPerInchX() : 96.0;
    auto px = [dpi](double t) { return pixels(t, dpi); };

    const QString libelles[4] = {
        QStringLiteral("Activer la grille en mode détails pour la liste des rubriques"),
        QStringLiteral("Activer la grille en mode détails pour la liste des logiciels"),
        QStringLiteral("Réduire le programme dans la barre à l'ouverture d'un logiciel"),
        QStringLiteral("Surligner les liens de la liste des logiciels (mode HotTracking)")};
    for (int i = 0; i < 4; ++i) {
        Check1[i] = new CaseOption(libelles[i]);
        Check1[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
        connect(Check1[i], &QCheckBox::stateChanged, this, [this, i] { Check1_Click(i); });
    }

    // Frame 1 "Affichage" holds boxes 0 and 1; frame 0 "Application" boxes 2 and 3.
    Frame1[1] = new QGroupBox(QStringLiteral("Affichage"));
    Frame1[0] = new QGroupBox(QStringLiteral("Application"));
    for (int f : {1, 0}) {
        auto* v = new QVBoxLayout(Frame1[f]);
        const int premiere = f == 1 ? 0 : 2;
        v->addWidget(Check1[premiere]);
        v->addWidget(Check1[premiere + 1]);
    }

    Command1[0] = new QPushButton(QStringLiteral("&Ok"));
    Command1[1] = new QPushButton(QStringLiteral("&Annuler"));
    for (int i = 0; i < 2; ++i) {
        Command1[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        Command1[i]->setFixedSize(px(1100), px(375));
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    Command1[0]->setDefault(true);

    auto* boutons = new QHBoxLayout;
    boutons->addWidget(Command1[1]);
    boutons->addStretch();
    boutons->addWidget(Command1[0]);

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(px(120), px(60), px(120), px(120));
    disposition->addWidget(Frame1[1]);
    disposition->addWidget(Frame1[0]);
    disposition->addStretch();
    disposition->addLayout(boutons);

    // The designed size, widened where the system's font needs more room for the captions.
    setFixedSize(qMax(px(Largeur), sizeHint().width()), qMax(px(Hauteur), sizeHint().height()));
}

void Options::Form_Load()
{
    // Centred on the main window as it stands now.
    const QRect m = m_menu.frameGeometry();
    move(m.x() + m.width() / 2 - width() / 2, m.y() + m.height() / 2 - height() / 2);
    m_menu.Lire_Options();
}

bool Options::setValeur(int index, int valeur)
{
    if (index < 0 || index > 3 || valeur < 0 || valeur > 2)
        return false;
    // 0 not ticked, 1 ticked, 2 the dimmed third state.
    static constexpr Qt::CheckState etats[3] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    QCheckBox* box = Check1[index];
    if (valeur == 2)
        box->setTristate(true);
    box->setCheckState(etats[valeur]);
    return true;
}

int Options::valeur(int index) const
{
    if (index < 0 || index > 3)
        return 0;
    switch (Check1[index]->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void Options::Check1_Click(int index)
{
    const int v = valeur(index);
    if (v != 0 && v != 1)
        return;
    const bool actif = v == 1;
    switch (index) {
    case 0: m_menu.List1->setGridLines(actif); break;
    case 1:
        m_menu.List2->setGridLines(actif);
        m_menu.recherche().resultats()->setGridLines(actif);
        break;
    case 3:
        m_menu.List2->setHotTracking(actif);
        m_menu.recherche().resultats()->setHotTracking(actif);
        break;
    default: break; // box 2 is read at each launch
    }
}

void Options::Command1_Click(int index)
{
    if (index == 0)
        m_menu.Ecrire_Options();
    close();
}

} // namespace lanceron
