#include "icons/reprise_icones.h"

#include <QElapsedTimer>
#include <QMutex>

#include <utility>

namespace lanceron {

namespace {

// Time given to extractions on the user-interface thread per turn of the event loop.
constexpr qint64 TrancheIci = 8;

} // namespace

struct RepriseIcones::Partage {
    QMutex verrou;
    QList<std::pair<int, IconeExtraite>> resultats;
    bool reveil = false; // a call to recevoir() is on its way
};

RepriseIcones::RepriseIcones(IcoFichier& store, QObject* parent)
    : QObject(parent), m_store(store), m_source(store.source()),
      m_partage(std::make_shared<Partage>())
{
    m_pool.setMaxThreadCount(1);
    m_ici.setInterval(0);
    connect(&m_ici, &QTimer::timeout, this, &RepriseIcones::extraireIci);
    m_store.setReprise([this](int n) { demander(n); });
}

RepriseIcones::~RepriseIcones()
{
    m_store.setReprise({});
    m_pool.clear();
    m_pool.waitForDone();
}

void RepriseIcones::demander(int n)
{
    const QString origine = m_store.origine(n);
    const bool associee = m_store.associee(n);
    if (associee || !m_source.iconePropreHorsFil(origine)) {
        m_fileIci.append(n);
        m_ici.start();
        return;
    }
    m_pool.start([this, p = m_partage, n, origine] {
        IconeExtraite icone = IcoFichier::extraire(m_source, origine, false);
        QMutexLocker verrou(&p->verrou);
        p->resultats.append({n, std::move(icone)});
        if (!std::exchange(p->reveil, true))
            QMetaObject::invokeMethod(this, &RepriseIcones::recevoir, Qt::QueuedConnection);
    });
}

void RepriseIcones::recevoir()
{
    QList<std::pair<int, IconeExtraite>> resultats;
    {
        QMutexLocker verrou(&m_partage->verrou);
        resultats.swap(m_partage->resultats);
        m_partage->reveil = false;
    }
    for (const auto& [n, icone] : std::as_const(resultats))
        m_store.reprendre(n, icone);
    if (!resultats.isEmpty())
        emit reprises();
}

void RepriseIcones::extraireIci()
{
    QElapsedTimer temps;
    temps.start();
    while (!m_fileIci.isEmpty() && temps.elapsed() < TrancheIci) {
        const int n = m_fileIci.takeFirst();
        m_store.reprendre(n,
                          IcoFichier::extraire(m_source, m_store.origine(n), m_store.associee(n)));
    }
    if (m_fileIci.isEmpty())
        m_ici.stop();
    emit reprises();
}

} // namespace lanceron
