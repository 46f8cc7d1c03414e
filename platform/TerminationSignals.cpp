#include "platform/TerminationSignals.h"

#include "platform/DebugLog.h"

#include <glib-unix.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Shared with the signal handler: lock-free atomics only.
std::atomic<int> s_wakeFd{-1};
std::atomic<int> s_signal{0};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs a lock-free int");

void SetAction(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGTERM);
    sigaddset(&action.sa_mask, SIGINT);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

extern "C" void OnTerminationSignal(int signal)
{
    const int saved = errno;
    SetAction(SIG_DFL);
    int none = 0;
    s_signal.compare_exchange_strong(none, signal);
    const int fd = s_wakeFd.load();
    if (fd >= 0) {
        const char byte = 1;
        const ssize_t written = write(fd, &byte, 1);
        (void)written;  // a full pipe has a wake-up in it already
    }
    errno = saved;
}

}  // namespace

struct TerminationSignals::Waker {
    static gboolean OnWake(gint fd, GIOCondition, gpointer data)
    {
        auto* self = static_cast<TerminationSignals*>(data);
        char bytes[16];
        while (read(fd, bytes, sizeof bytes) > 0) {
        }
        self->m_source = 0;
        self->m_received = s_signal.load();
        DebugLog("+ signal %d: quitting\n", self->m_received);
        if (self->m_onQuit)
            self->m_onQuit();
        return G_SOURCE_REMOVE;
    }
};

TerminationSignals::TerminationSignals(std::function<void()> onQuit) : m_onQuit(std::move(onQuit))
{
    s_signal = 0;
    if (pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        DebugLog("+ no pipe for SIGTERM and SIGINT: they keep their default action\n");
        return;
    }
    m_source = g_unix_fd_add(m_pipe[0], G_IO_IN, Waker::OnWake, this);
    s_wakeFd = m_pipe[1];
    SetAction(OnTerminationSignal);
}

TerminationSignals::~TerminationSignals()
{
    SetAction(SIG_DFL);
    s_wakeFd = -1;
    if (m_source)
        g_source_remove(m_source);
    for (int fd : m_pipe)
        if (fd >= 0)
            close(fd);
}
