#include "CtrlPanel/DefaultMix.h"

#include "CtrlPanel/MixFile.h"
#include "platform/DebugLog.h"
#include "platform/UserConfigFolder.h"

DefaultMix::DefaultMix(MixFile& mix) : m_mix(mix) {}

void DefaultMix::SetDefaultMixPath()
{
    if (!m_path.empty())
        return;
    const std::string folder = UserConfigFolder::Path(kFolderName);
    if (folder.empty()) {
        DebugLog("  no configuration folder for the default mix\n");
        return;
    }
    m_path = folder + "/" + kFileName;
}

void DefaultMix::SetCommandLinePath(const std::string& path)
{
    m_path = path;
    m_silent = false;
}

MixLoadResult DefaultMix::LoadAtStart()
{
    if (m_path.empty())
        return MixLoadResult::NotOpened;
    return m_mix.LoadMixFile(m_path, m_silent);
}

bool DefaultMix::SaveAtExit()
{
    if (!m_writeOnExit)
        return false;
    if (m_path.empty()) {
        DebugLog("  mix not saved at exit: no path\n");
        return false;
    }
    if (!m_silent && m_mix.WasRejected(m_path)) {
        DebugLog("  mix not saved at exit: %s was rejected at start-up and is left as it is\n", m_path.c_str());
        return false;
    }
    if (!m_mix.SaveMixFile(m_path, MixFile::kMagic)) {
        DebugLog("  mix not saved at exit: %s\n", m_path.c_str());
        return false;
    }
    return true;
}
