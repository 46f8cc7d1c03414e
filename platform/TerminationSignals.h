#pragma once
// SIGTERM and SIGINT (a logout, Ctrl+C) turned into a request to quit that runs on the GUI thread, from
// the GLib main context that the toolkit's event loop runs, so the program leaves through its normal
// exit path and keeps its mix. The signal handler itself gives both signals back their default action
// and wakes the main context through a pipe (all async-signal-safe), so a second signal ends the
// process at once, whatever the GUI thread is doing. GUI thread only; one object at a time.

#include <functional>

class TerminationSignals {
public:
    explicit TerminationSignals(std::function<void()> onQuit);
    // Gives both signals back their default action.
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // The signal that asked to quit, 0 while none has (or its request has not reached the GUI thread).
    int Received() const { return m_received; }

private:
    struct Waker;  // the main context's side of the pipe
    friend struct Waker;

    std::function<void()> m_onQuit;
    int m_pipe[2] = {-1, -1};
    unsigned m_source = 0;
    int m_received = 0;
};
