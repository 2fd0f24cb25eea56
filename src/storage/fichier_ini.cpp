#include "storage/fichier_ini.h"

#include "storage/conversions.h"
#include "storage/profil_prive.h"

#include <limits>

namespace lanceron {

namespace {

const QString sOptions = QStringLiteral("OPTIONS");
const QString sAffichage = QStringLiteral("AFFICHAGE");
const QString sDivers = QStringLiteral("DIVERS");
const QString clesOptions[4] = {QStringLiteral("Rubrique"), QStringLiteral("Logiciel"),
                                QStringLiteral("Application"), QStringLiteral("HotTracking")};
const QString cleSplitter = QStringLiteral("Splitter1");
const QString clesVues[2] = {QStringLiteral("Rubrique"), QStringLiteral("Logiciel")};
const QString cleWindows = QStringLiteral("Windows");
const QString cleHauteur = QStringLiteral("Hauteur");
const QString cleLargeur = QStringLiteral("Largeur");
const QString clePositionX = QStringLiteral("PositionX");
const QString clePositionY = QStringLiteral("PositionY");

// Reads the settings in order; returns at the first value that cannot be converted or applied.
void lire(const ProfilPrive& p, bool optionsSeulement, CibleReglages& cible)
{
    for (int i = 0; i < 4; ++i) {
        const auto v = convertirEntier16(p.lire(sOptions, clesOptions[i]));
        if (!v || !cible.appliquerOption(i, *v))
            return;
    }
    if (optionsSeulement)
        return;

    const QString splitter = p.lire(sAffichage, cleSplitter);
    if (!cible.appliquerSplitter(splitter))
        return;
    for (int liste = 1; liste <= 2; ++liste) {
        const auto v = convertirEntier32(p.lire(sAffichage, clesVues[liste - 1]));
        if (!v || !cible.appliquerVue(liste, *v))
            return;
    }

    const auto etat = convertirEntier32(p.lire(sDivers, cleWindows));
    if (!etat)
        return;
    cible.memoriserEtat(*etat);
    if (*etat == 2) {
        cible.maximiser();
        return;
    }
    if (*etat != 0 && *etat != 1)
        return;

    // A stored 1 (minimised) opens the window in the normal state at the stored geometry.
    // Values stand one by one up to the first that cannot be converted; that one and those
    // after it keep the window's current values (so a bad left edge still lets the top stand).
    GeometrieTwips g = cible.geometrie();
    std::optional<float>* champs[4] = {&g.hauteur, &g.largeur, &g.haut, &g.gauche};
    const QString* cles[4] = {&cleHauteur, &cleLargeur, &clePositionX, &clePositionY};
    int lus = 0;
    for (; lus < 4; ++lus) {
        const auto v = convertirReel(p.lire(sDivers, *cles[lus]));
        if (!v)
            break;
        *champs[lus] = v;
    }
    if (lus > 0)
        cible.appliquerGeometrie(g);
}

QString texteReel(float v)
{
    // Geometry is kept in whole twips.
    return QString::number(arrondirPair(static_cast<double>(v), std::numeric_limits<qint32>::min(),
                                        std::numeric_limits<qint32>::max()));
}

} // namespace

QString cheminReglages(const QString& dossierApplication)
{
    return dossierApplication + QStringLiteral("/Lanceron.ini");
}

void Lire_Options(const QString& fichier, bool optionsSeulement, CibleReglages& cible)
{
    lire(ProfilPrive::charger(fichier), optionsSeulement, cible);
}

bool Ecrire_Options(const QString& fichier, CibleReglages& cible, QString* erreur)
{
    ProfilPrive p = ProfilPrive::charger(fichier);
    if (p.etat() == ProfilPrive::Etat::Inutilisable) {
        if (erreur)
            *erreur = p.raison();
        return false;
    }

    for (int i = 0; i < 4; ++i)
        p.ecrire(sOptions, clesOptions[i], QString::number(cible.option(i)));

    p.ecrire(sAffichage, cleSplitter,
             QString::number(arrondirPair(cible.splitter(), std::numeric_limits<qint16>::min(),
                                          std::numeric_limits<qint16>::max())));
    for (int liste = 1; liste <= 2; ++liste)
        p.ecrire(sAffichage, clesVues[liste - 1], QString::number(cible.vue(liste)));

    const qint32 etat = cible.etatFenetre();
    if (etat >= 0 && etat <= 2)
        cible.memoriserEtat(etat);
    p.ecrire(sDivers, cleWindows, QString::number(cible.etatMemorise()));

    if (cible.etatMemorise() == 0) {
        const GeometrieTwips g = cible.geometrie();
        p.ecrire(sDivers, cleHauteur, texteReel(g.hauteur.value_or(0)));
        p.ecrire(sDivers, cleLargeur, texteReel(g.largeur.value_or(0)));
        p.ecrire(sDivers, clePositionX, texteReel(g.haut.value_or(0)));
        p.ecrire(sDivers, clePositionY, texteReel(g.gauche.value_or(0)));
    }
    return p.enregistrer(fichier, erreur);
}

} // namespace lanceron
