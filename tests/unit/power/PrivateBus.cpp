#include "PrivateBus.h"

#include <gio/gunixfdlist.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

bool Pump(const std::function<bool()>& done, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        if (!g_main_context_iteration(nullptr, FALSE))
            usleep(1000);
    }
    return true;
}

PrivateBus::PrivateBus()
{
    if (m_folder.Path().empty())
        return;
    const std::string config = m_folder / "bus.conf";
    FILE* f = fopen(config.c_str(), "w");
    if (!f)
        return;
    fprintf(f,
            "<busconfig><type>session</type><listen>unix:dir=%s</listen><auth>EXTERNAL</auth>"
            "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
            "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n",
            m_folder.Path().c_str());
    fclose(f);
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return;
    const std::string configArg = "--config-file=" + config;
    m_pid = fork();
    if (m_pid == 0) {
        // The daemon ends with the test, also when the test dies.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        dup2(out[1], 1);
        execl("/usr/bin/dbus-daemon", "dbus-daemon", configArg.c_str(), "--nofork", "--nopidfile",
              "--print-address=1", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    if (m_pid < 0) {
        close(out[0]);
        return;
    }
    std::string line;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < end) {
        pollfd p = {out[0], POLLIN, 0};
        if (poll(&p, 1, 100) <= 0)
            continue;
        char buffer[256];
        ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        line.append(buffer, size_t(n));
    }
    close(out[0]);
    if (line.find('\n') != std::string::npos)
        m_address = line.substr(0, line.find('\n'));
}

PrivateBus::~PrivateBus()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
}

namespace {

const char kIntrospection[] =
    "<node><interface name='org.freedesktop.login1.Manager'>"
    "<method name='Inhibit'><arg type='s' direction='in'/><arg type='s' direction='in'/>"
    "<arg type='s' direction='in'/><arg type='s' direction='in'/><arg type='h' direction='out'/></method>"
    "<signal name='PrepareForSleep'><arg type='b'/></signal>"
    "</interface></node>";

}  // namespace

FakeLogind::FakeLogind(const std::string& address)
{
    GError* error = nullptr;
    m_connection = g_dbus_connection_new_for_address_sync(
        address.c_str(),
        GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                             G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, &error);
    if (!m_connection) {
        g_clear_error(&error);
        return;
    }
    g_dbus_connection_set_exit_on_close(m_connection, FALSE);
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
    static const GDBusInterfaceVTable vtable = {FakeLogind::OnMethod, nullptr, nullptr, {}};
    m_registration = g_dbus_connection_register_object(m_connection, "/org/freedesktop/login1",
                                                       node->interfaces[0], &vtable, this, nullptr, nullptr);
    g_dbus_node_info_unref(node);
    GVariant* reply = g_dbus_connection_call_sync(
        m_connection, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
        g_variant_new("(su)", "org.freedesktop.login1", 4u /* do not queue */), G_VARIANT_TYPE("(u)"),
        G_DBUS_CALL_FLAGS_NONE, 3000, nullptr, &error);
    if (reply) {
        guint32 result = 0;
        g_variant_get(reply, "(u)", &result);
        m_owned = result == 1;  // primary owner
        g_variant_unref(reply);
    }
    g_clear_error(&error);
}

FakeLogind::~FakeLogind()
{
    if (m_connection) {
        if (m_registration)
            g_dbus_connection_unregister_object(m_connection, m_registration);
        g_dbus_connection_close_sync(m_connection, nullptr, nullptr);
        g_object_unref(m_connection);
    }
    for (int fd : m_readEnds)
        close(fd);
}

void FakeLogind::OnMethod(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* method,
                          GVariant* parameters, GDBusMethodInvocation* invocation, gpointer data)
{
    FakeLogind* self = static_cast<FakeLogind*>(data);
    if (g_strcmp0(method, "Inhibit") != 0) {
        g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.UnknownMethod", "");
        return;
    }
    const gchar *what, *who, *why, *mode;
    g_variant_get(parameters, "(&s&s&s&s)", &what, &who, &why, &mode);
    self->m_calls.push_back(std::string(what) + " " + who + " " + why + " " + mode);
    if (self->m_refuse) {
        g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.AccessDenied",
                                                   "refused by the test");
        return;
    }
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.Failed", "pipe");
        return;
    }
    self->m_readEnds.push_back(fds[0]);
    GUnixFDList* list = g_unix_fd_list_new_from_array(&fds[1], 1);  // takes the write end
    g_dbus_method_invocation_return_value_with_unix_fd_list(invocation, g_variant_new("(h)", 0), list);
    g_object_unref(list);
}

void FakeLogind::AnnounceSleep(bool sleeping)
{
    g_dbus_connection_emit_signal(m_connection, nullptr, "/org/freedesktop/login1",
                                  "org.freedesktop.login1.Manager", "PrepareForSleep",
                                  g_variant_new("(b)", sleeping), nullptr);
    g_dbus_connection_flush_sync(m_connection, nullptr, nullptr);
}

int FakeLogind::HeldLocks() const
{
    int held = 0;
    for (int fd : m_readEnds) {
        char c;
        held += read(fd, &c, 1) < 0;  // EAGAIN while the client holds its copy; 0 at end of file
    }
    return held;
}
