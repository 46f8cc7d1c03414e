#include "platform/TerminationSignals.h"

#include "platform/DebugLog.h"

#include <glib-unix.h>
#include <csignal>

TerminationSignals::TerminationSignals(std::function<void()> onQuit) : m_onQuit(std::move(onQuit))
{
    const int signals[2] = {SIGTERM, SIGINT};
    for (int i = 0; i < 2; ++i) {
        m_args[i] = {this, signals[i]};
        m_sources[i] = g_unix_signal_add(signals[i], OnSignal, &m_args[i]);
    }
}

TerminationSignals::~TerminationSignals()
{
    Remove();
}

void TerminationSignals::Remove()
{
    // With its last source gone GLib restores the signal's default action.
    for (unsigned& source : m_sources) {
        if (source)
            g_source_remove(source);
        source = 0;
    }
}

int TerminationSignals::OnSignal(void* data)
{
    Arg* arg = static_cast<Arg*>(data);
    TerminationSignals* self = arg->self;
    // The source that is running goes by its G_SOURCE_REMOVE, the other one here.
    self->m_sources[arg - self->m_args] = 0;
    self->Remove();
    self->m_received = arg->signal;
    DebugLog("+ signal %d: quitting\n", arg->signal);
    if (self->m_onQuit)
        self->m_onQuit();
    return G_SOURCE_REMOVE;
}
