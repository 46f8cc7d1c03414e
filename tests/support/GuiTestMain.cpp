// Entry point of every GUI test binary: starts wxWidgets with a display (GTK on X11), turns wx
// assertions into failures that stop the binary, and runs the tests inside an active event loop that
// the tests pump themselves (support/GuiPump.h). Listing the tests needs no display.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>

#include "platform/wx/DesktopSetup.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    UseX11Backend();
    wxApp::SetInstance(new wxApp);
    int wxArgc = 1;
    if (!wxEntryStart(wxArgc, argv)) {
        fprintf(stderr, "wxWidgets found no display to start on\n");
        return 1;
    }
    FailOnWxAssert();
    wxLog::EnableLogging(false);
    int result = 1;
    if (wxTheApp->CallOnInit()) {
        wxGUIEventLoop loop;
        wxEventLoopActivator active(&loop);
        result = RUN_ALL_TESTS();
        wxTheApp->OnExit();
    }
    wxEntryCleanup();
    return result;
}
