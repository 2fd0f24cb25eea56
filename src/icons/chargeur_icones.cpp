#include "icons/chargeur_icones.h"

#include "icons/cles_icones.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMutex>
#include <QThread>

#include <algorithm>
#include <deque>
#include <vector>
#include <utility>

namespace lanceron {

namespace {

// Time given to extractions on the user-interface thread per turn of the event loop.
constexpr qint64 TrancheIci = 8;

} // namespace

// What the extracting threads share with the loader, for one load.
struct ChargeurIcones::Partage {
    struct File {
        std::deque<int> prioritaires; // asked for, the last first
        QList<int> ordre;             // every entry of the queue, in order
        qsizetype suivant = 0;
    };
    enum : char { Pool = 0, Ici = 1, Aucun = -1 };

    QMutex verrou;
    QStringList chemins;
    std::vector<char> file;  // which queue extracts each entry, or Aucun
    std::vector<char> prise; // extraction started or asked for
    std::vector<char> demandee;
    std::vector<char> montree; // extracted only once asked for (IconSource::iconePropreCouteuse)
    QList<int> montrees;       // those entries, in order
    File files[2];
    QList<std::pair<int, IconeExtraite>> resultats;
    bool reveil = false; // a call to recevoir() is on its way
    bool annule = false;

    // The next entry to extract from queue `f`, -1 when there is none. Under the lock.
    int prendre(int f)
    {
        File& q = files[f];
        while (!q.prioritaires.empty()) {
            const int e = q.prioritaires.front();
            q.prioritaires.pop_front();
            if (!prise[e]) {
                prise[e] = 1;
                return e;
            }
        }
        while (q.suivant < q.ordre.size()) {
            const int e = q.ordre[q.suivant++];
            if (!prise[e] && !montree[e]) {
                prise[e] = 1;
                return e;
            }
        }
        return -1;
    }
};

ChargeurIcones::ChargeurIcones(IcoFichier& store, QObject* parent)
    : QObject(parent), m_store(store), m_source(store.source())
{
    // One core stays free for the window.
    m_pool.setMaxThreadCount(qBound(1, QThread::idealThreadCount() - 1, 4));
    m_pool.setThreadPriority(QThread::LowPriority);
    m_ici.setInterval(0);
    connect(&m_ici, &QTimer::timeout, this, &ChargeurIcones::extraireIci);
}

ChargeurIcones::~ChargeurIcones()
{
    annuler();
    m_pool.waitForDone();
}

void ChargeurIcones::annuler()
{
    if (m_partage) {
        QMutexLocker verrou(&m_partage->verrou);
        m_partage->annule = true;
    }
    m_partage.reset();
    m_ici.stop();
}

QList<int> ChargeurIcones::charger(const QStringList& chemins)
{
    annuler();
    const int n = static_cast<int>(chemins.size());
    m_chemins = chemins;
    m_numeros = QList<int>(n, 0);
    m_extraites.clear();
    m_doublons.clear();
    m_premiere = QList<int>(n, -1);
    m_curseur = 0;
    m_suite = 0;
    m_couteuse.assign(n, 0);
    m_avecCouteuses = false;
    m_restants = 0;
    m_annonce.clear();

    auto p = std::make_shared<Partage>();
    p->chemins = chemins;
    p->file.assign(n, Partage::Aucun);
    p->prise.assign(n, 0);
    p->demandee.assign(n, 0);
    p->montree.assign(n, 0);
    QHash<QString, int> premieres;
    for (int e = 0; e < n; ++e) {
        const QString& chemin = chemins[e];
        if (const int numero = m_store.numeroChemin(chemin)) {
            m_numeros[e] = numero;
            continue;
        }
        ++m_restants;
        if (m_source.iconePropreCouteuse(chemin)) {
            m_couteuse[e] = 1;
            m_avecCouteuses = true;
        }
        if (const auto j = premieres.constFind(chemin); j != premieres.cend()) {
            m_premiere[e] = *j;
            m_doublons[*j].append(e);
            continue;
        }
        premieres.insert(chemin, e);
        // A costly entry waits to be asked for: on this thread, whose queue is woken then
        // (the pool's threads end once their queue is empty).
        const int f = m_source.iconePropreHorsFil(chemin) && !m_couteuse[e] ? Partage::Pool
                                                                            : Partage::Ici;
        p->file[e] = static_cast<char>(f);
        if (m_couteuse[e]) {
            p->montree[e] = 1;
            p->montrees.append(e);
        }
        p->files[f].ordre.append(e);
    }
    if (m_restants == 0)
        return m_numeros;
    m_partage = p;
    lancer();
    if (!p->files[Partage::Ici].ordre.isEmpty())
        m_ici.start();
    avancer(); // entries known at once lead the order
    m_annonce.clear();
    return m_numeros;
}

void ChargeurIcones::lancer()
{
    const auto p = m_partage;
    const int travailleurs = static_cast<int>(
        qMin<qsizetype>(m_pool.maxThreadCount(), p->files[Partage::Pool].ordre.size()));
    for (int i = 0; i < travailleurs; ++i)
        m_pool.start([this, p] { travailler(p); });
}

void ChargeurIcones::travailler(const std::shared_ptr<Partage>& p)
{
    for (;;) {
        int e = -1;
        QString chemin;
        {
            QMutexLocker verrou(&p->verrou);
            if (p->annule)
                return;
            e = p->prendre(Partage::Pool);
            if (e < 0)
                return;
            chemin = p->chemins[e];
        }
        IconeExtraite icone = m_source.iconePropre(chemin);
        bool reveiller = false;
        {
            QMutexLocker verrou(&p->verrou);
            p->resultats.append({e, std::move(icone)});
            reveiller = !std::exchange(p->reveil, true);
        }
        if (reveiller)
            QMetaObject::invokeMethod(
                this, [this, p] { recevoir(p); }, Qt::QueuedConnection);
    }
}

void ChargeurIcones::retenir(bool oui)
{
    m_retenu = oui;
    if (oui)
        return;
    if (const auto p = std::exchange(m_recuRetenu, nullptr))
        recevoir(p);
    if (m_partage)
        m_ici.start();
}

void ChargeurIcones::recevoir(const std::shared_ptr<Partage>& p)
{
    if (p != m_partage)
        return;
    if (m_retenu) {
        m_recuRetenu = p;
        return;
    }
    QList<std::pair<int, IconeExtraite>> resultats;
    {
        QMutexLocker verrou(&p->verrou);
        resultats.swap(p->resultats);
        p->reveil = false;
    }
    for (auto& [e, icone] : resultats) {
        m_extraites.insert(e, std::move(icone));
        essayer(e, false);
    }
    avancer();
    annoncer();
}

void ChargeurIcones::extraireIci()
{
    const auto p = m_partage;
    if (!p || m_retenu) {
        m_ici.stop();
        return;
    }
    QElapsedTimer temps;
    temps.start();
    do {
        int e = -1;
        {
            QMutexLocker verrou(&p->verrou);
            e = p->prendre(Partage::Ici);
        }
        if (e < 0) {
            m_ici.stop();
            break;
        }
        m_extraites.insert(e, m_source.iconePropre(m_chemins[e]));
        essayer(e, false);
    } while (temps.elapsed() < TrancheIci);
    avancer();
    annoncer();
}

void ChargeurIcones::demander(int entree)
{
    if (!m_partage || entree < 0 || entree >= m_numeros.size() || m_numeros[entree])
        return;
    const int e = m_premiere[entree] >= 0 ? m_premiere[entree] : entree;
    bool ici = false;
    {
        QMutexLocker verrou(&m_partage->verrou);
        Partage& p = *m_partage;
        const auto ajouter = [&p, &ici](int d) {
            const int f = p.file[d];
            if (f == Partage::Aucun || p.prise[d] || p.demandee[d])
                return;
            p.demandee[d] = 1;
            p.files[f].prioritaires.push_front(d);
            ici = ici || f == Partage::Ici;
        };
        ajouter(e);
        // The pair of a costly entry may depend on those of its kind before it: they are
        // asked for too.
        if (m_couteuse[entree]) {
            for (auto d = std::lower_bound(p.montrees.cbegin(), p.montrees.cend(), m_curseur);
                 d != p.montrees.cend() && *d < e; ++d)
                ajouter(*d);
        }
    }
    if (ici && !m_retenu)
        m_ici.start();
}

// Gives entry `entree` its number when it can be decided now: in order, as soon as its own
// icon is extracted; out of order, only when the order cannot change the result.
bool ChargeurIcones::essayer(int entree, bool dansLOrdre)
{
    if (m_numeros[entree])
        return true;
    const QString& chemin = m_chemins[entree];
    int n = m_store.numeroChemin(chemin);
    if (n == 0) {
        const auto icone = m_extraites.constFind(entree);
        if (m_premiere[entree] >= 0 || icone == m_extraites.cend())
            return false;
        if (!dansLOrdre) {
            const bool libre = icone->sorte == IconeExtraite::Sorte::Propre
                                   // Its key is its path, which no extension key can equal (they
                                   // hold no dot), and the store cannot fill up during this load.
                                   ? chemin.contains(QLatin1Char('.')) &&
                                         m_store.nombre() + m_restants < m_store.capacite() - 1
                                   // The pair of its extension is already fixed.
                                   : m_store.numeroCle(Cle_Icone_Associee(chemin)) != 0;
            if (!libre)
                return false;
        }
        n = m_store.Ajouter_Icone(chemin, *icone);
        m_extraites.erase(icone);
    }
    m_numeros[entree] = n;
    --m_restants;
    m_annonce.append(entree);
    for (int d : m_doublons.value(entree))
        essayer(d, false);
    return true;
}

void ChargeurIcones::avancer()
{
    while (m_curseur < m_numeros.size() && essayer(m_curseur, true))
        ++m_curseur;
    // Stopped on a costly entry left for when its row is shown: the entries after it are
    // taken in order all the same, but for those of its kind, whose pairs may depend on it,
    // and as long as the store cannot fill up (the order would then choose the keys that get
    // the last places).
    m_suite = std::max(m_suite, m_curseur);
    while (m_avecCouteuses && m_suite < m_numeros.size() &&
           m_store.nombre() + m_restants < m_store.capacite() - 1) {
        if (!m_couteuse[m_suite] && !essayer(m_suite, true))
            break;
        ++m_suite;
    }
    if (m_restants == 0)
        annuler();
}

void ChargeurIcones::annoncer()
{
    if (!m_annonce.isEmpty())
        emit prets(std::exchange(m_annonce, {}));
}

void ChargeurIcones::terminer()
{
    const auto p = m_partage;
    if (!p)
        return;
    annuler();
    m_pool.waitForDone();
    {
        QMutexLocker verrou(&p->verrou);
        for (auto& [e, icone] : p->resultats)
            m_extraites.insert(e, std::move(icone));
        p->resultats.clear();
    }
    for (; m_curseur < m_numeros.size(); ++m_curseur) {
        const int e = m_curseur;
        if (essayer(e, true))
            continue;
        // Not extracted yet: here and now.
        m_extraites.insert(e, m_source.iconePropre(m_chemins[e]));
        essayer(e, true);
    }
    annoncer();
}

} // namespace lanceron
