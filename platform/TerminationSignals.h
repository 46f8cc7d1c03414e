#pragma once
// SIGTERM and SIGINT (a logout, Ctrl+C) turned into a request to quit that runs on the GUI thread, from
// the GLib main context that the toolkit's event loop runs, so the program leaves through its normal
// exit path and keeps its mix. The first of them calls the handler once and gives both signals back
// their default action: a second one ends a program whose exit hangs. GUI thread only; one at a time.

#include <functional>

class TerminationSignals {
public:
    explicit TerminationSignals(std::function<void()> onQuit);
    // Gives both signals back their default action when none has come.
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // The signal that asked to quit, 0 while none has.
    int Received() const { return m_received; }

private:
    static int OnSignal(void* self);
    void Remove();

    std::function<void()> m_onQuit;
    unsigned m_sources[2] = {0, 0};
    int m_received = 0;
    struct Arg {
        TerminationSignals* self;
        int signal;
    };
    Arg m_args[2];
};
