#include "platform/wx/SingleInstance.h"

#include <cstdlib>

#include <wx/defs.h>
#include <wx/snglinst.h>
#include <wx/utils.h>

SingleInstance::SingleInstance(const std::string& program)
{
    const wxString name = wxString::FromUTF8(program.c_str()) + "-" + wxGetUserId() + ".lock";
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    m_checker = std::make_unique<wxSingleInstanceChecker>();
    if (!m_checker->Create(name, runtime && *runtime ? wxString::FromUTF8(runtime) : wxString()))
        m_checker.reset();
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::IsAnotherRunning() const
{
    return m_checker && m_checker->IsAnotherRunning();
}
