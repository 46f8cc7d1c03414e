#include <gtest/gtest.h>

#include "platform/Assert.h"
#include "platform/DebugLog.h"

TEST(DebugLog, CaptureCollectsLinesInDebugBuilds)
{
    DebugLogCapture capture;
    DebugLog("+ Thing::Do(%d)\n", 7);
    if (DebugLogEnabled())
        EXPECT_EQ(capture.Text(), "+ Thing::Do(7)\n");
    else
        EXPECT_EQ(capture.Text(), "");
}

TEST(AssertDeathTest, PrintsFileLineAndExpressionThenAborts)
{
    EXPECT_DEATH(VELBRIN_ASSERT(1 + 1 == 3), "DebugLogTest.cpp:[0-9]+: failed assertion `1 \\+ 1 == 3'");
}
