#include "CtrlPanel/device/UserNotifier.h"

#include <atomic>
#include <cstdio>

namespace {

class StderrNotifier : public UserNotifier {
public:
    void ShowMessage(const std::string& message, const std::string& caption) override
    {
        fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", message.c_str());
    }
    void BeginBusy() override {}
    void EndBusy() override {}
};

StderrNotifier g_default;
std::atomic<UserNotifier*> g_notifier{nullptr};

}  // namespace

UserNotifier& GetUserNotifier()
{
    UserNotifier* n = g_notifier.load();
    return n ? *n : g_default;
}

void SetUserNotifier(UserNotifier* notifier) { g_notifier.store(notifier); }
