#include "ShutdownSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int s_pipe[2] = {-1, -1};

extern "C" void onShutdownSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(s_pipe[0], &byte, 1);
}
} // namespace

bool ShutdownSignals::installHandlers()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, s_pipe) != 0)
        return false;
    ::fcntl(s_pipe[0], F_SETFL, O_NONBLOCK);

    struct sigaction action = {};
    action.sa_handler = onShutdownSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGTERM, &action, nullptr) == 0 &&
           ::sigaction(SIGINT, &action, nullptr) == 0;
}

ShutdownSignals::ShutdownSignals(QObject *parent) : QObject(parent)
{
    if (s_pipe[1] < 0)
        return;
    m_notifier = new QSocketNotifier(s_pipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ShutdownSignals::OnActivated);
}

void ShutdownSignals::OnActivated()
{
    char buffer[16];
    [[maybe_unused]] const ssize_t bytes = ::read(s_pipe[1], buffer, sizeof buffer);
    Q_EMIT received();
}
