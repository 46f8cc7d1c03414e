// Entry point of every test binary: initialises wxBase (threads, mutexes) without a display and
// turns wx assertions into aborts, so a failed check can never open a dialog.
#include <gtest/gtest.h>
#include <wx/init.h>
#include <wx/log.h>

#include "platform/Assert.h"

namespace {
void AbortOnWxAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                     const wxString& msg)
{
    fprintf(stderr, "wx assertion in %s: %s %s\n", (const char*)func.utf8_str(),
            (const char*)cond.utf8_str(), (const char*)msg.utf8_str());
    AssertFailed(file.utf8_str(), unsigned(line), cond.utf8_str());
}
}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    wxInitializer wx;
    if (!wx.IsOk()) {
        fprintf(stderr, "wxWidgets failed to initialise\n");
        return 1;
    }
    wxSetAssertHandler(AbortOnWxAssert);
    wxLog::EnableLogging(false);
    return RUN_ALL_TESTS();
}
