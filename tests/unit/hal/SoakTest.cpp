#include "support/HalFixture.h"

#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/effects/MixEngine.h"
#include "PAL/ParameterSet.h"
#include "resources/params/MainParamDescriptors.h"

#include <random>

namespace {

class SoakTest : public HalTest {
protected:
    ParameterSet mix{kMainParamDescriptors, kMainParamCount};
};

// Random GUI operations against random faults. It must end without a hang or a sanitizer report,
// with a HAL that opens again and moves items once the faults stop.
TEST_F(SoakTest, RandomOperationsAgainstRandomFaultsLeaveAConsistentHal)
{
    ParamWriter& eq = NewWriter(512, 180);
    ParamWriter& comp = NewWriter(768, 8);
    unit.SetModeSwitchMs(300);
    MakeHal();
    hal->SetMixParameters(&mix);
    hal->AddSource(&eq);
    hal->AddSource(&comp);
    hal->GetMeterList()->SetEnabled(1, true);
    hal->GetMeterList()->SetEnabled(2, true);
    ASSERT_EQ(hal->Open(), 0);

    std::mt19937 random(12345);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    int modeSwitches = 0;
    for (int step = 0; step < 400; ++step) {
        switch (pick(14)) {
        case 0: hal->SetValue({uint32_t(300 + pick(50)), uint32_t(random())}); break;
        case 1: eq.SetFloat(uint32_t(pick(180)), float(pick(2000) - 1000) / 1000.0f); break;
        case 2: comp.SetValue(uint32_t(pick(8)), uint32_t(pick(100))); break;
        case 3: mix.SetParameter(pick(kMainParamCount), float(pick(1001)) / 1000.0f); break;
        case 4: hal->SetStereo(pick(2) == 0); break;
        case 5: {
            uint32_t v, h, l;
            hal->GetDSPInfo(&v, &h, &l);
            break;
        }
        case 6:
            if (modeSwitches < 4 && hal->SetSampleRate(pick(2) ? 176400 : 48000))
                ++modeSwitches;
            break;
        case 7: hal->SetSampleRate(pick(2) ? 44100 : 96000); break;
        case 8: hal->GetMeterList()->MoveToFront(uint32_t(1 + pick(7))); break;
        case 9: hal->EnsureOpen(); break;
        case 10: hal->Close(); break;
        case 11: unit.FailNext(SimXfer(pick(kSimXferKinds)), 1 + pick(3), pick(2) ? kFwTimeout : kFwBusReset); break;
        case 12:
            bus.Unplug(&unit);
            DrainMainThreadQueue();
            hal->EnsureOpen();
            bus.Plug(&unit);
            break;
        case 13: ParameterSet::DeliverWorkerChanges(); break;
        }
        DrainMainThreadQueue();
        if (pick(10) == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    // Faults stop: the HAL recovers as the reconnect loop would make it.
    unit.FailNext(SimXfer::ReadQuadlet, 0, 0);
    unit.FailNext(SimXfer::WriteQuadlet, 0, 0);
    unit.FailNext(SimXfer::WriteBlock, 0, 0);
    unit.FailNext(SimXfer::AVC, 0, 0);
    if (!bus.IsPlugged(&unit))
        bus.Plug(&unit);
    DrainMainThreadQueue();
    ASSERT_TRUE(WaitFor([&] { return hal->EnsureOpen(); }, 10000));
    ASSERT_EQ(hal->SetValue({333, 0xABCD}), 0);
    EXPECT_EQ(unit.GetItem(333), 0xABCDu);
    EXPECT_TRUE(hal->GetThread()->IsCycling());
    comp.SetValue(3, 42);
    EXPECT_TRUE(WaitFor([&] { return unit.GetItem(771) == 42; }, 10000));
    hal->RemoveSource(&eq);
    hal->RemoveSource(&comp);
}

}  // namespace
