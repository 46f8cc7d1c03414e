#include "CtrlPanel/firmware/FirmwareUpdater.h"

#include "CtrlPanel/firmware/DeviceMatcher.h"
#include "CtrlPanel/firmware/FlashReply.h"
#include "platform/ByteOrder.h"
#include "platform/Clock.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kResetReads = 30;
constexpr int kHaltReads = 30;
constexpr int kStartReads = 20;
constexpr int kEndReads = 30;
// A block's echo is looked for in the first reply read and up to 502 further ones, 1 ms apart. Each
// further read counts 1 ms of waiting; an echo that comes only once the wait reached kEchoWaitMs is
// still a timeout.
constexpr int kEchoFurtherReads = 502;
constexpr int kEchoWaitMs = 500;
constexpr size_t kNameLimit = 255;

template <typename... Values>
std::string Format(const char* format, Values... values)
{
    char text[80];
    snprintf(text, sizeof text, format, values...);
    return text;
}

}  // namespace

FirmwareUpdater& GetFirmwareUpdater()
{
    static FirmwareUpdater engine;
    return engine;
}

FirmwareUpdater::FirmwareUpdater()
{
    m_drivers.SetReport([this](const std::string& line) { Print(line); });
}

FirmwareUpdater::~FirmwareUpdater()
{
    CloseDevice();
    m_drivers.EndAuthorization();
}

void FirmwareUpdater::SetMessageSink(std::function<void(const std::string&)> sink) { m_sink = std::move(sink); }

void FirmwareUpdater::Print(const std::string& line)
{
    if (m_sink) {
        m_sink(line);
    } else {
        fputs(line.c_str(), stdout);
        fputc('\n', stdout);
        fflush(stdout);
    }
}

float FirmwareUpdater::GetProgress() const { return m_progress.load() / kProgressEnd; }

int FirmwareUpdater::GetPhase() const { return int(m_phase.load()); }

// --- image, device and drivers ---

int FirmwareUpdater::ParseImageHeader(const uint8_t* image, uint32_t length, FirmwareImageInfo* info)
{
    const int result = FirmwareImageHeader::Parse(image, length, info, &m_table);
    if (result == 0) {
        m_info = *info;
        m_image.clear();  // the copy belongs to the table it was checked with
    }
    return result;
}

int FirmwareUpdater::Update(const uint8_t* image, uint32_t length)
{
    FirmwareImageInfo info;
    const int parsed = ParseImageHeader(image, length, &info);
    if (parsed != 0)
        return parsed;
    if (!Authorize())
        return kNoRights;
    if (!OpenDevice())
        return kNoDevice;
    if (QueryDevice() != 0) {
        CloseDevice();
        return kNotTheUnit;
    }
    m_frames.SetSequence(1);
    m_image.assign(image, image + length);
    return 0;
}

bool FirmwareUpdater::Authorize() { return m_drivers.Authorize(); }

int FirmwareUpdater::CountDevices() { return int(DeviceMatcher::Find().size()); }

bool FirmwareUpdater::OpenDevice()
{
    if (m_device.IsOpen())
        return true;
    if (m_drivers.DriversLoaded()) {
        if (!m_drivers.IsAuthorized())
            return false;
        const std::vector<FwDeviceInfo> bound = DeviceMatcher::Find();
        if (!m_drivers.Unload(bound.empty() ? std::vector<std::string>() : bound.front().drivers)) {
            CloseDevice();
            return false;
        }
    }
    const std::vector<FwDeviceInfo> found = DeviceMatcher::Find();
    if (found.empty() || m_device.Open(found.front().serviceId) != 0) {
        CloseDevice();
        return false;
    }
    GetClock().SleepMs(1000);
    if (m_device.TakeBusGeneration() != 0) {
        CloseDevice();
        return false;
    }
    const FwDeviceInfo& unit = found.front();
    m_guid = unit.guid;
    if (!unit.productName.empty())
        m_productName = unit.productName.substr(0, kNameLimit);
    if (!unit.vendorName.empty())
        m_vendorName = unit.vendorName.substr(0, kNameLimit);
    return true;
}

bool FirmwareUpdater::CloseDevice()
{
    if (m_device.IsOpen()) {
        GetClock().SleepMs(1000);
        m_device.Close();
        GetClock().SleepMs(1000);
    }
    return LoadDrivers();
}

bool FirmwareUpdater::LoadDrivers()
{
    const bool loaded = m_drivers.Reload();
    // The rights of an update last until the unit is given back with every driver loaded again.
    if (loaded && !m_device.IsOpen())
        m_drivers.EndAuthorization();
    return loaded;
}

int FirmwareUpdater::Close() { return CloseDevice() ? 1 : 0; }

int FirmwareUpdater::QueryDevice()
{
    if (!OpenDevice())
        return kFwError;
    uint8_t identity[kIdentitySize] = {};
    const int status = m_device.Read(kIdentityAddress, identity, kIdentitySize);
    if (status != 0)
        return status;
    if (memcmp(identity, "bridgeCo", 8) != 0)
        return kFwError;
    m_deviceId = GetLE32(identity + 8);
    m_frames.Begin(m_deviceId);
    return 0;
}

// --- protocol steps ---

int FirmwareUpdater::Send(const std::vector<uint8_t>& frame)
{
    return m_device.Write(kCommandAddress, frame.data(), uint32_t(frame.size()));
}

bool FirmwareUpdater::ReadReply(FlashReply* reply)
{
    if (m_device.Read(kReplyAddress, reply->Bytes(), FlashReply::kSize) == 0)
        return true;
    reply->Clear();
    return false;
}

bool FirmwareUpdater::AwaitAcknowledge(uint8_t command, int reads, bool progressEachRead)
{
    FlashReply reply;
    for (int i = 0; i < reads; ++i) {
        if (progressEachRead)
            SetProgress(900);
        GetClock().SleepMs(1000);
        if (ReadReply(&reply) && reply.Acknowledges(command))
            return true;
    }
    return false;
}

int FirmwareUpdater::Reset()
{
    SetProgress(500);
    const int status = Send(m_frames.Reset());
    if (status != 0)
        return status;
    Print("Waiting for Reset acknowledge ...");
    SetProgress(600);
    GetClock().SleepMs(5000);
    if (AwaitAcknowledge(kFlashReset, kResetReads, true))
        return 0;
    Print("TIMEOUT!");
    return kFwError;
}

int FirmwareUpdater::Halt()
{
    const int status = Send(m_frames.Halt());
    if (status != 0)
        return status;
    Print("Waiting for Halt acknowledge ...");
    if (AwaitAcknowledge(kFlashHalt, kHaltReads, false))
        return 0;
    Print("TIMEOUT!");
    return kFwError;
}

int FirmwareUpdater::StartUpdate(int image)
{
    const FirmwareImageEntry& entry = m_table[image];
    const int status = Send(m_frames.Start(m_info, entry, image == kImageCnE));
    if (status != 0)
        return status;
    m_flashAddress = entry.flashAddress;
    m_blockCounter = 0;
    if (AwaitAcknowledge(kFlashStart, kStartReads, false))
        return 0;
    Print("TIMEOUT!");
    return kFwError;
}

int FirmwareUpdater::WriteBlock(const uint8_t* data, uint32_t length)
{
    const uint32_t counter = m_blockCounter;
    const uint32_t address = m_flashAddress;
    // The next block goes to its own place in flash also when this one fails.
    m_flashAddress += length;
    ++m_blockCounter;

    int status = m_device.Write(kDataAddress, data, length);
    if (status != 0)
        return status;
    GetClock().SleepMs(1);
    status = Send(m_frames.Block(counter, address, length));
    if (status != 0)
        return status;
    GetClock().SleepMs(1);

    FlashReply reply;
    bool echoed = ReadReply(&reply) && reply.Echoes(counter);
    int waitedMs = 0;
    while (!echoed && waitedMs < kEchoFurtherReads) {
        GetClock().SleepMs(1);
        ++waitedMs;
        echoed = ReadReply(&reply) && reply.Echoes(counter);
    }
    if (echoed && waitedMs < kEchoWaitMs)
        return 0;
    Print("TIMEOUT!");
    return kFwError;
}

int FirmwareUpdater::EndUpdate()
{
    GetClock().SleepMs(2000);
    const int status = Send(m_frames.End());
    if (status != 0)
        return status;
    GetClock().SleepMs(1);
    Print("Waiting For EndUpdate acknowledge ...");
    FlashReply reply;
    bool acknowledged = false;
    for (int i = 0; i < kEndReads && !acknowledged; ++i) {
        acknowledged = ReadReply(&reply) && reply.Acknowledges(kFlashEnd);
        GetClock().SleepMs(1000);
    }
    if (!acknowledged) {
        Print("TIMEOUT!");
        return kFwError;
    }
    if (reply.ChecksumResult() != 0) {
        Print("Bad CRC!");
        return kFwError;
    }
    Print("CRC OK!");
    return 0;
}

void FirmwareUpdater::SendCommand17()
{
    Send(m_frames.Final());
    GetClock().SleepMs(2000);
}

int FirmwareUpdater::Abort(int result)
{
    SendCommand17();
    return result;
}

void FirmwareUpdater::SendBlocks(const FirmwareImageEntry& image, bool mainImage)
{
    uint32_t sent = 0;
    uint32_t tenths = 0;
    while (sent < image.length) {
        const uint32_t n = std::min(kBlockSize, image.length - sent);
        WriteBlock(m_image.data() + image.fileOffset + sent, n);
        sent += n;
        if (mainImage)
            SetProgress(2028.0f + 100.0f * float(sent) / float(image.length));
        const uint32_t done = uint32_t(uint64_t(sent) * 10 / image.length);
        if (done > tenths) {
            tenths = done;
            Print(Format("%3d%% done ...", tenths * 10));
        }
    }
}

int FirmwareUpdater::FinishImage(int image)
{
    const bool main = image == kImageMain;
    SendBlocks(m_table[image], main);
    if (main)
        SetProgress(3400);
    const int status = EndUpdate();
    if (status == 0)
        return 0;
    if (image == kImageCnE)
        Print(Format("Ending Update of CNE with Error 0x%x", unsigned(status)));
    else
        Print(Format("Ending Update of Image #%u with Error 0x%x", unsigned(image + 1), unsigned(status)));
    return Abort(kImageFailed);
}

int FirmwareUpdater::StartImage(int image)
{
    if (StartUpdate(image) == 0)
        return 0;
    Print("Download aborted, start download failed.");
    return Abort(kStartFailed);
}

int FirmwareUpdater::RunUpdate()
{
    if (m_image.empty())
        return kStartFailed;
    SetProgress(450);
    SetPhase(1);
    if (Reset() != 0)
        return kStartFailed;
    SetProgress(1060);
    if (Halt() != 0) {
        Print("Couldn't Halt");
        return Abort(kHaltFailed);
    }
    SetProgress(1160);

    if (m_table[kImageMain].IsPresent()) {
        SetPhase(2);
        if (int failed = StartImage(kImageMain))
            return failed;
        SetProgress(2028);
        SetPhase(3);
        if (int failed = FinishImage(kImageMain))
            return failed;
        SetProgress(4300);
    }
    if (m_table[kImageSecond].IsPresent()) {
        if (int failed = StartImage(kImageSecond))
            return failed;
        if (int failed = FinishImage(kImageSecond))
            return failed;
    }
    if (m_table[kImageCnE].IsPresent()) {
        SetPhase(4);
        Print("Erasing flash for CNE and beginning update ...");
        if (int failed = StartImage(kImageCnE))
            return failed;
        SetProgress(4400);
        if (int failed = FinishImage(kImageCnE))
            return failed;
        SetProgress(5200);
    }

    SetPhase(5);
    SendCommand17();
    SetProgress(5400);
    SetPhase(6);
    CloseDevice();
    return 0;
}
