#pragma once
// Takes back the images that the icon store let go, when a view wants them again: off the
// window's thread for the sources that allow it, a few at a time between two turns of the
// event loop for the others (theme look-ups).

#include "icons/ico_fichier.h"

#include <QList>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <memory>

namespace lanceron {

class RepriseIcones final : public QObject {
    Q_OBJECT
public:
    // Becomes the store's way of taking back its images (IcoFichier::setReprise).
    explicit RepriseIcones(IcoFichier& store, QObject* parent = nullptr);
    ~RepriseIcones() override;

signals:
    // Pairs got their images back: the views paint them again.
    void reprises();

private:
    struct Partage;

    void demander(int n);
    void recevoir();
    void extraireIci();

    IcoFichier& m_store;
    IconSource& m_source;
    QThreadPool m_pool;
    QTimer m_ici;
    QList<int> m_fileIci;
    std::shared_ptr<Partage> m_partage;
};

} // namespace lanceron
