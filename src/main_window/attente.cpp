#include "main_window/attente.h"

#include <QApplication>
#include <QEventLoop>
#include <QSemaphore>
#include <QThread>

#include <memory>

namespace lanceron {

void attendreSansFiger(const std::function<void()>& travail)
{
    if (!qApp || QThread::currentThread() != qApp->thread()) {
        travail();
        return;
    }
    QEventLoop boucle;
    QSemaphore fini;
    // A thread of its own: the shared pool may be busy with icons.
    const std::unique_ptr<QThread> fil(QThread::create([&] {
        travail();
        // Posted before the release: `boucle` lives until the release has been seen.
        QMetaObject::invokeMethod(&boucle, &QEventLoop::quit, Qt::QueuedConnection);
        fini.release();
    }));
    fil->start();
    if (!fini.tryAcquire(1, 30)) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        boucle.exec(QEventLoop::ExcludeUserInputEvents);
        fini.acquire(); // the loop ends early only when the program quits
        QApplication::restoreOverrideCursor();
    }
    fil->wait();
}

} // namespace lanceron
