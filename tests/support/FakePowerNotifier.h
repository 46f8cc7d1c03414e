#pragma once
// A PowerNotifier for tests of the program's reaction to sleep: SimulateSleep runs the handler as the
// system would before sleeping.

#include "platform/PowerNotifier.h"

class FakePowerNotifier : public PowerNotifier {
public:
    void SetSleepHandler(std::function<void()> willSleep) override { m_willSleep = std::move(willSleep); }
    bool HasHandler() const { return bool(m_willSleep); }
    void SimulateSleep()
    {
        if (m_willSleep)
            m_willSleep();
    }

private:
    std::function<void()> m_willSleep;
};
