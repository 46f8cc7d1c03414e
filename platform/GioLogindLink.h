#pragma once
// LogindLink over GIO's D-Bus client: the system bus, or for tests any bus by its address. Every call
// is asynchronous and bounded, so neither start-up nor the GUI thread ever waits for the bus. Without a
// bus or a login manager on it, the reason is traced once and nothing more happens.

#include "platform/LogindLink.h"

#include <memory>
#include <string>

class GioLogindLink : public LogindLink {
public:
    // An empty address means the system bus.
    explicit GioLogindLink(std::string busAddress = "");
    ~GioLogindLink() override;
    GioLogindLink(const GioLogindLink&) = delete;
    GioLogindLink& operator=(const GioLogindLink&) = delete;

    void Connect(std::function<void(bool)> prepareForSleep) override;
    void TakeDelayLock(std::function<void(int fd)> done) override;

    // How long a call to the login manager may take before it counts as refused.
    static constexpr int kCallTimeoutMs = 5000;

    struct State;

private:
    std::string m_address;
    // Shared with the callbacks of calls still under way; they find it marked dead after destruction.
    std::shared_ptr<State> m_state;
};
