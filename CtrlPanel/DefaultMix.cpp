#include "CtrlPanel/DefaultMix.h"

#include "CtrlPanel/MixFile.h"
#include "platform/ByteOrder.h"
#include "platform/DebugLog.h"
#include "platform/MessageSink.h"
#include "platform/UserConfigFolder.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kExtension = ".vlbx";

// 32-bit FNV-1a.
uint32_t Hash(const std::string& text)
{
    uint32_t hash = 2166136261u;
    for (unsigned char c : text)
        hash = (hash ^ c) * 16777619u;
    return hash;
}

// True when nothing is at path, or a regular file that begins as this program's mix files do (a session
// mix written before): anything else is not written over.
bool MayWriteSession(const std::string& path)
{
    struct stat info;
    if (lstat(path.c_str(), &info) != 0)
        return errno == ENOENT;
    if (!S_ISREG(info.st_mode))
        return false;
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    uint8_t head[8];
    const bool read8 = read(fd, head, sizeof head) == ssize_t(sizeof head);
    close(fd);
    return read8 && GetLE32(head) == MixFile::kMagic && GetLE32(head + 4) == MixFile::kVersion;
}

}  // namespace

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
    if (m_path.empty()) {
        ShowNotSaved("No home folder is known, so there is no configuration folder for the default mix.");
        return false;
    }
    if (IsFromCommandLine() && m_mix.WasRejected(m_path))
        return SaveSession(m_path, "The mix file " + m_path +
                                       " could not be read at start-up. It is left as it was, and so is the "
                                       "default mix. ");
    std::string error;
    if (!MakeFolderFor(m_path, error)) {
        ShowNotSaved(m_path + ": " + error);
        return false;
    }
    return SaveTo(m_path);
}

bool DefaultMix::SaveTo(const std::string& path)
{
    if (m_mix.SaveMixFile(path, MixFile::kMagic))
        return true;
    if (!m_mix.BackupFailed()) {
        ShowNotSaved(m_mix.SaveError());
        return false;
    }
    return SaveSession(path, "The mix file " + path +
                                 " could not be read at start-up, and no backup of it could be made.\n\n" +
                                 m_mix.SaveError() + "\n\nIt is left as it was. ");
}

bool DefaultMix::SaveSession(const std::string& path, const std::string& text)
{
    const std::string session = SessionFile(path);
    std::string why;
    if (!MayWriteSession(session)) {
        why = session + " is taken by something else.";
    } else if (MakeFolderFor(session, why) && m_mix.SaveMixFile(session, MixFile::kMagic)) {
        ShowError(text + "This session's mix was saved as " + session + ".");
        return true;
    } else if (why.empty()) {
        why = m_mix.SaveError();
    } else {
        why = session + ": " + why;
    }
    ShowError(text + "This session's mix could not be saved either.\n\n" + why);
    return false;
}

std::string DefaultMix::SessionFile(const std::string& path) const
{
    std::error_code error;
    std::filesystem::path file = std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error);
    if (error)
        file = path;
    std::string stem = file.filename().string();
    const size_t extension = std::char_traits<char>::length(kExtension);
    if (stem.size() > extension && stem.compare(stem.size() - extension, extension, kExtension) == 0)
        stem.resize(stem.size() - extension);
    char digits[9];
    snprintf(digits, sizeof digits, "%08x", unsigned(Hash(file.string())));
    const std::string folder = m_defaultFolder.empty() ? file.parent_path().string() : m_defaultFolder;
    return folder + "/" + stem + ".session-" + digits + kExtension;
}

bool DefaultMix::MakeFolderFor(const std::string& file, std::string& error) const
{
    const bool inDefaultFolder =
        !m_defaultFolder.empty() && std::filesystem::path(file).parent_path() == std::filesystem::path(m_defaultFolder);
    return !inDefaultFolder || UserConfigFolder::Create(m_defaultFolder, error);
}

void DefaultMix::ShowNotSaved(const std::string& why)
{
    ShowError(std::string(MixFile::kNotSavedText) + "\n\n" + why + "\n\nThis session's mix is not saved.");
}

void DefaultMix::ShowError(const std::string& text)
{
    m_messages.ShowMessage(text, "Error", MessageStyle::Ok | MessageStyle::IconError);
}
