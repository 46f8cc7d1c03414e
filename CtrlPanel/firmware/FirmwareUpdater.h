#pragma once
// Writes a firmware file into the unit's flash over raw FireWire block transfers.
//
// A host calls Update (rights, exclusive device, identity, image), then RunUpdate, which blocks for
// the whole update (waits of up to 5 s through the clock), then Close, which gives the unit back to
// its drivers. GetProgress and GetPhase may be called from any thread meanwhile; everything else
// from one thread at a time. Messages go to standard output unless a sink was set.
//
// RunUpdate runs reset, halt, then start, blocks and end for each image of the file, and a final
// command that takes the unit out of its update mode; every failure after the reset ends with the
// final command. A block that fails (a failed transfer, or no echo before half a second of waiting:
// "TIMEOUT!", also when the echo came at last) does not end its image: the image goes on, and the
// unit's checksum at its end decides. Progress runs from 0 to 5400 (GetProgress gives the
// fraction), phases 1 to 6:
// 1 reset and halt, 2 starting image 1, 3 writing image 1 and 2, 4 the CnE image, 5 the final
// command, 6 done.

#include "CtrlPanel/firmware/DriverManager.h"
#include "CtrlPanel/firmware/FirmwareImageHeader.h"
#include "CtrlPanel/firmware/FirmwareUpdaterBase.h"
#include "CtrlPanel/firmware/FlashDeviceInterface.h"
#include "CtrlPanel/firmware/FlashFrameBuilder.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class FlashReply;

class FirmwareUpdater : public FirmwareUpdaterBase {
public:
    // Results of Update.
    static constexpr int kNoRights = 4;
    static constexpr int kNoDevice = 5;
    static constexpr int kBadImage = FirmwareImageHeader::kBadImage;
    static constexpr int kNotTheUnit = 7;
    // Results of RunUpdate.
    static constexpr int kHaltFailed = 1;
    static constexpr int kStartFailed = 2;  // also a failed reset, and no prepared update
    static constexpr int kImageFailed = 3;  // the end of an image failed (its checksum, or no acknowledge)

    // The unit's areas (48-bit, node-relative).
    static constexpr uint64_t kIdentityAddress = 0xFFFFC8020000ull;
    static constexpr uint64_t kCommandAddress = 0xFFFFC8021000ull;
    static constexpr uint64_t kDataAddress = 0xFFFFC8021040ull;
    static constexpr uint64_t kReplyAddress = 0xFFFFC8029000ull;
    static constexpr uint32_t kIdentitySize = 104;
    static constexpr uint32_t kBlockSize = 1024;
    static constexpr float kProgressEnd = 5400.0f;

    FirmwareUpdater();
    // Closes the device, which loads the drivers again, and gives the rights up.
    ~FirmwareUpdater() override;

    // 0 when the update is ready to run; kBadImage (checked before anything else), kNoRights,
    // kNoDevice, or kNotTheUnit (the device was closed again).
    virtual int Update(const uint8_t* image, uint32_t length);
    virtual int CountDevices();
    // CloseDevice; 1, or 0 when a driver could not be loaded again.
    virtual int Close();
    // 0 on success, else kHaltFailed, kStartFailed or kImageFailed. The drivers stay unloaded
    // after a failure until Close.
    virtual int RunUpdate();
    virtual float GetProgress() const;
    virtual int GetPhase() const;

    // 0, or kBadImage and nothing changed. A new table drops the image copy of an earlier Update.
    int ParseImageHeader(const uint8_t* image, uint32_t length, FirmwareImageInfo* info);
    // Asks for the administrator rights an update needs (Update does); the user may be asked. They
    // last until the unit is given back with every driver loaded (LoadDrivers).
    bool Authorize();
    // Unloads the unit's drivers (with the rights of Update) and opens it. On failure everything
    // unloaded is loaded again, and failed driver commands are reported as message lines.
    bool OpenDevice();
    // Closes the interface and loads the drivers again; false when a driver could not be loaded.
    bool CloseDevice();
    // Loads what was unloaded. With the device closed and every driver back, the rights of the
    // update are given up: the next Update asks again.
    bool LoadDrivers();
    // Reads the identity block: 0, kFwError (no device, or not the "bridgeCo" tag) or the read's status.
    int QueryDevice();

    void SetMessageSink(std::function<void(const std::string&)> sink);

    const FirmwareImageTable& ImageTable() const { return m_table; }
    const FirmwareImageInfo& ImageInfo() const { return m_info; }
    bool IsDeviceOpen() const { return m_device.IsOpen(); }
    bool DriversLoaded() const { return m_drivers.DriversLoaded(); }
    uint64_t Guid() const { return m_guid; }
    uint32_t DeviceId() const { return m_deviceId; }
    uint32_t BusGeneration() const { return m_device.BusGeneration(); }
    const std::string& ProductName() const { return m_productName; }
    const std::string& VendorName() const { return m_vendorName; }

private:
    int Reset();
    int Halt();
    int StartUpdate(int image);
    int WriteBlock(const uint8_t* data, uint32_t length);
    int EndUpdate();
    void SendCommand17();
    // Sends the image's bytes in blocks, with the percent lines; with mainImage also the progress.
    // A failed block does not stop it: the unit's checksum at the end of the image decides.
    void SendBlocks(const FirmwareImageEntry& image, bool mainImage);
    // Start, or blocks and end, of one image: 0, or the result of RunUpdate after the failure
    // was printed and the final command sent.
    int StartImage(int image);
    int FinishImage(int image);
    // The final command and the result, after a failure.
    int Abort(int result);

    int Send(const std::vector<uint8_t>& frame);
    // False when the read failed (the reply is then cleared).
    bool ReadReply(FlashReply* reply);
    // Up to reads times: wait 1 s, read; true at the acknowledgement.
    bool AwaitAcknowledge(uint8_t command, int reads, bool progressEachRead);
    void Print(const std::string& line);
    void SetProgress(float value) { m_progress.store(value); }
    void SetPhase(uint32_t phase) { m_phase.store(phase); }

    DriverManager m_drivers;
    FlashDeviceInterface m_device;
    std::string m_productName = "***";
    std::string m_vendorName = "***";
    uint64_t m_guid = 0;
    uint32_t m_deviceId = 0;
    FirmwareImageTable m_table;
    uint32_t m_flashAddress = 0;
    uint32_t m_blockCounter = 0;
    FlashFrameBuilder m_frames;
    std::vector<uint8_t> m_image;  // empty until an Update succeeded
    FirmwareImageInfo m_info;
    std::atomic<float> m_progress{0.0f};
    std::atomic<uint32_t> m_phase{0};
    std::function<void(const std::string&)> m_sink;
};

// The one engine of the process, built at its first use and destroyed at exit, where it gives the unit
// back and loads the drivers again through the raw bus and runner it took. The clock is never
// destroyed; a raw bus and runner installed before the first use, from objects of static storage,
// outlive the engine; others must stay until exit.
FirmwareUpdater& GetFirmwareUpdater();
