#include "StopSignals.h"

#include "ChromiumBrowser.h"
#include "EngineCopy.h"

#include <QSocketNotifier>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace orvanta::run {
namespace {
int pipeEnds[2] = {-1, -1};

constexpr int stopSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int signalCount = int(sizeof stopSignals / sizeof stopSignals[0]);
/** What each signal did before; a signal ignored then (nohup, a background job) stays ignored. */
struct sigaction previous[signalCount];
bool taken[signalCount] = {};

extern "C" void onStopSignal(int signal)
{
    const int savedErrno = errno;
    const char byte = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

void handle(int signal, void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, nullptr);
}
} // namespace
} // namespace orvanta::run

using namespace orvanta::run;

// Close-on-exec: a converter must not hold the pipe.
StopSignals::StopSignals(QObject* parent)
    : QObject(parent)
{
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::onReadable);
    for (int i = 0; i < signalCount; ++i) {
        ::sigaction(stopSignals[i], nullptr, &previous[i]);
        taken[i] = previous[i].sa_handler != SIG_IGN;
        if (taken[i])
            handle(stopSignals[i], onStopSignal);
    }
}

StopSignals::~StopSignals()
{
    if (!m_notifier)
        return;
    for (int i = 0; i < signalCount; ++i) {
        if (taken[i])
            ::sigaction(stopSignals[i], &previous[i], nullptr);
        taken[i] = false;
    }
    delete m_notifier;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

// The signal ends the process where it stands, before the program's own ending would take the browser, its
// profile and the engines' copies along.
int StopSignals::endAsStopped(int signal)
{
    if (ChromiumBrowser* browser = ChromiumBrowser::existing())
        browser->stop();
    EngineCopy::removeFolders();
    std::fflush(stdout);
    std::fflush(stderr);
    handle(signal, SIG_DFL);
    ::raise(signal);
    return 128 + signal;
}

void StopSignals::onReadable()
{
    char byte = 0;
    while (::read(pipeEnds[0], &byte, 1) == 1) {
        if (m_received != 0)
            continue; // a second Ctrl+C while stopping changes nothing
        m_received = byte;
        Q_EMIT stopRequested();
    }
}
#else
StopSignals::StopSignals(QObject* parent)
    : QObject(parent)
{
}

StopSignals::~StopSignals() = default;

int StopSignals::endAsStopped(int signal)
{
    return 128 + signal;
}

void StopSignals::onReadable() {}
#endif
