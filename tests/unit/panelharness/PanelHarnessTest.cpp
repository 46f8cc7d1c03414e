// The harness the effect-panel tests stand on: values set in a writer reach the simulated unit.
#include <gtest/gtest.h>

#include "CtrlPanel/device/WriterBlocks.h"
#include "support/PanelHarness.h"

namespace {

TEST_F(PanelHarness, ValuesSetInAnAttachedWriterReachTheUnit)
{
    ParamWriter& writer = NewWriter(kCompressor1BaseItem, kCompressorBlockCount);
    Attach(&writer);
    writer.SetFloat(2, 0.25f);
    writer.SetValue(3, 7);
    ASSERT_TRUE(Flush());
    EXPECT_NEAR(Fixed(kCompressor1BaseItem + 2), 0.25, 1e-9);
    EXPECT_EQ(Item(kCompressor1BaseItem + 3), 7u);
}

}  // namespace
