#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The end the handler writes to; -1 while no instance is installed.
volatile sig_atomic_t g_writeEnd = -1;
struct sigaction g_previous[std::size(kSignals)];

// Only async-signal-safe calls: write, and errno kept for the code interrupted.
void OnSignal(int number)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    if (g_writeEnd >= 0)
        (void)!::write(g_writeEnd, &byte, 1);
    errno = savedErrno;
}
#endif

} // namespace

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals()
{
    Uninstall();
}

bool TerminationSignals::Install()
{
#ifdef Q_OS_UNIX
    if (g_writeEnd >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, m_sockets) != 0)
        return false;
    // A full pipe must never block the handler: a signal lost then is one
    // of many already waiting to be read.
    ::fcntl(m_sockets[0], F_SETFL, ::fcntl(m_sockets[0], F_GETFL) | O_NONBLOCK);
    ::fcntl(m_sockets[1], F_SETFL, ::fcntl(m_sockets[1], F_GETFL) | O_NONBLOCK);
    m_notifier = new QSocketNotifier(m_sockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::Read);
    g_writeEnd = m_sockets[0];

    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t n = 0; n < std::size(kSignals); ++n) {
        if (::sigaction(kSignals[n], &action, &g_previous[n]) != 0) {
            for (size_t undo = 0; undo < n; ++undo)
                ::sigaction(kSignals[undo], &g_previous[undo], nullptr);
            g_writeEnd = -1;
            Uninstall();
            return false;
        }
    }
    return true;
#else
    return false;
#endif
}

void TerminationSignals::Uninstall()
{
#ifdef Q_OS_UNIX
    if (m_sockets[0] < 0)
        return;
    if (g_writeEnd == m_sockets[0]) {
        for (size_t n = 0; n < std::size(kSignals); ++n)
            ::sigaction(kSignals[n], &g_previous[n], nullptr);
        g_writeEnd = -1;
    }
    delete m_notifier;
    m_notifier = nullptr;
    ::close(m_sockets[0]);
    ::close(m_sockets[1]);
    m_sockets[0] = m_sockets[1] = -1;
#endif
}

void TerminationSignals::Read()
{
#ifdef Q_OS_UNIX
    unsigned char byte = 0;
    while (::read(m_sockets[1], &byte, 1) == 1)
        emit received(byte);
#endif
}
