#pragma once
// An effect panel's writer block on the simulated unit, through the HAL and its polling thread: a test
// changes a parameter, a preset or the rate, flushes, and reads back the exact items the unit holds.

#include <cmath>
#include <cstdint>
#include <vector>

#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/device/avcThread.h"
#include "support/HalFixture.h"

class PanelHarness : public HalTest {
protected:
    // Opens the HAL once and lets the polling thread drain writer (not owned: it must outlive the test
    // body, as a fixture member or a NewWriter block, or be detached with Detach before it dies).
    void Attach(ParamWriter* writer)
    {
        if (!hal)
            OpenHal();
        hal->AddSource(writer);
        m_writers.push_back(writer);
    }
    void Detach(ParamWriter* writer)
    {
        if (hal)
            hal->RemoveSource(writer);
        for (auto it = m_writers.begin(); it != m_writers.end();)
            it = *it == writer ? m_writers.erase(it) : it + 1;
    }
    void TearDown() override
    {
        for (ParamWriter* w : std::vector<ParamWriter*>(m_writers))
            Detach(w);
        HalTest::TearDown();
    }

    // True once every attached writer is drained and the unit holds what was popped.
    bool Flush(int limitMs = 5000)
    {
        const bool drained = WaitFor(
            [&] {
                for (ParamWriter* w : m_writers)
                    if (w->GetPendingCount() != 0)
                        return false;
                return true;
            },
            limitMs);
        // The cycle that popped the last entry sends it before it stops being busy.
        return drained && WaitFor([&] { return !hal->GetThread()->IsBusy(); }, limitMs);
    }

    uint32_t Item(uint32_t item) const { return unit.GetItem(item); }
    // The item read as signed 1.31.
    double Fixed(uint32_t item) const { return double(int32_t(unit.GetItem(item))) / 2147483647.0; }

private:
    std::vector<ParamWriter*> m_writers;
};
