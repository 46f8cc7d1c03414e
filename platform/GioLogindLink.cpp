#include "platform/GioLogindLink.h"

#include "platform/DebugLog.h"

#include <gio/gio.h>
#include <gio/gunixfdlist.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kLogindName = "org.freedesktop.login1";
constexpr const char* kLogindPath = "/org/freedesktop/login1";
constexpr const char* kManager = "org.freedesktop.login1.Manager";

}  // namespace

struct GioLogindLink::State {
    bool alive = true;
    bool failed = false;  // no bus: lock requests are answered -1 at once
    GDBusConnection* connection = nullptr;
    GCancellable* cancel = g_cancellable_new();
    guint subscription = 0;
    std::function<void(bool)> prepareForSleep;
    // Lock requests made before the connection was there.
    std::vector<std::function<void(int)>> waiting;

    ~State()
    {
        g_cancellable_cancel(cancel);
        if (connection && subscription)
            g_dbus_connection_signal_unsubscribe(connection, subscription);
        if (connection)
            g_object_unref(connection);
        g_object_unref(cancel);
    }
};

namespace {

using StateRef = std::weak_ptr<GioLogindLink::State>;

struct LockCall {
    StateRef state;
    std::function<void(int)> done;
};

void OnSignal(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant* parameters,
              gpointer data)
{
    auto state = static_cast<StateRef*>(data)->lock();
    if (!state || !state->alive || !g_variant_is_of_type(parameters, G_VARIANT_TYPE("(b)")))
        return;
    gboolean sleeping = FALSE;
    g_variant_get(parameters, "(b)", &sleeping);
    if (state->prepareForSleep)
        state->prepareForSleep(sleeping != FALSE);
}

void FreeStateRef(gpointer data)
{
    delete static_cast<StateRef*>(data);
}

void OnInhibit(GObject* source, GAsyncResult* result, gpointer data)
{
    LockCall* call = static_cast<LockCall*>(data);
    GUnixFDList* fds = nullptr;
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_with_unix_fd_list_finish(G_DBUS_CONNECTION(source), &fds, result, &error);
    int fd = -1;
    if (reply) {
        gint32 index = -1;
        g_variant_get(reply, "(h)", &index);
        if (fds && index >= 0 && index < g_unix_fd_list_get_length(fds))
            fd = g_unix_fd_list_get(fds, index, nullptr);
        g_variant_unref(reply);
    }
    if (fds)
        g_object_unref(fds);
    auto state = call->state.lock();
    if (state && state->alive) {
        if (fd < 0)
            DebugLog("+ sleep inhibitor refused: %s\n", error ? error->message : "no descriptor");
        call->done(fd);
    } else if (fd >= 0) {
        close(fd);
    }
    if (error)
        g_error_free(error);
    delete call;
}

void Inhibit(GioLogindLink::State& state, const std::shared_ptr<GioLogindLink::State>& ref,
             std::function<void(int)> done)
{
    g_dbus_connection_call_with_unix_fd_list(
        state.connection, kLogindName, kLogindPath, kManager, "Inhibit",
        g_variant_new("(ssss)", "sleep", "VelbrinControl", "Closes the Velbrin before the system sleeps", "delay"),
        G_VARIANT_TYPE("(h)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, GioLogindLink::kCallTimeoutMs, nullptr,
        state.cancel, OnInhibit, new LockCall{ref, std::move(done)});
}

void OnConnected(GObject*, GAsyncResult* result, gpointer data)
{
    auto* ref = static_cast<StateRef*>(data);
    GError* error = nullptr;
    GDBusConnection* connection = g_dbus_connection_new_for_address_finish(result, &error);
    auto state = ref->lock();
    delete ref;
    if (!state || !state->alive) {
        if (connection)
            g_object_unref(connection);
        if (error)
            g_error_free(error);
        return;
    }
    std::vector<std::function<void(int)>> waiting;
    waiting.swap(state->waiting);
    if (!connection) {
        DebugLog("+ no system bus, sleep is not watched: %s\n", error ? error->message : "");
        if (error)
            g_error_free(error);
        state->failed = true;
        for (auto& done : waiting)
            done(-1);
        return;
    }
    // A bus that goes away must not end the program.
    g_dbus_connection_set_exit_on_close(connection, FALSE);
    state->connection = connection;
    state->subscription = g_dbus_connection_signal_subscribe(
        connection, kLogindName, kManager, "PrepareForSleep", kLogindPath, nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
        OnSignal, new StateRef(state), FreeStateRef);
    for (auto& done : waiting)
        Inhibit(*state, state, std::move(done));
}

}  // namespace

GioLogindLink::GioLogindLink(std::string busAddress)
    : m_address(std::move(busAddress)), m_state(std::make_shared<State>())
{
}

GioLogindLink::~GioLogindLink()
{
    m_state->alive = false;
    m_state->prepareForSleep = nullptr;
    m_state->waiting.clear();
}

void GioLogindLink::Connect(std::function<void(bool)> prepareForSleep)
{
    m_state->prepareForSleep = std::move(prepareForSleep);
    std::string address = m_address;
    if (address.empty()) {
        GError* error = nullptr;
        gchar* system = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SYSTEM, nullptr, &error);
        if (!system) {
            DebugLog("+ no system bus, sleep is not watched: %s\n", error ? error->message : "");
            if (error)
                g_error_free(error);
            m_state->failed = true;
            return;
        }
        address = system;
        g_free(system);
    }
    g_dbus_connection_new_for_address(
        address.c_str(),
        GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                             G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, m_state->cancel, OnConnected, new StateRef(m_state));
}

void GioLogindLink::TakeDelayLock(std::function<void(int fd)> done)
{
    if (m_state->failed) {
        done(-1);
        return;
    }
    if (!m_state->connection) {
        m_state->waiting.push_back(std::move(done));
        return;
    }
    Inhibit(*m_state, m_state, std::move(done));
}
