#pragma once
// A FireWire bus with simulated units on it. Plugging a unit gives it a fresh node id and service
// id (as a real bus re-enumerates); unplugging it tells removal watchers on the GUI thread, ends
// its hung transfers and makes its open handles fail with kFwNoDevice. Closing a handle ends the
// transfers hung on its unit. A failed block write reports 0 bytes written.

#include "platform/FireWireBus.h"
#include "platform/sim/SimVelbrin.h"

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <thread>

class SimFireWireBus : public FireWireBus {
public:
    SimFireWireBus() = default;
    ~SimFireWireBus() override;

    // The process's bus (SimBackends::InstallScenario installs it); it lives until exit.
    static SimFireWireBus& Default();

    // Puts the unit on the bus (the caller keeps ownership); returns its node id. A unit already
    // on the bus is re-enumerated: it leaves and comes back with a new node id.
    uint32_t Plug(SimVelbrin* unit);
    // With reuse on, a plugged unit takes the lowest free node id, as a real bus with few nodes
    // gives a replugged unit its old id again. Off by default: every plug gets a new id.
    void SetReuseNodeIds(bool reuse);
    void Unplug(SimVelbrin* unit);
    bool IsPlugged(const SimVelbrin* unit) const;
    // The unit leaves the bus now and comes back afterMs later (the program's clock), as after a
    // DSP mode switch. Time-driven changes are applied on every bus call and by a small ticker.
    void Reenumerate(SimVelbrin* unit, uint32_t afterMs);
    // Drops every trace of a unit that is being destroyed (no notifications).
    void Forget(SimVelbrin* unit);
    // Applies what is due: units coming back, DSPs that finished booting.
    void Tick();
    uint32_t NodeIdOf(const SimVelbrin* unit) const;  // 0 when not on the bus
    // Transfers made with handles that are not open (they never reach a unit).
    int RefusedTransfers() const;
    int OpenHandles() const;
    // CPU time the transfers took on the threads that made them (this bus and its units), in ns.
    uint64_t ServedCpuNs() const { return m_servedCpuNs; }
    // The units on the bus with their service ids, in bus order (the raw side's discovery).
    std::vector<std::pair<uint64_t, SimVelbrin*>> AttachedUnits() const;

    std::vector<FwUnitInfo> FindUnits(const std::string& vendorName, const std::string& productName) override;
    void SetArrivalWatcher(std::function<void()> onArrival) override;
    uint64_t WatchUnitRemoval(uint64_t serviceId, std::function<void()> onGone) override;
    void CancelWatch(uint64_t watchId) override;
    // A unit on the bus or coming back after Reenumerate; an unplugged one is not.
    bool IsUnitConnected(uint64_t guid) override;

    int Open(uint32_t nodeId, FwHandle* handle) override;
    int Close(FwHandle handle) override;
    int ExecuteAVC(FwHandle handle, const uint8_t* command, uint32_t commandLength, uint8_t* response,
                   uint32_t* responseLength) override;
    int ReadQuadlet(FwHandle handle, uint64_t address, uint32_t* value) override;
    int WriteQuadlet(FwHandle handle, uint64_t address, uint32_t value) override;
    int WriteBlock(FwHandle handle, uint64_t address, const uint8_t* data, uint32_t* length) override;

private:
    struct Attachment {
        SimVelbrin* unit;
        uint32_t nodeId;
        uint64_t serviceId;
    };
    struct Watch {
        uint64_t serviceId;
        std::function<void()> onGone;
    };
    // Starts the ticker, or wakes it when it waits for work. It checks every 5 ms while a time-driven
    // change is still to come, and sleeps otherwise.
    void StartTicker();
    bool HasPendingChanges() const;
    // The unit behind an open handle, or nullptr with the status to return.
    SimVelbrin* Resolve(FwHandle handle, int* status);
    bool UnplugLocked(SimVelbrin* unit, std::vector<std::function<void()>>* notify);
    // Takes the unit off the bus; when comingBack, it is plugged again afterMs later, and counts as
    // connected meanwhile.
    void Leave(SimVelbrin* unit, bool comingBack, uint32_t afterMs);
    // Plug; with onlyComingBack, only a unit still on its way back (else 0).
    uint32_t Attach(SimVelbrin* unit, bool onlyComingBack);

    mutable std::mutex m_lock;
    std::vector<Attachment> m_units;                 // bus order
    std::map<FwHandle, uint64_t> m_handles;          // handle -> service id it was opened on
    std::map<uint64_t, Watch> m_watches;
    std::function<void()> m_onArrival;
    uint32_t m_nextNodeId = 0xFFC0;
    bool m_reuseNodeIds = false;
    uint64_t m_nextServiceId = 1;
    uint64_t m_nextWatchId = 1;
    FwHandle m_nextHandle = 1;
    int m_refused = 0;
    std::atomic<uint64_t> m_servedCpuNs{0};
    std::map<SimVelbrin*, uint64_t> m_comingBack;  // unit -> due time (ms)
    std::set<SimVelbrin*> m_known;  // every unit that refers to this bus, on it or not

    std::mutex m_tickerLock;
    std::condition_variable m_tickerCv;
    bool m_tickerStop = false;
    bool m_tickerWoken = false;
    std::thread m_ticker;
};
