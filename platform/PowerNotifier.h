#pragma once
// The system's sleep as the program sees it. The handler runs on the GUI thread before the system
// sleeps, and the sleep goes on once it has returned. Nothing is called on wake: the program finds its
// unit again through its own reconnect loop.

#include <functional>

class PowerNotifier {
public:
    virtual ~PowerNotifier() = default;
    // Replaces the handler; an empty function lets the system sleep without telling anyone.
    virtual void SetSleepHandler(std::function<void()> willSleep) = 0;
};
