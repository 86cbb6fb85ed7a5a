#include "app/uStopSignals.h"

#include <csignal>

#ifdef Q_OS_WIN
#include <QTimer>

#include <atomic>
#else
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// SIGHUP comes with a logout or a closed terminal, SIGTERM with a shutdown.
#ifdef SIGHUP
constexpr int StopSignals[] = {SIGINT, SIGTERM, SIGHUP};
#else
constexpr int StopSignals[] = {SIGINT, SIGTERM};
#endif

void RestoreDefaults()
{
    for (int number : StopSignals)
        std::signal(number, SIG_DFL);
}

#ifdef Q_OS_WIN

// Windows runs the handler on a thread of its own; the event loop looks every 100 ms.
std::atomic<int> Pending{0};

void OnSignal(int number)
{
    Pending = number;
}

#else

int Pipe[2] = {-1, -1};  // read end, write end

void OnSignal(int number)
{
    const int savedErrno = errno;
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(Pipe[1], &byte, 1);
    errno = savedErrno;
}

#endif

}  // namespace

TStopSignals::TStopSignals(std::function<void()> onRequest) : m_onRequest(std::move(onRequest))
{
#ifdef Q_OS_WIN
    Pending = 0;
    auto *timer = new QTimer;
    timer->setInterval(100);
    QObject::connect(timer, &QTimer::timeout, [this] {
        if (Pending.exchange(0) != 0)
            Received();
    });
    timer->start();
    m_watch.reset(timer);
    for (int number : StopSignals)
        std::signal(number, OnSignal);
#else
    // Without the pipe the signals keep their default action: the program ends at once.
    if (::pipe(Pipe) != 0) {
        qWarning("no pipe for the stop signals: %s", std::strerror(errno));
        return;
    }
    for (int end : Pipe) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, O_NONBLOCK);  // a flood of signals must not block the handler
    }
    auto *notifier = new QSocketNotifier(Pipe[0], QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, [this] {
        char bytes[16];
        while (::read(Pipe[0], bytes, sizeof bytes) > 0) {}
        Received();
    });
    m_watch.reset(notifier);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : StopSignals)
        ::sigaction(number, &action, nullptr);
#endif
}

TStopSignals::~TStopSignals()
{
    RestoreDefaults();
    m_watch.reset();
#ifndef Q_OS_WIN
    for (int &end : Pipe) {
        ::close(end);
        end = -1;
    }
#endif
}

void TStopSignals::Received()
{
    RestoreDefaults();
    if (m_onRequest)
        m_onRequest();
}
