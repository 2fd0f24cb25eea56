#include "edition/ajouter.h"

#include "catalogue/catalogue.h"
#include "main_window/menu.h"
#include "main_window/modeles.h"
#include "main_window/twips.h"
#include "platform/filtres_applications.h"
#include "platform/prompts.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QValidator>

#include <algorithm>

namespace lanceron {

namespace {

// Client area in twips.
constexpr double Largeur = 5175;
constexpr double Hauteur = 4335;

const QString CaptionAjouter = QStringLiteral("Ajouter");

bool controle(QChar c)
{
    return c.category() == QChar::Other_Control;
}

// Typed or pasted text loses the control characters that one line of a rubrique file cannot
// hold; the rest is kept as it is.
class SansControle final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& texte, int& position) const override
    {
        const qsizetype avant = std::count_if(texte.cbegin(), texte.cbegin() + position, controle);
        texte.removeIf(controle);
        position -= static_cast<int>(avant);
        return Acceptable;
    }
};

QFont police(const QString& famille, double points, bool gras)
{
    QFont f(famille);
    f.setPointSizeF(points);
    f.setBold(gras);
    return f;
}

} // namespace

Ajouter::Ajouter(Menu& menu) : QDialog(&menu), m_menu(menu), m_fichier(menu.rubriqueAffichee())
{
    setObjectName(QStringLiteral("Ajouter"));
    setWindowTitle(QStringLiteral("Ajouter un raccourci"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_DeleteOnClose);

    const double dpi = screen() ? screen()->logicalDotsPerInchX() : 96.0;
    const auto placer = [dpi](QWidget* w, double gauche, double haut, double largeur,
                              double hauteur) {
        w->setGeometry(pixels(gauche, dpi), pixels(haut, dpi), pixels(largeur, dpi),
                       pixels(hauteur, dpi));
    };
    setFixedSize(pixels(Largeur, dpi), pixels(Hauteur, dpi));

    Frame1 = new QGroupBox(QStringLiteral("Références du raccourci"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFont(police(QStringLiteral("Arial"), 8.25, true));
    placer(Frame1, 120, 0, 4935, 3735);

    // The controls take the dialog's font, not the bold font of the frame's title.
    QFont normale = font();
    normale.setResolveMask(QFont::AllPropertiesResolved);
    Picture1 = new QWidget(Frame1);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFont(normale);
    placer(Picture1, 120, 240, 4695, 3375);

    const auto libelle = [&](int index, const QString& texte, double haut, double largeur) {
        Label1[index] = new QLabel(texte, Picture1);
        Label1[index]->setObjectName(QStringLiteral("Label1_%1").arg(index));
        Label1[index]->setFont(police(QStringLiteral("Verdana"), 8.25, false));
        placer(Label1[index], 120, haut, largeur, 195);
    };
    const auto bouton = [&](int index, const QString& texte, const QString& bulle,
                            QWidget* parent) {
        Command1[index] = new QPushButton(texte, parent);
        Command1[index]->setObjectName(QStringLiteral("Command1_%1").arg(index));
        Command1[index]->setToolTip(bulle);
        Command1[index]->setAutoDefault(false);
        connect(Command1[index], &QPushButton::clicked, this,
                [this, index] { Command1_Click(index); });
    };

    // Created in the order of the keyboard focus.
    libelle(0, QStringLiteral("Nom du logiciel (modifiable) :"), 120, 2565);
    Text1 = new QLineEdit(Picture1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setValidator(new SansControle(Text1));
    placer(Text1, 120, 360, 3855, 315);
    bouton(0, QStringLiteral("..."), QStringLiteral("Sélection de l'application"), Picture1);
    Command1[0]->setFont(police(QStringLiteral("Arial"), 9, true));
    placer(Command1[0], 4080, 360, 495, 300);

    libelle(1, QStringLiteral("Dossier du logiciel (non modifiable) :"), 960, 3195);
    Text2 = new QLineEdit(Picture1);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setReadOnly(true);
    placer(Text2, 120, 1200, 4455, 315);

    libelle(3, QStringLiteral("Ligne de commande (optionnel) :"), 1800, 2865);
    Text3 = new QLineEdit(Picture1);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setValidator(new SansControle(Text3));
    placer(Text3, 120, 2040, 4455, 315);

    libelle(2, QStringLiteral("Paramètre d'exécution (au choix) :"), 2640, 3015);
    Combo1 = new QComboBox(Picture1);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setFont(police(QStringLiteral("Arial"), 8.25, true));
    Combo1->addItems(
        {QStringLiteral("Fenêtre normale"), QStringLiteral("Réduite"), QStringLiteral("Agrandie")});
    placer(Combo1, 120, 2880, 4455, 330);

    bouton(2, QStringLiteral("Annuler"), QStringLiteral("Retour menu"), this);
    placer(Command1[2], 120, 3840, 1095, 375);
    bouton(1, CaptionAjouter, QStringLiteral("Ajouter le raccourci"), this);
    placer(Command1[1], 3960, 3840, 1095, 375);
}

void Ajouter::Form_Load()
{
    const QRect m = m_menu.frameGeometry();
    move(m.x() + m.width() / 2 - width() / 2, m.y() + m.height() / 2 - height() / 2);
    Combo1->setCurrentIndex(0);
}

void Ajouter::preparerModification(int index)
{
    const Raccourci r = m_menu.catalogue().raccourcis(m_fichier).value(index);
    m_index = index;
    setWindowTitle(QStringLiteral("Modifier le raccourci '") + r.Nom + QLatin1Char('\''));
    Command1[1]->setText(QStringLiteral("Modifier"));
    Command1[1]->setToolTip(QStringLiteral("Modifier le raccourci"));
    Text1->setText(r.Nom);
    Text2->setText(r.Dossier);
    Text3->setText(r.Commande);
    // Only the first letter counts, in capitals; anything else keeps "Fenêtre normale".
    if (r.Executer.startsWith(QLatin1Char('F')))
        Combo1->setCurrentIndex(0);
    if (r.Executer.startsWith(QLatin1Char('R')))
        Combo1->setCurrentIndex(1);
    if (r.Executer.startsWith(QLatin1Char('A')))
        Combo1->setCurrentIndex(2);
}

void Ajouter::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Cancel)) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void Ajouter::Command1_Click(int index)
{
    switch (index) {
    case 0:
        Ajouter_Fichier();
        break;
    case 1:
        if (Command1[1]->text() == CaptionAjouter) {
            Ajouter_Item();
        } else {
            Modifier_Item();
            close();
        }
        break;
    case 2:
        close();
        break;
    default:
        break;
    }
}

void Ajouter::Ajouter_Fichier()
{
    const FiltresApplications types = filtresApplications();
    DialogueFichier d;
    d.titre = QStringLiteral("Sélectionnez une application");
    d.filtres = types.filtres;
    d.filtreChoisi = types.choisi;
    d.dossierInitial = Text2->text();
    const QString chemin = m_menu.services().prompts->ouvrirFichier(this, d);
    if (chemin.isEmpty())
        return;
    if (std::any_of(chemin.cbegin(), chemin.cend(), controle)) {
        informer(QStringLiteral("Ce fichier ne peut pas servir de raccourci : son nom contient un "
                                "caractère de contrôle (retour à la ligne, tabulation...)."));
        return;
    }
    Text1->setText(nomApplication(chemin, QFileInfo(chemin).fileName()));
    Text2->setText(chemin);
}

void Ajouter::informer(const QString& texte)
{
    m_menu.services().prompts->message(this, texte, QStringLiteral("Information"),
                                       IconeMessage::Information, BoutonsMessage::Ok);
}

Raccourci Ajouter::raccourci() const
{
    return {Text1->text(), Text2->text(), Combo1->currentText(), Text3->text()};
}

void Ajouter::Ajouter_Item()
{
    if (Text1->text().isEmpty()) {
        informer(QStringLiteral("Un nom de dossier est obligatoire."));
        return;
    }
    if (Text2->text().isEmpty()) {
        informer(QStringLiteral("Le chemin du dossier est obligatoire !!!"));
        return;
    }
    m_menu.Ajouter_Logiciel_Liste(m_fichier, raccourci());
}

void Ajouter::Modifier_Item()
{
    if (m_index >= 0)
        m_menu.Enregistrer_Fichier(m_menu.catalogue().modifierRaccourci(m_fichier, m_index, raccourci()));
}

} // namespace lanceron
