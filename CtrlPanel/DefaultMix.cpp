#include "CtrlPanel/DefaultMix.h"

#include "CtrlPanel/MixFile.h"
#include "platform/DebugLog.h"
#include "platform/MessageSink.h"
#include "platform/UserConfigFolder.h"

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

DefaultMix::DefaultMix(MixFile& mix, MessageSink& messages) : m_mix(mix), m_messages(messages) {}

void DefaultMix::SetDefaultMixPath()
{
    if (m_defaultPath.empty()) {
        m_defaultFolder = UserConfigFolder::Locate(kFolderName);
        std::string error = "no home folder is known";
        if (!m_defaultFolder.empty())
            m_defaultPath = m_defaultFolder + "/" + kFileName;
        if (m_defaultFolder.empty() || !UserConfigFolder::Create(m_defaultFolder, error))
            DebugLog("  no folder for the default mix: %s\n", error.c_str());
    }
    if (m_path.empty())
        m_path = m_defaultPath;
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
    SetDefaultMixPath();
    std::string target = m_path;
    if (IsFromCommandLine() && m_mix.WasRejected(m_path)) {
        target = m_defaultPath.empty() || m_mix.WasRejected(m_defaultPath) ? FreeNameBeside(m_path) : m_defaultPath;
        fprintf(stderr, "VelbrinControl: %s was rejected at start-up and is left as it is; the mix is saved to %s\n",
                m_path.c_str(), target.c_str());
    }
    if (target.empty()) {
        ShowNotSaved("No home folder is known, so there is no configuration folder for the default mix.");
        return false;
    }
    std::string error;
    if (target == m_defaultPath && !UserConfigFolder::Create(m_defaultFolder, error)) {
        ShowNotSaved(target + ": " + error);
        return false;
    }
    return SaveTo(target);
}

bool DefaultMix::SaveTo(const std::string& path)
{
    if (m_mix.SaveMixFile(path, MixFile::kMagic))
        return true;
    if (!m_mix.BackupFailed()) {
        ShowNotSaved(m_mix.SaveError());
        return false;
    }
    const std::string text = "The mix file " + path +
                             " could not be read at start-up, and no backup of it could be made.\n\n" +
                             m_mix.SaveError() + "\n\nIt is left as it was. ";
    const std::string beside = FreeNameBeside(path);
    if (m_mix.SaveMixFile(beside, MixFile::kMagic)) {
        ShowError(text + "This session's mix was saved as " + beside + ".");
        return true;
    }
    ShowError(text + "This session's mix could not be saved either.\n\n" + m_mix.SaveError());
    return false;
}

std::string DefaultMix::FreeNameBeside(const std::string& path)
{
    static const std::string kExtension = ".vlbx";
    std::string stem = path;
    const size_t at = stem.size() - std::min(stem.size(), kExtension.size());
    if (at > 0 && stem.compare(at, std::string::npos, kExtension) == 0)
        stem.resize(at);
    std::string candidate = stem + ".session" + kExtension;
    struct stat info;
    for (int n = 2; n <= 1000 && lstat(candidate.c_str(), &info) == 0; ++n)
        candidate = stem + ".session-" + std::to_string(n) + kExtension;
    return candidate;
}

void DefaultMix::ShowNotSaved(const std::string& why)
{
    ShowError(std::string(MixFile::kNotSavedText) + "\n\n" + why + "\n\nThis session's mix is not saved.");
}

void DefaultMix::ShowError(const std::string& text)
{
    m_messages.ShowMessage(text, "Error", MessageStyle::Ok | MessageStyle::IconError);
}
