#include "platform/fenetre_proprietes.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMimeDatabase>
#include <QVBoxLayout>

#include <utility>

namespace lanceron {

using namespace Qt::StringLiterals;

QString tailleLisible(qint64 octets)
{
    const QString enOctets = QString::number(octets) + (octets > 1 ? u" octets"_s : u" octet"_s);
    if (octets < 1024)
        return enOctets;
    static constexpr QLatin1StringView unites[] = {"Ko"_L1, "Mo"_L1, "Go"_L1, "To"_L1};
    double valeur = static_cast<double>(octets) / 1024;
    std::size_t unite = 0;
    while (valeur >= 1024 && unite + 1 < std::size(unites)) {
        valeur /= 1024;
        ++unite;
    }
    QLocale francais(QLocale::French);
    francais.setNumberOptions(QLocale::OmitGroupSeparator);
    QString texte = francais.toString(valeur, 'f', 1);
    if (texte.endsWith(u",0"))
        texte.chop(2);
    return texte + u' ' + unites[unite] + u" ("_s + enOctets + u')';
}

QString permissionsTexte(QFileDevice::Permissions permissions)
{
    static constexpr std::pair<QFileDevice::Permission, char16_t> bits[] = {
        {QFileDevice::ReadOwner, u'r'},  {QFileDevice::WriteOwner, u'w'},
        {QFileDevice::ExeOwner, u'x'},   {QFileDevice::ReadGroup, u'r'},
        {QFileDevice::WriteGroup, u'w'}, {QFileDevice::ExeGroup, u'x'},
        {QFileDevice::ReadOther, u'r'},  {QFileDevice::WriteOther, u'w'},
        {QFileDevice::ExeOther, u'x'}};
    QString texte;
    for (const auto& [bit, lettre] : bits)
        texte += permissions.testFlag(bit) ? QChar(lettre) : QChar(u'-');
    return texte;
}

namespace {

QString dateTexte(const QDateTime& date)
{
    if (!date.isValid())
        return u"Inconnue"_s;
    return QLocale(QLocale::French).toString(date, u"d MMMM yyyy 'à' HH:mm:ss"_s);
}

} // namespace

FenetreProprietes::FenetreProprietes(const QString& chemin, QWidget* parent) : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    const QFileInfo info(chemin);
    setWindowTitle(u"Propriétés de "_s + info.fileName());

    auto* formulaire = new QFormLayout;
    formulaire->setLabelAlignment(Qt::AlignRight);
    const auto ajouterLigne = [this, formulaire](const QString& libelle, const QString& nom,
                                                 const QString& valeur) {
        auto* etiquette = new QLabel(valeur, this);
        etiquette->setObjectName(nom);
        etiquette->setTextInteractionFlags(Qt::TextSelectableByMouse);
        formulaire->addRow(libelle, etiquette);
    };

    ajouterLigne(u"Nom :"_s, u"nom"_s, info.fileName());
    ajouterLigne(u"Chemin complet :"_s, u"chemin"_s, chemin);
    if (info.isSymLink())
        ajouterLigne(u"Cible du lien :"_s, u"cible"_s, info.symLinkTarget());

    auto* icone = new QLabel(this);
    if (info.exists()) {
        icone->setPixmap(QFileIconProvider().icon(info).pixmap(32, 32));
        ajouterLigne(u"Type :"_s, u"type"_s, QMimeDatabase().mimeTypeForFile(info).comment());
        if (info.isFile())
            ajouterLigne(u"Taille :"_s, u"taille"_s, tailleLisible(info.size()));
        ajouterLigne(u"Créé le :"_s, u"creation"_s, dateTexte(info.birthTime()));
        ajouterLigne(u"Modifié le :"_s, u"modification"_s, dateTexte(info.lastModified()));
        ajouterLigne(u"Autorisations :"_s, u"permissions"_s, permissionsTexte(info.permissions()));
        ajouterLigne(u"Exécutable :"_s, u"executable"_s,
                     info.isFile() && info.isExecutable() ? u"Oui"_s : u"Non"_s);
    } else {
        auto* introuvable = new QLabel(u"Fichier introuvable"_s, this);
        introuvable->setObjectName(u"introuvable"_s);
        formulaire->addRow(introuvable);
    }

    auto* boutons = new QDialogButtonBox(this);
    boutons->addButton(u"Fermer"_s, QDialogButtonBox::RejectRole);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* haut = new QHBoxLayout;
    haut->addWidget(icone, 0, Qt::AlignTop);
    haut->addLayout(formulaire, 1);
    auto* principal = new QVBoxLayout(this);
    principal->addLayout(haut);
    principal->addWidget(boutons);
}

} // namespace lanceron
