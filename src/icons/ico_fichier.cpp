#include "icons/ico_fichier.h"

#include "icons/cles_icones.h"

#include <QGuiApplication>

namespace lanceron {

namespace {

// The image as a pixmap; a transparent one of `cote` logical pixels when it is null.
QPixmap enPixmap(const QImage& image, int cote)
{
    if (!image.isNull())
        return QPixmap::fromImage(image);
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap vide(qRound(cote * ratio), qRound(cote * ratio));
    vide.fill(Qt::transparent);
    vide.setDevicePixelRatio(ratio);
    return vide;
}

} // namespace

IcoFichier::IcoFichier(IconSource& source, int capacite)
    : m_source(source), m_capacite(qBound(1, capacite, NombreMaxImages))
{
}

int IcoFichier::Ajouter_Icone(const QString& chemin)
{
    if (const int n = numeroChemin(chemin))
        return n;
    return Ajouter_Icone(chemin, m_source.iconePropre(chemin));
}

int IcoFichier::numeroChemin(const QString& chemin) const
{
    const auto connu = m_parChemin.constFind(chemin);
    return connu != m_parChemin.cend() && connu->empreinte == empreinte(chemin) ? connu->numero
                                                                               : 0;
}

int IcoFichier::Ajouter_Icone(const QString& chemin, const IconeExtraite& propre)
{
    const EmpreinteFichier e = empreinte(chemin);
    const auto connu = m_parChemin.constFind(chemin);
    if (connu != m_parChemin.cend() && connu->empreinte == e)
        return connu->numero;
    const bool change = connu != m_parChemin.cend();
    int n = 0;
    if (propre.sorte == IconeExtraite::Sorte::Propre) {
        n = m_parCle.value(chemin);
        if (n == 0)
            n = numeroDeCle(chemin, propre);
        else if (change)
            remplacer(n, propre);
    } else {
        // The first icon of an extension serves every later file of that extension.
        const QString cle = Cle_Icone_Associee(chemin);
        n = m_parCle.value(cle);
        if (n == 0)
            n = numeroDeCle(cle, m_source.iconeAssociee(chemin));
    }
    m_parChemin.insert(chemin, {e, n});
    return n;
}

// A changed file's own icon takes the place of the old one (not the shared blank pair).
void IcoFichier::remplacer(int n, const IconeExtraite& icone)
{
    if (n == m_numeroPlein)
        return;
    m_ico32[n - 1] = enPixmap(icone.grande, 32);
    m_ico16[n - 1] = enPixmap(icone.petite, 16);
    QIcon paire;
    paire.addPixmap(m_ico32[n - 1]);
    paire.addPixmap(m_ico16[n - 1]);
    m_icones[n - 1] = paire;
}

// Adds the pair of a new key and returns its number. The last place of the store holds a
// blank pair without key, shared by every new key that comes once the store is full.
int IcoFichier::numeroDeCle(const QString& cle, const IconeExtraite& icone)
{
    int n = m_numeroPlein;
    if (n == 0) {
        const bool dernierePlace = nombre() == m_capacite - 1;
        m_ico32.append(enPixmap(dernierePlace ? QImage() : icone.grande, 32));
        m_ico16.append(enPixmap(dernierePlace ? QImage() : icone.petite, 16));
        QIcon paire;
        paire.addPixmap(m_ico32.constLast());
        paire.addPixmap(m_ico16.constLast());
        m_icones.append(paire);
        m_cles.append(dernierePlace ? QString() : cle);
        n = nombre();
        if (dernierePlace)
            m_numeroPlein = n;
    }
    m_parCle.insert(cle, n);
    return n;
}

QPixmap IcoFichier::grande(int n) const
{
    return n >= 1 && n <= nombre() ? m_ico32[n - 1] : QPixmap();
}

QPixmap IcoFichier::petite(int n) const
{
    return n >= 1 && n <= nombre() ? m_ico16[n - 1] : QPixmap();
}

QIcon IcoFichier::icone(int n) const
{
    return n >= 1 && n <= nombre() ? m_icones[n - 1] : QIcon();
}

QString IcoFichier::cle(int n) const
{
    return n >= 1 && n <= nombre() ? m_cles[n - 1] : QString();
}

} // namespace lanceron
