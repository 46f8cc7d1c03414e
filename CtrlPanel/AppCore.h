#pragma once
// The device side of the application, without a window: the main parameter set with its four main
// pages and the connection-lost page, the main page controller, the ten writer blocks and the eight
// effect panels, built and torn down in their fixed orders; and the application's periodic work:
// idle processing, the device events, and the reactions to the main set that reach the device.
//
// The object is the listener of all nine parameter sets, the observer of the main set and a listener
// of the HAL. What needs windows (the frames, the connection-lost window, boxes, the mix dialogs) it
// asks of its Host, which the application implements.
//
// GUI thread only, except OnDeviceEvent (whatever thread the HAL tells its listeners on).

#include <cstdint>
#include <memory>
#include <vector>

#include "CtrlPanel/DeviceEventRing.h"
#include "CtrlPanel/MainFrameLogic.h"
#include "CtrlPanel/device/DeviceListener.h"
#include "PAL/ParameterListener.h"
#include "PAL/ParameterObserver.h"

class ConnectionLostPage;
class MainParameterSet;
class MeterPage;
class PageController;
class ParamWriter;

class AppCore : public ParameterListener, public DeviceListener, public ParameterObserver {
public:
    // The writer blocks, in the order they are built.
    enum Writer : int32_t {
        kEq1Writer = 0,
        kEq2Writer,
        kReverb1Writer,
        kReverbSharedWriter,
        kReverb2Writer,
        kCompressor1Writer,
        kCompressor2Writer,
        kAmpSim1Writer,
        kAmpSim2Writer,
        kFxOrderWriter,
        kWriterCount
    };
    // The effect controllers, in vector order; block k of a mix file is position k - 1.
    enum Block : int32_t {
        kReverb1Block = 0,
        kEq1Block,
        kEq2Block,
        kCompressor1Block,
        kCompressor2Block,
        kAmpSim1Block,
        kAmpSim2Block,
        kReverb2Block,
        kEffectCount
    };
    // The polling thread drains its sources in this order.
    static constexpr Writer kSourceOrder[kWriterCount] = {
        kReverb1Writer,     kReverb2Writer, kReverbSharedWriter, kCompressor1Writer, kCompressor2Writer,
        kAmpSim1Writer,     kAmpSim2Writer, kEq1Writer,          kEq2Writer,         kFxOrderWriter};
    static constexpr Writer kDeletionOrder[kWriterCount] = {
        kReverb1Writer, kReverb2Writer, kCompressor1Writer, kCompressor2Writer, kAmpSim1Writer,
        kAmpSim2Writer, kEq1Writer,     kEq2Writer,         kFxOrderWriter,     kReverbSharedWriter};

    // Main parameters the application itself answers to.
    static constexpr int32_t kMuteParameter = 25;     // "Mute 1&2"
    static constexpr int32_t kDimParameter = 59;      // "OP Level Dim for Mix 1&2"
    static constexpr int32_t kSpdifParameter = 60;    // "SPDIF Input switch"
    static constexpr int32_t kLoadParameter = 148;    // "Load"
    static constexpr int32_t kSaveParameter = 149;    // "Save"
    // Every this many idle calls the connection is checked.
    static constexpr uint32_t kConnectionCheckEvery = 8;

    class Host {
    public:
        virtual ~Host() = default;
        // The frames follow the device's rate: the floating frame, then the standard frame.
        virtual void SetFramesSampleRate(float rate) = 0;
        virtual void ShowConnectionLost(bool show) = 0;
        // The unit's firmware is too old: the user is told and handed to the firmware updater, and
        // the program ends.
        virtual void HandOffToUpdater() = 0;
        // The "Save" (true) or "Load" control was pressed.
        virtual void RunMixDialog(bool save) = 0;
        // True while a box or dialog of the application runs its own event loop.
        virtual bool IsModalRunning() = 0;
    };

    explicit AppCore(Host& host);
    ~AppCore() override;
    AppCore(const AppCore&) = delete;
    AppCore& operator=(const AppCore&) = delete;

    // Start-up, in this order: the main set; the HAL on it; the four main pages; the main controller,
    // with this object as its listener and as an observer of the main set; the writers; the effect
    // panels; the writers as the polling thread's sources; this object as each panel's listener.
    void Build();
    // The connection-lost window's page, after the frames.
    void BuildConnectionLostPage();
    // This object becomes a listener of the HAL, after its meter list.
    void ListenToDevice();
    // Shut-down, in this order: the unit closed; the pages deleted; the panels deleted; the sources
    // removed; the writers deleted; the HAL destroyed; the main controller and set deleted. Runs once.
    void TearDown();
    // From now on idle processing does nothing.
    void StartExit() { m_exiting = true; }

    // One idle call: the device's rate to the panels and frames when it changed, every panel's idle
    // work, the pending device events, and every eighth call the connection check. While a box or
    // dialog runs inside it (or the host says one runs), the steps that open the unit or switch pages
    // are skipped.
    void ProcessIdle();
    // Stores the rate and hands it to every panel in vector order, then to the frames.
    void SetSampleRate(float rate);
    void HandleDeviceEvent(int event);

    // ParameterListener (all nine sets).
    float GetSampleRate() override { return m_sampleRate; }
    void ParameterChanged(int32_t index) override;
    // DeviceListener: queues the event for idle processing; dropped when the ring is full.
    void OnDeviceEvent(int event) override;
    // ParameterObserver (main set).
    void OnParameterChanged(int32_t index) override;

    MainParameterSet* GetMainSet() const { return m_mainSet.get(); }
    PageController* GetMainController() const { return m_mainController.get(); }
    MainPages GetPages() const;
    ConnectionLostPage* GetConnectionLostPage() const { return m_connectionLost.get(); }
    // Null before Build.
    PageController* GetEffect(int32_t block) const;
    std::vector<PageController*> GetEffects() const;
    ParamWriter* GetWriter(int32_t writer) const;
    uint32_t GetIdleCount() const { return m_idleCount; }
    DeviceEventRing& GetRing() { return m_ring; }

private:
    void StereoInputChanged();

    Host& m_host;
    std::unique_ptr<MainParameterSet> m_mainSet;
    std::unique_ptr<MeterPage> m_mainPage;
    std::unique_ptr<MeterPage> m_shrinkPage;
    std::unique_ptr<MeterPage> m_tinyPage;
    std::unique_ptr<MeterPage> m_highRatePage;
    std::unique_ptr<ConnectionLostPage> m_connectionLost;
    std::unique_ptr<PageController> m_mainController;
    std::unique_ptr<ParamWriter> m_writers[kWriterCount];
    std::vector<std::unique_ptr<PageController>> m_effects;
    bool m_built = false;
    bool m_exiting = false;
    float m_sampleRate = 0.0f;
    uint32_t m_idleCount = 0;
    int32_t m_idleDepth = 0;
    DeviceEventRing m_ring;
};
