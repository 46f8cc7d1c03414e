#pragma once
// wxWidgets with a display for a program that has no application class of its own (test binaries,
// benchmarks): GTK on X11, a plain wxApp, wx assertions that stop the program, no log windows, and an
// active event loop that the program pumps itself. Lives as long as the object.

class wxEventLoopBase;

class GuiSession {
public:
    GuiSession(int& argc, char** argv);
    ~GuiSession();
    GuiSession(const GuiSession&) = delete;
    GuiSession& operator=(const GuiSession&) = delete;

    // False when wxWidgets found no display or did not start.
    bool IsOk() const { return m_loop != nullptr; }

private:
    bool m_started = false;
    wxEventLoopBase* m_loop = nullptr;
};
