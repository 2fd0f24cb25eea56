#include "platform/signaux.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lanceron {

namespace {

int tube[2] = {-1, -1};

void gestionnaire(int numero)
{
    const char c = static_cast<char>(numero);
    [[maybe_unused]] const ssize_t n = ::write(tube[0], &c, 1);
}

} // namespace

Signaux::Signaux(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, tube) != 0)
        return;
    auto* notifier = new QSocketNotifier(tube[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char c = 0;
        while (::read(tube[1], &c, 1) > 0) {
        }
        emit arret();
    });

    struct sigaction sa = {};
    sa.sa_handler = gestionnaire;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(s, &sa, nullptr);
}

Signaux::~Signaux()
{
    struct sigaction sa = {};
    sa.sa_handler = SIG_DFL;
    sigemptyset(&sa.sa_mask);
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(s, &sa, nullptr);
    for (int& fd : tube) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

} // namespace lanceron
