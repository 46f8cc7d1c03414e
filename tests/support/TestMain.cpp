// Entry point of every test binary: initialises wxBase (threads, mutexes) without a display and
// turns wx assertions into aborts, so a failed check can never open a dialog.
#include <gtest/gtest.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>

#include "platform/WxAssert.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    wxInitializer wx;
    if (!wx.IsOk()) {
        fprintf(stderr, "wxWidgets failed to initialise\n");
        return 1;
    }
    FailOnWxAssert();
    wxLog::EnableLogging(false);
    return RUN_ALL_TESTS();
}
