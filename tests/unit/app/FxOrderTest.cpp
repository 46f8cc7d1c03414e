// The effect order of the inputs: a state that parameter 67 / 68 sets, the slots and switches that
// follow it, and the order sent to the unit.
#include <gtest/gtest.h>

#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/device/WriterBlocks.h"
#include "PAL/StereoLink.h"
#include "unit/app/FrameFixture.h"

namespace {

// The values the FX-order block holds for its two entries, as the polling thread would send them.
using Sent = std::vector<std::pair<uint32_t, uint32_t>>;

Sent Drain(ParamWriter* writer)
{
    Sent sent;
    while (writer->GetPendingCount() > 0) {
        const ItemValue pair = writer->PopPending();
        sent.emplace_back(pair.item, pair.value);
    }
    return sent;
}

}  // namespace

// Reversing an input puts the EQ / amp-simulator link in slot FX 1, exchanges the switches (the
// effects keep their enable states) and tells the unit; the other input is untouched.
TEST_F(FrameTest, TheOrderParameterSetsTheSlotsAndTheUnitsOrder)
{
    ParamWriter* writer = core->GetWriter(AppCore::kFxOrderWriter);
    Drain(writer);
    StereoLink* compressor = slots->Get(EffectSlots::kInput1Fx1);
    StereoLink* eq = slots->Get(EffectSlots::kInput1Fx2);
    main->SetParameter(62, 1.0f);  // the EQ on, the compressor off
    ASSERT_FALSE(compressor->IsLinked());
    ASSERT_TRUE(eq->IsLinked());

    main->SetParameter(67, 0.0f);
    EXPECT_FALSE(slots->IsCompressorFirst(0));
    EXPECT_TRUE(slots->IsCompressorFirst(1));
    EXPECT_EQ(slots->Get(EffectSlots::kInput1Fx1), eq);
    EXPECT_EQ(slots->Get(EffectSlots::kInput1Fx2), compressor);
    EXPECT_EQ(eq->GetSwitchParameter(), 61);
    EXPECT_EQ(compressor->GetSwitchParameter(), 62);
    EXPECT_EQ(Value(61), 1.0f);
    EXPECT_EQ(Value(62), 0.0f);
    EXPECT_EQ(Drain(writer), Sent({{kFxOrderBaseItem, ParamWriter::ToFixed(0.0f)}}));

    // "Input 1 FX 1" now toggles the EQ window.
    Press(144);
    EXPECT_TRUE(effects[kEqWindow1].shown);
    EXPECT_FALSE(effects[kCompressorWindow1].shown);

    main->SetParameter(67, 1.0f);
    EXPECT_TRUE(slots->IsCompressorFirst(0));
    EXPECT_EQ(slots->Get(EffectSlots::kInput1Fx1), compressor);
    EXPECT_EQ(compressor->GetSwitchParameter(), 61);
    EXPECT_EQ(eq->GetSwitchParameter(), 62);
    EXPECT_EQ(Value(61), 0.0f);
    EXPECT_EQ(Value(62), 1.0f);
    EXPECT_EQ(Drain(writer), Sent({{kFxOrderBaseItem, ParamWriter::ToFixed(1.0f)}}));

    main->SetParameter(68, 0.0f);
    EXPECT_FALSE(slots->IsCompressorFirst(1));
    EXPECT_EQ(Drain(writer), Sent({{kFxOrderBaseItem + 1, ParamWriter::ToFixed(0.0f)}}));
}

// Applying the order again (a load, start-up, a second notification) changes nothing more.
TEST_F(FrameTest, TheOrderAppliedTwiceIsTheSameState)
{
    main->SetParameter(63, 1.0f);
    for (float order : {0.0f, 1.0f}) {
        main->SetParameter(68, order);
        const StereoLink* fx1 = slots->Get(EffectSlots::kInput2Fx1);
        const StereoLink* fx2 = slots->Get(EffectSlots::kInput2Fx2);
        const float switches[2] = {Value(63), Value(64)};
        for (int again = 0; again < 2; ++again) {
            standard->OnParameterChanged(68);
            slots->ApplyFxOrder(1);
            EXPECT_EQ(slots->Get(EffectSlots::kInput2Fx1), fx1) << order;
            EXPECT_EQ(slots->Get(EffectSlots::kInput2Fx2), fx2) << order;
            EXPECT_EQ(Value(63), switches[0]) << order;
            EXPECT_EQ(Value(64), switches[1]) << order;
            EXPECT_EQ(slots->IsCompressorFirst(1), order > 0.5f);
        }
    }
}

// After making the links, each effect's enable equals its slot's switch, and each link has its own
// switch again.
TEST_F(FrameTest, SettlingTheLinksGivesEachEffectItsSwitch)
{
    EXPECT_EQ(slots->Get(EffectSlots::kInput1Fx1)->GetSwitchParameter(), 61);
    EXPECT_EQ(slots->Get(EffectSlots::kInput2Fx1)->GetSwitchParameter(), 63);
    EXPECT_EQ(slots->Get(EffectSlots::kInput1Fx2)->GetSwitchParameter(), 62);
    EXPECT_EQ(slots->Get(EffectSlots::kInput2Fx2)->GetSwitchParameter(), 64);
    PageController* compressor2 = core->GetEffect(AppCore::kCompressor2Block);
    const int32_t enable = 5;
    main->SetParameter(63, 1.0f);
    EXPECT_EQ(compressor2->GetParameter(enable), 1.0f);
    compressor2->SetParameter(enable, 0.0f);
    EXPECT_EQ(Value(63), 0.0f);
}
