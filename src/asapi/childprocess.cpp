#include "childprocess.h"

#include <atomic>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

std::atomic<pid_t> signalledChild{0};
volatile std::sig_atomic_t stopSignal = 0;

void passOn(int signal)
{
    stopSignal = signal;
    const pid_t child = signalledChild.load();
    if (child > 0)
        ::kill(child, signal);
}

} // namespace

void TieToThisProcess(QProcess &process)
{
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The parent may have died before the request took hold.
        if (::getppid() != parent)
            ::_exit(127);
    });
}

void ForwardStopSignals()
{
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    // A caller that blocks them for itself hands the block on to its children.
    ::sigprocmask(SIG_UNBLOCK, &stops, nullptr);
    struct sigaction action = {};
    action.sa_handler = passOn;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

void SetSignalledChild(qint64 pid)
{
    signalledChild.store(static_cast<pid_t>(pid));
    if (pid > 0 && stopSignal != 0)
        ::kill(static_cast<pid_t>(pid), stopSignal);
}

int StopSignalReceived()
{
    return stopSignal;
}
