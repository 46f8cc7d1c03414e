#include "platform/WxAssert.h"

#include <cstdio>

#include <wx/debug.h>
#include <wx/string.h>

#include "platform/Assert.h"

namespace {

void StopOnWxAssert(const wxString& file, int line, const wxString& function, const wxString& condition,
                    const wxString& message)
{
    fprintf(stderr, "wx assertion in %s: %s %s\n", (const char*)function.utf8_str(),
            (const char*)condition.utf8_str(), (const char*)message.utf8_str());
    AssertFailed(file.utf8_str(), unsigned(line), condition.utf8_str());
}

}  // namespace

void FailOnWxAssert()
{
    wxSetAssertHandler(StopOnWxAssert);
}
