#pragma once
// The one FireWire connection of the program: finds the Velbrin on the bus, keeps its node id, opens
// and closes the bus handle on it and notices when it goes away. File-level state with free
// functions; its one client is FireWireDevice.
//
// Discovery callbacks run on the GUI thread. The node id and the handle are atomics: the polling
// thread reads them through the bus primitives.

#include <cstdint>

namespace FireWireSession {

// Registers for arrivals of matching units and examines the units present now. Allocates the shared
// 512-byte response buffer.
void StartDeviceMatching();
// Undoes StartDeviceMatching: no more notifications, node id cleared. Called by the device's destructor.
void StopDeviceMatching();

// Examines the matching units in bus order; the first with an accepted GUID and a node id becomes
// the device, and its removal is watched. No accepted unit clears the node id.
void OnDeviceMatched();
// A registry message about the watched unit; kMessageServiceIsTerminated clears the node id.
constexpr uint32_t kMessageServiceIsTerminated = 0xE0000010;
void OnDeviceInterest(uint32_t messageType);
// True for a GUID of our maker with the Velbrin's model word.
bool IsAcceptedGuid(uint64_t guid);

uint32_t NodeId();
// The GUID of the unit last taken up; 0 before the first.
uint64_t UnitGuid();
// True while the unit with this GUID is connected to the bus, also while it restarts off the bus.
bool IsUnitConnected(uint64_t guid);
// Counts the units taken up: it grows whenever the followed unit is one that newly appeared on the
// bus (a replug, a re-enumeration), also when the bus gave it its old node id again.
uint64_t ConnectionCount();

// Rescans the bus (the unit may have re-enumerated with a new node id), closes a handle still open,
// then opens the handle. -1 when no device is matched, else the platform's result.
int Open();
// Closes the handle (0 is passed on as it is) and clears it; the platform's result.
int Close();
void ReleaseResponseBuffer();

// --- bus primitives: 0, -1 without an open handle, else the platform's status ---
// Up to 3 attempts; timeouts and bus resets are retried after 600 ms, other codes return at once.
// response == nullptr uses the shared 512-byte buffer. *responseLength (may be null) receives the
// answer's length; the capacity offered is the command length.
int ExecuteAVC(void* token, const uint8_t* command, uint32_t length, uint8_t* response,
               uint32_t* responseLength = nullptr);
// *value receives the quadlet byte-reversed from the host-order word the platform delivers.
int ReadQuadlet(void* token, uint64_t address, uint32_t* value);
// value is byte-reversed before it goes to the platform.
int WriteQuadlet(void* token, uint64_t address, uint32_t value);
// *length: the byte count; on return, the count the last attempt wrote.
int WriteBlock(void* token, uint64_t address, const uint8_t* data, uint32_t* length);
// Block reads are not supported by the unit: always -1.
int ReadBlock(void* token, uint64_t address, uint8_t* data, uint32_t* length);

// Capabilities found by the last FireWireDevice::Open.
struct Capabilities {
    bool quadletRead = false;
    bool blockRead = false;
    bool quadletWrite = false;
    bool blockWrite = false;
};
Capabilities GetCapabilities();
void SetCapabilities(const Capabilities& caps);

}  // namespace FireWireSession
