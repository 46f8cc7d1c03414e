// Entry point of every GUI test binary: wxWidgets with a display (see GuiSession), the tests pumping
// the event loop themselves (support/GuiPump.h). Listing the tests needs no display.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/wx/GuiSession.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    int wxArgc = 1;
    GuiSession session(wxArgc, argv);
    if (!session.IsOk()) {
        fprintf(stderr, "wxWidgets found no display to start on\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
