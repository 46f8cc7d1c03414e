#include "CtrlPanel/MixFile.h"

#include "CtrlPanel/VelbrinHAL.h"
#include "PAL/ViewLib/PageController.h"
#include "platform/AtomicFile.h"
#include "platform/ByteOrder.h"
#include "platform/DebugLog.h"
#include "platform/MessageSink.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kTooOldText =
    "Sorry, but this file is too old, and is no longer supported! We've had to change the file format to make "
    "it more robust and work better! Any new files you create will work ok though.";
const char* const kWrongLengthText = "This file has the wrong length.";
const char* const kCorruptText = "This file is corrupt.";
const char* const kErrorCaption = "Error";

// The name a path is remembered by: the file it names when it exists, else the path as given.
std::string Key(const std::string& path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// The regular file at path opened for reading, else null. The open does not block: a FIFO or a
// device named as a mix must not stop the program.
FILE* OpenRegularFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info;
    FILE* file = nullptr;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || !(file = fdopen(fd, "rb")))
        close(fd);
    return file;
}

int32_t CountOf(PageController* controller)
{
    return controller ? controller->GetParameterCount() : 0;
}

}  // namespace

MixFile::MixFile(MessageSink& messages)
    : m_messages(messages),
      m_store([] {
          if (VelbrinHAL::HasInstance())
              VelbrinHAL::GetInstance()->SaveToCnE();
      })
{
}

void MixFile::SetControllers(std::vector<PageController*> controllers)
{
    m_controllers = std::move(controllers);
}

void MixFile::SetStoreHook(std::function<void()> hook)
{
    m_store = std::move(hook);
}

MixFileCheck MixFile::Checker() const
{
    std::vector<int32_t> counts;
    for (PageController* controller : m_controllers)
        counts.push_back(CountOf(controller));
    return MixFileCheck(std::move(counts));
}

size_t MixFile::MaxFileSize() const
{
    return Checker().MaxFileSize();
}

// --- writing ---

void MixFile::CollectValues(PageController* controller)
{
    m_values.clear();
    for (int32_t i = 0; i < CountOf(controller); ++i)
        m_values.push_back(controller->GetParameter(i));
}

uint32_t MixFile::FillMixBlock(uint32_t index, uint32_t* destination, PageController* controller)
{
    CollectValues(controller);
    for (size_t i = 0; i < m_values.size(); ++i)
        memcpy(&destination[3 + i], &m_values[i], sizeof(uint32_t));
    const uint32_t length = uint32_t(4 * m_values.size() + MixFileCheck::kBlockHeaderBytes);
    destination[0] = index;
    destination[1] = length;
    destination[2] = 0;
    destination[2] = MixFileCheck::Sum(destination, length / 4, 2);
    return length;
}

std::vector<uint8_t> MixFile::BuildMixImage(uint32_t magic, uint32_t version)
{
    size_t total = 0;
    for (PageController* controller : m_controllers)
        total += MixFileCheck::kBlockHeaderBytes + 4 * size_t(CountOf(controller));
    const size_t length = total + MixFileCheck::kHeaderBytes;
    std::vector<uint32_t> words(length / 4, 0);
    size_t offset = MixFileCheck::kHeaderBytes;
    for (size_t k = 0; k < m_controllers.size(); ++k)
        offset += FillMixBlock(uint32_t(k), &words[offset / 4], m_controllers[k]);
    words[0] = magic;
    words[1] = version;
    words[2] = uint32_t(length);
    words[3] = 0;
    words[4] = uint32_t(m_controllers.size());
    words[3] = MixFileCheck::Sum(words.data(), words.size(), 3);

    std::vector<uint8_t> image(length);
    for (size_t i = 0; i < words.size(); ++i)
        PutLE32(&image[4 * i], words[i]);
    return image;
}

bool MixFile::WriteMix(uint32_t magic, uint32_t version, AtomicFile& file)
{
    const std::vector<uint8_t> image = BuildMixImage(magic, version);
    return file.Write(image.data(), image.size());
}

bool MixFile::KeepBackup(const std::string& path)
{
    FILE* source = OpenRegularFile(path);
    if (!source)
        return true;
    AtomicFile backup(path + ".bak");
    struct stat info;
    if (fstat(fileno(source), &info) == 0)
        backup.LimitMode(info.st_mode);
    bool ok = backup.Open();
    char buffer[65536];
    size_t n;
    while (ok && (n = fread(buffer, 1, sizeof buffer, source)) > 0)
        ok = backup.Write(buffer, n);
    const bool readFailed = ferror(source) != 0;
    fclose(source);
    if (ok && readFailed)
        return Failed(path, "cannot read it", true);
    if (!ok || !backup.Commit())
        return Failed(backup.Target(), backup.Error(), true);
    DebugLog("  rejected mix file kept as %s.bak\n", path.c_str());
    return true;
}

bool MixFile::Failed(const std::string& file, const std::string& reason, bool backup)
{
    m_saveError = file + ": " + reason;
    m_backupFailed = backup;
    DebugLog("  mix file not saved: %s\n", m_saveError.c_str());
    return false;
}

bool MixFile::SaveMixFile(const std::string& path, uint32_t magic)
{
    m_saveError.clear();
    m_backupFailed = false;
    const std::string key = Key(path);
    AtomicFile file(path);
    if (!file.Open())
        return Failed(file.Target(), file.Error(), false);
    if (m_backupDue.count(key)) {
        if (!KeepBackup(path))
            return false;
        m_backupDue.erase(key);
    }
    if (m_store)
        m_store();
    if (!WriteMix(magic, kVersion, file) || !file.Commit())
        return Failed(file.Target(), file.Error(), false);
    m_rejected.erase(key);
    return true;
}

// --- reading ---

MixLoadResult MixFile::LoadMixFile(const std::string& path, bool silent, uint32_t magic)
{
    FILE* file = OpenRegularFile(path);
    if (!file)
        return MixLoadResult::NotOpened;
    const MixLoadResult result = ReadMix(magic, kVersion, file, silent);
    fclose(file);

    const std::string key = Key(path);
    if (result == MixLoadResult::Loaded) {
        m_rejected.erase(key);
        m_backupDue.erase(key);
    } else {
        m_rejected.insert(key);
        if (silent)
            m_backupDue.insert(key);
        DebugLog("  mix file rejected: %s\n", path.c_str());
    }
    return result;
}

MixLoadResult MixFile::ReadMix(uint32_t magic, uint32_t version, FILE* file, bool silent)
{
    long size = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        size = ftell(file);
    if (size < 0 || fseek(file, 0, SEEK_SET) != 0) {
        Report(MixLoadResult::Corrupt, silent);
        return MixLoadResult::Corrupt;
    }
    const size_t bytes = size_t(size);
    std::vector<uint8_t> data(ReadableBytes(bytes));
    if (fread(data.data(), 1, data.size(), file) != data.size()) {
        Report(MixLoadResult::Corrupt, silent);
        return MixLoadResult::Corrupt;
    }
    return ReadMixImage(magic, version, data.data(), bytes, silent);
}

size_t MixFile::ReadableBytes(size_t size) const
{
    return size > MaxFileSize() ? MixFileCheck::kHeaderBytes : size;
}

MixLoadResult MixFile::ReadMixImage(uint32_t magic, uint32_t version, const uint8_t* data, size_t size,
                                    bool silent)
{
    const MixFileCheck checker = Checker();
    std::vector<uint32_t> words(data ? ReadableBytes(size) / 4 : 0);
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = GetLE32(&data[4 * i]);
    const MixLoadResult result = checker.Check(magic, version, words, size);
    if (result != MixLoadResult::Loaded) {
        Report(result, silent);
        return result;
    }
    const size_t blocks = std::min(size_t(std::max(int32_t(words[4]), 0)), m_controllers.size());
    size_t offset = MixFileCheck::kHeaderBytes;
    for (size_t k = 0; k < blocks; ++k) {
        const uint32_t length = ApplyMixBlock(&words[offset / 4]);
        if (length == 0)
            break;
        offset += length;
    }
    return result;
}

uint32_t MixFile::ApplyMixBlock(const uint32_t* block)
{
    const uint32_t index = block[0];
    const uint32_t length = block[1];
    if (index >= m_controllers.size())
        return 0;
    PageController* controller = m_controllers[index];
    if (length < MixFileCheck::kBlockHeaderBytes ||
        4 * uint64_t(CountOf(controller)) + MixFileCheck::kBlockHeaderBytes < length)
        return 0;
    m_values.clear();
    for (uint32_t i = 0; i < (length - MixFileCheck::kBlockHeaderBytes) / 4; ++i) {
        float value;
        memcpy(&value, &block[3 + i], sizeof value);
        m_values.push_back(value < 0.0f ? 0.0f : value > 1.0f ? 1.0f : value);
    }
    ApplyValues(controller);
    return length;
}

void MixFile::ApplyValues(PageController* controller)
{
    if (!controller || size_t(controller->GetParameterCount()) < m_values.size())
        return;
    for (size_t i = 0; i < m_values.size(); ++i)
        controller->SetParameter(int32_t(i), m_values[i]);
}

void MixFile::Report(MixLoadResult result, bool silent)
{
    if (silent)
        return;
    const char* text = result == MixLoadResult::TooOld        ? kTooOldText
                       : result == MixLoadResult::WrongLength ? kWrongLengthText
                       : result == MixLoadResult::Corrupt     ? kCorruptText
                                                              : nullptr;
    if (text)
        m_messages.ShowMessage(text, kErrorCaption, MessageStyle::Ok | MessageStyle::IconError);
}

bool MixFile::WasRejected(const std::string& path) const
{
    return m_rejected.count(Key(path)) != 0;
}
