#pragma once
// A private message bus (dbus-daemon) for the length of a test, and a stand-in login manager on it
// that hands out sleep inhibitors and announces sleep and wake. Everything runs on the test's thread,
// through the default GLib main context that Pump iterates.

#include <gio/gio.h>

#include <functional>
#include <string>
#include <vector>

#include "support/TempFolder.h"

class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    // Empty when the daemon is not installed or did not start within a few seconds.
    const std::string& Address() const { return m_address; }

private:
    TempFolder m_folder;  // the bus's socket folder; a member before the others, so removed last
    std::string m_address;
    int m_pid = -1;
};

class FakeLogind {
public:
    // Owns org.freedesktop.login1 on the bus at address; Ready() tells whether that worked.
    explicit FakeLogind(const std::string& address);
    ~FakeLogind();
    bool Ready() const { return m_owned; }

    void AnnounceSleep(bool sleeping);
    // Inhibit calls received, each as "what who why mode".
    const std::vector<std::string>& Calls() const { return m_calls; }
    // How many inhibitors handed out are still held by their client.
    int HeldLocks() const;
    // Refuse further Inhibit calls with an access-denied error.
    void Refuse(bool refuse) { m_refuse = refuse; }

    static void OnMethod(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* method,
                         GVariant* parameters, GDBusMethodInvocation* invocation, gpointer self);

private:
    GDBusConnection* m_connection = nullptr;
    guint m_registration = 0;
    bool m_owned = false;
    bool m_refuse = false;
    std::vector<std::string> m_calls;
    std::vector<int> m_readEnds;
};

// Iterates the default main context until done() or timeoutMs passed; returns done().
bool Pump(const std::function<bool()>& done, int timeoutMs = 3000);
