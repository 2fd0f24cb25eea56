#include "icons/ico_fichier.h"

#include "icons/cles_icones.h"

#include <QGuiApplication>

#include <algorithm>

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

IcoFichier::IcoFichier(IconSource& source, int capacite, int gardees)
    : m_source(source), m_capacite(qBound(1, capacite, NombreMaxImages)),
      m_maxGardees(qMax(1, gardees))
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
            n = numeroDeCle(chemin, propre, chemin, false);
        else if (change)
            remplacer(n, propre);
    } else {
        // The first icon of an extension serves every later file of that extension.
        const QString cle = Cle_Icone_Associee(chemin);
        n = m_parCle.value(cle);
        if (n == 0)
            n = numeroDeCle(cle, m_source.iconeAssociee(chemin), chemin, true);
    }
    m_parChemin.insert(chemin, {e, n});
    return n;
}

// A changed file's own icon takes the place of the old one (not the shared blank pair).
void IcoFichier::remplacer(int n, const IconeExtraite& icone)
{
    if (n == m_numeroPlein)
        return;
    poser(n, icone);
    limiter(n);
}

void IcoFichier::poser(int n, const IconeExtraite& icone)
{
    m_ico32[n - 1] = enPixmap(icone.grande, 32);
    m_ico16[n - 1] = enPixmap(icone.petite, 16);
    QIcon paire;
    paire.addPixmap(m_ico32[n - 1]);
    paire.addPixmap(m_ico16[n - 1]);
    m_icones[n - 1] = paire;
    if (m_usage[n - 1] == 0)
        ++m_gardees;
    m_usage[n - 1] = ++m_horloge;
}

// Adds the pair of a new key and returns its number. The last place of the store holds a
// blank pair without key, shared by every new key that comes once the store is full.
int IcoFichier::numeroDeCle(const QString& cle, const IconeExtraite& icone,
                            const QString& origine, bool associee)
{
    int n = m_numeroPlein;
    if (n == 0) {
        const bool dernierePlace = nombre() == m_capacite - 1;
        m_ico32.append(QPixmap());
        m_ico16.append(QPixmap());
        m_icones.append(QIcon());
        m_usage.append(0);
        m_cles.append(dernierePlace ? QString() : cle);
        m_origines.append(dernierePlace ? QString() : origine);
        m_associees.append(associee);
        n = nombre();
        poser(n, dernierePlace ? IconeExtraite{} : icone);
        if (dernierePlace)
            m_numeroPlein = n;
        limiter(n);
    }
    m_parCle.insert(cle, n);
    return n;
}

// Lets go of the images of the pairs used longest ago, beyond the number kept; those shown
// now and pair `aussi` stay. Done in sweeps, a quarter of the number kept apart.
void IcoFichier::limiter(int aussi)
{
    if (m_gardees <= m_maxGardees + m_maxGardees / 4)
        return;
    QSet<int> montrees;
    if (m_enUsage) {
        const QList<int> usage = m_enUsage();
        montrees = QSet<int>(usage.cbegin(), usage.cend());
    }
    QList<int> candidates;
    for (int n = 1; n <= nombre(); ++n) {
        if (m_usage[n - 1] && n != m_numeroPlein && n != aussi && !montrees.contains(n))
            candidates.append(n);
    }
    std::sort(candidates.begin(), candidates.end(),
              [this](int a, int b) { return m_usage[a - 1] < m_usage[b - 1]; });
    for (int n : std::as_const(candidates)) {
        if (m_gardees <= m_maxGardees)
            break;
        m_ico32[n - 1] = QPixmap();
        m_ico16[n - 1] = QPixmap();
        m_icones[n - 1] = QIcon();
        m_usage[n - 1] = 0;
        --m_gardees;
    }
}

bool IcoFichier::gardee(int n) const
{
    return n >= 1 && n <= nombre() && m_usage[n - 1] != 0;
}

QString IcoFichier::origine(int n) const
{
    return n >= 1 && n <= nombre() ? m_origines[n - 1] : QString();
}

bool IcoFichier::associee(int n) const
{
    return n >= 1 && n <= nombre() && m_associees[n - 1];
}

IconeExtraite IcoFichier::extraire(IconSource& source, const QString& origine, bool associee)
{
    return associee ? source.iconeAssociee(origine) : source.iconePropre(origine);
}

void IcoFichier::reprendre(int n, const IconeExtraite& icone)
{
    m_enReprise.remove(n);
    if (n < 1 || n > nombre() || m_usage[n - 1] != 0)
        return;
    poser(n, icone);
    limiter(n);
}

QPixmap IcoFichier::grande(int n) const
{
    return n >= 1 && n <= nombre() ? m_ico32[n - 1] : QPixmap();
}

QPixmap IcoFichier::petite(int n) const
{
    return n >= 1 && n <= nombre() ? m_ico16[n - 1] : QPixmap();
}

QIcon IcoFichier::icone(int n)
{
    if (n < 1 || n > nombre())
        return {};
    if (m_usage[n - 1] == 0) {
        if (m_reprise) {
            if (!m_enReprise.contains(n)) {
                m_enReprise.insert(n);
                m_reprise(n);
            }
            return {};
        }
        reprendre(n, extraire(m_source, m_origines[n - 1], m_associees[n - 1]));
    }
    m_usage[n - 1] = ++m_horloge;
    return m_icones[n - 1];
}

QString IcoFichier::cle(int n) const
{
    return n >= 1 && n <= nombre() ? m_cles[n - 1] : QString();
}

} // namespace lanceron
