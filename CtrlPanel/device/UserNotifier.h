#pragma once
// What the device layer shows the user: message boxes and the busy cursor. The application installs
// a notifier that uses the GUI; tests install one that records; without either, messages go to
// stderr. The device layer never includes a GUI header.

#include <string>

class UserNotifier {
public:
    virtual ~UserNotifier() = default;
    // A modal message with an OK button, centred. An empty caption means the toolkit's default.
    virtual void ShowMessage(const std::string& message, const std::string& caption) = 0;
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;
};

UserNotifier& GetUserNotifier();
// Installs a notifier (nullptr restores the default). The caller keeps ownership.
void SetUserNotifier(UserNotifier* notifier);
