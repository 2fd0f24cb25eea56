#include "main_window/accueil.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lanceron {

Accueil::Accueil(QWidget* parent)
    : QWidget(parent), m_creer(new QPushButton(QStringLiteral("Créer une rubrique"))),
      m_importer(new QPushButton(QStringLiteral("Importer les applications installées…")))
{
    setObjectName(QStringLiteral("Accueil"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto* texte = new QLabel(QStringLiteral(
        "<p><b>Aucune rubrique pour l'instant.</b></p>"
        "<p>Les rubriques rangent vos raccourcis vers vos logiciels. Créez une première "
        "rubrique et ajoutez-y vos logiciels, ou importez les applications installées : elles "
        "sont rangées en rubriques selon leur catégorie.</p>"));
    texte->setObjectName(QStringLiteral("AccueilTexte"));
    texte->setWordWrap(true);
    texte->setAlignment(Qt::AlignCenter);
    m_creer->setObjectName(QStringLiteral("AccueilCreer"));
    m_importer->setObjectName(QStringLiteral("AccueilImporter"));
    connect(m_creer, &QPushButton::clicked, this, &Accueil::creer);
    connect(m_importer, &QPushButton::clicked, this, &Accueil::importer);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(m_creer);
    boutons->addWidget(m_importer);
    boutons->addStretch();
    auto* v = new QVBoxLayout(this);
    v->addStretch();
    v->addWidget(texte);
    v->addLayout(boutons);
    v->addStretch(2);
}

} // namespace lanceron
