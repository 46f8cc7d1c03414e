#include "CtrlPanel/MixDialogs.h"

#include "CtrlPanel/MixFile.h"
#include "platform/FileDialogSink.h"
#include "platform/MessageSink.h"

namespace {
const char* const kWildcard = "Velbrin Mix file (*.vlbx)|*.vlbx";
// The toolkit's file filter tells case apart: Load's pattern offers a mix named "MIX.VLBX" too.
const char* const kLoadWildcard = "Velbrin Mix file (*.vlbx)|*.[vV][lL][bB][xX]";
}

MixDialogs::MixDialogs(MixFile& mix, FileDialogSink& files, MessageSink& messages)
    : m_mix(mix), m_files(files), m_messages(messages)
{
}

bool MixDialogs::OnSaveMix(uint32_t magic)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Save;
    request.message = "Save Velbrin Mix file";
    request.defaultFile = "Settings.vlbx";
    request.wildcard = kWildcard;
    request.overwritePrompt = true;
    std::string path;
    if (!m_files.AskPath(request, path))
        return false;
    if (m_mix.SaveMixFile(path, magic))
        return true;
    m_messages.ShowMessage(std::string(MixFile::kNotSavedText) + "\n\n" + m_mix.SaveError(), "Error",
                           MessageStyle::Ok | MessageStyle::IconError);
    return false;
}

MixLoadResult MixDialogs::OnLoadMix(uint32_t magic)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Open;
    request.message = "Load Velbrin Mix file";
    request.wildcard = kLoadWildcard;
    std::string path;
    if (!m_files.AskPath(request, path))
        return MixLoadResult::NotOpened;
    return m_mix.LoadMixFile(path, false, magic);
}
