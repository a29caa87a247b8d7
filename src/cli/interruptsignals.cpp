#include "cli/interruptsignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

sigset_t interruptSet()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

} // namespace

void InterruptSignals::blockInThisProcess()
{
    const sigset_t set = interruptSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

InterruptSignals::InterruptSignals(QObject *parent)
    : QObject(parent)
{
    const sigset_t set = interruptSet();
    m_fd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_fd < 0)
        return;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &InterruptSignals::readPending);
}

InterruptSignals::~InterruptSignals()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool InterruptSignals::takePending()
{
    readPending();
    return m_received != 0;
}

void InterruptSignals::readPending()
{
    if (m_fd < 0)
        return;
    signalfd_siginfo info;
    while (::read(m_fd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        const int number = static_cast<int>(info.ssi_signo);
        if (m_received == 0)
            m_received = number;
        emit arrived(number);
    }
}
