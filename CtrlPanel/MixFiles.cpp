#include "CtrlPanel/MixFiles.h"

#include "platform/DebugLog.h"

MixFiles::MixFiles(MessageSink& messages) : m_messages(messages) {}

void MixFiles::SetControllers(std::vector<PageController*> controllers)
{
    m_controllers = std::move(controllers);
}

void MixFiles::SetCommandLinePath(const std::string& path)
{
    m_commandLinePath = path;
}

void MixFiles::DisableWriteOnExit()
{
    m_writeOnExit = false;
}

bool MixFiles::LoadAtStart()
{
    DebugLog("MixFiles: no mix read at start (%s)\n", m_commandLinePath.empty() ? "default" : m_commandLinePath.c_str());
    return false;
}

void MixFiles::SaveAtExit()
{
    if (m_writeOnExit)
        DebugLog("MixFiles: no mix written at exit\n");
}

bool MixFiles::RunLoadDialog()
{
    return false;
}

void MixFiles::RunSaveDialog() {}

bool MixFiles::LoadFile(const std::string& path)
{
    DebugLog("MixFiles: %s not read\n", path.c_str());
    return false;
}
