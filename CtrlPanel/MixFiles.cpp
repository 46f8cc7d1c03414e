#include "CtrlPanel/MixFiles.h"

MixFiles::MixFiles(MessageSink& messages, FileDialogSink& files)
    : m_mix(messages), m_default(m_mix, messages), m_dialogs(m_mix, files, messages)
{
    m_default.SetDefaultMixPath();
}

void MixFiles::SetControllers(std::vector<PageController*> controllers)
{
    m_mix.SetControllers(std::move(controllers));
}

void MixFiles::SetCommandLinePath(const std::string& path)
{
    m_default.SetCommandLinePath(path);
}

void MixFiles::DisableWriteOnExit()
{
    m_default.DisableWriteOnExit();
}

bool MixFiles::LoadAtStart()
{
    return m_default.LoadAtStart() == MixLoadResult::Loaded;
}

bool MixFiles::SaveAtExit()
{
    return m_default.SaveAtExit();
}

bool MixFiles::RunLoadDialog()
{
    return m_dialogs.OnLoadMix(MixFile::kMagic) == MixLoadResult::Loaded;
}

void MixFiles::RunSaveDialog()
{
    m_dialogs.OnSaveMix(MixFile::kMagic);
}

bool MixFiles::LoadFile(const std::string& path)
{
    return m_mix.LoadMixFile(path, false) == MixLoadResult::Loaded;
}
