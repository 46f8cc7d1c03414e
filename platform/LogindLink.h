#pragma once
// What LogindPowerNotifier needs of the login manager: its PrepareForSleep signal and a "delay"
// sleep inhibitor. Answers and signals arrive on the GUI thread (the thread's GLib main context).

#include <functional>

class LogindLink {
public:
    virtual ~LogindLink() = default;
    // Starts talking to the login manager; prepareForSleep(true) comes before the system sleeps,
    // prepareForSleep(false) after it woke. Without a bus or a login manager nothing ever comes.
    // Called once.
    virtual void Connect(std::function<void(bool)> prepareForSleep) = 0;
    // Asks for a delay inhibitor on sleep. done receives the lock's descriptor (the receiver owns
    // it; closing it releases the lock), or -1 when there is none to be had. done is called exactly
    // once, unless the link is destroyed first.
    virtual void TakeDelayLock(std::function<void(int fd)> done) = 0;
};
